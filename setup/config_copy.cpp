#include "setup/config_copy.h"

#include "platform/sys/access_list.h"
#include "platform/text/path_split.h"

namespace setup {

PathParts SplitPath(int codePage, std::string_view path) {
  PathParts parts;
  const text::PathSplit split = text::SplitPath(codePage, path);
  std::string_view folder = split.folder;
  if (path.size() >= 2 && path[1] == ':') {
    parts.drive.assign(path.substr(0, 2));
    folder.remove_prefix(2);
  }
  parts.folder.assign(folder);
  const std::string_view extension = text::ExtensionOf(split.name);
  parts.name.assign(split.name.substr(0, split.name.size() - extension.size()));
  parts.extension.assign(extension);
  return parts;
}

std::string TextModeCopy(std::string_view source) {
  constexpr char kEndOfText = 0x1A;
  std::string out;
  out.reserve(source.size() + source.size() / 16);
  for (std::size_t i = 0; i < source.size(); ++i) {
    const char c = source[i];
    if (c == kEndOfText) break;
    if (c == '\r' && i + 1 < source.size() && source[i + 1] == '\n') continue;
    if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

bool CopyConfigFile(sys::DocumentFiles& files, sys::FileSecurity& security, int codePage,
                    const std::string& source, const std::string& folder, int overwrite) {
  const PathParts parts = SplitPath(codePage, source);
  std::string documents;
  if (!files.CommonDocumentsFolder(&documents)) return false;
  const std::string target = documents + "\\" + folder + "\\" + parts.name + parts.extension;

  if (files.CanOpenForReading(target) && overwrite != 1) return false;
  std::string bytes;
  if (!files.ReadAll(source, &bytes)) return false;
  // Delete first so that the next step really creates the file, with the
  // open access list, whoever owned the old copy.
  files.Delete(target);
  if (!security.CreateWithDacl(target, sys::OpenAccessList())) return false;
  return files.Rewrite(target, TextModeCopy(bytes));
}

}  // namespace setup
