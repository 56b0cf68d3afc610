// A book loaded with its members kept where their lines lie answers, edits
// and writes exactly as the same book with every member line read at once.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

#include "platform/fake/fake_file_system.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/book_order.h"
#include "store/test_support.h"

namespace store {
namespace {

const std::string kHeader = std::string(kBookHeader) + "\r\n";
const std::string kGroup3 = "[FAX_ADDR]=3,3,All Branches,ALL,";

// A member line; the name is the reading without its commas and quotes.
std::string MemberLine(int key, const std::string& reading, const std::string& rest = "03-1,,,Co,,,1") {
  std::string name = "Name ";
  for (char c : reading) {
    if (c != ',' && c != '"') name += c;
  }
  return "[FAX_ADDR_GM]=4," + std::to_string(key) + "," + name + "," + reading + "," + rest;
}

std::string Lines(std::initializer_list<std::string> lines) {
  std::string out = kHeader;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

// What a table answers, slot by slot: every used slot and every member at
// its position, all eight texts and the honorific.
std::string Describe(const GroupTable& table) {
  std::string out;
  for (int i = 0; i < kGroupSlots; ++i) {
    const GroupRecord& slot = table.Slot(i);
    if (slot.key == 0) continue;
    out += "slot " + std::to_string(i) + ": key " + std::to_string(slot.key) + " count " +
           std::to_string(slot.count) + " kind " + std::to_string(slot.originKind) + "\n";
  }
  table.ForEachPosition([&](int slot, int pos, const TextsView& texts) {
    out += std::to_string(slot) + "." + std::to_string(pos) + ":";
    for (std::string_view t : texts.texts) out.append(t).append("|");
    out += std::to_string(texts.respect) + "\n";
  });
  return out;
}

class IgnoreLines : public BookLineObserver {
 public:
  void OnLine(int, std::string_view, const BookLine&, bool) override {}
};

struct Loaded {
  explicit Loaded(int langId) : context(), groups(std::make_unique<GroupTable>(932, &alerts)) {
    context.files = &files;
    context.alerts = &alerts;
    context.read.langId = langId;
  }
  sys::FakeFileSystem files;
  RecordingAlerts alerts;
  BookContext context;
  std::unique_ptr<GroupTable> groups;
  std::vector<AddressRecord> records;
  BookBytes bytes;
};

// The book loaded as the editor loads it (members kept) and, as the
// yardstick, read with every member line parsed whole at once.
void LoadBoth(const std::string& book, Loaded* kept, Loaded* whole) {
  kept->files.SetFile("book.fdt", book);
  ASSERT_TRUE(LoadBook(kept->context, "book.fdt", "", &kept->records, kept->groups.get(),
                       &kept->bytes).ok());
  IgnoreLines observer;
  ReadBookBytes(whole->context, book, INT_MAX, &whole->records, whole->groups.get(), &observer);
}

// What is done to both tables before they are compared, and what the
// table answered.
using Step = std::function<std::string(GroupTable&, const std::vector<AddressRecord>&)>;

struct Book {
  const char* name;
  std::string bytes;
};

std::vector<Book> Books() {
  std::vector<std::string> many = {kGroup3};
  for (int i = 0; i < 82; ++i) many.push_back(MemberLine(3, i == 80 ? "m0" : "m" + std::to_string(i)));
  std::string manyBook = kHeader;
  for (const std::string& line : many) manyBook += line + "\r\n";
  return {
      {"as written",
       Lines({"", kGroup3, MemberLine(3, "KITA", "03-111,,,\"Kita, Ltd.\",Sales,Desk,1"),
              MemberLine(3, "MINAMI", "06-3,12,,\"The \"\"Sun\"\" Shop\",,,0"),
              "[FAX_ADDR]=1,1,Kita,KITA,03-111,,,\"Kita, Ltd.\",Sales,Desk,1", "",
              "[FAX_ADDR]=3,4,Empty,EMPTY,", "[FAX_ADDR]=1,2,Minami,MINAMI,06-3,,,,,,0"})},
      {"readings equal without case",
       Lines({kGroup3, MemberLine(3, "abc"), MemberLine(3, "ABC"), MemberLine(3, "Abc2"), MemberLine(3, "\x82\x60"),
              MemberLine(3, "\x82\x81"), MemberLine(3, ""), MemberLine(3, "\"long reading, quoted\""),
              MemberLine(3, "\"LONG READING, QUOTED\""), MemberLine(3, "wide\x81\x40space and more"),
              MemberLine(3, "WIDE  SPACE AND MORE")})},
      {"more than eighty lines", manyBook},
      {"members of groups without their line",
       Lines({MemberLine(9, "a"), MemberLine(11, "b"), "[FAX_ADDR]=3,11,Eleven,ELEVEN,", MemberLine(0, "zero"),
              MemberLine(70000, "far"), MemberLine(12, ""), MemberLine(9, "c"), "[FAX_ADDR]=3,9,Nine,NINE,",
              MemberLine(9, "d"), "[FAX_ADDR]=3,13,Thirteen,THIRTEEN,"})},
      {"odd bytes",
       Lines({kGroup3, MemberLine(3, "NUL", std::string("03-1,,,Co\0rest,,,1", 18)),
              std::string("[FAX_ADDR_GM]=4,3\0,x,y,,,,,,,1", 31), MemberLine(3, "CR", "03-1,,,C\ro,,,1"),
              MemberLine(3, "TWOCR", "03-1,,,Co,,,1\r"), MemberLine(3, " BLANK ", "03-1,,, Co,,,1"),
              MemberLine(3, "WIDE\x81\x40", "03-1,,,C\x81\x40o,,,1"), MemberLine(3, "\"QUOTED\""),
              MemberLine(3, "EXTRA", "03-1,,,Co,,,1,more"), "[FAX_ADDR_GM]=04,3,n,KIND,,,,,,,0",
              "[FAX_ADDR_GM]=4,003,n,ZEROS,,,,,,,0", MemberLine(3, "RESPECT", "03-1,,,Co,,, 1"),
              MemberLine(3, "LAST", "03-1,,,Co,,,01")})},
      {"line ends",
       kHeader + kGroup3 + "\r\n" + MemberLine(3, "LF") + "\n" + MemberLine(3, "CRLF") + "\r\n" +
           MemberLine(3, "CRCR") + "\r\r\n" + "[FAX_ADDR]=3,5,Five,FIVE,\r\n" + MemberLine(5, "A") + "\r\n" +
           MemberLine(5, "B") + "\r\n" + MemberLine(5, "END")},
      {"lines between members",
       Lines({kGroup3, MemberLine(3, "A"), "", MemberLine(3, "B"), "// a comment", MemberLine(3, "C"),
              "[FAX_ADDR]=3,4,Four,FOUR,", MemberLine(4, "X"), MemberLine(3, "D"), MemberLine(4, "Y"),
              "[FAX_ADDR_GM]=5,3,n,BAD,,,,,,,0", "[FAX_ADDR_GM]=4,3", "[FAX_ADDR_GM]=4,3,",
              "[VERSION]=2", "[OTHER]=4,3,n,OTHER,,,,,,,0"})},
      {"names and honorifics",
       Lines({kGroup3, "[FAX_ADDR_GM]=4,3,,PLAIN,03-1,,,Co,,,0", MemberLine(3, "NAMED"),
              "[FAX_ADDR]=3,4,Four,FOUR,", "[FAX_ADDR_GM]=4,4,,P1,03-1,,,Co,,,0",
              "[FAX_ADDR_GM]=4,4,,P2,03-2,,,,,,0"})},
  };
}

std::vector<std::pair<const char*, Step>> Steps() {
  MemberEntry added = Member("ADDED");
  MemberEntry renamed = Member("RENAMED", "06-9");
  const auto said = [](bool answer) { return answer ? "yes " : "no "; };
  return {
      {"nothing", [](GroupTable&, const auto&) { return std::string(); }},
      {"written, then an address edited", [=](GroupTable& t, const auto& records) {
         return FormatBook(records, t) + said(t.UpdateMember("m5", kKindMember, renamed));
       }},
      {"a member added first", [=](GroupTable& t, const auto&) {
         return std::string(said(t.AddMember(3, kKindMember, added))) +
                said(t.AddMember(9, kKindMember, added)) + said(t.AddMember(3, kKindMember, added));
       }},
      {"an address edited first", [=](GroupTable& t, const auto&) {
         return std::string(said(t.UpdateMember("m5", kKindMember, renamed))) +
                said(t.UpdateMember("b", kKindMember, renamed)) +
                said(t.UpdateMember("kita", kKindMember, renamed));
       }},
      {"addresses removed first", [=](GroupTable& t, const auto&) {
         return std::string(said(t.RemoveMember("M7", nullptr))) + said(t.RemoveMember("a", nullptr)) +
                said(t.RemoveMember("cr", nullptr)) + said(t.RemoveMember("x", nullptr));
       }},
      {"a group deleted and made again", [=](GroupTable& t, const auto&) {
         return std::string(said(t.DeleteGroup(3))) +
                said(t.CreateGroupSlot(3, 1, kKindMember, {added}));
       }},
      {"groups counted and copied first", [](GroupTable& t, const auto&) {
         std::vector<MemberEntry> members;
         const int copied = t.CopyMembers(9, kMaxMembers, &members);
         return std::to_string(t.MemberCount(4)) + " " + std::to_string(t.MemberCount(3)) + " " +
                std::to_string(copied) + " " + (members.empty() ? "" : members.back().dispNameJP);
       }},
  };
}

TEST(KeptMembers, ReadEditAndWriteAsMembersReadAtOnce) {
  const text::PortableCollation collation(932);
  for (const Book& book : Books()) {
    for (const int langId : {1041, 1033}) {
      for (const auto& step : Steps()) {
        SCOPED_TRACE(std::string(book.name) + ", " + step.first + ", language " +
                     std::to_string(langId));
        Loaded kept(langId), whole(langId);
        LoadBoth(book.bytes, &kept, &whole);
        ASSERT_EQ(kept.records.size(), whole.records.size());
        EXPECT_EQ(step.second(*kept.groups, kept.records), step.second(*whole.groups, whole.records));
        EXPECT_EQ(Describe(*kept.groups), Describe(*whole.groups));
        EXPECT_EQ(FormatBook(kept.records, *kept.groups), FormatBook(whole.records, *whole.groups));
        EXPECT_EQ(kept.alerts.shown, whole.alerts.shown);
        store::Book keptBook(932, &kept.alerts), wholeBook(932, &whole.alerts);
        keptBook.Load(LoadOrder(kept.records), std::move(*kept.groups));
        wholeBook.Load(LoadOrder(whole.records), std::move(*whole.groups));
        EXPECT_EQ(FormatAppliedBook(collation, langId, keptBook),
                  FormatAppliedBook(collation, langId, wholeBook));
      }
    }
  }
}

// Some lines of the cases above differ from what the writer writes, so the
// comparison above would pass with every group formatted anew. These are
// copied: the whole run of member lines the file holds for a group.
TEST(KeptMembers, AGroupAsReadIsWrittenAsTheLinesItWasReadFrom) {
  Loaded kept(1041), whole(1041);
  LoadBoth(Books()[0].bytes, &kept, &whole);
  const std::string_view lines = kept.groups->KeptMemberLines(3);
  EXPECT_EQ(lines, MemberLine(3, "KITA", "03-111,,,\"Kita, Ltd.\",Sales,Desk,1") + "\r\n" +
                       MemberLine(3, "MINAMI", "06-3,12,,\"The \"\"Sun\"\" Shop\",,,0") + "\r\n");
  EXPECT_TRUE(kept.bytes.View().find(lines) != std::string_view::npos);
  EXPECT_TRUE(kept.groups->KeptMemberLines(4).empty());  // no members
  EXPECT_TRUE(whole.groups->KeptMemberLines(3).empty());
  // Changed, it is written member by member.
  kept.groups->UpdateMember("MINAMI", kKindMember, Member("MINAMI", "06-4"));
  EXPECT_TRUE(kept.groups->KeptMemberLines(3).empty());

  struct Case {
    const char* what;
    std::string book;
    bool copied;
  } cases[] = {
      {"whole lines", Lines({kGroup3, MemberLine(3, "A"), MemberLine(3, "B")}), true},
      {"a line ended by LF only", kHeader + kGroup3 + "\r\n" + MemberLine(3, "A") + "\n" + MemberLine(3, "B") + "\r\n", false},
      {"the last line without its end", kHeader + kGroup3 + "\r\n" + MemberLine(3, "A") + "\r\n" + MemberLine(3, "B"), false},
      {"a comment between", Lines({kGroup3, MemberLine(3, "A"), "//", MemberLine(3, "B")}), false},
      {"a member read twice", Lines({kGroup3, MemberLine(3, "A"), MemberLine(3, "a")}), false},
      {"a NUL in a line", Lines({kGroup3, MemberLine(3, "A", std::string("03\0,,,,,,1", 10))}), false},
      {"a number with a leading zero", Lines({kGroup3, "[FAX_ADDR_GM]=4,03,n,A,,,,,,,0"}), false},
      {"a text quoted without need", Lines({kGroup3, MemberLine(3, "\"A\"")}), false},
      {"blanks read away", Lines({kGroup3, MemberLine(3, "A", "03,,, Co,,,1")}), false},
  };
  for (const Case& c : cases) {
    Loaded one(1041), other(1041);
    LoadBoth(c.book, &one, &other);
    EXPECT_EQ(!one.groups->KeptMemberLines(3).empty(), c.copied) << c.what;
  }
}

// A line that does not lie in the kept bytes is read at once, after the
// lines its group still waits with; a table that holds groups keeps no
// bytes, and its lines are all read at once.
TEST(KeptMembers, LinesFromElsewhereAreReadAtOnceAfterTheWaitingOnes) {
  const std::string first = "[FAX_ADDR_GM]=4,3,Name A,\"A, quoted\",03-1,,,Co,,,1";
  const auto bytes = std::make_shared<sys::FileBytes>(first);
  const std::string_view line = bytes->View();
  const std::string_view fields = line.substr(line.find(',', 16) + 1);
  for (const bool empty : {true, false}) {
    RecordingAlerts alerts;
    GroupTable table(932, &alerts);
    if (!empty) table.AddMember(99, kKindGroup, MemberEntry());
    EXPECT_EQ(table.KeepBytes(bytes), empty);
    EXPECT_TRUE(table.AddKeptMember(3, line, fields));
    const std::string other = "[FAX_ADDR_GM]=4,3,Name B,\"B, quoted\",03-1,,,Co,,,1";
    const std::string_view otherFields = std::string_view(other).substr(other.find(',', 16) + 1);
    EXPECT_TRUE(table.AddKeptMember(3, other, otherFields));
    std::vector<MemberEntry> members;
    ASSERT_EQ(table.CopyMembers(3, kMaxMembers, &members), 2) << empty;
    EXPECT_EQ(members[0].dispNameJP, "A, quoted");
    EXPECT_EQ(members[1].dispNameJP, "B, quoted");
    EXPECT_EQ(members[1].companyName, "Co");
  }
}

// The load keeps no second copy of the member lines, and apply keeps what
// it wrote as the file holds it, sharing the lines it copied.
TEST(KeptMembers, NeitherLoadNorApplyCopiesTheMemberLines) {
  std::string book = kHeader;
  for (int g = 1; g <= 20; ++g) {
    book += "\r\n[FAX_ADDR]=3," + std::to_string(g) + ",Group,G" + std::to_string(1000 + g) + ",\r\n";
    for (int m = 0; m < kMaxMembers; ++m) {
      book += MemberLine(g, "R" + std::to_string(m), "03-1234-5678,1,,\"Company, Ltd.\",Sales,Desk,1") + "\r\n";
    }
  }
  Loaded kept(1041);
  kept.files.SetFile("book.fdt", book);
  ASSERT_TRUE(LoadBook(kept.context, "book.fdt", "", &kept.records, kept.groups.get(), &kept.bytes).ok());
  EXPECT_EQ(kept.bytes.View(), book);
  EXPECT_EQ(kept.groups->PackedBytes(), 0u);
  store::Book loaded(932, &kept.alerts);
  loaded.Load(LoadOrder(kept.records), std::move(*kept.groups));
  const text::PortableCollation collation(932);
  FileStamp stamp;
  BookBytes written;
  ASSERT_EQ(WriteBook(kept.context, "book.fdt", collation, loaded, &stamp, &written),
            sys::FileError::kNone);
  const std::string file = *kept.files.File("book.fdt");
  EXPECT_EQ(file, book);
  EXPECT_EQ(written.View(), file);
  EXPECT_TRUE(stamp.SameBytes(StampOf(file)));
  EXPECT_LT(written.OwnBytes(), file.size() / 20);
}

}  // namespace
}  // namespace store
