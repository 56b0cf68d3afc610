#include "booklib/device/packed_digits.h"

namespace device {
namespace {

constexpr unsigned kEndCode = 15;
constexpr char kDigitChars[] = "0123456789 *-#+";

}  // namespace

std::string DecodePackedDigits(std::string_view field) {
  std::string text;
  text.reserve(2 * field.size());
  for (char c : field) {
    const unsigned byte = static_cast<unsigned char>(c);
    const unsigned high = byte >> 4;
    const unsigned low = byte & 0x0Fu;
    if (high == kEndCode) return text;
    text.push_back(kDigitChars[high]);
    if (low == kEndCode) return text;
    text.push_back(kDigitChars[low]);
  }
  // The machine always ends a number; a field without its end is not one.
  return std::string();
}

}  // namespace device
