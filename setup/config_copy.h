// Placing a configuration text file into a folder under the all-users
// documents folder so that every user may change it: the logic of the setup
// library's export bzMyCopyFile.
#pragma once

#include <string>
#include <string_view>

#include "platform/sys/document_files.h"
#include "platform/sys/file_security.h"

namespace setup {

// A path split as the runtime's _splitpath does: drive ("C:"), folder (up to
// and including the last backslash or slash), file name, and extension (from
// the last dot of the file name on). Double-byte characters of codePage are
// stepped over whole, so a trail byte 0x5C is never taken for a backslash.
struct PathParts {
  std::string drive;
  std::string folder;
  std::string name;
  std::string extension;
};
PathParts SplitPath(int codePage, std::string_view path);

// The bytes a copy through a text-mode read and a text-mode write produces:
// CR LF stays CR LF, a lone LF becomes CR LF, a lone CR stays, and a Ctrl-Z
// (0x1A) ends the text. Every other byte, NUL included, is kept.
std::string TextModeCopy(std::string_view source);

// Copies `source` (a full path) to <all-users documents>\<folder>\<name><ext>.
// The folder must exist. An existing copy is kept unless overwrite is 1;
// then it is deleted and created anew with the open access list, so its
// previous access list is gone. Every failure ends the copy quietly; a
// source that cannot be read leaves an existing copy untouched.
// Returns true when the copy was written.
bool CopyConfigFile(sys::DocumentFiles& files, sys::FileSecurity& security, int codePage,
                    const std::string& source, const std::string& folder, int overwrite);

}  // namespace setup
