#include "faxbook/export/csv_export_commands.h"

#include <vector>

#include "booklib/csv/csv_export.h"
#include "faxbook/export/export_target.h"
#include "faxbook/res/csv_import_resource.h"
#include "faxbook/res/resource.h"
#include "store/book_order.h"
#include "store/packed_texts.h"

CCsvExportCommands::CCsvExportCommands(const CommandContext& context) : context_(context) {}

bool CCsvExportCommands::OnCommand(int id) {
  if (id != ID_EXPORT_CSV && id != ID_EXPORT_CSV_UTF8) return false;
  Export(id == ID_EXPORT_CSV_UTF8);
  return true;
}

CCsvExportCommands::Result CCsvExportCommands::Export(bool utf8) {
  ui::FileDialogRequest request;
  request.save = true;
  request.filter = context_.String(IDS_CSV_FILTER) + "(*.csv)|*.csv|";
  request.fileName = "*.csv";
  request.defaultExtension = "csv";
  request.hideReadOnly = true;
  request.overwritePrompt = true;
  std::string path;
  const ui::FileChoice choice = context_.services.fileDialogs->ChooseFile(request, &path);
  if (choice == ui::FileChoice::kCancelled) return Result::kCancelled;
  if (choice == ui::FileChoice::kNotInCodePage) {
    context_.services.messages->Show(
        ui::FormatText(context_.String(IDS_PATH_NOT_IN_CODE_PAGE), path),
        context_.String(IDS_CAPTION), ui::Buttons::kOk, ui::Icon::kExclamation);
    return Result::kNotInCodePage;
  }
  if (RefuseExportOverBook(context_, path)) return Result::kOverBook;

  // What apply would write, in its order: the file matches the book saved.
  const std::vector<const store::AddressRecord*> order =
      store::ApplyOrder(*context_.services.collation, context_.settings.langId, context_.book);
  int undefined = 0;
  std::string where;
  csv::Utf8ExportConverter converter(
      context_.settings.codePage,
      [&](int regNo, std::size_t field, std::size_t, unsigned char) {
        if (undefined++ == 0) {
          where = std::to_string(regNo) + ", " + store::kTextFields[field].name;
        }
      });
  sys::FileError written = sys::FileError::kNone;
  {
    ui::WaitCursorScope wait(*context_.services.waitCursor);
    written = context_.services.files->ReplaceWith(path, [&](sys::ByteSink& sink) {
      return csv::WriteCsvExport(
          sink, order.size(),
          [&](std::size_t i) {
            const store::AddressRecord& r = *order[i];
            return store::EntryToWrite{r.kind, r.regNo, store::ViewOf(r)};
          },
          utf8 ? &converter : nullptr, context_.Rules().Japanese());
    });
  }
  if (undefined > 0) {
    // U+FFFD where the book holds a byte would import back as something
    // else: such a file is not written.
    context_.services.messages->Show(ui::FormatText(context_.String(IDS_EXPORT_NO_UTF8), where),
                                     context_.String(IDS_CAPTION), ui::Buttons::kOk,
                                     ui::Icon::kExclamation);
    return Result::kNoUtf8Form;
  }
  if (written != sys::FileError::kNone) {
    context_.services.messages->Show(ui::FormatText(context_.String(IDS_EXPORT_FAILED), path),
                                     context_.String(IDS_CAPTION), ui::Buttons::kOk,
                                     ui::Icon::kStop);
    return Result::kFailed;
  }
  return Result::kWritten;
}
