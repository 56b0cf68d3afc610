// Resource ids of the book imports, the multi-address edit and the replace
// dialog, shared by the resource scripts, the language libraries and the
// code. Plain numbers only.
#pragma once

// Dialog templates.
#define IDD_MULTI_EDIT 147
#define IDD_REPLACE 148

// The ticks of the fields, in the address dialog's field order; the value
// (and search) edits are the address dialog's field ids 1006 ... 1022, the
// honorific list is 1066.
#define IDC_TICK_DISP_NAME 1069
#define IDC_TICK_READING 1070
#define IDC_TICK_FAX_NUMBER 1071
#define IDC_TICK_SUB_ADDRESS 1072
#define IDC_TICK_PASSWORD 1073
#define IDC_TICK_COMPANY 1074
#define IDC_TICK_DEPARTMENT 1075
#define IDC_TICK_RECIPIENT 1076
#define IDC_TICK_RESPECT 1077

// Replace dialog: the replacement edits of the eight fields.
#define IDC_NEW_DISP_NAME 1007
#define IDC_NEW_READING 1008
#define IDC_NEW_FAX_NUMBER 1011
#define IDC_NEW_SUB_ADDRESS 1021
#define IDC_NEW_PASSWORD 1023
#define IDC_NEW_COMPANY 1024
#define IDC_NEW_DEPARTMENT 1025
#define IDC_NEW_RECIPIENT 1026

// Strings.
#define IDS_BOOK_FILTER 61214
#define IDS_SAVE_AS_QUESTION 61225
#define IDS_BAD_FILE 61237
#define IDS_NOTHING_TO_IMPORT 61271
