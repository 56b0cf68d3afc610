#include "platform/text/char_value_key.h"

#include "platform/text/codepage.h"

namespace text {
namespace {

void AppendValue(unsigned value, std::string* key) {
  key->push_back(static_cast<char>((value >> 8) & 0xFF));
  key->push_back(static_cast<char>(value & 0xFF));
}

}  // namespace

void AppendMultibyteKey(int codePage, std::string_view text, std::string* key) {
  const unsigned char* table = detail::ByteTable(codePage);
  key->reserve(key->size() + 2 * text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (table && (table[b] & detail::kLead) && i + 1 < text.size()) {
      key->push_back(static_cast<char>(b));
      key->push_back(text[i + 1]);
      i += 2;
    } else {
      key->push_back('\0');
      key->push_back(static_cast<char>(b));
      ++i;
    }
  }
}

std::uint64_t MultibyteKeyPrefix(int codePage, std::string_view text) {
  const unsigned char* table = detail::ByteTable(codePage);
  std::uint64_t prefix = 0;
  std::size_t i = 0;
  for (int n = 0; n < 4; ++n) {
    unsigned value = 0;
    if (i < text.size()) {
      const auto b = static_cast<unsigned char>(text[i]);
      if (table && (table[b] & detail::kLead) && i + 1 < text.size()) {
        value = (static_cast<unsigned>(b) << 8) | static_cast<unsigned char>(text[i + 1]);
        i += 2;
      } else {
        value = b;
        ++i;
      }
    }
    prefix = (prefix << 16) | value;
  }
  return prefix;
}

void AppendNoCaseKey(int codePage, std::string_view text, std::string* key) {
  const unsigned char* table = detail::ByteTable(codePage);
  key->reserve(key->size() + 2 * text.size());
  for (std::size_t i = 0; i < text.size();) {
    const bool pair = detail::PairAt(table, text, i);
    unsigned value = static_cast<unsigned char>(text[i]);
    if (pair) value = (value << 8) | static_cast<unsigned char>(text[i + 1]);
    AppendValue(FoldCase(codePage, value), key);
    i += pair ? 2 : 1;
  }
}

}  // namespace text
