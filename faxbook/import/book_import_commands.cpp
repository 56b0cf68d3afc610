#include "faxbook/import/book_import_commands.h"

#include "booklib/device/quorvex_file_reader.h"
#include "booklib/device/quorvex_import.h"
#include "faxbook/res/bulk_edit_resource.h"
#include "faxbook/res/csv_import_resource.h"
#include "faxbook/res/resource.h"
#include "store/book_file.h"

CBookImportCommands::CBookImportCommands(const CommandContext& context) : context_(context) {}

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

void CBookImportCommands::Tell(const std::string& text) {
  context_.services.messages->Show(text, context_.String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kExclamation);
}

ui::FileChoice CBookImportCommands::ChooseFile(bool save, const std::string& extension,
                                               std::string* path) {
  ui::FileDialogRequest request;
  request.save = save;
  request.filter = context_.String(IDS_BOOK_FILTER) + "(*." + extension + ")|*." + extension + "|";
  request.fileName = "*." + extension;
  request.defaultExtension = extension;
  request.hideReadOnly = true;
  request.overwritePrompt = true;
  // An import reads a file that is there; a typed name of none is refused
  // by the dialog itself.
  request.pathMustExist = !save;
  request.fileMustExist = !save;
  const ui::FileChoice choice = context_.services.fileDialogs->ChooseFile(request, path);
  if (choice == ui::FileChoice::kNotInCodePage) {
    Tell(ui::FormatText(context_.String(IDS_PATH_NOT_IN_CODE_PAGE), *path));
  }
  return choice;
}

CBookImportCommands::SaveAsResult CBookImportCommands::SaveAs() {
  std::string path;
  const ui::FileChoice choice = ChooseFile(true, "fdt", &path);
  if (choice == ui::FileChoice::kCancelled) return SaveAsResult::kCancelled;
  // No copy was written: an import asked for after it does not go on.
  if (choice == ui::FileChoice::kNotInCodePage) return SaveAsResult::kFailed;
  saveAsPath_ = path;
  if (context_.files.SaveBook(path)) return SaveAsResult::kSaved;
  context_.services.messages->Show(ui::FormatText(context_.String(IDS_APPLY_FAILED), path), context_.String(IDS_CAPTION),
                           ui::Buttons::kOk, ui::Icon::kStop);
  return SaveAsResult::kFailed;
}

bool CBookImportCommands::OfferToSave() {
  if (!context_.book.Modified()) return true;
  const int answer = context_.services.messages->Show(context_.String(IDS_SAVE_AS_QUESTION), context_.String(IDS_CAPTION),
                                              ui::Buttons::kYesNoCancel, ui::Icon::kQuestion);
  if (answer == ui::kIdCancel) return false;
  // Cancelling the save dialog still imports; a copy that could not be
  // written keeps the work in the editor.
  if (answer == ui::kIdYes) return SaveAs() != SaveAsResult::kFailed;
  return true;
}

bool CBookImportCommands::BookReadable(const std::string& path) {
  std::string bytes;
  if (!context_.services.files->FileExists(path) ||
      !context_.services.files->ReadFile(path, &bytes, store::kMaxBookBytes + 1) ||
      bytes.size() > store::kMaxBookBytes) {
    return false;
  }
  return store::CountEntries(context_.files.BookContext(), path, std::string()) >= 0;
}

void CBookImportCommands::ImportBook() {
  if (!OfferToSave()) return;
  std::string path;
  if (ChooseFile(false, "fdt", &path) != ui::FileChoice::kChosen) return;
  // The entries are replaced only by a book that can be read.
  if (!BookReadable(path)) {
    Tell(context_.String(IDS_BAD_FILE));
    return;
  }
  std::vector<store::AddressRecord> records;
  store::GroupTable groups(context_.settings.codePage, context_.book.Alerts());
  if (!context_.files.ReadBook(path, &records, &groups)) return;
  context_.view.SortByReading();
  {
    store::BookStep step(context_.book);
    context_.book.ReplaceAll(std::move(records), std::move(groups));
  }
  context_.files.SetBookChosen();
}

void CBookImportCommands::ImportQuorvex() {
  if (!OfferToSave()) return;
  std::string path;
  if (ChooseFile(false, "fed", &path) != ui::FileChoice::kChosen) return;
  device::QuorvexEntries entries;
  store::EntryId last = store::kNoEntry;
  {
    ui::WaitCursorScope wait(*context_.services.waitCursor);
    device::CQuorvexFileReader reader;
    if (!reader.Read(*context_.services.files, path, context_.settings.langId)) {
      Tell(context_.String(IDS_BAD_FILE));
      return;
    }
    if (reader.Destinations().empty()) {
      Tell(context_.String(IDS_NOTHING_TO_IMPORT));
      return;
    }
    entries = device::MakeQuorvexEntries(reader.Destinations(), context_.Rules());
    // Each destination goes to the top in turn: the last one read is the
    // first of the list, and stays selected.
    std::vector<store::AddressRecord> rows(entries.records.rbegin(), entries.records.rend());
    context_.view.SortByReading();
    store::BookStep step(context_.book);
    context_.book.ReplaceAll(std::move(rows),
                             store::GroupTable(context_.settings.codePage, context_.book.Alerts()));
    if (context_.book.Size() > 0) last = context_.book.IdAt(0);
  }
  context_.files.SetBookChosen();
  if (entries.full) {
    Tell(ui::FormatText(context_.String(IDS_BOOK_FULL), std::to_string(store::kMaxEntries)));
  }
  context_.view.SelectOnly(last);
}
