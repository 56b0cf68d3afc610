// A book's texts in UTF-8 for dump and export-csv: every byte the book's
// code page leaves undefined is named, with where it stands, since the
// UTF-8 text can only show it as U+FFFD.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace fdtool {

class Utf8Texts {
 public:
  // consequence ends each report: what became of the byte.
  Utf8Texts(int codePage, const char* consequence)
      : codePage_(codePage), consequence_(consequence) {}

  // Whether the system converts the code page at all.
  bool Available() const;

  // Appends text in UTF-8 to *out. Each byte that is no character of the
  // code page is reported on `errors` as
  //   "fdtool: PLACE, FIELD, byte N: 0xXX is no character of code page CP; CONSEQUENCE"
  // (N counting the text's bytes from 1); in *out it stands as U+FFFD.
  // False when any was reported.
  bool Append(std::string_view text, const std::string& place, const char* field,
              std::string* out, std::FILE* errors);

  // Bytes reported so far.
  int Undefined() const { return undefined_; }

 private:
  int codePage_;
  const char* consequence_;
  int undefined_ = 0;
  std::string converted_;
  std::vector<std::size_t> offsets_;
};

}  // namespace fdtool
