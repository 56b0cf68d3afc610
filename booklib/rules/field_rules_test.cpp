#include "booklib/rules/field_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace rules {
namespace {

const TextRules kJapanese{1041, 932};
const TextRules kChinese{2052, 936};
const TextRules kKorean{1042, 949};
const TextRules kEnglish{1033, 1252};
const TextRules kCzech{1029, 1250};

TEST(FieldRules, LanguageCases) {
  EXPECT_EQ(LanguageCaseOf(1041), LanguageCase::kJapanese);
  for (int cjk : {2052, 1028, 1042}) EXPECT_EQ(LanguageCaseOf(cjk), LanguageCase::kCjk);
  for (int western : {1033, 1036, 1031, 1029, 0}) {
    EXPECT_EQ(LanguageCaseOf(western), LanguageCase::kWestern);
  }
}

TEST(FieldRules, FaxNumberAndSubAddressCharacters) {
  struct Case {
    const char* text;
    bool fax, sub;
  } cases[] = {
      {"", true, true},
      {"03-1234-5678", true, false},
      {"03 1234", true, true},
      {"*81#0312", true, true},
      {"-0312", false, false},
      {" 0312", false, false},
      {"0312 ", true, true},
      {"03(1234)", false, false},
      {"\x82\x4F\x82\x52", false, false},  // full-width digits
      {"12a", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckFaxNumberChars(c.text), c.fax) << c.text;
    EXPECT_EQ(CheckSubAddressChars(c.text), c.sub) << c.text;
  }
}

TEST(FieldRules, ReadingAndNameClassesPerLanguage) {
  struct Case {
    const char* text;
    TextRules rules;
    bool reading, name;
  } cases[] = {
      // Japanese: half-width katakana and ASCII in readings; names also take
      // double-byte characters.
      {"\xC0\xC5\xB6 \xCB\xDB\xBC", kJapanese, true, true},   // ﾀﾅｶ ﾋﾛｼ
      {"Tanaka", kJapanese, true, true},
      {"\x82\xBD\x82\xC8\x82\xA9", kJapanese, false, true},   // hiragana
      {"\xC0\xC5\xB6\xA1", kJapanese, false, false},          // with the half-width full stop
      {"\xA6\xDF\xB0", kJapanese, true, true},                // ｦ ﾟ ｰ
      {"\x93\x63\x92\x86\x81\x40\x91\xBE", kJapanese, false, true},
      {"\x93\x63\x81", kJapanese, false, false},              // a lone lead byte at the end
      {"a\tb", kJapanese, false, false},
      {"\x81\x7F", kJapanese, false, false},                  // 0x7F trails nothing
      // CJK: double-byte characters and ASCII, nothing else.
      {"\xD5\xC5\xC8\xFD", kChinese, true, true},
      {"Li \xD5\xC5", kChinese, true, true},
      {"\xD5", kChinese, false, false},
      {"\xB1\xE8 kim", kKorean, true, true},
      {"\xB1\x40", kKorean, false, false},                    // 0x40 trails nothing in 949
      // Western: anything but control bytes.
      {"M\xFCller", kEnglish, true, true},
      {"\xC9tienne\x9C", kEnglish, true, true},
      {"tab\there", kEnglish, false, false},
      {"del\x7F", kEnglish, false, false},
      {"\x8A\xE1nek", kCzech, true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckReadingChars(c.text, c.rules), c.reading) << c.text << " " << c.rules.langId;
    EXPECT_EQ(CheckNameChars(c.text, c.rules), c.name) << c.text << " " << c.rules.langId;
  }
  EXPECT_TRUE(CheckHalfKanaChars("\xA6\xB1\xDF"));
  EXPECT_FALSE(CheckHalfKanaChars("\xA5"));
  EXPECT_FALSE(CheckHalfKanaChars("A"));
}

TEST(FieldRules, CompanyFieldsFollowTheNameClassOnlyInJapanese) {
  const std::string kanji = "\x8A\x94\x8E\xAE";  // 株式
  EXPECT_TRUE(CheckFieldChars(Field::kCompanyName, kanji, kJapanese));
  EXPECT_FALSE(CheckFieldChars(Field::kDispNameJP, kanji, kJapanese));
  EXPECT_TRUE(CheckFieldChars(Field::kCompanyName, "\xE9t\xE9", kEnglish));  // reading class
  EXPECT_FALSE(CheckFieldChars(Field::kClientName, "a\tb", kEnglish));
}

TEST(FieldRules, StatesColourTheTextAsTyped) {
  struct Case {
    Field field;
    std::string text;
    FieldState state;
  } cases[] = {
      {Field::kDispNameJP, "\xC0\xC5\xB6", FieldState::kNormal},
      {Field::kDispNameJP, std::string(17, 'a'), FieldState::kTooLong},
      {Field::kDispNameJP, std::string(17, '\x82'), FieldState::kBadChars},  // class first
      {Field::kFaxNumber, "-1", FieldState::kBadChars},
      {Field::kDispName, std::string(16, 'x'), FieldState::kNormal},
      {Field::kDispName, "\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40",
       FieldState::kTooLong},  // the state looks at the raw text
  };
  for (const Case& c : cases) EXPECT_EQ(FieldStateOf(c.field, c.text, kJapanese), c.state) << c.text;
  EXPECT_EQ(ColourOf(FieldState::kNormal), 0x000000u);
  EXPECT_EQ(ColourOf(FieldState::kTooLong), 0xFF0000u);   // blue
  EXPECT_EQ(ColourOf(FieldState::kBadChars), 0x0000FFu);  // red
}

class Names : public NameLookup {
 public:
  bool IsNameUsed(const std::string& text, int kind) const override {
    return used.count({kind, text}) != 0;
  }
  std::set<std::pair<int, std::string>> used;
};

TEST(FieldRules, ConfirmationChecksGiveTheMessageOfTheFirstFailure) {
  Names names;
  names.used = {{0, "Kita"}, {1, "KITA"}, {1, "OTHER"}};
  struct Case {
    Field field;
    std::string typed, opening;
    int message;  // 0 when the check passes
    std::string stored;
  } cases[] = {
      {Field::kDispNameJP, "\x81\x40\x81\x40", "", 61233, ""},          // only ideographic spaces
      {Field::kDispNameJP, " \xC0\xC5\x81\x40\xB6 ", "", 0, "\xC0\xC5  \xB6"},
      {Field::kDispNameJP, std::string(17, 'a'), "", 61234, std::string(17, 'a')},
      {Field::kDispNameJP, "\x82\xA0", "", 61231, "\x82\xA0"},
      {Field::kDispNameJP, "KITA", "", 61232, "KITA"},                  // a new entry's name
      {Field::kDispNameJP, "kita", "KITA", 0, "kita"},                  // the case of its own name
      {Field::kDispNameJP, "OTHER", "other", 0, "OTHER"},               // differs only in case: not looked up
      {Field::kDispNameJP, "KITA ", "KITA", 0, "KITA"},                 // a trailing blank on its own name
      {Field::kDispNameJP, "Kita", "", 0, "Kita"},                      // exact comparison in the book
      {Field::kDispName, "Kita", "Minami", 61248, "Kita"},
      {Field::kDispName, "", "", 61249, ""},
      {Field::kDispName, "\x8E\x52\x93\x63\x8E\x52\x93\x63\x8E\x52\x93\x63\x8E\x52\x93\x63\x8E\x52",
       "", 61250, ""},                                                  // nine double-byte characters
      {Field::kFaxNumber, "", "", 61244, ""},
      {Field::kFaxNumber, " 03", "", 61246, " 03"},                     // not normalised
      {Field::kFaxNumber, std::string(33, '1'), "", 61245, ""},
      {Field::kSubAddress, "", "", 0, ""},                              // optional
      {Field::kSubAddress, "1-2", "", 61252, ""},
      {Field::kPassword, std::string(21, '1'), "", 61253, ""},
      {Field::kCompanyName, std::string(65, 'c'), "", 61255, ""},
      {Field::kDepartmentName, "\x82\xA0\x81", "", 61258, ""},
      {Field::kClientName, "  ", "", 0, ""},                            // blank: empty and optional
      {Field::kClientName, std::string(21, 'x'), "", 61259, ""},
  };
  for (const Case& c : cases) {
    const FieldCheck check = CheckField(c.field, c.typed, c.opening, kJapanese, &names);
    EXPECT_EQ(check.ok, c.message == 0) << c.typed;
    EXPECT_EQ(check.messageId, c.message) << c.typed;
    if (c.message == 0 || !c.stored.empty()) {
      EXPECT_EQ(check.text, c.stored) << c.typed;
    }
  }
}

TEST(FieldRules, WesternNamesAreReadingsOfAnyNonControlByte) {
  Names names;
  EXPECT_TRUE(CheckField(Field::kDispNameJP, "\xC9mile", "", kEnglish, &names).ok);
  EXPECT_EQ(CheckField(Field::kDispNameJP, "a\x01", "", kEnglish, &names).messageId, 61231);
  // Ideographic spaces belong to the Japanese code page only.
  EXPECT_EQ(CheckField(Field::kCompanyName, "\x81\x40x", "", kChinese, &names).text, "\x81\x40x");
}

}  // namespace
}  // namespace rules
