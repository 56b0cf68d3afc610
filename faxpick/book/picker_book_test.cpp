// The picker's own reader: what it reads from a book's lines, where it
// differs from the editor's reader, and the order it keeps.
#include "faxpick/book/picker_book.h"

#include <gtest/gtest.h>

#include "tests/support/picker_harness.h"
#include "platform/fake/fake_file_system.h"

namespace picker {
namespace {

Honorifics Japanese() { return {true, {"SAMA", "DONO", "ONCHU"}}; }
Honorifics French() { return {false, {"SAMA", "DONO", "ONCHU"}}; }

struct Read {
  PickerBook book{932};
  explicit Read(const std::vector<std::string>& lines, const Honorifics& h = Japanese()) {
    book.Read(Book(lines), h);
  }
  Read(const std::string& bytes, const Honorifics& h) { book.Read(bytes, h); }
  std::vector<std::string> Readings() const {
    std::vector<std::string> out;
    for (const BookEntry* e : book.Entries()) out.emplace_back(e->dispNameJP);
    return out;
  }
  std::vector<int> Ids() const {
    std::vector<int> out;
    for (const BookEntry* e : book.Entries()) out.push_back(e->id);
    return out;
  }
  const BookEntry& Only() const { return *book.Entries().at(0); }
};

TEST(PickerBook, ReadsEveryFieldOfAnAddressIntoItsOneDestination) {
  Read r({"[FAX_ADDR]=1,7,North,KITA,03-111,12,pw,\"Kita, Ltd.\",Sales,Taro,1"});
  const BookEntry& e = r.Only();
  EXPECT_EQ(e.kind, 1);
  EXPECT_EQ(e.regNo, 7);
  ASSERT_EQ(e.MemberCount(), 1);
  const Destination d = e.Member(0);
  const std::vector<std::string> got = {d.dispName, d.dispNameJP, d.faxNumber, d.subAddress,
                                        d.password, d.companyName, d.departmentName,
                                        d.clientName, d.respect};
  EXPECT_EQ(got, (std::vector<std::string>{"North", "KITA", "03-111", "12", "pw", "Kita, Ltd.",
                                           "Sales", "Taro", "SAMA"}));
}

// Each line alone (after the header unless it says otherwise), read in
// Japanese unless it says otherwise: what the picker makes of it.
TEST(PickerBook, DiffersFromTheEditorsReaderWhereItMeansTo) {
  struct Case {
    const char* what;
    std::string bytes;
    bool japanese;
    int entries;
    std::string name;     // of the first entry
    std::string respect;  // of its first destination
  };
  const std::string h = "// header\r\n";
  const Case cases[] = {
      {"line 1 is read when it is no comment", "[FAX_ADDR]=1,1,A,a,1,,,,,,1\r\n", true, 1, "A", "SAMA"},
      {"texts keep their blanks", h + "[FAX_ADDR]=1,1,  A\x81\x40 ,a,1,,,,,,2\r\n", true, 1,
       "  A\x81\x40 ", "DONO"},
      {"the name is read in other languages", h + "[FAX_ADDR]=1,1,Name,a,1,,,,,,3\r\n", false, 1,
       "Name", ""},
      {"code 0 is one blank in Japanese", h + "[FAX_ADDR]=1,1,A,a,1,,,,,,0\r\n", true, 1, "A", " "},
      {"an unknown code is one blank", h + "[FAX_ADDR]=1,1,A,a,1,,,,,,9\r\n", true, 1, "A", " "},
      {"a missing code is one blank", h + "[FAX_ADDR]=1,1,A,a\r\n", true, 1, "A", " "},
      {"the tag is case-sensitive", h + "[fax_addr]=1,1,A,a,1,,,,,,1\r\n", true, 0, "", ""},
      {"a version line is ignored", h + "[VERSION]=x\r\n", true, 0, "", ""},
      {"a line without = is ignored", h + "[FAX_ADDR]\r\n", true, 0, "", ""},
      {"a lone CR is a byte of the line, as the editor reads it",
       h + "[FAX_ADDR]=1,1,A\rB,a,1,,,,,,1\r[FAX_ADDR]=1,2,B,b,2,,,,,,1\r\n", true, 1, "A\rB",
       "SAMA"},
      {"a NUL ends a line's text", h + std::string("[FAX_ADDR]=1,1,A\0B,a,1,,,,,,1\r\n", 31), true,
       1, "A", " "},
  };
  for (const Case& c : cases) {
    Read r(c.bytes, c.japanese ? Japanese() : French());
    ASSERT_EQ(r.book.Size(), c.entries) << c.what;
    if (c.entries == 0) continue;
    EXPECT_EQ(r.Only().dispName, c.name) << c.what;
    EXPECT_EQ(r.Only().Member(0).respect, c.respect) << c.what;
  }
}

TEST(PickerBook, KeepsAllBitsOfNumbersAndReadsThemAsTheRuntimeDoes) {
  const std::pair<const char*, int> cases[] = {
      {"70000", 70000}, {" -12x", -12}, {"+3", 3}, {"x", 0}, {"", 0}, {"99999999999", 2147483647},
  };
  for (const auto& [field, regNo] : cases) {
    Read r({std::string("[FAX_ADDR]=1,") + field + ",A,a,1,,,,,,1"});
    EXPECT_EQ(r.Only().regNo, regNo) << field;
  }
}

TEST(PickerBook, SplitsFieldsAsTheEditorWritesThem) {
  Read r({"[FAX_ADDR]=1,1,\"A, B\",\"say \"\"hi\"\"\",x\"y\"z,,,,,,\"last\""});
  const Destination d = r.Only().Member(0);
  EXPECT_EQ(d.dispName, "A, B");
  EXPECT_EQ(d.dispNameJP, "say \"hi\"");
  EXPECT_EQ(d.faxNumber, "xyz");
}

// A member's fields are taken off its line when first asked for, in
// whatever order the members are asked: each gets its own line's texts,
// quotes and commas as the editor wrote them, and a second book read into
// the same one forgets the first.
TEST(PickerBook, MembersKeepTheirOwnTextsInWhateverOrderTheyAreAskedFor) {
  const std::vector<std::string> lines = {
      "[FAX_ADDR]=3,9,G,g,",
      "[FAX_ADDR_GM]=4,9,\"One, Ltd.\",M1,\"01,\"\"x\"\"\",s1,p1,\"C, \"\"1\"\"\",D1,R1,1",
      "[FAX_ADDR_GM]=4,9,Two,M2,02,s2,p2,C2,\"D,2\",R2,2",
      "[FAX_ADDR_GM]=4,9,Three,M3,03,,,,,,9"};
  for (const std::vector<int>& order : {std::vector<int>{0, 1, 2}, std::vector<int>{2, 0, 1}}) {
    Read r(lines);
    const BookEntry& group = r.Only();
    ASSERT_EQ(group.MemberCount(), 3);
    std::vector<std::vector<std::string>> got(3);
    for (int i : order) {
      const Destination d = group.Member(i);
      got[static_cast<std::size_t>(i)] = {d.dispName,    d.dispNameJP,     d.faxNumber,
                                          d.subAddress,  d.password,       d.companyName,
                                          d.departmentName, d.clientName, d.respect};
    }
    EXPECT_EQ(got[0], (std::vector<std::string>{"One, Ltd.", "M1", "01,\"x\"", "s1", "p1",
                                                "C, \"1\"", "D1", "R1", "SAMA"}));
    EXPECT_EQ(got[1], (std::vector<std::string>{"Two", "M2", "02", "s2", "p2", "C2", "D,2", "R2",
                                                "DONO"}));
    EXPECT_EQ(got[2], (std::vector<std::string>{"Three", "M3", "03", "", "", "", "", "", " "}));
    EXPECT_EQ(group.MemberText(0, Field::kCompany), "C, \"1\"");
    EXPECT_EQ(group.dispName, "G");
  }
  PickerBook book(932);
  book.Read(Book(lines), Japanese());
  book.Read(Book({"[FAX_ADDR]=1,1,A,a,1,,,,,,1"}), Japanese());
  ASSERT_EQ(book.Size(), 1);
  EXPECT_EQ(book.Entries()[0]->Member(0).dispName, "A");
}

TEST(PickerBook, SortsByReadingWithTheLaterOfEqualReadingsFirst) {
  Read r({"[FAX_ADDR]=1,1,,,1,,,,,,0", "[FAX_ADDR]=1,2,,,2,,,,,,0", "[FAX_ADDR]=1,3,,B,3,,,,,,0",
          "[FAX_ADDR]=1,4,,A,4,,,,,,0", "[FAX_ADDR]=1,5,,B,5,,,,,,0", "[FAX_ADDR]=1,6,,a,6,,,,,,0"});
  EXPECT_EQ(r.Readings(), (std::vector<std::string>{"", "", "A", "B", "B", "a"}));
  EXPECT_EQ(r.Ids(), (std::vector<int>{1, 0, 3, 4, 2, 5}));
}

TEST(PickerBook, ComparesReadingsByWholeCharactersOfTheCodePage) {
  // 0xA0 is a single byte in 932 and sorts before the double-byte 0x8140;
  // on a single-byte page the bytes decide the other way.
  const std::vector<std::string> lines = {"[FAX_ADDR]=1,1,,\x81\x40,1,,,,,,0",
                                          "[FAX_ADDR]=1,2,,\xA0,2,,,,,,0"};
  Read japanese(lines);
  EXPECT_EQ(japanese.Ids(), (std::vector<int>{1, 0}));
  PickerBook western(1252);
  western.Read(Book(lines), French());
  EXPECT_EQ(western.Entries().at(0)->id, 0);
}

TEST(PickerBook, AttachesMembersToTheFirstGroupReadBeforeThemInReadingOrder) {
  Read r({"[FAX_ADDR_GM]=4,5,Early,E,0,,,,,,1",  // before its group: skipped
          "[FAX_ADDR]=3,5,Group Z,Z,",
          "[FAX_ADDR]=1,5,Address,A,1,,,,,,0",  // an address of the same number
          "[FAX_ADDR_GM]=9,5,Two,M2,2,,,,,,1",  // the kind is not looked at
          "[FAX_ADDR]=3,5,Group Y,Y,",          // sorts before Z: takes later members
          "[FAX_ADDR_GM]=4,5,One,M1,1,,,,,,2",
          "[FAX_ADDR_GM]=4,5,Also one,M1,1,,,,,,3",
          "[FAX_ADDR_GM]=4,8,Nobody,N,1,,,,,,0"});  // no such group: skipped
  ASSERT_EQ(r.Readings(), (std::vector<std::string>{"A", "Y", "Z"}));
  const BookEntry& address = *r.book.Entries()[0];
  const BookEntry& y = *r.book.Entries()[1];
  const BookEntry& z = *r.book.Entries()[2];
  EXPECT_EQ(address.MemberCount(), 1);
  ASSERT_EQ(z.MemberCount(), 1);
  EXPECT_EQ(z.Member(0).dispName, "Two");
  ASSERT_EQ(y.MemberCount(), 2);
  EXPECT_EQ(y.Member(0).dispName, "Also one");  // equal readings: the later first
  EXPECT_EQ(y.Member(1).dispName, "One");
  EXPECT_EQ(y.Member(1).respect, "DONO");
}

TEST(PickerBook, AGroupWithoutMembersAndAnEntryOfAnotherKind) {
  Read r({"[FAX_ADDR]=3,1,Empty,E,", "[FAX_ADDR]=2,2,Other,O,07,,,,,,3"});
  const BookEntry& empty = *r.book.Entries()[0];
  const BookEntry& other = *r.book.Entries()[1];
  EXPECT_TRUE(empty.IsGroup());
  EXPECT_EQ(empty.MemberCount(), 0);
  EXPECT_FALSE(other.IsGroup());
  ASSERT_EQ(other.MemberCount(), 1);
  EXPECT_EQ(other.Member(0).faxNumber, "07");
  EXPECT_EQ(other.Member(0).respect, "ONCHU");
}

TEST(PickerBook, LoadsAFileAndReportsOneThatCannotBeOpened) {
  sys::FakeFileSystem files;
  files.SetFile("C:\\a.fdt", Book({"[FAX_ADDR]=1,1,A,a,1,,,,,,1"}));
  PickerBook book(932);
  EXPECT_TRUE(book.Load(files, "C:\\a.fdt", Japanese()));
  EXPECT_EQ(book.Size(), 1);
  EXPECT_FALSE(book.Load(files, "C:\\missing.fdt", Japanese()));
  EXPECT_EQ(book.Size(), 0);
  files.SetFile("C:\\empty.fdt", "");
  EXPECT_TRUE(book.Load(files, "C:\\empty.fdt", Japanese()));
}

}  // namespace
}  // namespace picker
