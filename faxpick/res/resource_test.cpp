// The picker's resource scripts: the program's own texts, and language
// libraries that carry every id the program uses.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include "tests/support/resource_script.h"
#include "faxpick/res/resource.h"

namespace {

const std::string kSource = FAXBOOK_SOURCE_DIR;
const std::string kHeader = kSource + "/faxpick/res/resource.h";

struct Scripts : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(own.Load(kSource + "/faxpick/res/faxpick.rc", kHeader));
    ASSERT_TRUE(ownDialogs.Load(kSource + "/faxpick/res/picker_ja.rc2", kHeader));
    ASSERT_TRUE(japanese.Load(kSource + "/lang/pickres_ja.rc", kHeader));
    ASSERT_TRUE(english.Load(kSource + "/lang/pickres_en.rc", kHeader));
  }
  rc::Script own, ownDialogs, japanese, english;
};

TEST_F(Scripts, TheProgramHoldsTheBuiltInTexts) {
  EXPECT_TRUE(own.UsesUtf8());
  EXPECT_EQ(own.Language(), "LANG_JAPANESE, SUBLANG_DEFAULT");
  const std::map<int, std::string> expected = {
      {99, "AddressBook"},
      {100, "SOFTWARE\\Brevant Zelo\\RelayFAX\\"},
      {101, "DS_SUBKEY_SPOOLER"},
      {102, "IDS_DIR_MANUFACTOR"},
      {103, "IDS_DIR_APP"},
      {104, "IDS_FILE_ADDRESS"},
      {105, "登録人数"},
      {106, "登録名称"},
      {107, "FAX番号"},
      {108, "会社名"},
      {109, "部署名"},
      {110, "名称"},
      {112, "IDS_WARNIG_DATAOVER"},
      {113, "様"},
      {114, "殿"},
      {115, "御中"},
      {116, "ﾌﾘｶﾞﾅ"},
      {117, "ファイルにアクセスすることができません"},
  };
  std::map<int, std::string> strings = own.Strings();
  // 118 to 122 are messages of this program's own wording.
  for (int id : {IDS_NO_HANDING_BACK, IDS_EXCHANGE_UNREADABLE, IDS_EXCHANGE_NOT_READ,
                 IDS_EXCHANGE_NOT_WRITTEN, IDS_EXCHANGE_READ_ONLY}) {
    EXPECT_FALSE(strings[id].empty()) << id;
    strings.erase(id);
  }
  EXPECT_EQ(strings, expected);
}

TEST_F(Scripts, LibrariesCarryEveryStringAndShareTheNamesOfPlaces) {
  for (rc::Script* library : {&japanese, &english}) {
    std::set<int> ids;
    for (const auto& [id, text] : library->Strings()) {
      ids.insert(id);
      EXPECT_FALSE(text.empty()) << id;
    }
    std::set<int> own_ids;
    for (const auto& entry : own.Strings()) own_ids.insert(entry.first);
    EXPECT_EQ(ids, own_ids);
    for (int id : {99, 100, 101, 102, 103, 104}) {
      EXPECT_EQ(library->Strings().at(id), japanese.Strings().at(id)) << id;
    }
    for (int id : {113, 114, 115}) EXPECT_EQ(library->Strings().at(id), own.Strings().at(id)) << id;
    // The counter takes two integers.
    const std::string counter = library->Strings().at(IDS_COUNTER);
    EXPECT_EQ(std::count(counter.begin(), counter.end(), '%'), 2) << counter;
    EXPECT_NE(counter.find("%d"), std::string::npos);
  }
  // The messages about the exchange file name it: one text conversion each.
  for (rc::Script* script : {&own, &japanese, &english}) {
    for (int id : {IDS_EXCHANGE_UNREADABLE, IDS_EXCHANGE_NOT_READ, IDS_EXCHANGE_NOT_WRITTEN,
                   IDS_EXCHANGE_READ_ONLY}) {
      const std::string text = script->Strings().at(id);
      EXPECT_EQ(std::count(text.begin(), text.end(), '%'), 1) << id << ": " << text;
      EXPECT_NE(text.find("%s"), std::string::npos) << id << ": " << text;
    }
  }
  // In English the name stands in quotes (doubled in the script).
  const std::string named = english.Strings().at(IDS_EXCHANGE_NOT_READ);
  EXPECT_NE(named.find("file \"%s\" cannot"), std::string::npos) << named;
  EXPECT_EQ(japanese.Strings().at(117), own.Strings().at(117));
  EXPECT_EQ(english.Language(), "LANG_ENGLISH, SUBLANG_ENGLISH_US");
  EXPECT_EQ(japanese.Language(), "LANG_JAPANESE, SUBLANG_DEFAULT");
}

TEST_F(Scripts, EveryTemplateHasTheControlsTheDialogsAddress) {
  const std::set<int> destination = {IDC_FULL_LIST, IDC_RESULT_LIST_B, IDC_RESULT_LIST_A,
                                     IDC_SEND_LIST, IDC_SHOW_ALL, IDC_DETAILS, IDC_DELETE,
                                     IDC_DELETE_ALL, IDC_REGISTER, IDC_SEARCH_TEXT, IDC_BY_NAME,
                                     IDC_BY_COMPANY, IDC_COUNTER, IDC_PERSONAL, IDC_SHARED,
                                     IDC_HELP_BUTTON, 1, 2};
  const std::set<int> group = {IDC_MEMBER_LIST, IDC_GROUP_NAME, 1, 2};
  for (rc::Script* script : {&ownDialogs, &english}) {
    for (const auto& [templateId, ids] : {std::make_pair(IDD_DESTINATION, destination),
                                          std::make_pair(IDD_GROUP_CONFIRM, group)}) {
      const rc::Dialog& dialog = script->DialogTemplate(templateId);
      std::set<int> found;
      bool defaultButton = false;
      for (const rc::Control& c : dialog.controls) {
        if (c.id > 0) found.insert(c.id);
        if (c.kind == "DEFPUSHBUTTON") defaultButton = true;
        if (c.id == 2 && templateId == IDD_GROUP_CONFIRM) {
          EXPECT_NE(c.style.find("NOT WS_VISIBLE"), std::string::npos);
        }
        if (c.id == IDC_RESULT_LIST_A || c.id == IDC_RESULT_LIST_B) {
          EXPECT_NE(c.style.find("NOT WS_VISIBLE"), std::string::npos);
        }
        // The address lists hold no rows: the dialog keeps them.
        if (c.id == IDC_FULL_LIST || c.id == IDC_RESULT_LIST_A || c.id == IDC_RESULT_LIST_B) {
          EXPECT_NE(c.style.find("LVS_OWNERDATA"), std::string::npos) << c.id;
        }
        if (c.id == IDC_SEND_LIST || c.id == IDC_MEMBER_LIST) {
          EXPECT_EQ(c.style.find("LVS_OWNERDATA"), std::string::npos) << c.id;
        }
      }
      EXPECT_EQ(found, ids) << templateId;
      // Enter is OK in the destination dialog because it has no default button.
      if (templateId == IDD_DESTINATION) EXPECT_FALSE(defaultButton);
    }
  }
  EXPECT_EQ(ownDialogs.DialogTemplate(IDD_DESTINATION).caption, "宛先の選択");
  EXPECT_EQ(ownDialogs.DialogTemplate(IDD_GROUP_CONFIRM).caption, "グループ確認");
  EXPECT_EQ(english.DialogTemplate(IDD_DESTINATION).caption, "Select Destinations");
}

// The Japanese templates (the program's own, which the Japanese library
// includes) carry the texts the product has always shown; wording changes
// belong in the other languages' libraries.
TEST_F(Scripts, TheJapaneseDestinationDialogKeepsItsTexts) {
  const std::map<int, std::string> buttons = {
      {IDC_SHOW_ALL, "すべて表示"}, {IDC_DETAILS, "詳細"},       {IDC_BY_NAME, "登録名称"},
      {IDC_BY_COMPANY, "会社名"},   {IDC_PERSONAL, "個人"},      {IDC_SHARED, "共有"},
      {IDC_REGISTER, "登録"},       {IDC_DELETE, "削除"},        {IDC_DELETE_ALL, "すべて削除"},
      {IDC_HELP_BUTTON, "ﾍﾙﾌﾟ(&H)"}, {1, "OK"},                  {2, "ｷｬﾝｾﾙ"}};
  const std::vector<std::string> labels = {"アドレス帳", "検索対象文字列 ：", "検索対象 ：",
                                           "送信先リスト"};
  for (rc::Script* script : {&ownDialogs}) {
    std::map<int, std::string> found;
    std::vector<std::string> foundLabels;
    for (const rc::Control& c : script->DialogTemplate(IDD_DESTINATION).controls) {
      if (buttons.count(c.id)) found[c.id] = c.text;
      if (c.id == -1) foundLabels.push_back(c.text);
    }
    EXPECT_EQ(found, buttons);
    EXPECT_EQ(foundLabels, labels);
    std::map<int, std::string> confirm;
    for (const rc::Control& c : script->DialogTemplate(IDD_GROUP_CONFIRM).controls) {
      if (c.id == 1 || c.id == 2) confirm[c.id] = c.text;
    }
    EXPECT_EQ(confirm, (std::map<int, std::string>{{1, "OK"}, {2, "ｷｬﾝｾﾙ"}}));
  }
}

// In English every label, group box and button of both templates has an
// access key of its own; OK and Cancel answer to Enter and Escape.
TEST_F(Scripts, EnglishTemplatesGiveEveryLabelAndButtonAnAccessKeyOfItsOwn) {
  for (int templateId : {IDD_DESTINATION, IDD_GROUP_CONFIRM}) {
    std::set<char> keys;
    for (const rc::Control& c : english.DialogTemplate(templateId).controls) {
      const bool button = c.kind == "PUSHBUTTON" || c.kind == "DEFPUSHBUTTON" ||
                          c.kind == "AUTORADIOBUTTON";
      // The counter is a static without a text of its own in the template.
      const bool label = (c.kind == "LTEXT" || c.kind == "GROUPBOX") && !c.text.empty();
      if ((!button && !label) || c.id == 1 || c.id == 2) continue;
      const char key = rc::AccessKey(c.text);
      EXPECT_NE(key, 0) << templateId << ": " << c.text;
      EXPECT_TRUE(keys.insert(key).second) << templateId << ": " << c.text << " repeats " << key;
    }
  }
}

std::string Text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A value of a version resource ("ProductName"), or the numbers of one of
// its version lines ("PRODUCTVERSION"), as a script writes it.
std::string VersionValue(const std::string& script, const std::string& name) {
  std::smatch m;
  const std::regex value("VALUE \"" + name + "\", \"([^\"]*)\"");
  const std::regex numbers(name + " ([0-9,]+)");
  if (std::regex_search(script, m, value) || std::regex_search(script, m, numbers)) return m[1].str();
  return std::string();
}

// Both programs name one product, one maker and one version, in their
// version resources and manifests alike.
TEST(ProductIdentity, ThePickerCarriesTheEditorsProductNameAndVersion) {
  const std::string editor = Text(kSource + "/faxbook/res/faxbook.rc");
  const std::string picker = Text(kSource + "/faxpick/res/faxpick.rc");
  for (const char* name :
       {"ProductName", "ProductVersion", "CompanyName", "PRODUCTVERSION", "FILEVERSION"}) {
    EXPECT_FALSE(VersionValue(editor, name).empty()) << name;
    EXPECT_EQ(VersionValue(picker, name), VersionValue(editor, name)) << name;
  }
  const std::string version = VersionValue(editor, "ProductVersion");
  EXPECT_EQ(VersionValue(picker, "FileVersion"), version);
  EXPECT_NE(VersionValue(picker, "FileDescription").find(VersionValue(editor, "ProductName")),
            std::string::npos);
  const std::regex identity("assemblyIdentity type=\"win32\" name=\"[^\"]*\" version=\"([^\"]*)\"");
  for (const char* manifest : {"/faxbook/res/faxbook.manifest", "/faxpick/res/faxpick.manifest"}) {
    std::smatch m;
    const std::string text = Text(kSource + manifest);
    ASSERT_TRUE(std::regex_search(text, m, identity)) << manifest;
    EXPECT_EQ(m[1].str(), version + ".0") << manifest;
  }
}

}  // namespace
