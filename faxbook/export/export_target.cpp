#include "faxbook/export/export_target.h"

#include "faxbook/res/resource.h"
#include "platform/text/codepage.h"

bool RefuseExportOverBook(const CommandContext& context, const std::string& path) {
  sys::FileSystem& files = *context.services.files;
  const std::string& book = context.files.PrimaryPath();
  if (book.empty()) return false;
  const bool same = files.FileExists(book)
                        ? files.SameFile(path, book)
                        : text::EqualNoCase(context.settings.codePage, path, book);
  if (!same) return false;
  context.services.messages->Show(ui::FormatText(context.String(IDS_EXPORT_OVER_BOOK), path),
                                  context.String(IDS_CAPTION), ui::Buttons::kOk,
                                  ui::Icon::kExclamation);
  return true;
}
