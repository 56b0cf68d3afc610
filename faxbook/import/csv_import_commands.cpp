#include "faxbook/import/csv_import_commands.h"

#include <cstdint>

#include "faxbook/import/csv_field_map_dialog.h"
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

void CCsvImportCommands::Tell(int messageId) {
  context_.services.messages->Show(context_.String(messageId), context_.String(IDS_INPUT_ERROR),
                                   ui::Buttons::kOk, ui::Icon::kExclamation);
}

void CCsvImportCommands::ImportCsv() {
  ui::FileDialogRequest request;
  request.save = false;
  request.filter = context_.String(IDS_CSV_FILTER) + "(*.csv)|*.csv|";
  request.fileName = "*.csv";
  request.hideReadOnly = true;
  request.overwritePrompt = true;
  std::string path;
  if (!context_.services.fileDialogs->Choose(request, &path)) return;
  std::uint64_t size = 0;
  if (!context_.services.files->SizeWithoutSharing(path, &size) || size == 0) {
    Tell(IDS_FILE_IN_USE);
    return;
  }
  if (!HasCsvExtension(context_.settings.codePage, path)) {
    Tell(IDS_BAD_FILE);
    return;
  }
  CCsvFieldMapDialog dialog(context_, path);
  context_.services.dialogs->RunModal(dialog);
}
