// The help files the build writes hold what the programs ask of them: the
// editor's window "ABookM", a topic for every help request the editor can
// make (F1 on the main window, a menu command or a dialog), in the right
// character set; the picker's contents; and no jump that leads nowhere.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "faxbook/res/editing_resource.h"
#include "faxbook/res/resource.h"
#include "faxbook/shell/help_map.h"
#include "tools/winhelp/hlp_reader.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

winhelp::ReadHelp Load(const std::string& relative) {
  winhelp::ReadHelp help;
  std::string error;
  const std::string bytes = ReadFile(std::string(HELP_BUILD_DIR) + "/" + relative);
  EXPECT_FALSE(bytes.empty()) << relative;
  EXPECT_TRUE(winhelp::ReadHelpFile(bytes, &help, &error)) << relative << ": " << error;
  return help;
}

void ExpectJumpsLand(const winhelp::ReadHelp& help, const std::string& name) {
  for (const winhelp::ReadTopic& t : help.topics) {
    for (std::int32_t hash : t.jumps) {
      ASSERT_EQ(help.contexts.count(hash), 1u) << name << ": a jump in " << t.title;
      EXPECT_NE(help.TopicAt(help.contexts.at(hash)), nullptr) << name;
    }
  }
  EXPECT_NE(help.TopicAt(help.contents), nullptr) << name << ": the contents topic";
}

// Every help request the editor makes for a topic: F1 on the main window
// and its form, on each menu command, and on each dialog.
std::vector<unsigned long> EditorRequests() {
  std::vector<unsigned long> data = {0x20000ul + IDR_MAINFRAME, 0x20000ul + IDD_ADDRCONFIG_FORM};
  for (int command : {ID_FILE_APPLY, ID_FILE_IMPORT_BOOK, ID_IMPORT_CSV, ID_IMPORT_QUORVEX,
                      ID_FILE_SAVE_AS, ID_APP_EXIT, ID_NEW_ADDRESS, ID_NEW_GROUP, ID_EDIT_COPY,
                      ID_EDIT_PASTE, ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_REPLACE, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR,
                      ID_HELP_FINDER, ID_APP_ABOUT, IDC_EDIT_BUTTON, IDC_DELETE_BUTTON,
                      ID_CONTEXT_HELP, ID_HELP, ID_DEFAULT_HELP}) {
    data.push_back(0x10000ul + static_cast<unsigned long>(command));
  }
  // The dialogs; 145 to 148 are the CSV mapping, the import confirmation,
  // the multi-address edit and the replace dialog; 150 the conflicts of a
  // merge at apply.
  for (int dialog : {IDD_ABOUTBOX, IDD_ADDRESS, IDD_GROUP, IDD_MEMBER_SELECT, 145, 146, 147, 148, 150}) {
    data.push_back(0x20000ul + static_cast<unsigned long>(dialog));
  }
  return data;
}

TEST(HelpFiles, TheEditorsHelpHasATopicForEveryRequestInBothLanguages) {
  for (const char* file : {"ja/FAXBOOK.HLP", "en/FAXBOOK.HLP"}) {
    const winhelp::ReadHelp help = Load(file);
    for (unsigned long data : EditorRequests()) {
      const HelpAction action = MapHelp(data);
      ASSERT_EQ(action.kind, HelpAction::kTopic) << std::hex << data;
      ASSERT_EQ(help.maps.count(static_cast<std::uint32_t>(action.topic)), 1u)
          << file << ": no topic for help data 0x" << std::hex << data;
      EXPECT_NE(help.TopicAt(help.maps.at(static_cast<std::uint32_t>(action.topic))), nullptr);
    }
    const winhelp::ReadTopic* main = help.TopicAt(help.maps.at(0x20080));
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(main->text.empty());
    ExpectJumpsLand(help, file);
  }
}

TEST(HelpFiles, TheEditorsSecondaryWindowAndCharacterSetAreDefined) {
  struct Case {
    const char* file;
    int charset;
  };
  for (const Case& c : {Case{"ja/FAXBOOK.HLP", 128}, Case{"en/FAXBOOK.HLP", 0}}) {
    const winhelp::ReadHelp help = Load(c.file);
    EXPECT_EQ(help.charset, c.charset) << c.file;
    bool secondary = false;
    for (const winhelp::ReadWindow& w : help.windows) secondary = secondary || w.name == "ABookM";
    EXPECT_TRUE(secondary) << c.file;
  }
  const std::string cnt = ReadFile(std::string(HELP_BUILD_DIR) + "/ja/FAXBOOK.CNT");
  EXPECT_EQ(cnt.substr(0, cnt.find('\r')), ":Base FAXBOOK.HLP>ABookM");
}

// The picker opens its help's contents, and F1 in its group confirmation
// (template 1001) asks for that dialog's topic.
TEST(HelpFiles, ThePickersHelpOpensItsContentsAndTheGroupConfirmationsTopic) {
  struct Case {
    const char* file;
    int charset;
  };
  for (const Case& c : {Case{"ja/faxpickJP.hlp", 128}, Case{"en/faxpickEN.hlp", 0}}) {
    const winhelp::ReadHelp help = Load(c.file);
    EXPECT_EQ(help.charset, c.charset) << c.file;
    EXPECT_GE(help.topics.size(), 5u) << c.file;
    EXPECT_FALSE(help.keywords.empty()) << c.file;
    ASSERT_EQ(help.maps.count(0x20000u + 1001u), 1u) << c.file;
    EXPECT_NE(help.TopicAt(help.maps.at(0x20000u + 1001u)), nullptr) << c.file;
    ExpectJumpsLand(help, c.file);
  }
}

}  // namespace
