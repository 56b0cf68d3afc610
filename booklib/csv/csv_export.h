// The CSV file of a book's addresses, as the editor's export and fdtool
// export-csv write it: one header line of the eight field names, then one
// line per address (groups are no rows of a CSV file) in the order given,
// each text quoted as the book quotes its fields, lines ended by CR LF.
// The UTF-8 form starts with a byte-order mark.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/sys/file_system.h"
#include "store/book_format.h"

namespace csv {

// The header line: the field names in the column order of the Japanese
// proposed mapping (the book's own field order).
std::string ExportHeader();

// Turns a text of the book into the text of the file (UTF-8); false when a
// byte of it has no form there (the file is then not to be written).
class ExportTextConverter {
 public:
  virtual ~ExportTextConverter() = default;
  virtual bool Append(std::string_view text, int regNo, std::size_t field, std::string* out) = 0;
};

// Writes the file into sink: the entries 0..count-1 in order, groups left
// out. Without a converter the book's bytes go over as they are; with one
// each text goes through it and a byte-order mark comes first. Without
// registrationNames (languages that show none) that column stays empty.
// False once the sink refuses bytes or the converter refused a text (every
// text is still visited, so that all refusals are heard).
bool WriteCsvExport(sys::ByteSink& sink, std::size_t count,
                    const std::function<store::EntryToWrite(std::size_t)>& entryAt,
                    ExportTextConverter* converter, bool registrationNames);

// The converter to UTF-8 with the system's tables; each byte the code page
// leaves undefined is handed to `undefined` (the RegNo, the field, the
// byte's offset in the text and its value).
class Utf8ExportConverter : public ExportTextConverter {
 public:
  using Undefined =
      std::function<void(int regNo, std::size_t field, std::size_t offset, unsigned char value)>;
  Utf8ExportConverter(int codePage, Undefined undefined)
      : codePage_(codePage), undefined_(std::move(undefined)) {}
  // Whether the system converts the code page at all.
  bool Available() const;
  bool Append(std::string_view text, int regNo, std::size_t field, std::string* out) override;

 private:
  int codePage_;
  Undefined undefined_;
  std::string converted_;
  std::vector<std::size_t> offsets_;
};

}  // namespace csv
