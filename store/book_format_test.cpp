#include "store/book_format.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace store {
namespace {

TEST(ParseDecimal, ReadsLikeTheRuntimeOnA32BitLong) {
  struct Case {
    std::string in;
    long out;
  } cases[] = {
      {"12", 12}, {" 7", 7}, {"\t-3", -3}, {"+4", 4}, {"5x", 5}, {"x5", 0}, {"", 0},
      {"99999999999", 2147483647L}, {"-99999999999", -2147483647L - 1}, {"- 1", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.in), c.out) << c.in;
}

TEST(ParseBookLine, ClassifiesLinesByKey) {
  struct Case {
    std::string line;
    BookLineKind kind;
  } cases[] = {
      {"", BookLineKind::kSkipped},
      {"// comment", BookLineKind::kSkipped},
      {"/[FAX_ADDR]=1,1,a,b", BookLineKind::kSkipped},
      {"[VERSION]=3", BookLineKind::kVersion},
      {"[FAX_ADDR]=1,1,a,b", BookLineKind::kEntry},
      {"[FAX_ADDR]=", BookLineKind::kEntry},
      {"[FAX_ADDR_GM]=4,1,a,b", BookLineKind::kMember},
      {"[FAX_ADDR_GM]=5,1,a,b", BookLineKind::kBadMember},
      {"[fax_addr]=1,1,a,b", BookLineKind::kIgnored},     // keys are case-sensitive
      {"[FAX_ADDR] =1,1,a,b", BookLineKind::kIgnored},
      {"no equals sign", BookLineKind::kIgnored},
      {"\0[FAX_ADDR]=1"s, BookLineKind::kSkipped},  // a NUL ends the line's text
  };
  for (const Case& c : cases) {
    BookLine parsed;
    ParseBookLine(c.line, ReadOptions(), &parsed);
    EXPECT_EQ(parsed.kind, c.kind) << c.line;
  }
}

TEST(ParseBookLine, ReadsEntryFields) {
  BookLine p;
  ParseBookLine("[FAX_ADDR]=1,65538,\x96\xBC\x81\x40\x91\x4F, KITA ,03-1,12,pw,\"Kita, Ltd.\",Sales,Desk,2,extra",
                ReadOptions(), &p);
  ASSERT_EQ(p.kind, BookLineKind::kEntry);
  EXPECT_EQ(p.entry.kind, 1);
  EXPECT_EQ(p.entry.regNo, 2);  // low 16 bits
  EXPECT_EQ(p.entry.dispName, "\x96\xBC  \x91\x4F");
  EXPECT_EQ(p.entry.dispNameJP, "KITA");
  EXPECT_EQ(p.entry.faxNumber, "03-1");
  EXPECT_EQ(p.entry.subAddress, "12");
  EXPECT_EQ(p.entry.password, "pw");
  EXPECT_EQ(p.entry.companyName, "Kita, Ltd.");
  EXPECT_EQ(p.entry.departmentName, "Sales");
  EXPECT_EQ(p.entry.clientName, "Desk");
  EXPECT_EQ(p.entry.respect, 2);

  ReadOptions english;
  english.langId = 1033;
  english.codePage = 1252;
  ParseBookLine("[FAX_ADDR_GM]=4,-7,Name,READ,1,,,,,,3", english, &p);
  ASSERT_EQ(p.kind, BookLineKind::kMember);
  EXPECT_EQ(p.memberKey, -7);      // all bits of a member's key are kept
  EXPECT_EQ(p.member.dispName, "Name");  // kept where the language shows no name
  EXPECT_EQ(p.member.respect, 3);        // and no honorific
  EXPECT_EQ(p.member.dispNameJP, "READ");

  ParseBookLine("[FAX_ADDR]=3,9,\"unclosed,x,y", ReadOptions(), &p);
  EXPECT_EQ(p.entry.dispName, "unclosed,x,y");
  EXPECT_EQ(p.entry.dispNameJP, "");
  EXPECT_EQ(p.entry.respect, 0);
}

// The kind and the number read as the runtime reads a number field,
// whatever stands in them.
TEST(ParseBookLine, ReadsKindAndNumberAsNumberFields) {
  struct Case {
    std::string value;  // after "[FAX_ADDR]="
    int kind, regNo;
    std::string reading;
  } cases[] = {
      {"1,7,n,R", 1, 7, "R"},
      {"3,007,n,R", 3, 7, "R"},
      {"1,65537,n,R", 1, 1, "R"},                // the low 16 bits
      {"1,123456789,n,R", 1, 123456789 & 0xFFFF, "R"},
      {"1,1234567890,n,R", 1, 1234567890 & 0xFFFF, "R"},
      {"1,99999999999,n,R", 1, 0x7FFFFFFF & 0xFFFF, "R"},  // clamped first
      {"1,+5,n,R", 1, 5, "R"},
      {"1,-1,n,R", 1, 0xFFFF, "R"},
      {"1, 5,n,R", 1, 5, "R"},
      {"1,5 ,n,R", 1, 5, "R"},
      {"1,5x,n,R", 1, 5, "R"},
      {"1,5\"6,n,R", 1, 56, "R"},                // quotes dropped before the comma
      {"1,\"8\",n,R", 1, 8, "R"},
      {"1,\"8,9\",n,R", 1, 8, "R"},
      {"1,12", 1, 12, ""},                      // no comma after it
      {"12,1,n,R", 12, 1, "R"},
      {"1234567890,1,n,R", 1234567890, 1, "R"},
      {",,n,R", 0, 0, "R"},
  };
  for (const Case& c : cases) {
    BookLine p;
    ParseBookLine("[FAX_ADDR]=" + c.value, ReadOptions(), &p);
    ASSERT_EQ(p.kind, BookLineKind::kEntry) << c.value;
    EXPECT_EQ(p.entry.kind, c.kind) << c.value;
    EXPECT_EQ(p.entry.regNo, c.regNo) << c.value;
    EXPECT_EQ(p.entry.dispNameJP, c.reading) << c.value;
  }
}

TEST(FormatBook, WritesTheLinesTheEditorWrites) {
  AddressRecord group;
  group.kind = kKindGroup;
  group.regNo = 3;
  group.dispName = "All, Branches";
  group.dispNameJP = "ALL";
  EXPECT_EQ(FormatEntryLine(group), "[FAX_ADDR]=3,3,\"All, Branches\",ALL,");
  AddressRecord address;
  address.regNo = 2;
  address.dispNameJP = "M";
  address.companyName = "The \"Sun\" Shop";
  address.respect = 3;
  EXPECT_EQ(FormatEntryLine(address), "[FAX_ADDR]=1,2,,M,,,,\"The \"\"Sun\"\" Shop\",,,3");
  EXPECT_EQ(FormatMemberLine(3, MemberFrom(address)),
            "[FAX_ADDR_GM]=4,3,,M,,,,\"The \"\"Sun\"\" Shop\",,,3");
}

TEST(FormatBook, AGroupWithoutMembersIsWrittenAlone) {
  SilentAlerts alerts;
  GroupTable groups(932, &alerts);
  AddressRecord group;
  group.kind = kKindGroup;
  group.regNo = 1;
  group.dispNameJP = "G";
  EXPECT_EQ(FormatBook({group}, groups),
            std::string(kBookHeader) + "\r\n\r\n[FAX_ADDR]=3,1,,G,\r\n");
  EXPECT_EQ(FormatBook({}, groups), std::string(kBookHeader) + "\r\n");
}

}  // namespace
}  // namespace store
