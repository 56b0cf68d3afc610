#include "faxbook/import/book_import_commands.h"

#include "faxbook/import/quorvex_file_reader.h"
#include "faxbook/import/quorvex_import.h"
#include "faxbook/res/bulk_edit_resource.h"
#include "faxbook/res/resource.h"
#include "store/book_file.h"

CBookImportCommands::CBookImportCommands(ViewServices& view, const EditorServices& services)
    : view_(view), services_(services) {}

bool CBookImportCommands::OnCommand(int id) {
  switch (id) {
    case ID_FILE_SAVE_AS:
      SaveAs();
      return true;
    case ID_FILE_IMPORT_BOOK:
      ImportBook();
      return true;
    case ID_IMPORT_QUORVEX:
      ImportQuorvex();
      return true;
    default:
      return false;
  }
}

editing::TextRules CBookImportCommands::Rules() const { return {view_.LangId(), view_.CodePage()}; }

std::string CBookImportCommands::String(int id) const { return services_.resources->String(id); }

void CBookImportCommands::Tell(const std::string& text) {
  services_.messages->Show(text, String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kExclamation);
}

bool CBookImportCommands::ChooseFile(bool save, const std::string& extension, std::string* path) {
  ui::FileDialogRequest request;
  request.save = save;
  request.filter = String(IDS_BOOK_FILTER) + "(*." + extension + ")|*." + extension + "|";
  request.fileName = "*." + extension;
  request.defaultExtension = extension;
  request.hideReadOnly = true;
  request.overwritePrompt = true;
  // An import reads a file that is there; a typed name of none is refused
  // by the dialog itself.
  request.pathMustExist = !save;
  request.fileMustExist = !save;
  return services_.fileDialogs->Choose(request, path);
}

CBookImportCommands::SaveAsResult CBookImportCommands::SaveAs() {
  std::string path;
  if (!ChooseFile(true, "fdt", &path)) return SaveAsResult::kCancelled;
  saveAsPath_ = path;
  if (view_.SaveBook(path)) return SaveAsResult::kSaved;
  services_.messages->Show(ui::FormatText(String(IDS_APPLY_FAILED), path), String(IDS_CAPTION),
                           ui::Buttons::kOk, ui::Icon::kStop);
  return SaveAsResult::kFailed;
}

bool CBookImportCommands::OfferToSave() {
  if (!view_.IsModified()) return true;
  const int answer = services_.messages->Show(String(IDS_SAVE_AS_QUESTION), String(IDS_CAPTION),
                                              ui::Buttons::kYesNoCancel, ui::Icon::kQuestion);
  if (answer == ui::kIdCancel) return false;
  // Cancelling the save dialog still imports; a copy that could not be
  // written keeps the work in the editor.
  if (answer == ui::kIdYes) return SaveAs() != SaveAsResult::kFailed;
  return true;
}

bool CBookImportCommands::BookReadable(const std::string& path) {
  std::string bytes;
  if (!services_.files->FileExists(path) ||
      !services_.files->ReadFile(path, &bytes, store::kMaxBookBytes + 1) ||
      bytes.size() > store::kMaxBookBytes) {
    return false;
  }
  return store::CountEntries(view_.BookContext(), path, std::string()) >= 0;
}

void CBookImportCommands::ImportBook() {
  if (!OfferToSave()) return;
  std::string path;
  if (!ChooseFile(false, "fdt", &path)) return;
  // The entries are replaced only by a book that can be read.
  if (!BookReadable(path)) {
    Tell(String(IDS_BAD_FILE));
    return;
  }
  view_.Load(path, std::string());
  view_.SetModified(path != view_.PrimaryPath());
}

void CBookImportCommands::ImportQuorvex() {
  if (!OfferToSave()) return;
  std::string path;
  if (!ChooseFile(false, "fed", &path)) return;
  QuorvexEntries entries;
  {
    ui::WaitCursorScope wait(*services_.waitCursor);
    CQuorvexFileReader reader;
    if (!reader.Read(*services_.files, path, view_.LangId())) {
      Tell(String(IDS_BAD_FILE));
      return;
    }
    if (reader.Destinations().empty()) {
      Tell(String(IDS_NOTHING_TO_IMPORT));
      return;
    }
    entries = MakeQuorvexEntries(reader.Destinations(), Rules());
    view_.ResetSort();
    view_.Clear();
    view_.SetBookChosen();
    view_.SetModified(true);
    for (const store::AddressRecord& record : entries.records) {
      const int rowId = view_.InsertRow(0, record.regNo, "", view_.RowTextsFor(record, false));
      view_.AddRecord(rowId, record);
    }
  }
  if (entries.full) {
    Tell(ui::FormatText(String(IDS_BOOK_FULL), std::to_string(store::kMaxEntries)));
  }
  ui::ListControl* list = view_.List();
  list->SetSingleSelection(true);
  view_.SelectRow(0);
  list->SetSingleSelection(false);
  view_.Resort();
  view_.AdjustLastColumn();
}
