// Any book the editor can produce reads back as the same book.
#include <gtest/gtest.h>

#include <random>

#include "platform/fake/fake_file_system.h"
#include "platform/text/codepage.h"
#include "store/book_file.h"
#include "store/test_support.h"

namespace store {
namespace {

// Texts as the dialogs let them through: normalised (no blanks at the ends),
// within their byte limits, with commas, quotes, double-byte characters and
// half-width katakana.
std::string RandomText(std::mt19937& rng, std::size_t maxBytes, int serial) {
  static const char* const kPieces[] = {",", "\"", "a", "Z", "9", " ", "-", "\xB1", "\xDE",
                                        "\x82\xA0", "\x88\x9F", "\x81\x5B", "\x95\x5C", "\x83\x41"};
  std::string s = serial >= 0 ? std::to_string(serial) : std::string();
  std::uniform_int_distribution<int> piece(0, 13);
  std::uniform_int_distribution<std::size_t> length(0, maxBytes);
  const std::size_t target = length(rng);
  while (s.size() < target) {
    const std::string p = kPieces[piece(rng)];
    if (s.size() + p.size() > maxBytes) break;
    s += p;
  }
  while (!s.empty() && s.back() == ' ') s.pop_back();
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  return s;
}

void Randomise(std::mt19937& rng, int serial, EntryTexts* t) {
  for (const TextField& field : kTextFields) {
    const bool reading = field.member == &EntryTexts::dispNameJP;
    t->*field.member = RandomText(rng, field.maxBytes, reading ? serial : -1);
  }
  t->respect = static_cast<int>(rng() % 4);
}

TEST(BookRoundTrip, WrittenBooksReadBackUnchangedInEveryLanguage) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 rng(seed);
    RecordingAlerts alerts;
    GroupTable groups(932, &alerts);
    std::vector<AddressRecord> book;
    const int entries = static_cast<int>(rng() % 200);
    for (int i = 0; i < entries; ++i) {
      AddressRecord r;
      r.regNo = i + 1;
      Randomise(rng, i, &r);
      if (rng() % 5 == 0) {
        r.kind = kKindGroup;
        const std::string name = r.dispName, reading = r.dispNameJP;
        static_cast<EntryTexts&>(r) = EntryTexts();
        r.dispName = name;
        r.dispNameJP = reading;
        groups.AddMember(r.regNo, kKindMember, MemberEntry());
        const int members = static_cast<int>(rng() % (kMaxMembers + 1));
        for (int m = 0; m < members; ++m) {
          MemberEntry member;
          Randomise(rng, 10000 + m, &member);
          ASSERT_TRUE(groups.AddMember(r.regNo, kKindMember, member));
        }
      }
      book.push_back(r);
    }
    sys::FakeFileSystem files;
    BookContext context;
    context.files = &files;
    context.alerts = &alerts;
    ASSERT_EQ(WriteBook(context, "b.fdt", book, groups), sys::FileError::kNone);
    const std::string written = *files.File("b.fdt");

    // Every language reads the book whole, the registration names and the
    // honorifics too, also where its code page shows the bytes otherwise.
    const struct {
      int langId;
      int codePage;
    } languages[] = {{1041, 932}, {1033, 932}, {1033, 1252}};
    for (const auto& language : languages) {
      SCOPED_TRACE(testing::Message() << "language " << language.langId << " code page "
                                      << language.codePage);
      context.read.langId = language.langId;
      context.read.codePage = language.codePage;
      GroupTable readGroups(language.codePage, &alerts);
      std::vector<AddressRecord> read;
      ASSERT_EQ(ReadBook(context, "b.fdt", CountEntries(context, "b.fdt", ""), &read, &readGroups),
                entries);
      for (int i = 0; i < entries; ++i) {
        const AddressRecord& a = book[static_cast<std::size_t>(i)];
        const AddressRecord& b = read[static_cast<std::size_t>(i)];
        EXPECT_EQ(a.kind, b.kind);
        EXPECT_EQ(a.regNo, b.regNo);
        for (const TextField& field : kTextFields) EXPECT_EQ(a.*field.member, b.*field.member);
        EXPECT_EQ(a.respect, b.respect);
        if (a.kind == kKindGroup) {
          std::vector<MemberEntry> x, y;
          groups.CopyMembers(a.regNo, kMaxMembers, &x);
          readGroups.CopyMembers(a.regNo, kMaxMembers, &y);
          ASSERT_EQ(x.size(), y.size());
          for (std::size_t m = 0; m < x.size(); ++m) {
            for (const TextField& field : kTextFields) {
              EXPECT_EQ(x[m].*field.member, y[m].*field.member);
            }
            EXPECT_EQ(x[m].respect, y[m].respect);
          }
        }
      }
      // Writing what was read gives the same bytes again.
      ASSERT_EQ(WriteBook(context, "c.fdt", read, readGroups), sys::FileError::kNone);
      EXPECT_EQ(*files.File("c.fdt"), written) << "seed " << seed;
    }
    EXPECT_TRUE(alerts.shown.empty());
  }
}

}  // namespace
}  // namespace store
