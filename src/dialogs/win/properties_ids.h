// Identifiers of the item properties dialog and its controls (range 300-399).
#pragma once

#define IDD_PROPERTIES 300
#define IDC_PROP_SHORTCUT 301
#define IDC_PROP_GROUP 302
#define IDC_PROP_SYSTEM 303
#define IDC_PROP_LINK 304
#define IDC_PROP_BROWSE 305
#define IDC_PROP_CHANGE_ICON 306
#define IDC_PROP_RESET_ICON 307
#define IDC_PROP_PICTURE 308
#define IDC_PROP_TITLE 309
#define IDC_PROP_TARGET 310
#define IDC_PROP_ARGUMENTS 311
#define IDC_PROP_RUN 312
