// Resource ids of the picker, shared by its own resources and the language
// libraries (pickresJPN.dll, pickresENG.dll, ...).
#pragma once

// Icon and list images.
#define IDI_PICKER 3
#define IDB_ADDRESS 1
#define IDB_GROUP 2

// Strings.
#define IDS_BOOK_SUBKEY 99        // the address book's registry subkey
#define IDS_PRODUCT_KEY 100       // the product key, ending in a backslash
#define IDS_SPOOLER_SUBKEY 101    // the spooler's registry subkey
#define IDS_EXCHANGE_MAKER 102    // first folder of the exchange file
#define IDS_EXCHANGE_PRODUCT 103  // second folder of the exchange file
#define IDS_EXCHANGE_FILE 104     // the exchange file's name
#define IDS_COUNTER 105           // the send-list counter: count, still free
#define IDS_COLUMN_NAME 106
#define IDS_COLUMN_FAX 107
#define IDS_COLUMN_COMPANY 108
#define IDS_COLUMN_DEPARTMENT 109
#define IDS_COLUMN_RECIPIENT 110
#define IDS_TOO_MANY 112          // the send list would exceed 80
#define IDS_RESPECT_1 113
#define IDS_RESPECT_2 114
#define IDS_RESPECT_3 115
#define IDS_COLUMN_READING 116
#define IDS_NO_ACCESS 117         // a shared book cannot be reached
#define IDS_NO_HANDING_BACK 118   // the exchange file has no place
#define IDS_EXCHANGE_UNREADABLE 119   // at start: the exchange file (%s) cannot be read
#define IDS_EXCHANGE_NOT_READ 120     // at OK: it cannot be read, nothing was written
#define IDS_EXCHANGE_NOT_WRITTEN 121  // at OK: it cannot be written
#define IDS_EXCHANGE_READ_ONLY 122    // at OK: it is read-only, nothing was written

// The destination dialog.
#define IDD_DESTINATION 1000
#define IDC_FULL_LIST 1002
#define IDC_RESULT_LIST_B 1003
#define IDC_RESULT_LIST_A 1004
#define IDC_SEND_LIST 1005
#define IDC_SHOW_ALL 1007
#define IDC_DETAILS 1008
#define IDC_DELETE 1009
#define IDC_DELETE_ALL 1010
#define IDC_REGISTER 1011
#define IDC_SEARCH_TEXT 1012
#define IDC_BY_NAME 1014
#define IDC_BY_COMPANY 1015
#define IDC_COUNTER 1016
#define IDC_PERSONAL 1029
#define IDC_SHARED 1030
#define IDC_HELP_BUTTON 57670

// The group confirmation dialog.
#define IDD_GROUP_CONFIRM 1001
#define IDC_MEMBER_LIST 1006
#define IDC_GROUP_NAME 1013
