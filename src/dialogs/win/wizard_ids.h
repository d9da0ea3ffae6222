// Identifiers of the add-and-manage wizard's template and controls, shared by wizard.rc
// and WizardDialog.
#pragma once

#define IDD_WIZARD 500
#define IDC_WIZ_TAB 501
#define IDC_WIZ_SOURCE 502
#define IDC_WIZ_TREE 503
#define IDC_WIZ_PATTERN 504
#define IDC_WIZ_FILES 505
#define IDC_WIZ_FILE_ICON 506
#define IDC_WIZ_STATUS 507
#define IDC_WIZ_ADD 510
#define IDC_WIZ_ADD_GROUP 511
#define IDC_WIZ_REPLACE 512
#define IDC_WIZ_SELECT_FILES 513
#define IDC_WIZ_UNSELECT_FILES 514
#define IDC_WIZ_TARGET 520
#define IDC_WIZ_ITEMS 521
#define IDC_WIZ_ITEM_PICTURE 522
#define IDC_WIZ_REMOVE 530
#define IDC_WIZ_PROPERTIES 531
#define IDC_WIZ_MOVE_UP 532
#define IDC_WIZ_MOVE_DOWN 533
#define IDC_WIZ_MOVE_TOP 534
#define IDC_WIZ_MOVE_BOTTOM 535
#define IDC_WIZ_SELECT_ITEMS 536
#define IDC_WIZ_UNSELECT_ITEMS 537
