#include "store/book_integrity.h"

#include <cstring>

#include "platform/text/decimal.h"
#include "store/book_format.h"
#include "store/book_keys.h"
#include "store/book_lines.h"

namespace store {
namespace {

bool IsBookLine(std::string_view line) {
  if (line.empty() || line[0] == '/') return true;
  if (std::memchr(line.data(), '\0', line.size()) != nullptr) return false;
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  const std::string_view key = line.substr(0, eq);
  if (key == kEntryKey || key == kVersionKey) return true;
  if (key != kMemberKey) return false;
  std::string_view value = line.substr(eq + 1);
  value = value.substr(0, value.find(','));
  return text::ParseDecimal(value) == kKindMember;
}

}  // namespace

BookIntegrity CheckBookIntegrity(std::string_view bytes) {
  BookIntegrity result;
  if (bytes.empty()) {
    result.damage = BookDamage::kEmpty;
    return result;
  }
  LineCursor lines(bytes);
  std::string_view line;
  lines.Next(&line);
  if (line != kBookHeader) {
    result.damage = BookDamage::kNoHeader;
    result.line = 1;
    return result;
  }
  while (lines.Next(&line)) {
    if (!IsBookLine(line)) {
      result.damage = BookDamage::kBrokenLine;
      result.line = lines.LineNumber();
      return result;
    }
  }
  if (bytes.back() != '\n') {
    result.damage = BookDamage::kCutShort;
    result.line = lines.LineNumber();
  }
  return result;
}

const char* DescribeDamage(BookDamage damage) {
  switch (damage) {
    case BookDamage::kNone: return "a whole book";
    case BookDamage::kEmpty: return "empty";
    case BookDamage::kNoHeader: return "no book: its first line is not the book's header";
    case BookDamage::kCutShort: return "cut short: its last line has no line end";
    case BookDamage::kBrokenLine: return "damaged: it holds a line no book holds";
  }
  return "damaged";
}

}  // namespace store
