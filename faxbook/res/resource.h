// Resource and command ids of the editor, shared by the resource scripts,
// the language libraries and the code. Plain numbers only: the resource
// compiler and the portable code both read this file.
#pragma once

// Main frame: menu, accelerators, toolbar and program icon.
#define IDR_MAINFRAME 128
#define IDI_GROUP 139
#define IDI_ADDRESS 143

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_ADDRCONFIG_FORM 101

// Controls of the address list form.
#define IDC_ADDRESS_LIST 1000
#define IDC_TEST_BUTTON 1001
#define IDC_NEW_ADDRESS_BUTTON 1007
#define IDC_NEW_GROUP_BUTTON 1011
#define IDC_EDIT_BUTTON 1013
#define IDC_DELETE_BUTTON 1015
#define IDC_WRITE_BUTTON 1029

// Controls of the about box.
#define IDC_ABOUT_ICON 1100
#define IDC_ABOUT_TITLE 1101
#define IDC_ABOUT_VERSION 1102
#define IDC_ABOUT_COPYRIGHT 1103

// Commands of the editor.
#define ID_NEW_ADDRESS 32789
#define ID_NEW_GROUP 32790
#define ID_IMPORT_CSV 32791
#define ID_IMPORT_QUORVEX 32792
#define ID_EDIT_REPLACE 32796
#define ID_EXPORT_CSV 32800
#define ID_EXPORT_CSV_UTF8 32801

// Commands with the class framework's standard ids.
#define ID_FILE_NEW 57600
#define ID_FILE_IMPORT_BOOK 57601
#define ID_FILE_APPLY 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_PRINT_SETUP 57606
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_UNDO 57643
#define ID_EDIT_REDO 57644
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_HELP_FINDER 57667
#define ID_CONTEXT_HELP 57669
#define ID_HELP 57670
#define ID_DEFAULT_HELP 57671
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// Status bar panes.
#define ID_INDICATOR_CAPS 59137
#define ID_INDICATOR_NUM 59138
#define ID_INDICATOR_SCRL 59139
#define ID_INDICATOR_KANA 59142
#define ID_INDICATOR_COUNT 101

// Strings.
#define IDS_APP_TITLE 57344
#define IDS_IDLE_MESSAGE 57345
#define IDS_CAPTION 61205
#define IDS_COLUMN_NAME 61217
#define IDS_COLUMN_READING 61218
#define IDS_COLUMN_FAX 61219
#define IDS_COLUMN_COMPANY 61221
#define IDS_COLUMN_DEPARTMENT 61222
#define IDS_COLUMN_RECIPIENT 61223
#define IDS_SAVE_QUESTION 61226
#define IDS_NO_SELECTION 61230
#define IDS_BAD_INSTALLATION 61264
#define IDS_APPLY_FAILED 61280
#define IDS_BOOK_UNREADABLE 61296
#define IDS_BOOK_PROTECTED 61297
#define IDS_BOOK_RESTORED 61298
#define IDS_BOOK_READ_ONLY 61299
#define IDS_BOOK_KEEPS_CHANGING 61300
#define IDS_BOOK_CHANGED_ELSEWHERE 61301
#define IDS_BOOK_LOST_ENTRIES 61316
#define IDS_BOOK_DAMAGED_ELSEWHERE 61317
#define IDS_UNDO_ENDS_AT_MERGE 61318
#define IDS_EXPORT_OVER_BOOK 61319
#define IDS_RESPECT_1 61281
#define IDS_RESPECT_2 61282
#define IDS_RESPECT_3 61283

// The ids of the address, group and member dialogs.
#include "editing_resource.h"
// The ids of the book imports, the multi-address edit and the replace dialog.
#include "bulk_edit_resource.h"
// The ids of the CSV import.
#include "csv_import_resource.h"
// The conflict dialog of a merge at apply.
#include "conflict_resource.h"
