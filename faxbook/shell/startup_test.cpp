// Start-up on the in-memory backends: single instance, installation check,
// language, system classes, data folders and the first load.
#include <gtest/gtest.h>

#include "faxbook/res/resource.h"
#include "faxbook/shell/language.h"
#include "tests/support/editor_harness.h"

namespace {

TEST(Startup, FirstStartOnXpCreatesTheDataFolderAndSeedsTheBookFromTheOldLocation) {
  EditorHarness editor;
  editor.SetOldBook("any header\r\n[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0\r\n"
                    "[FAX_ADDR]=1,2,Abe,ABE,03-2,,,,,,0\r\n");
  editor.folders.current = "C:\\work";
  editor.folders.existing.insert("C:\\work");
  ASSERT_TRUE(editor.Start());

  const std::string vendor = std::string(EditorHarness::kDocuments) + "\\BrevantZelo";
  EXPECT_EQ(editor.folders.created,
            (std::vector<std::string>{vendor, vendor + "\\FaxbookData"}));
  EXPECT_EQ(editor.folders.rightsOpened, (std::vector<std::string>{vendor + "\\FaxbookData"}));
  EXPECT_EQ(editor.folders.current, "C:\\work");
  EXPECT_EQ(editor.Document().PrimaryPath(), editor.DataFile());
  EXPECT_EQ(editor.Document().OldPath(), EditorHarness::kOldBook);
  EXPECT_EQ(*editor.files.File(editor.DataFile()),
            Book({"[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0", "[FAX_ADDR]=1,2,Abe,ABE,03-2,,,,,,0"}));
  EXPECT_TRUE(editor.files.HasOpenAccess(editor.DataFile()));
  EXPECT_EQ(editor.Column(1), (std::vector<std::string>{"ABE", "KITA"}));
  EXPECT_EQ(editor.CountPane(), "2");

  EXPECT_EQ(editor.instance.ownMutex, "FaxbookData Edit");
  EXPECT_EQ(editor.host.Title(), "Address Book for Relay FAX");
  EXPECT_TRUE(editor.host.Shown());
  EXPECT_FALSE(editor.Document().IsModified());
  EXPECT_FALSE(editor.host.IsMenuItemEnabled(ID_FILE_APPLY));
  EXPECT_EQ(editor.cursor.Depth(), 0);
  EXPECT_TRUE(editor.boxes.Shown().empty());
}

TEST(Startup, AnExistingDataFolderIsEnteredNotCreatedAndItsBookWins) {
  EditorHarness editor;
  const std::string vendor = std::string(EditorHarness::kDocuments) + "\\BrevantZelo";
  editor.folders.existing.insert(vendor);
  editor.folders.existing.insert(vendor + "\\FaxbookData");
  editor.files.SetFile(editor.DataFile(), Book({"[FAX_ADDR]=1,1,Mine,MINE,1,,,,,,0"}));
  editor.SetOldBook(Book({"[FAX_ADDR]=1,1,Old,OLD,1,,,,,,0"}));
  ASSERT_TRUE(editor.Start());
  EXPECT_TRUE(editor.folders.created.empty());
  EXPECT_EQ(editor.folders.rightsOpened.size(), 1u);
  EXPECT_EQ(editor.Column(1), (std::vector<std::string>{"MINE"}));
}

TEST(Startup, SystemClassesChooseTheSpecialFolderOrTheRegistryPath) {
  struct Case {
    int major;
    int systemClass;
    int folderAsked;  // 0: none
    bool underDataFolder;
  };
  const Case cases[] = {
      {5, 1, 5, true}, {6, 2, 26, true}, {4, 0, 0, false}, {10, 0, 0, false}, {3, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.major);
    EditorHarness editor;
    editor.system.majorVersion = c.major;
    editor.system.specialFolders[sys::kFolderAppData] = "C:\\Users\\u\\AppData\\Roaming";
    editor.files.SetFile(EditorHarness::kOldBook, Book({"[FAX_ADDR]=1,1,Reg,REG,1,,,,,,0"}));
    ASSERT_TRUE(editor.Start());
    EXPECT_EQ(editor.app->SystemClass(), c.systemClass);
    if (c.folderAsked == 0) {
      EXPECT_TRUE(editor.system.foldersAsked.empty());
      EXPECT_EQ(editor.Document().PrimaryPath(), EditorHarness::kOldBook);
      EXPECT_EQ(editor.Document().OldPath(), "");
      EXPECT_TRUE(editor.folders.created.empty());
    } else {
      EXPECT_EQ(editor.system.foldersAsked, std::vector<int>{c.folderAsked});
      const std::string root = c.folderAsked == 5 ? EditorHarness::kDocuments
                                                  : "C:\\Users\\u\\AppData\\Roaming";
      EXPECT_EQ(editor.Document().PrimaryPath(), root + "\\BrevantZelo\\FaxbookData\\address.fdt");
    }
    // Either way the registry's book is what the list shows: read in place
    // on class 0, copied into the new data file on classes 1 and 2.
    EXPECT_EQ(editor.Column(1), (std::vector<std::string>{"REG"}));
  }
}

TEST(Startup, WithoutTheShellFunctionTheBookLiesUnderTheDriveRoot) {
  EditorHarness editor;
  editor.system.hasShellFunction = false;
  editor.folders.existing.insert("\\BrevantZelo");
  ASSERT_TRUE(editor.Start());
  EXPECT_EQ(editor.app->SpecialFolder(), "");
  EXPECT_EQ(editor.Document().PrimaryPath(), "\\BrevantZelo\\FaxbookData\\address.fdt");
  EXPECT_EQ(editor.folders.created, std::vector<std::string>{"\\BrevantZelo\\FaxbookData"});
  EXPECT_TRUE(editor.boxes.Shown().empty());
}

TEST(Startup, AMissingOrOverlongFileNameStopsAtTheInstallationCheck) {
  struct Case {
    const char* name;
    bool keyPresent;
    std::string fileName;
  };
  const Case cases[] = {
      {"no value", false, ""},
      {"256 bytes do not fit the buffer", true, std::string(256, 'x')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditorHarness editor;
    editor.registry.Remove(kAddressBookKey, kValueFileName);
    if (c.keyPresent) editor.registry.Set(kAddressBookKey, kValueFileName, c.fileName);
    EXPECT_FALSE(editor.Start());
    ASSERT_EQ(editor.boxes.Shown().size(), 1u);
    EXPECT_EQ(editor.boxes.Last().text, Marker(IDS_BAD_INSTALLATION));
    EXPECT_EQ(editor.boxes.Last().caption, "Address Book for Relay FAX");
    EXPECT_EQ(editor.boxes.Last().icon, ui::Icon::kStop);
    EXPECT_FALSE(editor.host.Created());
    EXPECT_EQ(editor.files.FileCount(), 0u);
    EXPECT_TRUE(editor.folders.created.empty());
  }
  // 255 bytes still fit.
  EditorHarness editor;
  editor.system.majorVersion = 4;
  editor.registry.Set(kAddressBookKey, kValueFileName, std::string(255, 'y'));
  EXPECT_TRUE(editor.Start());
  EXPECT_EQ(editor.Document().PrimaryPath(), std::string(255, 'y'));
}

TEST(Startup, ASecondEditorRaisesTheFirstAndEnds) {
  EditorHarness editor;
  editor.instance.heldMutexes.insert("FaxbookData Edit");
  editor.instance.windows.insert("Address Book for Relay FAX");
  EXPECT_FALSE(editor.Start());
  EXPECT_EQ(editor.instance.raised, std::vector<std::string>{"Address Book for Relay FAX"});
  EXPECT_FALSE(editor.host.Created());
  EXPECT_TRUE(editor.boxes.Shown().empty());
  EXPECT_EQ(editor.resources.LibraryInUse(), "");

  EditorHarness failing;
  failing.instance.failMutex = true;
  EXPECT_FALSE(failing.Start());
  EXPECT_TRUE(failing.instance.raised.empty());
  EXPECT_FALSE(failing.host.Created());
}

TEST(Startup, ExitReleasesTheMutex) {
  EditorHarness editor;
  ASSERT_TRUE(editor.Start());
  EXPECT_EQ(editor.instance.ownMutex, "FaxbookData Edit");
  editor.app->ExitInstance();
  EXPECT_EQ(editor.instance.ownMutex, "");
}

TEST(Startup, TheLanguageLibraryServesEveryStringOnceLoaded) {
  EditorHarness editor;
  editor.resources.AddLibrary("ledgresLC.dll", {{IDS_APP_TITLE, "Address Book for Relay FAX"},
                                                {IDS_COLUMN_NAME, "Name"}});
  ASSERT_TRUE(editor.Start());
  EXPECT_EQ(editor.resources.LibraryInUse(), "ledgresLC.dll");
  EXPECT_EQ(editor.List().Header(0), "Name");
  // Strings the library lacks load empty: the program's own are not mixed in.
  EXPECT_EQ(editor.List().Header(1), "");
}

TEST(Startup, TheLanguageValueDecidesTheListLayout) {
  struct Case {
    const char* value;  // nullptr: no value
    int langId;
    int columns;
  };
  const Case cases[] = {
      {nullptr, 1041, 6},  {"Japanese", 1041, 6}, {"kOrEaN", 1042, 5},
      {"Klingon", 1033, 5}, {"", 1033, 5},          {"english", 1033, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value ? c.value : "(none)");
    EditorHarness editor;
    if (c.value) editor.SetLanguage(c.value);
    ASSERT_TRUE(editor.Start());
    EXPECT_EQ(editor.LangId(), c.langId);
    EXPECT_EQ(editor.List().ColumnCount(), c.columns);
    EXPECT_EQ(editor.View().SortColumn(), c.columns == 6 ? 1 : 0);
  }
  EditorHarness overlong;
  overlong.SetLanguage(std::string(300, 'E'));
  ASSERT_TRUE(overlong.Start());
  EXPECT_EQ(overlong.LangId(), 1041);
}

TEST(Startup, AFrameWithoutToolbarOrStatusBarEndsTheStart) {
  for (bool toolbar : {true, false}) {
    EditorHarness editor;
    if (toolbar) {
      editor.host.FailToolBar();
    } else {
      editor.host.FailStatusBar();
    }
    EXPECT_FALSE(editor.Start());
    EXPECT_FALSE(editor.host.Shown());
  }
}

TEST(Startup, ABookThatCannotBeReadIsNamedAndNeverWrittenOver) {
  struct Case {
    const char* what;
    void (*arrange)(EditorHarness&);
  } cases[] = {
      {"access denied", [](EditorHarness& e) { e.files.Deny(e.DataFile()); }},
      {"held open by another program",
       [](EditorHarness& e) { e.files.HoldOpen(e.DataFile(), false); }},
      {"larger than the read limit",
       [](EditorHarness& e) { e.files.SetError(e.DataFile(), sys::FileError::kTooLarge); }},
      {"a device error part way",
       [](EditorHarness& e) { e.files.FailReadAfter(e.DataFile(), 60); }},
  };
  const std::string book = Book({"[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EditorHarness editor;
    editor.files.SetFile(editor.DataFile(), book);
    c.arrange(editor);
    ASSERT_TRUE(editor.Start());
    EXPECT_EQ(editor.List().ItemCount(), 0);
    EXPECT_EQ(editor.CountPane(), "0");
    ASSERT_EQ(editor.Messages().size(), 1u);
    EXPECT_EQ(editor.Messages()[0], ui::FormatText(Marker(IDS_BOOK_UNREADABLE), editor.DataFile()));

    // Whatever the user does next, apply does not write the empty book.
    {
      store::BookStep step(editor.TheBook());
      store::AddressRecord record;
      record.regNo = 1;
      record.dispNameJP = "NEW";
      editor.TheBook().Add(record);
    }
    editor.Frame().OnCommand(ID_FILE_APPLY);
    ASSERT_EQ(editor.Messages().size(), 2u);
    EXPECT_EQ(editor.Messages()[1], ui::FormatText(Marker(IDS_BOOK_PROTECTED), editor.DataFile()));
    EXPECT_TRUE(editor.Document().IsModified());
    EXPECT_EQ(*editor.files.File(editor.DataFile()), book);
  }
}

TEST(Startup, OnceTheBookCanBeReadItLoadsAndAppliesAgain) {
  EditorHarness editor;
  const std::string book = Book({"[FAX_ADDR]=1,1,Kita,KITA,03-1,,,,,,0"});
  editor.files.SetFile(editor.DataFile(), book);
  editor.files.HoldOpen(editor.DataFile(), false);
  ASSERT_TRUE(editor.Start());
  editor.files.Release(editor.DataFile());
  editor.Frame().OnCommand(ID_FILE_NEW);  // reads the book again
  EXPECT_EQ(editor.Column(1), (std::vector<std::string>{"KITA"}));
  store::EntryTexts texts = editor.TheBook().RecordAt(0);
  texts.faxNumber = "03-2";
  {
    store::BookStep step(editor.TheBook());
    editor.TheBook().Change(editor.TheBook().IdAt(0), texts);
  }
  editor.Frame().OnCommand(ID_FILE_APPLY);
  EXPECT_FALSE(editor.Document().IsModified());
  EXPECT_EQ(*editor.files.File(editor.DataFile()),
            Book({"[FAX_ADDR]=1,1,Kita,KITA,03-2,,,,,,0"}));
  EXPECT_EQ(editor.Messages().size(), 1u);
}

}  // namespace
