#include "store/book_integrity.h"

#include <gtest/gtest.h>

#include <string>

#include "store/book_format.h"

namespace store {
namespace {

const std::string kHeader = std::string(kBookHeader) + "\r\n";
const std::string kEntry = "[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0\r\n";
const std::string kGroup = "\r\n[FAX_ADDR]=3,2,G,G,\r\n[FAX_ADDR_GM]=4,2,Kita,KITA,03-1,,,,,,0\r\n";

TEST(BookIntegrityTest, OnlyAWholeBookIsWhole) {
  struct Case {
    const char* what;
    std::string bytes;
    BookDamage damage;
    int line;
  };
  const std::string book = kHeader + kEntry + kGroup;
  const Case cases[] = {
      {"a book as apply writes it", book, BookDamage::kNone, 0},
      {"the header alone", kHeader, BookDamage::kNone, 0},
      {"lines ended by LF alone", std::string(kBookHeader) + "\n[FAX_ADDR]=1,1,A,A,1\n",
       BookDamage::kNone, 0},
      {"comments, empty lines and a version line",
       kHeader + "// mine\r\n\r\n[VERSION]=2\r\n" + kEntry, BookDamage::kNone, 0},
      {"no bytes", "", BookDamage::kEmpty, 0},
      {"another program's text", "Name,Fax\r\nfoo,1\r\n", BookDamage::kNoHeader, 1},
      {"the header without its line end", kBookHeader, BookDamage::kCutShort, 1},
      {"the header cut", std::string(kBookHeader).substr(0, 20), BookDamage::kNoHeader, 1},
      {"the header with more on its line", std::string(kBookHeader) + "x\r\n" + kEntry,
       BookDamage::kNoHeader, 1},
      {"cut in the last line", book.substr(0, book.size() - 7), BookDamage::kCutShort, 5},
      {"cut after the CR of the last line", book.substr(0, book.size() - 1),
       BookDamage::kCutShort, 5},
      {"a line without =", kHeader + kEntry + "foo,1\r\n" + kEntry, BookDamage::kBrokenLine, 3},
      {"a line of another key", kHeader + "[OTHER]=1\r\n", BookDamage::kBrokenLine, 2},
      {"a member of another kind", kHeader + "[FAX_ADDR]=3,2,G,G,\r\n[FAX_ADDR_GM]=1,2,K,K,1\r\n",
       BookDamage::kBrokenLine, 3},
      {"a NUL byte in an entry", kHeader + std::string("[FAX_ADDR]=1,1,A\0B,A,1\r\n", 24),
       BookDamage::kBrokenLine, 2},
      {"zeros where a block was lost", kHeader + kEntry + std::string(512, '\0') + "\r\n",
       BookDamage::kBrokenLine, 3},
  };
  for (const Case& c : cases) {
    const BookIntegrity got = CheckBookIntegrity(c.bytes);
    EXPECT_EQ(got.damage, c.damage) << c.what;
    EXPECT_EQ(got.line, c.line) << c.what;
    EXPECT_EQ(got.whole(), c.damage == BookDamage::kNone) << c.what;
  }
}

}  // namespace
}  // namespace store
