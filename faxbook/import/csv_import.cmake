# The CSV import (included from faxbook/CMakeLists.txt): the portable row
# loader, confirmation list and add, shared with fdtool; the command and
# its two dialogs go into the editor's shell library, beside the address
# dialog that the confirmation opens.
set(CSV_IMPORT_DIR ${PROJECT_SOURCE_DIR}/faxbook/import)
add_library(faxbook_csv_import STATIC
  ${CSV_IMPORT_DIR}/column_mapping.cpp
  ${CSV_IMPORT_DIR}/csv_lines.cpp
  ${CSV_IMPORT_DIR}/csv_header.cpp
  ${CSV_IMPORT_DIR}/import_row.cpp
  ${CSV_IMPORT_DIR}/import_list.cpp
  ${CSV_IMPORT_DIR}/book_names.cpp
  ${CSV_IMPORT_DIR}/import_adder.cpp
  ${CSV_IMPORT_DIR}/book_target.cpp)
target_link_libraries(faxbook_csv_import PUBLIC faxbook_import faxbook_rules store platform_text)
target_include_directories(faxbook_csv_import PUBLIC ${PROJECT_SOURCE_DIR})
faxbook_warnings(faxbook_csv_import)

target_sources(faxbook_shell PRIVATE
  ${CSV_IMPORT_DIR}/import_confirm_dialog.cpp
  ${CSV_IMPORT_DIR}/csv_field_map_dialog.cpp
  ${CSV_IMPORT_DIR}/csv_import_commands.cpp)
target_link_libraries(faxbook_shell PUBLIC faxbook_csv_import)

if(FAXBOOK_TESTS)
  faxbook_add_test(faxbook_csv_import_test
    SOURCES ${CSV_IMPORT_DIR}/csv_reading_test.cpp
            ${CSV_IMPORT_DIR}/import_rows_test.cpp
            ${CSV_IMPORT_DIR}/import_add_test.cpp
    LIBS faxbook_csv_import platform_fake)
  faxbook_add_test(faxbook_csv_dialog_test
    SOURCES ${PROJECT_SOURCE_DIR}/tests/support/editor_harness.cpp
            ${PROJECT_SOURCE_DIR}/tests/support/editing_harness.cpp
            ${PROJECT_SOURCE_DIR}/tests/support/csv_import_harness.cpp
            ${CSV_IMPORT_DIR}/csv_import_command_test.cpp
            ${CSV_IMPORT_DIR}/import_confirm_test.cpp
    LIBS faxbook_shell platform_fake)
endif()
