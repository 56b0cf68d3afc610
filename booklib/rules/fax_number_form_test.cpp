#include "booklib/rules/fax_number_form.h"

#include <gtest/gtest.h>

namespace rules {
namespace {

TEST(FaxNumberFormTest, NumbersAsJapaneseSourcesWriteThem) {
  struct Case {
    const char* in;  // bytes of code page 932
    const char* number;
    const char* note;
    bool ok;
  };
  const Case cases[] = {
      {"03-1234-5678", "03-1234-5678", "", true},
      {"0312345678", "0312345678", "", true},
      {"03 1234 5678", "03 1234 5678", "", true},
      // ０３－１２３４－５６７８ and the other full-width dashes
      {"\x82\x4F\x82\x52\x81\x7C\x82\x50\x82\x51\x82\x52\x82\x53\x81\x7C\x82\x54\x82\x55\x82\x56\x82\x57",
       "03-1234-5678", "", true},
      {"03\x81\x5D" "1234\x81\x5C" "5678", "03-1234-5678", "", true},
      {"\x82\x4F\x82\x52\x81\x40\x82\x50\x82\x51", "03 12", "", true},
      {"(03)1234-5678", "03-1234-5678", "", true},
      {"(03) 1234-5678", "03-1234-5678", "", true},
      {"\x81\x69" "03\x81\x6A" "1234-5678", "03-1234-5678", "", true},
      {"03(1234)5678", "03-1234-5678", "", true},
      {"03 (1234) 5678", "03-1234-5678", "", true},
      {"03.1234.5678", "03-1234-5678", "", true},
      {"  03-1234-5678  ", "03-1234-5678", "", true},
      // The system's own country: the national form.
      {"+81 3-1234-5678", "03-1234-5678", "", true},
      {"+81-3-1234-5678", "03-1234-5678", "", true},
      {"+81312345678", "0312345678", "", true},
      {"+81 (0)3 1234 5678", "03 1234 5678", "", true},
      {"\x81\x7B\x82\x57\x82\x50 3-1234-5678", "03-1234-5678", "", true},
      // Another country: the international call prefix.
      {"+1 212 555 1234", "0101 212 555 1234", "", true},
      {"+44-20-7946-0018", "01044-20-7946-0018", "", true},
      // A note after the number is dropped, and said.
      {"03-1234-5678 \x93\xE0\x90\xFC" "123", "03-1234-5678", "\x93\xE0\x90\xFC" "123", true},
      {"03-1234-5678 ext. 12", "03-1234-5678", "ext. 12", true},
      {"03-1234-5678 EXT 12", "03-1234-5678", "EXT 12", true},
      {"03-1234-5678x12", "03-1234-5678", "x12", true},
      {"03-1234-5678(\x91\xE3)", "03-1234-5678", "(\x91\xE3)", true},
      {"03-1234-5678 \x81\x69\x91\xE3\x95\x5C\x81\x6A", "03-1234-5678",
       "(\x91\xE3\x95\x5C)", true},
      // Letters or anything else still refuse the number.
      {"03-12AB-5678", "03-12AB-5678", "", false},
      {"FAX 03-1234-5678", "FAX 03-1234-5678", "", false},
      {"\x93\xE0\x90\xFC" "123", "\x93\xE0\x90\xFC" "123", "", false},
      {"-03-1234", "-03-1234", "", false},
      {"()", "", "", false},
      {"", "", "", false},
      {"03-1234-5678 see note", "03-1234-5678 see note", "", false},
  };
  const DialingPlan japan = DialingPlanOf(81);
  for (const Case& c : cases) {
    const FaxNumberForm form = ToBookFaxNumber(c.in, 932, japan);
    EXPECT_EQ(form.number, c.number) << c.in;
    EXPECT_EQ(form.droppedNote, c.note) << c.in;
    EXPECT_EQ(form.ok, c.ok) << c.in;
  }
}

TEST(FaxNumberFormTest, TheCountryDecidesBetweenTheNationalAndTheInternationalForm) {
  struct Case {
    int country;
    const char* in;
    const char* number;
  } cases[] = {
      {81, "+81 3-1234-5678", "03-1234-5678"},
      {1, "+81 3-1234-5678", "01181 3-1234-5678"},
      {49, "+81 3-1234-5678", "0081 3-1234-5678"},
      {49, "+49 30 1234567", "030 1234567"},
      {1, "+1 (212) 555-1234", "0212-555-1234"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToBookFaxNumber(c.in, 932, DialingPlanOf(c.country)).number, c.number)
        << c.country << " " << c.in;
  }
  EXPECT_EQ(DialingPlanOf(81).internationalPrefix, "010");
  EXPECT_EQ(DialingPlanOf(33).internationalPrefix, "00");
}

TEST(FaxNumberFormTest, DashesAUtf8SourceWritesBecomeHyphens) {
  EXPECT_EQ(DashesTheCodePageHas("03\xE2\x88\x92" "1234\xE2\x80\x93" "5678\xE2\x80\x94" "9"),
            "03-1234-5678-9");
  EXPECT_EQ(DashesTheCodePageHas("a\xE2\x80\x99" "b\xE2\x80"), "a\xE2\x80\x99" "b\xE2\x80");
}

}  // namespace
}  // namespace rules
