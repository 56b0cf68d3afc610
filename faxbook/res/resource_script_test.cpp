// The resource scripts hold every id and text the editor's start-up, list
// and frame use, and the language library mirrors the program's ids.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "faxbook/res/bulk_edit_resource.h"
#include "faxbook/res/csv_import_resource.h"
#include "faxbook/res/editing_resource.h"
#include "faxbook/res/resource.h"
#include "tests/support/resource_script.h"

namespace {

const std::string kSource = FAXBOOK_SOURCE_DIR;

// The x, y, width and height of a control: the first four numbers in a row
// among the fields of its statement.
std::vector<int> Rect(const rc::Control& c) {
  std::vector<int> numbers;
  std::istringstream in(c.style);
  std::string token;
  while (numbers.size() < 4 && std::getline(in, token, ',')) {
    const std::size_t first = token.find_first_not_of(' ');
    const bool number = first != std::string::npos &&
                        token.find_first_not_of(" 0123456789") == std::string::npos;
    if (number) {
      numbers.push_back(std::stoi(token.substr(first)));
    } else {
      numbers.clear();
    }
  }
  return numbers;
}

class ResourceScripts : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(japanese.Load(kSource + "/faxbook/res/faxbook.rc",
                              kSource + "/faxbook/res/resource.h"));
    ASSERT_TRUE(english.Load(kSource + "/lang/ledgres_en.rc", kSource + "/faxbook/res/resource.h"));
  }
  rc::Script japanese;
  rc::Script english;
};

TEST_F(ResourceScripts, TheProgramsStringsAreJapaneseUtf8WithEveryText) {
  EXPECT_TRUE(japanese.UsesUtf8());
  EXPECT_EQ(japanese.Language(), "LANG_JAPANESE, SUBLANG_DEFAULT");
  const std::pair<int, const char*> texts[] = {
      {57344, "Address Book for Relay FAX"},
      {61205, "Address Book for Relay FAX"},
      {61264, "ｲﾝｽﾄｰﾙが正しく行なわれていません、再度ｲﾝｽﾄｰﾙを行なってください"},
      {61217, "登録名称"},
      {61218, "ﾌﾘｶﾞﾅ"},
      {61219, "ﾌｧｸｽ番号"},
      {61221, "会社名"},
      {61222, "部署名"},
      {61223, "宛先名称"},
      {61230, "ﾒﾝﾊﾞが選択されていません"},
      {61226, "現在のｱﾄﾞﾚｽﾃﾞｰﾀを保存しますか?"},
      {59142, "ｶﾅ"},
      {59137, "CAP"},
      {59138, "NUM"},
      {59139, "SCRL"},
      {101, "PAGE"},
      {61281, " 様"},
      {61282, " 殿"},
      {61283, " 御中"},
      {57603, "現在の登録情報をｱﾄﾞﾚｽ帳ﾃﾞｰﾀﾌｧｲﾙに保存します\n適用"},
      {57601, "保存されているAddress Bookﾌｧｲﾙから全てのｱﾄﾞﾚｽﾃﾞｰﾀをｲﾝﾎﾟｰﾄします\nAddress Bookｲﾝﾎﾟｰﾄ"},
      {32791, "保存されているCSVﾌｧｲﾙから選択したｱﾄﾞﾚｽをｲﾝﾎﾟｰﾄできます\nｲﾝﾎﾟｰﾄ"},
      {32792, "保存されているQuorvexﾌｧｲﾙからｱﾄﾞﾚｽﾃﾞｰﾀをｲﾝﾎﾟｰﾄします\nQuorvexｲﾝﾎﾟｰﾄ"},
      {57604, "作業中のﾌｧｲﾙを新しい名前で保存します\n名前をつけて保存"},
      {57665, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を確認します\n終了"},
      {32789, "新規ｱﾄﾞﾚｽを追加します\n新規ｱﾄﾞﾚｽ"},
      {32790, "新規ｸﾞﾙｰﾌﾟを追加します\n新規ｸﾞﾙｰﾌﾟ"},
      {1013, "選択したｱﾄﾞﾚｽ/ｸﾞﾙｰﾌﾟの編集を行います\n編集"},
      {1015, "選択したｱﾄﾞﾚｽ/ｸﾞﾙｰﾌﾟを削除します\n削除"},
      {57634, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存します\nｺﾋﾟｰ"},
      {57637, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付けます\n貼り付け"},
      {57643, "直前の変更を取り消します\n元に戻す"},
      {57644, "取り消した変更をやり直します\nやり直し"},
      {32796, "指定した項目の指定した文字列を他の文字列で置換します\n置換"},
      {59392, "ﾂｰﾙ ﾊﾞｰの 表示/非表示を切り替えます\nﾂｰﾙ ﾊﾞｰの表示切り替え"},
      {59393, "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示を切り替えます\nｽﾃｰﾀｽ ﾊﾞｰの表示切り替え"},
      {57667, "ﾍﾙﾌﾟ ﾄﾋﾟｯｸの検索を表示します\nﾍﾙﾌﾟ ﾄﾋﾟｯｸ"},
      {57664, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝ、および著作権を表示します\nﾊﾞｰｼﾞｮﾝ情報"},
      {57600, "新規にﾌｧｲﾙを作成します\n新規ﾌｧｲﾙ"},
      {57606, "ﾌﾟﾘﾝﾀ/印刷ｵﾌﾟｼｮﾝの変更が行なえます\n印刷設定"},
      {57669, "ｸﾘｯｸされたﾎﾞﾀﾝ、ﾒﾆｭｰまたはｳｨﾝﾄﾞｳのﾍﾙﾌﾟを表示します\nﾍﾙﾌﾟ"},
      {57670, "現在のﾀｽｸまたはｺﾏﾝﾄﾞのﾍﾙﾌﾟを表示します\nﾍﾙﾌﾟ"},
  };
  for (const auto& t : texts) {
    auto it = japanese.Strings().find(t.first);
    ASSERT_NE(it, japanese.Strings().end()) << t.first;
    EXPECT_EQ(it->second, t.second) << t.first;
  }
  // The apply failure names the file through one "%s".
  const std::string& failed = japanese.Strings().at(IDS_APPLY_FAILED);
  EXPECT_NE(failed.find("%s"), std::string::npos);
  EXPECT_EQ(failed.find('%'), failed.rfind('%'));
}

TEST_F(ResourceScripts, TheLanguageLibraryCarriesTheSameStringIds) {
  EXPECT_EQ(english.Language(), "LANG_ENGLISH, SUBLANG_ENGLISH_US");
  std::set<int> ja, en;
  for (const auto& s : japanese.Strings()) ja.insert(s.first);
  for (const auto& s : english.Strings()) {
    en.insert(s.first);
    EXPECT_FALSE(s.second.empty()) << s.first;
    // Prompts keep their tool tip after the line break.
    EXPECT_EQ(s.second.find('\n') != std::string::npos,
              japanese.Strings().at(s.first).find('\n') != std::string::npos)
        << s.first;
  }
  EXPECT_EQ(ja, en);
  // The title finds the running editor from a second start, which has not
  // loaded the library yet: it must not change.
  EXPECT_EQ(english.Strings().at(IDS_APP_TITLE), japanese.Strings().at(IDS_APP_TITLE));
}

TEST_F(ResourceScripts, Menu128HoldsTheCommandsInOrderWithTheirSeparators) {
  struct Item {
    const char* path;
    const char* text;  // "" for a separator
    int id;
  };
  const Item items[] = {
      {"ﾌｧｲﾙ(&F)", "適用(&S)\tCtrl+S", 57603},
      {"ﾌｧｲﾙ(&F)", "", 0},
      {"ﾌｧｲﾙ(&F) > ｲﾝﾎﾟｰﾄ(&I)", "Address Book(&A)", 57601},
      {"ﾌｧｲﾙ(&F) > ｲﾝﾎﾟｰﾄ(&I)", "CSVﾌｧｲﾙ(&C)", 32791},
      {"ﾌｧｲﾙ(&F) > ｲﾝﾎﾟｰﾄ(&I)", "Quorvex(&E)", 32792},
      {"ﾌｧｲﾙ(&F) > ｴｸｽﾎﾟｰﾄ(&E)", "CSVﾌｧｲﾙ(&C)...", 32800},
      {"ﾌｧｲﾙ(&F) > ｴｸｽﾎﾟｰﾄ(&E)", "CSVﾌｧｲﾙ (UTF-8)(&U)...", 32801},
      {"ﾌｧｲﾙ(&F)", "名前を付けて保存(&A)...", 57604},
      {"ﾌｧｲﾙ(&F)", "", 0},
      {"ﾌｧｲﾙ(&F)", "閉じる(&X)", 57665},
      {"編集(&E)", "元に戻す(&U)\tCtrl+Z", 57643},
      {"編集(&E)", "やり直し(&Y)\tCtrl+Y", 57644},
      {"編集(&E)", "", 0},
      {"編集(&E) > 新規作成(&N)", "新規ｱﾄﾞﾚｽ(&A) ...\tIns", 32789},
      {"編集(&E) > 新規作成(&N)", "新規ｸﾞﾙｰﾌﾟ(&G) ...\tShift+Ins", 32790},
      {"編集(&E)", "", 0},
      {"編集(&E)", "ｺﾋﾟｰ(&C)\tCtrl+C", 57634},
      {"編集(&E)", "貼り付け(&P)\tCtrl+V", 57637},
      {"編集(&E)", "", 0},
      {"編集(&E)", "置換(&R)", 32796},
      {"表示(&V)", "ﾂｰﾙ ﾊﾞｰ(&T)", 59392},
      {"表示(&V)", "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", 59393},
      {"ﾍﾙﾌﾟ(&H)", "ﾄﾋﾟｯｸの検索(&H)", 57667},
      {"ﾍﾙﾌﾟ(&H)", "", 0},
      {"ﾍﾙﾌﾟ(&H)", "faxbookのﾊﾞｰｼﾞｮﾝ情報(&A)...", 57664},
  };
  std::vector<rc::MenuEntry> entries;
  for (const rc::MenuEntry& e : japanese.Menu(IDR_MAINFRAME)) {
    if (!e.popup) entries.push_back(e);
  }
  ASSERT_EQ(entries.size(), std::size(items));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].path, items[i].path) << i;
    EXPECT_EQ(entries[i].text, items[i].text) << i;
    EXPECT_EQ(entries[i].id, items[i].id) << i;
  }
  // The library's menu offers the same commands in the same places.
  std::vector<int> ja, en;
  for (const rc::MenuEntry& e : japanese.Menu(IDR_MAINFRAME)) ja.push_back(e.popup ? -1 : e.id);
  for (const rc::MenuEntry& e : english.Menu(IDR_MAINFRAME)) en.push_back(e.popup ? -1 : e.id);
  EXPECT_EQ(ja, en);
}

TEST_F(ResourceScripts, EveryMenuItemHasAnAccessKeyOfItsOwnInItsMenu) {
  for (rc::Script* script : {&japanese, &english}) {
    std::map<std::string, std::set<char>> keys;  // by menu
    for (const rc::MenuEntry& e : script->Menu(IDR_MAINFRAME)) {
      if (e.text.empty()) continue;  // a separator
      const char key = rc::AccessKey(e.text);
      EXPECT_NE(key, 0) << e.text;
      EXPECT_TRUE(keys[e.path].insert(key).second)
          << "\"" << e.text << "\" repeats the key " << key << " of its menu " << e.path;
    }
  }
  // The usual words of an English program.
  std::set<std::string> english_items;
  for (const rc::MenuEntry& e : english.Menu(IDR_MAINFRAME)) english_items.insert(e.text);
  for (const char* item : {"E&xit", "Save &As...", "&About Faxbook...", "&Quorvex File...",
                           "&Undo\tCtrl+Z", "Re&do\tCtrl+Y"}) {
    EXPECT_EQ(english_items.count(item), 1u) << item;
  }
}

TEST_F(ResourceScripts, EnglishDialogLabelsAndButtonsHaveAccessKeys) {
  for (int id : {IDD_ADDRESS, IDD_GROUP, IDD_MEMBER_SELECT, IDD_MULTI_EDIT, IDD_REPLACE}) {
    const std::vector<rc::Control>& controls = english.DialogTemplate(id).controls;
    std::set<char> keys;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const rc::Control& c = controls[i];
      // Cancel has no key; the ticks of the registration name and the
      // honorific are greyed in English.
      const bool button = (c.kind == "PUSHBUTTON" && c.id != 2) ||
                          (c.kind == "CHECKBOX" && c.id != IDC_TICK_DISP_NAME &&
                           c.id != IDC_TICK_RESPECT);
      // A label names the control after it; a greyed control needs no key.
      const std::string next = i + 1 < controls.size() ? controls[i + 1].kind : std::string();
      const bool label = c.kind == "LTEXT" &&
                         (next == "EDITTEXT" || next == "COMBOBOX" || next == "CONTROL") &&
                         controls[i + 1].style.find("WS_DISABLED") == std::string::npos &&
                         controls[i + 1].id != IDC_RESPECT;
      if (!button && !label) continue;
      const char key = rc::AccessKey(c.text);
      EXPECT_NE(key, 0) << id << ": " << c.text;
      EXPECT_TRUE(keys.insert(key).second) << id << ": " << c.text << " repeats " << key;
    }
  }
  // The registration name field stays greyed in English, and its label
  // says why; the reading is the name.
  for (int id : {IDD_ADDRESS, IDD_GROUP}) {
    const std::vector<rc::Control>& controls = english.DialogTemplate(id).controls;
    ASSERT_GE(controls.size(), 4u);
    EXPECT_EQ(controls[1].id, IDC_DISP_NAME);
    EXPECT_NE(controls[1].style.find("WS_DISABLED"), std::string::npos);
    EXPECT_NE(controls[0].text.find("Japanese only"), std::string::npos);
    EXPECT_EQ(controls[2].text, "&Name:");
    EXPECT_EQ(controls[3].id, IDC_READING);
  }
}

TEST_F(ResourceScripts, AcceleratorsAndToolbarMatchInBothLanguages) {
  const std::vector<std::tuple<std::string, int, std::string>> expected = {
      {"S", 57603, "CONTROL"},          {"O", 57601, "CONTROL"},
      {"N", 57600, "CONTROL"},          {"C", 57634, "CONTROL"},
      {"V", 57637, "CONTROL"},          {"VK_INSERT", 32789, ""},
      {"VK_INSERT", 32790, "SHIFT"},    {"VK_RETURN", 1013, ""},
      {"VK_DELETE", 1015, ""},          {"VK_F1", 57669, "SHIFT"},
      {"X", 57635, "CONTROL"},          {"VK_DELETE", 57635, "SHIFT"},
      {"Z", 57643, "CONTROL"},          {"VK_BACK", 57643, "ALT"},
      {"Y", 57644, "CONTROL"},
  };
  for (rc::Script* script : {&japanese, &english}) {
    std::vector<std::tuple<std::string, int, std::string>> found;
    for (const rc::Accelerator& a : script->Accelerators(IDR_MAINFRAME)) {
      found.emplace_back(a.key, a.id, a.flags);
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(script->ToolBar(IDR_MAINFRAME),
              (std::vector<int>{1, 32, 32, 8, 57603, 0, 32789, 32790, 1013, 32796, 0, 1015}));
  }
}

TEST_F(ResourceScripts, TheFormHoldsTheListAndSixHiddenDisabledButtons) {
  for (rc::Script* script : {&japanese, &english}) {
    const rc::Dialog& form = script->DialogTemplate(IDD_ADDRCONFIG_FORM);
    ASSERT_EQ(form.controls.size(), 7u);
    EXPECT_EQ(form.controls[0].id, IDC_ADDRESS_LIST);
    EXPECT_NE(form.controls[0].style.find("\"SysListView32\""), std::string::npos);
    EXPECT_NE(form.controls[0].style.find("LVS_REPORT"), std::string::npos);
    EXPECT_NE(form.controls[0].style.find("LVS_SHOWSELALWAYS"), std::string::npos);
    EXPECT_NE(form.controls[0].style.find("WS_BORDER"), std::string::npos);
    const int buttons[] = {1001, 1007, 1011, 1013, 1015, 1029};
    for (std::size_t i = 0; i < 6; ++i) {
      const rc::Control& c = form.controls[i + 1];
      EXPECT_EQ(c.kind, "PUSHBUTTON");
      EXPECT_EQ(c.id, buttons[i]);
      EXPECT_NE(c.style.find("NOT WS_VISIBLE"), std::string::npos) << c.id;
      EXPECT_NE(c.style.find("WS_DISABLED"), std::string::npos) << c.id;
    }
  }
  const rc::Dialog& form = japanese.DialogTemplate(IDD_ADDRCONFIG_FORM);
  const char* labels[] = {"TEST", "New Address", "New Group", "Edit", "Delete", "更新"};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(form.controls[i + 1].text, labels[i]);
}

TEST_F(ResourceScripts, TheAboutBoxShowsIconNameVersionCopyrightAndOk) {
  const rc::Dialog& about = japanese.DialogTemplate(IDD_ABOUTBOX);
  EXPECT_EQ(about.caption, "faxbookのﾊﾞｰｼﾞｮﾝ情報");
  ASSERT_EQ(about.controls.size(), 5u);
  EXPECT_EQ(about.controls[0].kind, "ICON");
  EXPECT_EQ(about.controls[1].text, "Address Book for Relay FAX ");
  EXPECT_EQ(about.controls[2].text, "Version 1.4.0");
  EXPECT_NE(about.controls[3].text.find("Copyright"), std::string::npos);
  EXPECT_EQ(about.controls[4].kind, "DEFPUSHBUTTON");
  EXPECT_EQ(about.controls[4].id, 1);
}

// One version everywhere: the about boxes, the program's version resource
// and its manifest (the installer takes its version from the about box).
TEST_F(ResourceScripts, OneVersionInTheAboutBoxesTheVersionResourceAndTheManifest) {
  const std::string shown = japanese.DialogTemplate(IDD_ABOUTBOX).controls[2].text;
  ASSERT_EQ(shown.rfind("Version ", 0), 0u);
  const std::string version = shown.substr(8);
  EXPECT_EQ(english.DialogTemplate(IDD_ABOUTBOX).controls[2].text, shown);
  const auto contents = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  const std::string rc = contents(kSource + "/faxbook/res/faxbook.rc");
  std::string numbers = version;
  for (char& c : numbers) c = c == '.' ? ',' : c;
  for (const std::string& expected :
       {"FILEVERSION " + numbers + ",0", "PRODUCTVERSION " + numbers + ",0",
        "VALUE \"FileVersion\", \"" + version + "\"", "VALUE \"ProductVersion\", \"" + version + "\""}) {
    EXPECT_NE(rc.find(expected), std::string::npos) << expected;
  }
  const std::string manifest = contents(kSource + "/faxbook/res/faxbook.manifest");
  EXPECT_NE(manifest.find("version=\"" + version + ".0\""), std::string::npos);
}

TEST_F(ResourceScripts, TheEditingMessagesAreThereInBothLanguages) {
  const std::pair<int, const char*> texts[] = {
      {61206, "入力ｴﾗｰ"},
      {61207, "新規ｸﾞﾙｰﾌﾟの登録"},
      {61208, "ｸﾞﾙｰﾌﾟの編集"},
      {61211, "新規ｱﾄﾞﾚｽの登録"},
      {61212, "ｱﾄﾞﾚｽの編集"},
      {61224, "選択されたｱﾄﾞﾚｽを削除します"},
      {61227, "ｱﾄﾞﾚｽが設定されていません"},
      {61238, "ｱﾄﾞﾚｽ帳に登録できる最大数(%ld)をｵｰﾊﾞｰします"},
      {61239, "ｸﾞﾙｰﾌﾟに登録できる最大数(%ld)をｵｰﾊﾞｰします"},
      {61263, "選択されたｸﾞﾙｰﾌﾟを削除します"},
      {61270, "一度に複数のﾃﾞｰﾀ削除はできません"},
      {61249, "登録名称が設定されていません"},
      {61250, "登録名称が長すぎます"},
      {61247, "登録名称に使用できない文字が設定されています"},
      {61248, "登録名称は既に使用されています"},
      {61233, "ﾌﾘｶﾞﾅが設定されていません"},
      {61234, "ﾌﾘｶﾞﾅが長すぎます"},
      {61231, "ﾌﾘｶﾞﾅに使用できない文字が設定されています"},
      {61232, "ﾌﾘｶﾞﾅは既に使用されています"},
      {61244, "ﾌｧｸｽ番号が設定されていません"},
      {61245, "ﾌｧｸｽ番号が長すぎます"},
      {61246, "ﾌｧｸｽ番号に使用できない文字が設定されています"},
      {61251, "ｻﾌﾞｱﾄﾞﾚｽが長すぎます"},
      {61252, "ｻﾌﾞｱﾄﾞﾚｽに使用できない文字が設定されています"},
      {61253, "ﾊﾟｽﾜｰﾄﾞが長すぎます"},
      {61254, "ﾊﾟｽﾜｰﾄﾞに使用できない文字が設定されています"},
      {61255, "会社名が長すぎます"},
      {61256, "会社名に使用できない文字が設定されています"},
      {61257, "部署名が長すぎます"},
      {61258, "部署名に使用できない文字が設定されています"},
      {61259, "宛先名称が長すぎます"},
      {61260, "宛先名称に使用できない文字が設定されています"},
      {61265, "ｻﾌﾞｱﾄﾞﾚｽが設定されていません"},
      {61266, "ﾊﾟｽﾜｰﾄﾞが設定されていません"},
      {61267, "会社名が設定されていません"},
      {61268, "部署名が設定されていません"},
      {61269, "宛先名称が設定されていません"},
      {IDS_RESPECT_NONE, "なし"},
      {IDS_RESPECT_ITEM_1, "様"},
      {IDS_RESPECT_ITEM_2, "殿"},
      {IDS_RESPECT_ITEM_3, "御中"},
  };
  for (const auto& t : texts) {
    EXPECT_EQ(japanese.Strings().count(t.first) ? japanese.Strings().at(t.first) : "", t.second)
        << t.first;
    EXPECT_FALSE(english.Strings().count(t.first) == 0 || english.Strings().at(t.first).empty())
        << "English lacks " << t.first;
  }
  // The limit messages keep their number for the program to fill in.
  EXPECT_NE(english.Strings().at(61238).find("%ld"), std::string::npos);
  EXPECT_NE(english.Strings().at(61239).find("%ld"), std::string::npos);
}

TEST_F(ResourceScripts, TheEditingDialogsHoldTheirControlsInTabOrder) {
  struct Template {
    int id;
    const char* caption;
    std::vector<int> controls;  // ids of the controls that have one, in order
  } templates[] = {
      {IDD_ADDRESS, "新規ｱﾄﾞﾚｽの登録",
       {1006, 1005, 1010, 1017, 1018, 1019, 1020, 1022, 1024, 1066, 1, 2}},
      {IDD_GROUP, "新規ｸﾞﾙｰﾌﾟの登録", {1006, 1005, 1003, 1018, 1019, 1016, 1, 2}},
      {IDD_MEMBER_SELECT, "新しいｱﾄﾞﾚｽの追加", {1043, 1020, 1023, 1024, 1044, 1021, 1, 2}},
  };
  for (const Template& t : templates) {
    EXPECT_EQ(japanese.DialogTemplate(t.id).caption, t.caption);
    for (rc::Script* script : {&japanese, &english}) {
      std::vector<int> ids;
      for (const rc::Control& c : script->DialogTemplate(t.id).controls) {
        if (c.id > 0) ids.push_back(c.id);
      }
      EXPECT_EQ(ids, t.controls) << t.id;
    }
  }
  const rc::Dialog& address = japanese.DialogTemplate(IDD_ADDRESS);
  const rc::Control& respect = address.controls[address.controls.size() - 3];
  EXPECT_EQ(respect.id, IDC_RESPECT);
  EXPECT_NE(respect.style.find("CBS_DROPDOWNLIST"), std::string::npos);
  const char* labels[] = {"登録名称", "ﾌﾘｶﾞﾅ", "ﾌｧｸｽ番号", "ｻﾌﾞｱﾄﾞﾚｽ", "ﾊﾟｽﾜｰﾄﾞ", "会社名", "部署名", "宛先名称"};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(address.controls[2 * i].text, labels[i]);
}

TEST_F(ResourceScripts, TheImportAndBulkEditTextsAreThereInBothLanguages) {
  const std::pair<int, const char*> texts[] = {
      {IDS_BOOK_FILTER, "ｱﾄﾞﾚｽ帳ﾃﾞｰﾀﾌｧｲﾙ"},
      {IDS_SAVE_AS_QUESTION, "現在のｱﾄﾞﾚｽﾃﾞｰﾀを名前を変えて保存しますか?"},
      {IDS_BAD_FILE, "選択されたﾌｧｲﾙが正しくありません"},
      {IDS_NOTHING_TO_IMPORT, "登録できるデータがありません"},
  };
  for (const auto& t : texts) {
    EXPECT_EQ(japanese.Strings().count(t.first) ? japanese.Strings().at(t.first) : "", t.second)
        << t.first;
    EXPECT_FALSE(english.Strings().count(t.first) == 0 || english.Strings().at(t.first).empty())
        << "English lacks " << t.first;
  }
}

TEST_F(ResourceScripts, TheMultiEditAndReplaceDialogsHoldTheirControlsInTabOrder) {
  struct Template {
    int id;
    const char* caption;
    std::vector<int> controls;  // ids of the controls that have one, in order
  } templates[] = {
      {IDD_MULTI_EDIT, "複数ｱﾄﾞﾚｽの編集",
       {1069, 1006, 1070, 1005, 1071, 1010, 1072, 1017, 1073, 1018, 1074, 1019, 1075, 1020, 1076,
        1022, 1077, 1066, 1, 2}},
      {IDD_REPLACE, "文字列の置換",
       {1069, 1006, 1007, 1070, 1005, 1008, 1071, 1010, 1011, 1072, 1017, 1021, 1073, 1018, 1023,
        1074, 1019, 1024, 1075, 1020, 1025, 1076, 1022, 1026, 1, 2}},
  };
  const char* labels[] = {"登録名称", "ﾌﾘｶﾞﾅ", "ﾌｧｸｽ番号", "ｻﾌﾞｱﾄﾞﾚｽ", "ﾊﾟｽﾜｰﾄﾞ",
                          "会社名",   "部署名", "宛先名称", "敬称"};
  for (const Template& t : templates) {
    EXPECT_EQ(japanese.DialogTemplate(t.id).caption, t.caption);
    EXPECT_EQ(japanese.DialogTemplate(t.id).language, "LANG_JAPANESE, SUBLANG_DEFAULT");
    EXPECT_EQ(english.DialogTemplate(t.id).language, "LANG_ENGLISH, SUBLANG_ENGLISH_US");
    for (rc::Script* script : {&japanese, &english}) {
      std::vector<int> ids;
      for (const rc::Control& c : script->DialogTemplate(t.id).controls) {
        if (c.id > 0) ids.push_back(c.id);
        // The dialogs toggle their ticks themselves.
        if (c.id >= 1069 && c.id <= 1077) EXPECT_EQ(c.kind, "CHECKBOX") << c.id;
      }
      EXPECT_EQ(ids, t.controls) << t.id;
    }
    std::vector<std::string> ticks;
    for (const rc::Control& c : japanese.DialogTemplate(t.id).controls) {
      if (c.kind == "CHECKBOX") ticks.push_back(c.text);
    }
    const std::size_t count = t.id == IDD_MULTI_EDIT ? 9 : 8;
    EXPECT_EQ(ticks, std::vector<std::string>(labels, labels + count)) << t.id;
  }
  const rc::Dialog& replace = japanese.DialogTemplate(IDD_REPLACE);
  EXPECT_EQ(replace.controls[0].text, "検索文字列");
  EXPECT_EQ(replace.controls[1].text, "置換文字列");
  const rc::Dialog& edit = japanese.DialogTemplate(IDD_MULTI_EDIT);
  const rc::Control& respect = edit.controls[edit.controls.size() - 3];
  EXPECT_EQ(respect.id, IDC_RESPECT);
  EXPECT_NE(respect.style.find("CBS_DROPDOWNLIST"), std::string::npos);
}

TEST_F(ResourceScripts, TheCsvImportTextsAreThereInBothLanguages) {
  const std::pair<int, const char*> texts[] = {
      {IDS_NO_FIELD, "(適用ﾌｨｰﾙﾄﾞ無し)"},
      {IDS_CSV_FILTER, "CSVﾌｧｲﾙ"},
      {IDS_BAD_FILE, "選択されたﾌｧｲﾙが正しくありません"},
      {IDS_EDIT_SEVERAL, "一度に複数のﾃﾞｰﾀ編集はできません"},
      {IDS_COLUMN_SUB_ADDRESS, "ｻﾌﾞｱﾄﾞﾚｽ"},
      {IDS_COLUMN_PASSWORD, "ﾊﾟｽﾜｰﾄﾞ"},
      {IDS_FILE_IN_USE,
       "選択されたﾌｧｲﾙが開けません（他のｱﾌﾟﾘｹｰｼｮﾝによって使用されている可能性があります）"},
      {IDS_IMPORT_WARNING,
       "選択されたﾃﾞｰﾀには使用できない文字を設定しているため登録されないﾃﾞｰﾀ（！）あるいは、"
       "長すぎるため切り捨てられるﾃﾞｰﾀ（？）を含んでいます"},
  };
  for (const auto& t : texts) {
    EXPECT_EQ(japanese.Strings().count(t.first) ? japanese.Strings().at(t.first) : "", t.second)
        << t.first;
    EXPECT_FALSE(english.Strings().count(t.first) == 0 || english.Strings().at(t.first).empty())
        << "English lacks " << t.first;
  }
  // The import's own texts, in both languages, with the values they are
  // filled with.
  const std::pair<int, std::vector<const char*>> own[] = {
      {IDS_REASON_NOT_UTF8, {"%1", "%2"}},  {IDS_REASON_CHOOSE_CODE_PAGE, {}},
      {IDS_REASON_NOT_UTF16, {"%1", "%2"}}, {IDS_CHARSET_UTF16, {}},
      {IDS_IMPORT_SKIPPED, {"%s"}},         {IDS_PATH_NOT_IN_CODE_PAGE, {"%s"}},
  };
  for (rc::Script* script : {&japanese, &english}) {
    for (const auto& t : own) {
      const std::string text = script->Strings().count(t.first) ? script->Strings().at(t.first) : "";
      EXPECT_FALSE(text.empty()) << t.first;
      for (const char* slot : t.second) EXPECT_NE(text.find(slot), std::string::npos) << t.first;
    }
  }
}

TEST_F(ResourceScripts, TheMappingDialogHasACaptionAndATypableComboPerField) {
  const rc::Dialog& map = japanese.DialogTemplate(IDD_CSV_FIELD_MAP);
  EXPECT_EQ(map.caption, "ｱﾄﾞﾚｽ帳ｲﾝﾎﾟｰﾄ");
  // The character set first: a list to choose from, not typable.
  const std::vector<int> ids = {1061, 1051, 1048, 1050, 1052, 1057, 1058, 1059, 1060, 1, 2};
  for (rc::Script* script : {&japanese, &english}) {
    std::vector<int> found;
    for (const rc::Control& c : script->DialogTemplate(IDD_CSV_FIELD_MAP).controls) {
      if (c.id <= 0) continue;
      found.push_back(c.id);
      if (c.kind == "COMBOBOX") {
        const bool charset = c.id == IDC_MAP_CHARSET;
        EXPECT_EQ(c.style.find("CBS_DROPDOWN |") != std::string::npos, !charset)
            << "typable: " << c.id;
        EXPECT_EQ(c.style.find("CBS_DROPDOWNLIST") != std::string::npos, charset) << c.id;
      }
    }
    EXPECT_EQ(found, ids);
  }
  std::vector<std::string> labels;
  for (const rc::Control& c : map.controls) {
    if (c.kind == "LTEXT") labels.push_back(c.text);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"文字コード(&E)", "ｱﾄﾞﾚｽ帳のﾌｨｰﾙﾄﾞ", "ﾃｷｽﾄﾌｨｰﾙﾄﾞ",
                                              "登録名称(&N)", "ﾌﾘｶﾞﾅ(&Y)", "ﾌｧｸｽ番号(&F)",
                                              "ｻﾌﾞｱﾄﾞﾚｽ(&S)", "ﾊﾟｽﾜｰﾄﾞ(&P)", "会社名(&C)",
                                              "部署名(&D)", "宛先名称(&R)"}));
  // In both languages every combo box has the label before it with a key
  // of its own (the registration name's is greyed in English); Japanese
  // labels write theirs after the text, "会社名(&C)".
  for (rc::Script* script : {&japanese, &english}) {
    const std::vector<rc::Control>& controls = script->DialogTemplate(IDD_CSV_FIELD_MAP).controls;
    std::set<char> keys;
    for (std::size_t i = 1; i < controls.size(); ++i) {
      if (controls[i].kind != "COMBOBOX") continue;
      if (script == &english && controls[i].id == IDC_MAP_DISP_NAME) continue;
      const rc::Control& label = controls[i - 1];
      ASSERT_EQ(label.kind, "LTEXT") << controls[i].id;
      const char key = rc::AccessKey(label.text);
      EXPECT_NE(key, 0) << label.text;
      EXPECT_TRUE(keys.insert(key).second) << label.text << " repeats " << key;
      if (script == &japanese) {
        EXPECT_EQ(label.text.substr(label.text.size() - 4), std::string("(&") + key + ")")
            << label.text;
      }
    }
  }
}

TEST_F(ResourceScripts, TheConfirmationHoldsItsOwnerDrawnListCountersAndButtons) {
  const rc::Dialog& confirm = japanese.DialogTemplate(IDD_IMPORT_CONFIRM);
  EXPECT_EQ(confirm.caption, "ｲﾝﾎﾟｰﾄ内容の確認");
  std::map<int, rc::Control> byId;
  std::vector<std::string> labels;
  for (const rc::Control& c : confirm.controls) {
    if (c.id > 0) byId[c.id] = c;
    if (c.kind == "LTEXT") labels.push_back(c.text);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"選択したｱﾄﾞﾚｽ数", "追加したｱﾄﾞﾚｽ数"}));
  EXPECT_EQ(byId[1051].text, "ｱﾄﾞﾚｽ帳に追加する");
  EXPECT_EQ(byId[1062].text, "編集");
  EXPECT_EQ(byId[1].text, "OK");
  EXPECT_EQ(byId[1068].text, "戻る");
  for (rc::Script* script : {&japanese, &english}) {
    std::map<int, rc::Control> controls;
    for (const rc::Control& c : script->DialogTemplate(IDD_IMPORT_CONFIRM).controls) {
      if (c.id > 0) controls[c.id] = c;
    }
    std::vector<int> ids;
    for (const auto& c : controls) ids.push_back(c.first);
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 1049, 1051, 1059, 1060, 1062, 1063, 1068}));
    const std::string& list = controls[1049].style;
    for (const char* style : {"\"SysListView32\"", "LVS_REPORT", "LVS_SHOWSELALWAYS",
                              "LVS_OWNERDRAWFIXED", "LVS_OWNERDATA"}) {
      EXPECT_NE(list.find(style), std::string::npos) << style;
    }
    EXPECT_EQ(list.find("LVS_SINGLESEL"), std::string::npos) << "several rows may be selected";
    EXPECT_NE(controls[2].style.find("NOT WS_VISIBLE"), std::string::npos) << "a hidden Cancel";
    for (int counter : {1059, 1060}) {
      EXPECT_EQ(controls[counter].kind, "EDITTEXT");
      EXPECT_NE(controls[counter].style.find("ES_READONLY"), std::string::npos);
    }
    // Every reason of the focused row can be read: three lines as wide as
    // the list, wrapped, scrolled when there are more.
    const rc::Control& reason = controls[IDC_CONFIRM_REASON];
    EXPECT_EQ(reason.kind, "EDITTEXT");
    for (const char* style : {"ES_MULTILINE", "ES_READONLY", "WS_VSCROLL"}) {
      EXPECT_NE(reason.style.find(style), std::string::npos) << style;
    }
    EXPECT_EQ(reason.style.find("ES_AUTOHSCROLL"), std::string::npos) << "lines wrap";
    const std::vector<int> box = Rect(reason), listBox = Rect(controls[1049]);
    ASSERT_EQ(box.size(), 4u);
    ASSERT_EQ(listBox.size(), 4u);
    EXPECT_EQ(box[2], listBox[2]);
    EXPECT_GE(box[3], 24) << "three lines of text";
    // Below the counters, above the buttons.
    EXPECT_GT(box[1], Rect(controls[1059])[1] + Rect(controls[1059])[3]);
    EXPECT_LT(box[1] + box[3], Rect(controls[1051])[1]);
  }
}

}  // namespace
