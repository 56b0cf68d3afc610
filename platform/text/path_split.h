// Splitting a path into its folder and its name.
//
// Paths are ANSI byte strings of the system's code page, and the second
// byte of a double-byte character may be 0x5C, the backslash's byte (表 is
// 0x95 0x5C in code page 932). These helpers walk a path by characters, so
// only a real backslash or slash separates a folder from what follows. This
// is the one place where the programs split paths.
#pragma once

#include <cstddef>
#include <string_view>

namespace text {

// Where the name of path starts: after its last backslash or slash, or
// after the drive of a drive-relative path ("C:name"); 0 for a bare name.
std::size_t NameStart(int codePage, std::string_view path);

// path = folder + name: the folder keeps its last separator ("C:\data\",
// "\\host\share\", "C:" for "C:name", empty for a bare name).
struct PathSplit {
  std::string_view folder;
  std::string_view name;
};
PathSplit SplitPath(int codePage, std::string_view path);

// The folder without its last separator ("C:\data\x" gives "C:\data",
// "C:\x" gives "C:", "\x" and a bare name give ""), and the name.
std::string_view FolderOf(int codePage, std::string_view path);
std::string_view NameOf(int codePage, std::string_view path);

// The extension of a name, from its last dot on (".csv"); empty when the
// name has no dot. A dot byte is never part of a double-byte character.
std::string_view ExtensionOf(std::string_view name);

}  // namespace text
