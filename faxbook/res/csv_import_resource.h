// Resource ids of the CSV import: the mapping and confirmation dialogs and
// their texts, shared by the resource scripts, the language libraries and
// the code. Plain numbers only.
#pragma once

// Dialog templates.
#define IDD_CSV_FIELD_MAP 145
#define IDD_IMPORT_CONFIRM 146

// Mapping dialog: one combo box per address field.
#define IDC_MAP_DISP_NAME 1051
#define IDC_MAP_READING 1048
#define IDC_MAP_FAX_NUMBER 1050
#define IDC_MAP_SUB_ADDRESS 1052
#define IDC_MAP_PASSWORD 1057
#define IDC_MAP_COMPANY 1058
#define IDC_MAP_DEPARTMENT 1059
#define IDC_MAP_RECIPIENT 1060
// The character set the file is read in.
#define IDC_MAP_CHARSET 1061

// Confirmation dialog.
#define IDC_CONFIRM_LIST 1049
#define IDC_CONFIRM_ADD 1051
#define IDC_CONFIRM_EDIT 1062
#define IDC_CONFIRM_SELECTED 1059
#define IDC_CONFIRM_ADDED 1060
#define IDC_CONFIRM_BACK 1068
// Why the focused row is marked.
#define IDC_CONFIRM_REASON 1063

// Strings (and IDS_BAD_FILE 61237 of bulk_edit_resource.h).
#define IDS_NO_FIELD 61204
#define IDS_CSV_FILTER 61213
#define IDS_EDIT_SEVERAL 61240
#define IDS_COLUMN_SUB_ADDRESS 61242
#define IDS_COLUMN_PASSWORD 61243
#define IDS_FILE_IN_USE 61261
#define IDS_IMPORT_WARNING 61262

// The export, the character set, the last entry of each mapping combo and
// the reasons of marked rows.
#define IDS_EXPORT_FAILED 61330
#define IDS_EXPORT_NO_UTF8 61331
#define IDS_CHARSET_CODE_PAGE 61332
#define IDS_CHARSET_UTF8 61333
#define IDS_NOT_IMPORTED 61334
#define IDS_ADD_SELECTED_FIRST 61335
#define IDS_REASON_REFUSED 61336
#define IDS_REASON_TOO_LONG 61337
#define IDS_REASON_LACKING 61338
#define IDS_REASON_NO_READING 61339
#define IDS_REASON_NO_FAX 61340
#define IDS_REASON_NUL 61341
#define IDS_REASON_NOT_UTF8 61342
#define IDS_REASON_CHOOSE_CODE_PAGE 61343
#define IDS_REASON_NOT_UTF16 61344
#define IDS_CHARSET_UTF16 61345
#define IDS_IMPORT_SKIPPED 61346
#define IDS_PATH_NOT_IN_CODE_PAGE 61347
