// The access lists bzSetFolderSecurity and bzSetFullAccessToDir apply.
#include "setup/folder_security.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_secure_files.h"

namespace {

using sys::Account;
using sys::FakeSecureFiles;

// What the folder had before: its creator and the administrators.
sys::AccessList Inherited() {
  return sys::AccessList{64, {{Account::kAdministrators, sys::kGenericAll, 3},
                              {Account::kUsers, 0x001200A9, 3}}};
}

FakeSecureFiles FolderAndFile() {
  FakeSecureFiles files;
  files.AddFolder("C:\\Data");
  files.GiveDacl("C:\\Data", Inherited());
  files.AddFile("C:\\Data\\book.fdt", "x");
  files.GiveDacl("C:\\Data\\book.fdt", Inherited());
  files.AddFolder("C:\\Locked");
  files.GiveDacl("C:\\Locked", Inherited());
  files.Deny("C:\\Locked");
  return files;
}

TEST(SetFolderSecurity, LeavesOneEveryoneEntryWithoutInheritance) {
  for (const char* path : {"C:\\Data", "C:\\Data\\book.fdt"}) {
    FakeSecureFiles files = FolderAndFile();
    EXPECT_EQ(setup::SetFolderSecurity(files, path), 1) << path;
    const FakeSecureFiles::Node* node = files.Find(path);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->origin, FakeSecureFiles::DaclOrigin::kReplaced) << path;
    EXPECT_EQ(node->dacl.capacity, 1024u);
    ASSERT_EQ(node->dacl.entries.size(), 1u) << path;
    EXPECT_EQ(node->dacl.entries[0], (sys::AccessEntry{Account::kEveryone, sys::kGenericAll, 0}));
    EXPECT_FALSE(node->protectedDacl);
  }
}

TEST(SetFolderSecurity, MissingOrUnreadablePathsFailAndChangeNothing) {
  for (const char* path : {"C:\\Missing", "C:\\Data\\missing.fdt", "C:\\Locked", ""}) {
    FakeSecureFiles files = FolderAndFile();
    const std::size_t before = files.Count();
    EXPECT_EQ(setup::SetFolderSecurity(files, path), 0) << path;
    EXPECT_EQ(files.Count(), before) << path;
    if (const FakeSecureFiles::Node* node = files.Find(path)) {
      EXPECT_EQ(node->origin, FakeSecureFiles::DaclOrigin::kGiven) << path;
    }
  }
}

TEST(SetFullAccessToDir, ProtectsAdministratorsThenEveryoneInheritedByAll) {
  FakeSecureFiles files = FolderAndFile();
  EXPECT_EQ(setup::SetFullAccessToDir(files, "C:\\Data"), 1);
  const FakeSecureFiles::Node* node = files.Find("C:\\Data");
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->origin, FakeSecureFiles::DaclOrigin::kNamed);
  EXPECT_TRUE(node->protectedDacl);
  const std::vector<sys::AccessEntry> expected = {
      {Account::kAdministrators, sys::kGenericAll, 3},
      {Account::kEveryone, sys::kGenericAll, 3},
  };
  EXPECT_EQ(node->dacl.entries, expected);
  // 8 bytes of list header, then 8 + 16 for Administrators and 8 + 12 for
  // Everyone: not a byte more.
  EXPECT_EQ(node->dacl.capacity, 52u);
}

TEST(SetFullAccessToDir, FailsOnMissingOrDeniedFolders) {
  for (const char* path : {"C:\\Missing", "C:\\Locked"}) {
    FakeSecureFiles files = FolderAndFile();
    EXPECT_EQ(setup::SetFullAccessToDir(files, path), 0) << path;
    EXPECT_EQ(files.Find("C:\\Missing"), nullptr);
  }
}

}  // namespace
