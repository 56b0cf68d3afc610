#include "platform/text/path_split.h"

#include "platform/text/codepage.h"

namespace text {

std::size_t NameStart(int codePage, std::string_view path) {
  std::size_t start = 0;
  if (path.size() >= 2 && path[1] == ':' && CharLengthAt(codePage, path, 0) == 1) start = 2;
  for (std::size_t i = start; i < path.size();) {
    const std::size_t length = CharLengthAt(codePage, path, i);
    i += length;
    if (length == 1 && (path[i - 1] == '\\' || path[i - 1] == '/')) start = i;
  }
  return start;
}

PathSplit SplitPath(int codePage, std::string_view path) {
  const std::size_t start = NameStart(codePage, path);
  return {path.substr(0, start), path.substr(start)};
}

std::string_view FolderOf(int codePage, std::string_view path) {
  std::string_view folder = SplitPath(codePage, path).folder;
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.remove_suffix(1);
  return folder;
}

std::string_view NameOf(int codePage, std::string_view path) {
  return SplitPath(codePage, path).name;
}

std::string_view ExtensionOf(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

}  // namespace text
