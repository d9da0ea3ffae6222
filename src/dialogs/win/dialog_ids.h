// Identifiers of the dialog templates and their controls, shared by dialogs.rc and the
// dialog classes.
#pragma once

#define IDD_INPUT 200
#define IDC_INPUT_PROMPT 201
#define IDC_INPUT_TEXT 202

#define IDD_STARTED 210
#define IDC_STARTED_PAGE 211
#define IDC_STARTED_DONTSHOW 212
#define IDC_STARTED_LAST 213
#define IDC_STARTED_NEXT 214

#define IDD_ABOUT 220
#define IDC_ABOUT_TEXT 221
#define IDC_ABOUT_OS 222
#define IDC_ABOUT_WEB 223
#define IDC_ABOUT_MAIL 224
