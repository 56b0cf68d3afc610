#include "faxbook/import/csv_field_map_dialog.h"

#include <new>

#include "faxbook/csv/csv_header.h"
#include "faxbook/csv/csv_lines.h"
#include "faxbook/import/import_confirm_dialog.h"
#include "faxbook/res/resource.h"

namespace {

// The combo box of each field, in the order of rules::Field.
constexpr std::array<int, rules::kFieldCount> kCombos = {
    IDC_MAP_DISP_NAME, IDC_MAP_READING, IDC_MAP_FAX_NUMBER, IDC_MAP_SUB_ADDRESS,
    IDC_MAP_PASSWORD,  IDC_MAP_COMPANY, IDC_MAP_DEPARTMENT, IDC_MAP_RECIPIENT,
};

int FieldOfCombo(int id) {
  for (std::size_t i = 0; i < kCombos.size(); ++i) {
    if (kCombos[i] == id) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

CCsvFieldMapDialog::CCsvFieldMapDialog(const CommandContext& context, std::string path)
    : Dialog(IDD_CSV_FIELD_MAP), context_(context), path_(std::move(path)) {}

void CCsvFieldMapDialog::OnInit() {
  const ui::FontHandle font = context_.settings.listFont;
  if (font != 0) {
    for (int id : kCombos) SetItemFont(id, font);
  }
  int columns = 0;
  std::vector<std::string> entries;
  try {
    std::string header;
    if (csv::ReadFirstLine(*context_.services.files, path_, &header)) {
      columns = csv::CountColumns(header);
      entries = csv::HeaderEntries(header, context_.String(IDS_NO_FIELD));
    }
  } catch (const std::bad_alloc&) {
    // A header too long for memory counts as none.
    columns = 0;
    entries.clear();
  }
  const bool japanese = context_.Rules().Japanese();
  const csv::ColumnMapping proposed =
      csv::DefaultMapping(context_.settings.langId, columns);
  for (std::size_t i = 0; i < kCombos.size(); ++i) {
    const int id = kCombos[i];
    ClearChoices(id);
    typed_[i] = false;
    // The registration name is imported in Japanese only.
    if (i == 0 && !japanese) {
      EnableItem(id, false);
      continue;
    }
    for (const std::string& entry : entries) AddChoice(id, entry);
    SelectChoice(id, proposed.columns[i]);
  }
}

void CCsvFieldMapDialog::OnCommand(int id, int code) {
  const int field = FieldOfCombo(id);
  if (field >= 0 && (code == ui::kComboEditChanged || code == ui::kSelChanged)) {
    typed_[static_cast<std::size_t>(field)] = code == ui::kComboEditChanged;
    return;
  }
  Dialog::OnCommand(id, code);
}

void CCsvFieldMapDialog::OnOK() {
  for (std::size_t i = 0; i < kCombos.size(); ++i) {
    mapping.columns[i] = typed_[i] ? -1 : SelectedChoice(kCombos[i]);
  }
  if (!context_.Rules().Japanese()) mapping[rules::Field::kDispName] = -1;
  CImportConfirmDialog confirm(context_, path_, mapping);
  if (RunNested(confirm) == ui::kIdOk) {
    End(ui::kIdOk);
    return;
  }
  if (confirm.backAllowed) return;
  End(ui::kIdCancel);
}
