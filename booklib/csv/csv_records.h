// The records of a CSV file: its lines, except that a quoted field still
// open at the end of a line goes on in the next line (the line break is
// part of the field, as a line feed).
//
// A field is open at the end of a line when it started with a double quote,
// was not closed by a quote before a comma, and holds an odd number of
// quotes once each doubled quote counts as none. A record continues for at
// most kMaxRecordLines lines and kMaxRecordBytes bytes; when the field is
// still open then, or at the end of the file, its first line is a record of
// its own, read as a line always was (the unclosed field runs to the end of
// the line), and the lines after it are read again from the next one.
//
// A UTF-16 file whose first line holds a tab is tab-separated (as
// spreadsheets save "Unicode text"): its records come written again with
// commas, so that the field splitter takes the fields the tabs separate.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "booklib/csv/csv_lines.h"
#include "platform/sys/file_system.h"

namespace csv {

constexpr std::size_t kMaxRecordLines = 1000;
constexpr std::size_t kMaxRecordBytes = 64 * 1024;

// Gets each record, the number of the file line it starts on (from 1), the
// number of lines it spans, and whether a NUL byte cut any of them short;
// returns false to stop reading.
using RecordSink = std::function<bool(std::string_view record, int firstLine, int lines,
                                      bool cutAtNul)>;

// Whether a line (or a record so far) ends inside an open quoted field.
bool EndsInOpenQuote(std::string_view line, char separator = ',');

// The field splitter's state at the end of a text: inside a field that
// started with a quote, and the parity of its quotes. Scan goes on from a
// state, so a record is scanned once, line by line.
struct QuoteState {
  bool quoted = false;
  bool odd = false;
};
void Scan(std::string_view text, QuoteState* state, char separator = ',');

class RecordJoiner {
 public:
  explicit RecordJoiner(const RecordSink& sink) : sink_(sink) {}
  // The byte that separates fields (a comma unless told before the first
  // line).
  void SetSeparator(char separator) { separator_ = separator; }
  // One line of the file (as LineSplitter gives it); false when the sink
  // stopped.
  bool Line(std::string_view line, bool cutAtNul);
  // The end of the file.
  bool Finish();

 private:
  struct Held {
    std::string text;
    bool cutAtNul;
  };
  bool Take(std::string_view line, bool cutAtNul, int number);
  bool GiveUpFirst();
  bool Emit();

  const RecordSink& sink_;
  char separator_ = ',';
  int lineNumber_ = 0;
  std::deque<Held> held_;   // the lines of an open record
  int heldFirst_ = 0;       // the number of its first line
  std::size_t heldBytes_ = 0;
  QuoteState state_;        // the scan at the end of the held lines
  std::string record_;
};

// Reads the records of the file at path in order until the end or until
// sink stops. False when the file cannot be opened or read. A UTF-16 file's
// records come as UTF-8, with commas between their fields.
bool ReadRecords(sys::FileSystem& files, const std::string& path, const RecordSink& sink,
                 Charset charset = Charset::kCodePage);

// The first record of the file; false when the file cannot be read or is
// empty.
bool ReadFirstRecord(sys::FileSystem& files, const std::string& path, std::string* record,
                     Charset charset = Charset::kCodePage);

}  // namespace csv
