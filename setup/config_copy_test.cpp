// The copy rules of bzMyCopyFile.
#include "setup/config_copy.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_secure_files.h"

namespace {

using sys::FakeSecureFiles;

TEST(SplitPath, SplitsLikeTheRuntime) {
  struct Case {
    int codePage;
    const char* path;
    const char* drive;
    const char* folder;
    const char* name;
    const char* extension;
  };
  const Case cases[] = {
      {1252, "C:\\Setup\\Data\\FilePath.ini", "C:", "\\Setup\\Data\\", "FilePath", ".ini"},
      {1252, "D:\\media/setup\\a.b.txt", "D:", "\\media/setup\\", "a.b", ".txt"},
      {1252, "readme", "", "", "readme", ""},
      {1252, "C:name.", "C:", "", "name", "."},
      {1252, "\\\\host\\share\\dir.d\\noext", "", "\\\\host\\share\\dir.d\\", "noext", ""},
      {1252, "C:\\dir\\", "C:", "\\dir\\", "", ""},
      // 0x95 0x5C is one character in code page 932; its trail byte is not
      // a backslash there, but is one in a single-byte page.
      {932, "C:\\\x95\x5C.ini", "C:", "\\", "\x95\x5C", ".ini"},
      {1252, "C:\\\x95\x5C.ini", "C:", "\\\x95\\", "", ".ini"},
      {932, "C:\\\x83\x5C\\f.txt", "C:", "\\\x83\x5C\\", "f", ".txt"},
  };
  for (const Case& c : cases) {
    const setup::PathParts parts = setup::SplitPath(c.codePage, c.path);
    EXPECT_EQ(parts.drive, c.drive) << c.path;
    EXPECT_EQ(parts.folder, c.folder) << c.path;
    EXPECT_EQ(parts.name, c.name) << c.path;
    EXPECT_EQ(parts.extension, c.extension) << c.path;
  }
}

TEST(TextModeCopy, KeepsCrLfWidensLoneLfAndStopsAtCtrlZ) {
  struct Case {
    std::string source;
    std::string copy;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb", "a\rb"},
      {"a\r\r\nb", "a\r\r\nb"},
      {"end\r", "end\r"},
      {"a\r\n\x1A" "b\r\n", "a\r\n"},
      {"\x1A", ""},
      {std::string("a\0b\n", 4), std::string("a\0b\r\n", 5)},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(setup::TextModeCopy(c.source), c.copy) << c.source;
  }
}

constexpr const char* kDocuments = "C:\\Users\\Public\\Documents";
constexpr const char* kTarget = "C:\\Users\\Public\\Documents\\BrevantZelo\\FaxbookData\\Setup.ini";
constexpr const char* kSource = "D:\\media\\Setup.ini";

FakeSecureFiles Installation() {
  FakeSecureFiles files;
  files.SetCommonDocuments(kDocuments);
  files.AddFolder(kDocuments);
  files.AddFolder("C:\\Users\\Public\\Documents\\BrevantZelo");
  files.AddFolder("C:\\Users\\Public\\Documents\\BrevantZelo\\FaxbookData");
  files.AddFile(kSource, "[PARAM]\nTYPE=0\r\n");
  return files;
}

bool Copy(FakeSecureFiles& files, int overwrite, const std::string& source = kSource,
          const std::string& folder = "BrevantZelo\\FaxbookData") {
  return setup::CopyConfigFile(files, files, 1252, source, folder, overwrite);
}

TEST(CopyConfigFile, CreatesTheCopyWithOpenAccess) {
  FakeSecureFiles files = Installation();
  EXPECT_TRUE(Copy(files, 0));
  const FakeSecureFiles::Node* copy = files.Find(kTarget);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->bytes, "[PARAM]\r\nTYPE=0\r\n");
  EXPECT_EQ(copy->origin, FakeSecureFiles::DaclOrigin::kCreated);
  ASSERT_EQ(copy->dacl.entries.size(), 1u);
  EXPECT_EQ(copy->dacl.entries[0],
            (sys::AccessEntry{sys::Account::kEveryone, sys::kGenericAll, 0}));
  EXPECT_EQ(copy->dacl.capacity, 1024u);
}

TEST(CopyConfigFile, OnlyOverwriteOneReplacesAnExistingCopy) {
  const sys::AccessList restricted{32, {{sys::Account::kAdministrators, sys::kGenericAll, 0}}};
  for (int overwrite : {0, 2, -1, 1}) {
    FakeSecureFiles files = Installation();
    files.AddFile(kTarget, "user's\nsettings");
    files.GiveDacl(kTarget, restricted);
    Copy(files, overwrite);
    const FakeSecureFiles::Node* copy = files.Find(kTarget);
    ASSERT_NE(copy, nullptr);
    if (overwrite == 1) {
      EXPECT_EQ(copy->bytes, "[PARAM]\r\nTYPE=0\r\n");
      EXPECT_EQ(copy->origin, FakeSecureFiles::DaclOrigin::kCreated);
      EXPECT_EQ(copy->dacl.entries.size(), 1u);
    } else {
      EXPECT_EQ(copy->bytes, "user's\nsettings") << overwrite;
      EXPECT_EQ(copy->origin, FakeSecureFiles::DaclOrigin::kGiven) << overwrite;
    }
  }
}

TEST(CopyConfigFile, FailuresLeaveEverythingAsItWas) {
  struct Case {
    const char* what;
    void (*arrange)(FakeSecureFiles&);
    const char* source;
    const char* folder;
  };
  const Case cases[] = {
      {"folder missing", [](FakeSecureFiles&) {}, kSource, "BrevantZelo\\Missing"},
      {"source missing", [](FakeSecureFiles&) {}, "D:\\media\\none.ini",
       "BrevantZelo\\FaxbookData"},
      {"no documents folder",
       [](FakeSecureFiles& f) { f.SetCommonDocuments("", false); }, kSource,
       "BrevantZelo\\FaxbookData"},
      {"source unreadable", [](FakeSecureFiles& f) { f.Deny(kSource); }, kSource,
       "BrevantZelo\\FaxbookData"},
  };
  for (const Case& c : cases) {
    FakeSecureFiles files = Installation();
    c.arrange(files);
    const std::size_t before = files.Count();
    EXPECT_FALSE(Copy(files, 1, c.source, c.folder)) << c.what;
    EXPECT_EQ(files.Count(), before) << c.what;
  }
  // A source that cannot be read does not cost the user the copy in place.
  FakeSecureFiles files = Installation();
  files.AddFile(kTarget, "kept");
  EXPECT_FALSE(Copy(files, 1, "D:\\media\\none.ini"));
  ASSERT_NE(files.Find(kTarget), nullptr);
  EXPECT_EQ(files.Find(kTarget)->bytes, "kept");
}

TEST(CopyConfigFile, LongLinesArriveWhole) {
  FakeSecureFiles files = Installation();
  const std::string longLine(5000, 'x');
  files.AddFile(kSource, "head\n" + longLine + "\n" + std::string(1023, 'y') + "\r\ntail");
  Copy(files, 0);
  ASSERT_NE(files.Find(kTarget), nullptr);
  EXPECT_EQ(files.Find(kTarget)->bytes,
            "head\r\n" + longLine + "\r\n" + std::string(1023, 'y') + "\r\ntail");
}

}  // namespace
