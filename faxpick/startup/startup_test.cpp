// The picker's start-up: language, command line, the places of the
// exchange file, its settings and the personal book.
#include <gtest/gtest.h>

#include "tests/support/picker_harness.h"
#include "faxpick/res/resource.h"
#include "faxpick/startup/book_choice.h"
#include "faxpick/startup/command_line.h"
#include "faxpick/startup/locations.h"
#include "faxpick/startup/ui_language.h"

namespace picker {
namespace {

TEST(UiLanguage, IsThePrimaryLanguageWithChineseToldApartByRegion) {
  const std::pair<const char*, int> cases[] = {
      {"0411", 17}, {"0409", 9},  {"0809", 9},   {"0407", 7},   {"0807", 7},   {"0c07", 7},
      {"0C0A", 10}, {"040c", 12}, {"0410", 16},  {"0412", 18},  {"0404", 193}, {"0C04", 193},
      {"1404", 193}, {"0804", 192}, {"1004", 9}, {"7c04", 4},   {"0419", 25},  {"041x", 0x41},
  };
  for (const auto& [text, language] : cases) {
    EXPECT_EQ(UiLanguageFrom(true, text), language) << text;
  }
  EXPECT_EQ(UiLanguageFrom(false, "0411"), 9);
}

TEST(UiLanguage, ChoosesItsLibraryThenEnglishThenNoneAndKeepsTheLanguage) {
  struct Case {
    const char* locale;
    bool japaneseLibrary;
    bool englishLibrary;
    const char* expectedLibrary;
    int language;
  };
  const Case cases[] = {
      {"0411", true, true, "pickresJPN.dll", 17},
      {"0411", false, true, "pickresENG.dll", 17},
      {"0411", false, false, "", 17},
      {"0407", true, true, "pickresENG.dll", 7},  // no German library
      {"0409", true, false, "", 9},
  };
  for (const Case& c : cases) {
    PickerHarness h;
    h.locale.language = c.locale;
    h.resources = ui::FakeResources();
    if (c.japaneseLibrary) h.resources.AddLibrary("pickresJPN.dll", {});
    if (c.englishLibrary) h.resources.AddLibrary("pickresENG.dll", {});
    CFaxpickApp app(h.Services());
    app.ChooseLanguage();
    EXPECT_EQ(h.resources.LibraryInUse(), c.expectedLibrary) << c.locale;
    EXPECT_EQ(app.UiLanguage(), c.language) << c.locale;
  }
  EXPECT_STREQ(FilesFor(17).helpFile, "faxpickJP.hlp");
  EXPECT_STREQ(FilesFor(193).library, "pickresTCHI.dll");
  EXPECT_STREQ(FilesFor(25).helpFile, "faxpickEN.hlp");
}

TEST(CommandLine, TakesTheTwoQuotedValuesWithinTheirLimits) {
  const std::string longPath(300, 'p');
  struct Case {
    std::string line;
    std::string path;
    std::string version;
  };
  const Case cases[] = {
      {"", "", ""},
      {"\"C:\\Spool\\drv.dll\" \"2.1\"", "C:\\Spool\\drv.dll", "2.1"},
      {"\"C:\\Spool\\drv.dll\"", "C:\\Spool\\drv.dll", ""},
      {"\"C:\\Spool\\drv.dll", "C:\\Spool\\drv.dll", ""},
      {"\"a\" \"2.1", "a", "2.1"},
      {"\"a\" \"1234567890123456789\"", "a", "123456789012345"},
      {"\"" + longPath + "\" \"2\"", std::string(259, 'p'), ""},
      {"\"" + std::string(250, 'p') + "\" \"123456789\"", std::string(250, 'p'), "123456"},
      {"x", "", ""},
  };
  for (const Case& c : cases) {
    const SpoolerArguments args = ParseCommandLine(c.line);
    EXPECT_EQ(args.path, c.path) << c.line;
    EXPECT_EQ(args.version, c.version) << c.line;
  }
}

struct Located {
  std::string exchange;
  std::string personal;
  std::vector<std::string> messages;
  std::vector<std::string> created;
};

Located Locate(PickerHarness& h, const std::string& commandLine) {
  PickerStrings strings(h.resources, 932);
  h.resources.UseLanguageLibrary("pickresJPN.dll");
  PickerServices services = h.Services();
  PickerLocations locations(services, strings);
  Located out;
  out.exchange = locations.ExchangeFilePath(ParseCommandLine(commandLine));
  out.personal = locations.PersonalBookPath();
  out.messages = h.Messages();
  out.created = h.shell.created;
  return out;
}

TEST(Locations, FollowTheSystemClass) {
  const std::string appData = "C:\\Users\\user\\AppData\\Roaming";
  const std::string docs = PickerHarness::kDocuments;
  struct Case {
    int major;
    std::string commandLine;
    std::string exchange;
    std::string personal;
  };
  const Case cases[] = {
      {6, PickerHarness::kCommandLine, appData + "\\BrevantZelo\\RelayFax\\2.1\\SendList.ini",
       appData + "\\BrevantZelo\\FaxbookDATA\\address.fdt"},
      {10, "\"C:\\S\\s.dll\" \"3.0\"", appData + "\\BrevantZelo\\RelayFax\\3.0\\SendList.ini",
       appData + "\\BrevantZelo\\FaxbookDATA\\address.fdt"},
      {5, "\"C:\\S\\s.dll\"", docs + "\\BrevantZelo\\RelayFax\\2.1\\SendList.ini",
       docs + "\\BrevantZelo\\FaxbookDATA\\address.fdt"},
      {4, "\"D:\\Drv\\\x95\x5C\\spool.dll\" \"9\"", "D:\\Drv\\\x95\x5C\\SendList.ini",
       "C:\\Old\\address.fdt"},
      {4, "", "C:\\Spool\\SendList.ini", "C:\\Old\\address.fdt"},
  };
  for (const Case& c : cases) {
    PickerHarness h;
    h.system.majorVersion = c.major;
    h.shell.folders[sys::kFolderAppData] = appData;
    h.registry.Set("SOFTWARE\\Brevant Zelo\\RelayFAX\\AddressBook", "FileName", "C:\\Old\\address.fdt");
    const Located got = Locate(h, c.commandLine);
    EXPECT_EQ(got.exchange, c.exchange) << c.major << " " << c.commandLine;
    EXPECT_EQ(got.personal, c.personal) << c.major;
    EXPECT_TRUE(got.messages.empty()) << c.major;
  }
}

TEST(Locations, CreateTheFoldersOfTheExchangeFileAndTheBook) {
  PickerHarness h;
  const Located got = Locate(h, PickerHarness::kCommandLine);
  const std::string docs = PickerHarness::kDocuments;
  EXPECT_EQ(got.created, (std::vector<std::string>{
                             docs + "\\BrevantZelo", docs + "\\BrevantZelo\\RelayFax",
                             docs + "\\BrevantZelo\\RelayFax\\2.1",
                             docs + "\\BrevantZelo\\FaxbookDATA"}));
}

TEST(Locations, ReportWhatCannotBeComposed) {
  struct Case {
    const char* what;
    int major;
    sys::FolderLookup shell;
    bool spoolerInRegistry;
    bool folderFails;
    bool exchangeComposed;
    bool personalComposed;
    std::vector<std::string> messages;
  };
  const std::string noLibrary = "Cann't Load Shell32.dll";
  const std::string noFunction = "Cann't Get ProcAddress SHGetSpecialFolderPath()";
  const Case cases[] = {
      {"no spooler values", 5, sys::FolderLookup::kFound, false, false, false, true, {}},
      {"no shell library", 5, sys::FolderLookup::kNoShellLibrary, true, false, false, false,
       {noLibrary, noFunction, noLibrary, noFunction}},
      {"no shell function", 6, sys::FolderLookup::kNoFunction, true, false, false, false,
       {noFunction, noFunction}},
      {"no special folder", 5, sys::FolderLookup::kFailed, true, false, false, false,
       {"Fail to Get Special Folder Path"}},
      {"a folder not created", 5, sys::FolderLookup::kFound, true, true, false, true,
       {std::string("Fail to Create Folder ") + PickerHarness::kDocuments + "\\BrevantZelo"}},
      {"no spooler path on NT4", 4, sys::FolderLookup::kFound, false, false, false, true,
       {"Fail to Get Spooler Full Path"}},
  };
  for (const Case& c : cases) {
    PickerHarness h;
    h.system.majorVersion = c.major;
    if (c.shell != sys::FolderLookup::kFound) h.shell.failure = c.shell;
    if (c.shell == sys::FolderLookup::kFailed) h.shell.folders.clear();
    if (!c.spoolerInRegistry) h.registry.Remove(PickerHarness::kSpoolerKey, "InstallPath");
    if (!c.spoolerInRegistry && c.major != 4) h.registry.Remove(PickerHarness::kSpoolerKey, "Version");
    if (c.folderFails) h.shell.uncreatable.insert(std::string(PickerHarness::kDocuments) + "\\BrevantZelo");
    h.registry.Set("SOFTWARE\\Brevant Zelo\\RelayFAX\\AddressBook", "FileName", "C:\\Old\\address.fdt");
    const Located got = Locate(h, "");
    EXPECT_EQ(!got.exchange.empty(), c.exchangeComposed) << c.what << ": " << got.exchange;
    EXPECT_EQ(!got.personal.empty(), c.personalComposed) << c.what;
    EXPECT_EQ(got.messages, c.messages) << c.what;
    for (const ui::ShownMessage& m : h.boxes.Shown()) EXPECT_EQ(m.caption, "ERROR") << c.what;
  }
}

TEST(BookChoice, IsReadFromTheSettingsFile) {
  struct Case {
    const char* what;
    const char* file;  // null: no settings file
    BookChoice expected;
  };
  const Case cases[] = {
      {"no file", nullptr, {0, "", ""}},
      {"no TYPE", "[PARAM]\r\nHostName=h\r\nFilePath=\\s\\a.fdt\r\n", {0, "", ""}},
      {"shared on a host", "[PARAM]\r\nTYPE=1\r\nHostName=srv\r\nFilePath=\\s\\a.fdt\r\n",
       {1, "srv", "\\s\\a.fdt"}},
      {"shared on a drive", "[param]\r\ntype = 1\r\nFilePath=\"Z:\\b\\a.fdt\"\r\n", {1, "", "Z:\\b\\a.fdt"}},
      {"personal", "[PARAM]\r\nTYPE=0\r\nHostName=srv\r\nFilePath=x\r\n", {0, "", ""}},
      {"another number", "[PARAM]\r\nTYPE=2\r\nHostName=srv\r\n", {0, "", ""}},
  };
  for (const Case& c : cases) {
    PickerHarness h;
    if (c.file) h.files.SetFile("C:\\x\\FilePath.ini", c.file);
    const BookChoice got = ReadBookChoice(h.files, h.ini, "C:\\x\\FilePath.ini");
    EXPECT_EQ(got.shareMode, c.expected.shareMode) << c.what;
    EXPECT_EQ(got.shareHost, c.expected.shareHost) << c.what;
    EXPECT_EQ(got.sharePath, c.expected.sharePath) << c.what;
  }
}

TEST(BookChoice, SplitsAChosenPathIntoHostAndPath) {
  const std::pair<std::string, BookChoice> cases[] = {
      {"\\\\srv\\share\\dir\\a.fdt", {1, "srv", "\\share\\dir\\a.fdt"}},
      {"\\\\a\\b.fdt", {1, "a", "\\b.fdt"}},
      {"C:\\Books\\a.fdt", {1, "", "C:\\Books\\a.fdt"}},
      {"\\\\\x95\x5C\x96\x7B\\s\\a.fdt", {1, "\x95\x5C\x96\x7B", "\\s\\a.fdt"}},
      {"\\\\srv", {1, "srv", ""}},
  };
  for (const auto& [path, expected] : cases) {
    const BookChoice got = SharedChoiceFor(932, path);
    EXPECT_EQ(got.shareHost, expected.shareHost) << path;
    EXPECT_EQ(got.sharePath, expected.sharePath) << path;
  }
}

}  // namespace
}  // namespace picker

namespace picker {
namespace {

TEST(CounterText, FillsTheLibrarysFormatWithTheCountAndWhatIsFree) {
  const std::pair<const char*, const char*> cases[] = {
      {"%d registered, %d free", "3 registered, -2 free"},
      {"\x93\x6F\x98\x5E\x90\x6C\x90\x94", "\x93\x6F\x98\x5E\x90\x6C\x90\x94"},  // no conversions
      {"%d of 80 (%d%%)", "3 of 80 (-2%)"},
      {"[%3d] [%-4ld]", "[3] [-2]"},
      {"only %d", "only 3"},
      {"%d %d %d", "3 -2 %d"},
      {"100% %x %d", "100% %x 3"},
  };
  for (const auto& [format, text] : cases) {
    EXPECT_EQ(ui::FormatText(format, std::vector<std::string>{"3", "-2"}), text) << format;
  }
}

}  // namespace
}  // namespace picker
