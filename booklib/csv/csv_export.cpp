#include "booklib/csv/csv_export.h"

#include "booklib/csv/charset.h"
#include "platform/sys/text_convert.h"
#include "store/address_record.h"
#include "store/book_order.h"
#include "store/csv_field.h"

namespace csv {

std::string ExportHeader() {
  std::string header;
  for (const store::TextField& field : store::kTextFields) {
    if (!header.empty()) header += ',';
    header += field.name;
  }
  return header;
}

namespace {

// Lines on their way to the file, handed on some hundred kilobytes at a
// time, each piece ending with a whole line.
class LinePieces {
 public:
  static constexpr std::size_t kPieceBytes = 256 * 1024;
  explicit LinePieces(sys::ByteSink& sink) : sink_(sink) {}
  std::string& Line() { return piece_; }
  bool LineDone() { return piece_.size() < kPieceBytes || Flush(); }
  bool Flush() {
    if (piece_.empty()) return true;
    const bool ok = sink_.Write(piece_);
    piece_.clear();
    return ok;
  }

 private:
  sys::ByteSink& sink_;
  std::string piece_;
};

}  // namespace

bool WriteCsvExport(sys::ByteSink& sink, std::size_t count,
                    const std::function<store::EntryToWrite(std::size_t)>& entryAt,
                    ExportTextConverter* converter, bool registrationNames) {
  if (converter && !sink.Write(kUtf8Bom)) return false;
  LinePieces out(sink);
  out.Line() += ExportHeader() + "\r\n";
  if (!out.LineDone()) return false;
  bool converted = true;
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    const store::EntryToWrite entry = entryAt(i);
    if (store::KindForSave(entry.kind) == store::kKindGroup) continue;
    for (std::size_t f = 0; f < store::kTextFieldCount; ++f) {
      if (f) out.Line() += ',';
      if (f == 0 && !registrationNames) continue;
      if (!converter) {
        store::AppendQuotedField(entry.texts.texts[f], &out.Line());
        continue;
      }
      // Quotes and commas are the same bytes in UTF-8 and in no other
      // character of either: the UTF-8 text is quoted as the text would be.
      text.clear();
      converted = converter->Append(entry.texts.texts[f], entry.regNo, f, &text) && converted;
      store::AppendQuotedField(text, &out.Line());
    }
    out.Line() += "\r\n";
    if (!out.LineDone()) return false;
  }
  return out.Flush() && converted;
}

bool Utf8ExportConverter::Available() const {
  std::string probe;
  return sys::CodePageToUtf8(codePage_, "", &probe);
}

bool Utf8ExportConverter::Append(std::string_view text, int regNo, std::size_t field,
                                 std::string* out) {
  offsets_.clear();
  sys::CodePageToUtf8(codePage_, text, &converted_, &offsets_);
  out->append(converted_);
  for (std::size_t at : offsets_) {
    if (undefined_) undefined_(regNo, field, at, static_cast<unsigned char>(text[at]));
  }
  return offsets_.empty();
}

}  // namespace csv
