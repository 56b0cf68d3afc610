// The picker's book reader on any bytes: it reads them without fault, keeps
// its entries in reading order, and every entry and member is whole and
// gives the same texts however it is asked for them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "faxpick/book/picker_book.h"
#include "platform/text/multibyte_compare.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the code page and the language.
  const int codePage = (data[0] & 1) ? 1252 : 932;
  const picker::Honorifics honorifics = {(data[0] & 2) == 0, {"\x97\x6C", "d", ""}};
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  picker::PickerBook book(codePage);
  book.Read(bytes, honorifics);

  std::set<int> ids;
  const picker::BookEntry* previous = nullptr;
  for (const picker::BookEntry* entry : book.Entries()) {
    if (!ids.insert(entry->id).second || book.Find(entry->id) != entry) std::abort();
    if (previous && text::CompareMultibyte(codePage, previous->dispNameJP, entry->dispNameJP) > 0) {
      std::abort();
    }
    if (previous && previous->dispNameJP == entry->dispNameJP && previous->id < entry->id) std::abort();
    previous = entry;
    if (!entry->IsGroup() && entry->MemberCount() != 1) std::abort();
    for (int i = 0; i + 1 < entry->MemberCount(); ++i) {
      if (text::CompareMultibyte(codePage, entry->MemberText(i, picker::Field::kDispNameJP),
                                 entry->MemberText(i + 1, picker::Field::kDispNameJP)) > 0) {
        std::abort();
      }
    }
    for (int i = entry->MemberCount() - 1; i >= 0; --i) {
      const picker::Destination d = entry->Member(i);
      const std::string* texts[] = {&d.dispName,    &d.dispNameJP,     &d.faxNumber,
                                    &d.subAddress,  &d.password,       &d.companyName,
                                    &d.departmentName, &d.clientName, &d.respect};
      for (std::size_t f = 0; f < picker::kFieldCount; ++f) {
        if (*texts[f] != entry->MemberText(i, static_cast<picker::Field>(f))) std::abort();
      }
      if (d.respect.size() > 4) std::abort();
    }
  }
  if (static_cast<int>(ids.size()) != book.Size()) std::abort();
  return 0;
}
