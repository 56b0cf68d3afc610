#include "faxbook/import/csv_import_commands.h"

#include <cstdint>

#include "faxbook/import/csv_field_map_dialog.h"
#include "faxbook/res/csv_import_resource.h"
#include "faxbook/res/resource.h"
#include "platform/text/path_split.h"

CCsvImportCommands::CCsvImportCommands(const CommandContext& context) : context_(context) {}

bool CCsvImportCommands::OnCommand(int id) {
  if (id != ID_IMPORT_CSV) return false;
  ImportCsv();
  return true;
}

bool HasCsvExtension(int codePage, const std::string& path) {
  const std::string_view extension = text::ExtensionOf(text::NameOf(codePage, path));
  return extension == ".CSV" || extension == ".csv";
}

void CCsvImportCommands::Tell(const std::string& text) {
  context_.services.messages->Show(text, context_.String(IDS_INPUT_ERROR), ui::Buttons::kOk,
                                   ui::Icon::kExclamation);
}

void CCsvImportCommands::ImportCsv() {
  ui::FileDialogRequest request;
  request.save = false;
  request.filter = context_.String(IDS_CSV_FILTER) + "(*.csv)|*.csv|";
  request.fileName = "*.csv";
  request.hideReadOnly = true;
  request.overwritePrompt = true;
  std::string path;
  const ui::FileChoice choice = context_.services.fileDialogs->ChooseFile(request, &path);
  if (choice == ui::FileChoice::kCancelled) return;
  if (choice == ui::FileChoice::kNotInCodePage) {
    Tell(ui::FormatText(context_.String(IDS_PATH_NOT_IN_CODE_PAGE), path));
    return;
  }
  std::uint64_t size = 0;
  if (!context_.services.files->SizeWithoutSharing(path, &size) || size == 0) {
    Tell(context_.String(IDS_FILE_IN_USE));
    return;
  }
  if (!HasCsvExtension(context_.settings.codePage, path)) {
    Tell(context_.String(IDS_BAD_FILE));
    return;
  }
  CCsvFieldMapDialog dialog(context_, path);
  context_.services.dialogs->RunModal(dialog);
}
