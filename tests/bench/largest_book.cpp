#include "tests/bench/largest_book.h"

#include <vector>

#include "platform/text/portable_collation.h"
#include "store/book_format.h"
#include "store/book_order.h"

namespace bench {
namespace {

// Fills a text to exactly maxBytes with a repeating mix of characters.
std::string Fill(const std::string& prefix, std::size_t maxBytes) {
  static const char* const kPieces[] = {"\x93\x8C", "\x8B\x9E", ",", "\xB1", "\"", "a", "\x81\x5B",
                                        "1"};
  std::string s = prefix.substr(0, maxBytes);
  for (int i = 0; s.size() < maxBytes; ++i) {
    const std::string piece = kPieces[i % 8];
    s += s.size() + piece.size() <= maxBytes ? piece : "x";
  }
  return s;
}

// A unique half-width katakana reading of exactly 16 bytes.
std::string Reading(int n) {
  std::string s;
  for (int i = 0; i < 4; ++i) {
    s.push_back(static_cast<char>(0xB1 + n % 40));
    n /= 40;
  }
  return Fill(s, 16);
}

void FillTexts(int n, store::EntryTexts* t) {
  t->dispName = Fill("\x96\xBC" + std::to_string(n), 16);
  t->dispNameJP = Reading(n);
  t->faxNumber = std::string(32, '0');
  t->faxNumber.replace(0, std::to_string(n).size(), std::to_string(n));
  t->subAddress = std::string(20, '1');
  t->password = std::string(20, '#');
  t->companyName = Fill("\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0", 64);
  t->departmentName = Fill("\x89\x63\x8B\xC6", 64);
  t->clientName = Fill("\x8D\xB2\x93\xA1", 20);
  t->respect = n % 4;
}

// The largest book with this many groups of 80 members.
std::string BookWithGroups(int groupCount) {
  const int addresses = store::kMaxEntries - groupCount;
  store::SilentAlerts alerts;
  store::GroupTable groups(932, &alerts);
  std::vector<store::AddressRecord> records;
  for (int i = 0; i < addresses; ++i) {
    store::AddressRecord r;
    r.regNo = i + 1;
    FillTexts(i, &r);
    records.push_back(r);
  }
  for (int g = 0; g < groupCount; ++g) {
    store::AddressRecord r;
    r.kind = store::kKindGroup;
    r.regNo = addresses + g + 1;
    r.dispName = Fill("G" + std::to_string(g), 16);
    r.dispNameJP = Reading(addresses + g);
    for (int m = 0; m < store::kMaxMembers; ++m) {
      const store::AddressRecord& member = records[static_cast<std::size_t>((g * 29 + m) % addresses)];
      groups.AddMember(r.regNo, store::kKindMember, store::MemberFrom(member));
    }
    records.push_back(r);
  }
  text::PortableCollation collation(932);
  store::SortByReading(collation, 1041, &records);
  return store::FormatBook(records, groups);
}

}  // namespace

std::string LargestBookBytes() { return BookWithGroups(100); }

std::string LargestGroupBookBytes() { return BookWithGroups(1000); }

std::string GroupBookBytes(int groups) { return BookWithGroups(groups); }

std::string EntryLinesBytes(int lines) {
  std::string book = store::kBookHeader;
  book += "\r\n";
  book.reserve(static_cast<std::size_t>(lines) * 120);
  store::AddressRecord r;
  for (int n = 0; n < lines; ++n) {
    r.regNo = (n % 65535) + 1;
    r.dispName = "\x96\xBC" + std::to_string(n);
    r.dispNameJP = Reading(n);
    r.faxNumber = "03-" + std::to_string(1000000 + n);
    r.companyName = "\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0 " + std::to_string(n % 977);
    r.respect = n % 4;
    book += store::FormatEntryLine(r);
    book += "\r\n";
  }
  return book;
}

}  // namespace bench
