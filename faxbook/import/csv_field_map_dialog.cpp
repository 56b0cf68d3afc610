#include "faxbook/import/csv_field_map_dialog.h"

#include <iterator>
#include <new>

#include "booklib/csv/csv_header.h"
#include "booklib/csv/header_names.h"
#include "faxbook/res/csv_import_resource.h"
#include "faxbook/import/import_confirm_dialog.h"
#include "faxbook/res/resource.h"

namespace {

// The combo box of each field, in the order of rules::Field.
constexpr std::array<int, rules::kFieldCount> kCombos = {
    IDC_MAP_DISP_NAME, IDC_MAP_READING, IDC_MAP_FAX_NUMBER, IDC_MAP_SUB_ADDRESS,
    IDC_MAP_PASSWORD,  IDC_MAP_COMPANY, IDC_MAP_DEPARTMENT, IDC_MAP_RECIPIENT,
};

// The entries of the character-set combo, in order.
constexpr csv::Charset kCharsets[] = {csv::Charset::kCodePage, csv::Charset::kUtf8,
                                      csv::Charset::kUtf16};

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
  const int codePage = context_.settings.codePage;
  charset = csv::DetectFileCharset(*context_.services.files, path_, codePage);
  ClearChoices(IDC_MAP_CHARSET);
  AddChoice(IDC_MAP_CHARSET,
            ui::FormatText(context_.String(IDS_CHARSET_CODE_PAGE), std::to_string(codePage)));
  AddChoice(IDC_MAP_CHARSET, context_.String(IDS_CHARSET_UTF8));
  AddChoice(IDC_MAP_CHARSET, context_.String(IDS_CHARSET_UTF16));
  for (int i = 0; i < static_cast<int>(std::size(kCharsets)); ++i) {
    if (kCharsets[i] == charset) SelectChoice(IDC_MAP_CHARSET, i);
  }
  FillFields();
}

void CCsvFieldMapDialog::FillFields() {
  const rules::TextRules rules = context_.Rules();
  int columns = 0;
  std::vector<std::string> entries;
  csv::ColumnMapping proposed;
  try {
    csv::CsvHeader header;
    if (csv::ReadHeader(*context_.services.files, path_, charset, rules.codePage, &header)) {
      columns = csv::CountColumns(header.line);
      entries = csv::HeaderEntries(header.line, context_.String(IDS_NO_FIELD));
    }
    proposed = csv::DefaultMapping(context_.settings.langId, columns);
    if (columns > 0) csv::RecognisedMapping(context_.settings.langId, header.utf8Fields, &proposed);
  } catch (const std::bad_alloc&) {
    // A header too long for memory counts as none.
    columns = 0;
    entries.clear();
    proposed = csv::ColumnMapping();
  }
  // One entry per column, then the joined columns proposed, then none.
  choices_.clear();
  for (std::size_t c = 0; c < entries.size(); ++c) choices_.push_back({static_cast<int>(c), -1});
  std::vector<std::string> texts = entries;
  for (std::size_t i = 0; i < kCombos.size(); ++i) {
    const int first = proposed.columns[i], second = proposed.joined[i];
    if (first < 0 || second < 0) continue;
    bool known = false;
    for (const Choice& c : choices_) known = known || (c.column == first && c.joined == second);
    if (known || static_cast<std::size_t>(first) >= entries.size() ||
        static_cast<std::size_t>(second) >= entries.size()) {
      continue;
    }
    choices_.push_back({first, second});
    texts.push_back(entries[static_cast<std::size_t>(first)] + " + " +
                    entries[static_cast<std::size_t>(second)]);
  }
  choices_.push_back({-1, -1});
  texts.push_back(context_.String(IDS_NOT_IMPORTED));
  for (std::size_t i = 0; i < kCombos.size(); ++i) {
    const int id = kCombos[i];
    ClearChoices(id);
    typed_[i] = false;
    // The registration name is imported in Japanese only.
    if (i == 0 && !rules.Japanese()) {
      EnableItem(id, false);
      continue;
    }
    for (const std::string& text : texts) AddChoice(id, text);
    int selected = static_cast<int>(choices_.size()) - 1;
    for (std::size_t c = 0; c < choices_.size(); ++c) {
      if (choices_[c].column == proposed.columns[i] && choices_[c].joined == proposed.joined[i]) {
        selected = static_cast<int>(c);
        break;
      }
    }
    SelectChoice(id, selected);
  }
}

void CCsvFieldMapDialog::OnCommand(int id, int code) {
  if (id == IDC_MAP_CHARSET && code == ui::kSelChanged) {
    const int entry = SelectedChoice(IDC_MAP_CHARSET);
    const csv::Charset chosen = entry >= 0 && entry < static_cast<int>(std::size(kCharsets))
                                    ? kCharsets[entry]
                                    : csv::Charset::kCodePage;
    if (chosen != charset) {
      charset = chosen;
      FillFields();
    }
    return;
  }
  const int field = FieldOfCombo(id);
  if (field >= 0 && (code == ui::kComboEditChanged || code == ui::kSelChanged)) {
    typed_[static_cast<std::size_t>(field)] = code == ui::kComboEditChanged;
    return;
  }
  Dialog::OnCommand(id, code);
}

void CCsvFieldMapDialog::OnOK() {
  for (std::size_t i = 0; i < kCombos.size(); ++i) {
    const int selected = typed_[i] ? -1 : SelectedChoice(kCombos[i]);
    const bool listed = selected >= 0 && static_cast<std::size_t>(selected) < choices_.size();
    mapping.columns[i] = listed ? choices_[static_cast<std::size_t>(selected)].column : -1;
    mapping.joined[i] = listed ? choices_[static_cast<std::size_t>(selected)].joined : -1;
  }
  if (!context_.Rules().Japanese()) {
    mapping[rules::Field::kDispName] = -1;
    mapping.joined[static_cast<std::size_t>(rules::Field::kDispName)] = -1;
  }
  CImportConfirmDialog confirm(context_, path_, mapping, charset);
  if (RunNested(confirm) == ui::kIdOk) {
    End(ui::kIdOk);
    return;
  }
  if (confirm.backAllowed) return;
  End(ui::kIdCancel);
}
