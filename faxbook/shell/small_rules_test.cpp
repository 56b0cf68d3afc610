// Tables of the shell's small rules: language names, help data, message
// formatting.
#include <gtest/gtest.h>

#include "faxbook/shell/help_map.h"
#include "faxbook/shell/language.h"
#include "platform/ui/resources.h"

namespace {

TEST(LanguageNames, MapToTheirIdentifiersIgnoringCase) {
  const std::pair<const char*, int> cases[] = {
      {"English", 1033}, {"JAPANESE", 1041}, {"french", 1036},  {"German", 1031},
      {"Spanish", 1034}, {"Italian", 1040},  {"Chinese", 2052}, {"TChinese", 1028},
      {"tchinese", 1028}, {"Korean", 1042},  {"Koreana", 1033}, {"Japan", 1033},
      {"", 1033},         {"Japanese ", 1033},
  };
  for (const auto& c : cases) EXPECT_EQ(LanguageIdFromName(c.first), c.second) << c.first;
}

TEST(HelpData, MapsToContentsTopicsOrNothing) {
  struct Case {
    unsigned long data;
    HelpAction::Kind kind;
    unsigned long topic;
  };
  const Case cases[] = {
      {0, HelpAction::kFinder, 0},
      {0x10000, HelpAction::kFinder, 0},
      {0x10000 + 57603, HelpAction::kTopic, 0x20080},
      {0x10000 + 1013, HelpAction::kTopic, 0x20080},
      {0x10000 + 32796, HelpAction::kTopic, 0x20080},
      {0x10000 + 57664, HelpAction::kTopic, 0x20080},
      {0x10000 + 57600, HelpAction::kTopic, 0x10000 + 57600},
      {0x18000, HelpAction::kNothing, 0},
      {0x18001, HelpAction::kTopic, 0x18001},
      {0x10000 + 1001, HelpAction::kNothing, 0},
      {0x20000, HelpAction::kFinder, 0},
      {0x20080, HelpAction::kTopic, 0x20080},
      {0x20000 + 130, HelpAction::kTopic, 0x20082},
      {0x2FFFF, HelpAction::kTopic, 0x2FFFF},
      {0x30000, HelpAction::kFinder, 0},
      {0xFFFFFFFF, HelpAction::kFinder, 0},
  };
  for (const Case& c : cases) {
    const HelpAction a = MapHelp(c.data);
    EXPECT_EQ(a.kind, c.kind) << std::hex << c.data;
    EXPECT_EQ(a.topic, c.topic) << std::hex << c.data;
  }
}

TEST(MessageFormat, SubstitutesTheFirstConversionAndLeavesOtherPercentSignsAlone) {
  const std::pair<const char*, const char*> cases[] = {
      {"limit (%ld) exceeded", "limit (3000) exceeded"},
      {"%d rows", "3000 rows"},
      {"file %s not written", "file 3000 not written"},
      {"%5d%%", "3000%"},
      {"%s and %s", "3000 and %s"},
      {"no conversion", "no conversion"},
      {"100%", "100%"},
      {"%n%x%", "%n%x%"},
  };
  for (const auto& c : cases) EXPECT_EQ(ui::FormatText(c.first, "3000"), c.second) << c.first;
}

}  // namespace
