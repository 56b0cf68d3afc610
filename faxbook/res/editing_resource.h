// Resource ids of the address, group and member dialogs, shared by the
// resource scripts, the language libraries and the code. Plain numbers only.
#pragma once

// Dialog templates.
#define IDD_ADDRESS 130
#define IDD_GROUP 131
#define IDD_MEMBER_SELECT 132

// Address dialog: the eight fields and the honorific.
#define IDC_DISP_NAME 1006
#define IDC_READING 1005
#define IDC_FAX_NUMBER 1010
#define IDC_SUB_ADDRESS 1017
#define IDC_PASSWORD 1018
#define IDC_COMPANY 1019
#define IDC_DEPARTMENT 1020
#define IDC_RECIPIENT 1022
#define IDC_RESPECT_LABEL 1024
#define IDC_RESPECT 1066

// Group dialog (its name fields share 1006 and 1005).
#define IDC_MEMBERS_LABEL 1003
#define IDC_ADD_MEMBERS 1018
#define IDC_REMOVE_MEMBERS 1019
#define IDC_MEMBER_LIST 1016

// Member selection dialog.
#define IDC_AVAILABLE_LABEL 1043
#define IDC_AVAILABLE_LIST 1020
#define IDC_MOVE_IN 1023
#define IDC_MOVE_OUT 1024
#define IDC_CHOSEN_LABEL 1044
#define IDC_CHOSEN_LIST 1021

// Strings.
#define IDS_INPUT_ERROR 61206
#define IDS_NEW_GROUP_TITLE 61207
#define IDS_EDIT_GROUP_TITLE 61208
#define IDS_NEW_ADDRESS_TITLE 61211
#define IDS_EDIT_ADDRESS_TITLE 61212
#define IDS_DELETE_ADDRESS 61224
#define IDS_NO_MEMBERS 61227
#define IDS_BOOK_FULL 61238
#define IDS_GROUP_FULL 61239
#define IDS_DELETE_GROUP 61263
#define IDS_DELETE_SEVERAL 61270
// The honorific list: none, 様, 殿, 御中.
#define IDS_RESPECT_NONE 61284
#define IDS_RESPECT_ITEM_1 61285
#define IDS_RESPECT_ITEM_2 61286
#define IDS_RESPECT_ITEM_3 61287
