// The vCard reader takes any bytes: it ends, hands on no value longer than
// its bound, and numbers its cards by lines the file holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "booklib/vcard/vcard_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  std::size_t lines = 1;
  for (char c : file) lines += c == '\n';
  int last = 0;
  vcard::ReadCards(file, [&](const vcard::Card& card) {
    for (const vcard::Text* t : {&card.formattedName, &card.familyName, &card.givenName,
                                 &card.familyReading, &card.givenReading, &card.soundReading,
                                 &card.sortAs, &card.fax, &card.organisation, &card.unit}) {
      if (t->bytes.size() > vcard::kMaxValueBytes) std::abort();
    }
    if (card.line <= last || static_cast<std::size_t>(card.line) > lines) std::abort();
    last = card.line;
    return true;
  });
  return 0;
}
