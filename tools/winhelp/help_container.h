// The help file's container: a header, the internal files, each behind a
// small header of its own, and the directory (a B+ tree of 1 KiB pages)
// that finds them by name.
#pragma once

#include <map>
#include <string>

#include "tools/winhelp/byte_writer.h"

namespace winhelp {

class HelpContainer {
 public:
  // Adds (or replaces) an internal file.
  void Add(const std::string& name, const winhelp::Bytes& content) { files_[name] = content; }
  // The whole help file; the directory lists the names in byte order.
  winhelp::Bytes Bytes() const;

 private:
  std::map<std::string, winhelp::Bytes> files_;
};

// The internal files of a help file by name; false when the container is
// malformed (a reader of untrusted bytes: every size is checked).
bool ReadContainer(const winhelp::Bytes& file, std::map<std::string, winhelp::Bytes>* files);

}  // namespace winhelp
