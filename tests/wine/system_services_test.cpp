// The Windows backends of the editor's system services.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_system.h"

namespace {

const char kKey[] = "SOFTWARE\\FaxbookServicesTest";

TEST(SystemServices, RegistryValuesReadWhenTheyFitTheirBuffer) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const std::string fits(255, 'f');
  const std::string tooLong(256, 'l');
  RegSetValueExA(key, "Fits", 0, REG_SZ, reinterpret_cast<const BYTE*>(fits.c_str()),
                 static_cast<DWORD>(fits.size() + 1));
  RegSetValueExA(key, "TooLong", 0, REG_SZ, reinterpret_cast<const BYTE*>(tooLong.c_str()),
                 static_cast<DWORD>(tooLong.size() + 1));
  RegSetValueExA(key, "Empty", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
  RegCloseKey(key);

  sys::Win32Registry registry;
  struct Case {
    const char* key;
    const char* name;
    bool found;
    std::string value;
  };
  const Case cases[] = {
      {kKey, "Fits", true, fits},
      {kKey, "TooLong", false, ""},
      {kKey, "Empty", true, ""},
      {kKey, "Missing", false, ""},
      {"SOFTWARE\\FaxbookServicesTest\\Nowhere", "Fits", false, ""},
  };
  for (const Case& c : cases) {
    std::string value = "unchanged";
    EXPECT_EQ(registry.ReadMachineString(c.key, c.name, 256, &value), c.found) << c.name;
    EXPECT_EQ(value, c.value) << c.name;
  }
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
}

TEST(SystemServices, TheSecondHolderOfTheMutexIsTold) {
  const std::string name = "FaxbookServicesTest " + std::to_string(GetCurrentProcessId());
  sys::Win32Instance first;
  sys::Win32Instance second;
  EXPECT_EQ(first.CreateOwnedMutex(name), sys::MutexResult::kCreated);
  EXPECT_EQ(second.CreateOwnedMutex(name), sys::MutexResult::kAlreadyExists);
  first.CloseMutex();
  second.CloseMutex();
  EXPECT_FALSE(first.RaiseWindow("no window has this title " + name));
  EXPECT_FALSE(first.SendToWindow("no window has this title " + name, 0x403, 0, 0));
}

TEST(SystemServices, SpecialFoldersAndFolderCreation) {
  sys::Win32SystemInfo system;
  for (int folder : {sys::kFolderPersonal, sys::kFolderAppData}) {
    std::string path;
    ASSERT_TRUE(system.SpecialFolder(folder, &path)) << folder;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << path;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << path;
  }
  EXPECT_GE(system.MajorVersion(), 4);
  EXPECT_EQ(system.AnsiCodePage(), static_cast<int>(GetACP()));
  EXPECT_NE(system.ProgramPath().find("system_services_test.exe"), std::string::npos);

  sys::Win32Folders folders;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string made = std::string(temp) + "faxbook-folder-" +
                           std::to_string(GetCurrentProcessId());
  std::string before;
  ASSERT_TRUE(folders.CurrentDirectory(256, &before));
  EXPECT_FALSE(folders.EnterDirectory(made));
  EXPECT_TRUE(folders.CreateFolderWithOpenAccess(made));
  EXPECT_FALSE(folders.CreateFolderWithOpenAccess(made));
  EXPECT_TRUE(folders.OpenFolderRights(made));
  EXPECT_TRUE(folders.EnterDirectory(made));
  std::string now;
  ASSERT_TRUE(folders.CurrentDirectory(256, &now));
  EXPECT_EQ(now, made);
  EXPECT_FALSE(folders.CurrentDirectory(now.size(), &now));
  EXPECT_TRUE(folders.EnterDirectory(before));
  RemoveDirectoryA(made.c_str());
}

}  // namespace
