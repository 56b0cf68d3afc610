// The Windows backends of the picker's services, and the in-memory INI
// files and portable text equality checked against the system's.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "faxpick/exchange/exchange_file.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_ini_files.h"
#include "platform/sys/system_info.h"
#include "platform/text/locale_equality.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_ini_files.h"
#include "platform/win32/win32_locale_equality.h"
#include "platform/win32/win32_network.h"
#include "platform/win32/win32_shell_folders.h"

namespace {

std::string Scratch() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "picker_services_test";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string SortKey(const std::string& s) {
  char key[512];
  const int n = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, s.data(), static_cast<int>(s.size()),
                             key, sizeof(key));
  return std::string(key, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// Every character of the code page alone: the portable rule puts two in
// one class exactly when the system gives them one sort key.
TEST(LocaleEquality, SortsEveryCharacterIntoTheSystemsClasses) {
  const int codePage = static_cast<int>(GetACP());
  text::PortableLocaleEquality portable(codePage);
  std::vector<std::string> characters;
  for (int b = 1; b < 256; ++b) {
    const char c = static_cast<char>(b);
    if (!IsDBCSLeadByteEx(static_cast<UINT>(codePage), static_cast<BYTE>(b))) {
      characters.push_back(std::string(1, c));
      continue;
    }
    characters.push_back(std::string(1, c));  // a lead byte at the end
    for (int t = 1; t < 256; ++t) characters.push_back(std::string{c, static_cast<char>(t)});
  }
  // One representative per sort key; each character must equal its
  // key's representative and no other key's.
  std::map<std::string, std::string> byKey;
  std::map<std::string, std::string> keyOfFirst;
  for (const std::string& c : characters) {
    const std::string key = SortKey(c);
    auto [it, fresh] = byKey.emplace(key, c);
    if (!fresh) {
      EXPECT_TRUE(portable.Equal(c, it->second)) << c << " | " << it->second;
    }
  }
  std::vector<std::string> representatives;
  for (const auto& entry : byKey) representatives.push_back(entry.second);
  // Portable classes of the representatives must all differ.
  std::map<std::string, std::string> seen;
  for (const std::string& r : representatives) {
    std::string portableKey;
    if (codePage == 1252) {
      // The expansions compare as their letters: two-letter texts.
      for (const std::string& o : representatives) {
        if (o != r && portable.Equal(o, r)) ADD_FAILURE() << o << " | " << r;
      }
      continue;
    }
    if (codePage == 932) {
      const unsigned code = r.size() == 1 && !IsDBCSLeadByteEx(932, static_cast<BYTE>(r[0]))
                                ? static_cast<unsigned char>(r[0])
                                : r.size() == 1 ? 0x8145u
                                                : (static_cast<unsigned>(static_cast<unsigned char>(r[0])) << 8 |
                                                   static_cast<unsigned char>(r[1]));
      portableKey = std::to_string(text::Cp932Class(code));
    } else {
      portableKey = r;
    }
    auto [it, fresh] = seen.emplace(portableKey, r);
    EXPECT_TRUE(fresh) << "two of the system's classes share a portable one";
  }
}

TEST(LocaleEquality, AgreesWithTheSystemOnTexts) {
  const int codePage = static_cast<int>(GetACP());
  text::PortableLocaleEquality portable(codePage);
  text::Win32LocaleEquality system;
  const std::vector<std::pair<std::string, std::string>> pairs = {
      {"abc", "abc"}, {"abc", "ABC"}, {"a", ""}, {"", ""}, {"ab", "a"}, {"a b", "a-b"},
      {"co-op", "coop"}, {"o'neil", "oneil"}, {"\xB1", "\x83\x41"}, {"\x82\xA0", "\x83\x41"},
      {"\xB6\xB0", "\xB6\x81\x5B"}, {"\x83\x4A\x81\x5B", "\x83\x4A\x81\x5C"}, {"\xB6\xDE", "\x83\x4B"},
      {"\x82\xA0\x81\x54", "\x82\xA0\x81\x52"}, {"\x81\x4A", "\xDE"}, {"\x93\x63\xFB\xFC", "\x93\x63\xEE\xFC"},
      {"\x87\x90", "\x81\xE0"}, {"\x87\x54\x87\x55", "\xFA\x4A\xFA\x4B"}, {"a\x81", "a\x82"},
      {"a\x81", "a\x81\x45"}, {"\x85\x40", "\x81\x45"}, {"\xC9mile", "Emile"}, {"\xE9", "\xC9"},
      {"Stra\xDF" "e", "Strasse"}, {"\xE6on", "aeon"}, {"\xC6on", "aeon"}, {"\x88", "^"}, {"\xDF", "s"}, {"\x81\x40", "  "}, {"\t", " "}, {"\x7F", ""},
      {"\xB0", "\x81\x5B"}, {"a\xB0", "a\x81\x5B"}, {"\x82\xA0\xB0", "\x82\xA0\x81\x5B"},
      {"\xB6\x81\x5C", "\xB6\x81\x5B"}, {"\xB6\x81\x58", "\xB6\xB0"}, {"\xB6\x81\x52", "\xB6\x81\x54"},
      {"\xB6\x81\x52", "\xB6\x81\x53"}, {"\xB6\xB0\xB0", "\xB6\xB0\x81\x5B"}, {"\xB6\xDE\xB0", "\xB6\xDE\x81\x5B"},
      {"\xB6 \xB0", "\xB6 \x81\x5B"}, {"\xA5\xB0", "\xA5\x81\x5B"}, {"\x83\x94\x81\x5B", "\x83\x94\x81\x5C"},
      {"\xDE\xB0", "\xDE\x81\x5B"}, {"\xB6\xDE", "\xB6\x81\x4A"}, {"\x88\x9F\xB0", "\x88\x9F\x81\x5B"},
  };
  for (const auto& [a, b] : pairs) {
    EXPECT_EQ(portable.Equal(a, b), system.Equal(a, b)) << a << " | " << b;
  }
}

// On the single-byte pages a character may stand for two letters (a
// ligature, the sharp s): every character against every text of one or
// two printable ASCII characters.
TEST(LocaleEquality, FindsTheSystemsTwoLetterCharacters) {
  const int codePage = static_cast<int>(GetACP());
  if (codePage == 932) GTEST_SKIP() << "a double-byte page";
  text::PortableLocaleEquality portable(codePage);
  text::Win32LocaleEquality system;
  std::vector<std::string> ascii;
  for (int x = 0x20; x < 0x7F; ++x) {
    ascii.push_back(std::string(1, static_cast<char>(x)));
    for (int y = 0x20; y < 0x7F; ++y) ascii.push_back({static_cast<char>(x), static_cast<char>(y)});
  }
  int differences = 0;
  for (int c = 0x80; c <= 0xFF && differences < 20; ++c) {
    const std::string one(1, static_cast<char>(c));
    for (const std::string& t : ascii) {
      const bool expected = system.Equal(one, t);
      if (portable.Equal(one, t) != expected) {
        ADD_FAILURE() << "0x" << std::hex << c << " | " << t << ": the system finds them "
                      << (expected ? "equal" : "different");
        if (++differences == 20) break;
      }
    }
  }
}

// The INI files in memory against the system's: the same calls on the
// same starting bytes give the same answers and the same bytes.
TEST(IniFiles, TheInMemoryOnesBehaveAsTheSystemsDo) {
  const std::string path = Scratch() + "\\ini_check.ini";
  const std::vector<std::string> seeds = {
      "",
      "top=1\r\n\r\n\r\n[A]\r\n\r\n k = v \r\n  [B] x \r\nk2 = \" q \" \r\nk3='a'\r\nk4=\"a\r\nnokey\r\n"
      "k5=a=b\r\nn= -7x\r\nnn=\r\n[C\r\nc=1\r\n[ITEM_000]\r\nFaxNumber=old\r\n",
      "[BASE_INFO]\nItemNum=3\nItemNumTotal=5\n[ITEM_000]\nFaxNumber=1\n[item_001]\nx=\"\"a\"\"\n"
      "[ITEM_000]\nDup=2\n[ITEM_002]\r\n",
      "[S]\r\nk=\x93\x8C\x8B\x9E\r\n[\x95\x5C]\r\n\x95\x5C=\x95\x5C\r\n",
  };
  using Step = std::function<std::string(sys::IniFiles&)>;
  auto read = [&](const char* s, const char* k, std::size_t n) {
    return Step([=](sys::IniFiles& ini) { return "r:" + ini.ReadString(path, s, k, "dflt ", n); });
  };
  auto write = [&](const char* s, const char* k, const std::string& v) {
    return Step([=](sys::IniFiles& ini) { return std::string(ini.WriteString(path, s, k, v) ? "w1" : "w0"); });
  };
  auto remove = [&](const char* s) {
    return Step([=](sys::IniFiles& ini) { return std::string(ini.DeleteSection(path, s) ? "d1" : "d0"); });
  };
  auto number = [&](const char* s, const char* k) {
    return Step([=](sys::IniFiles& ini) { return "i:" + std::to_string(ini.ReadInt(path, s, k, 260)); });
  };
  auto names = Step([&](sys::IniFiles& ini) {
    std::string all = "n:";
    for (const std::string& n : ini.SectionNames(path)) all += n + "|";
    return all;
  });
  const std::vector<Step> steps = {
      names, read("B", "k2", 255), read("b", "K3", 255), read("B", "k4", 255), read("B", "k5", 3),
      read("", "top", 255), read("C", "c", 255), read("item_001", "x", 255), read("S", "k", 3),
      number("B", "n"), number("B", "nn"), number("B", "k2"), number("BASE_INFO", "ItemNum"),
      write("ITEM_000", "FaxNumber", " 03 "), write("ITEM_000", "Respect", " "),
      write("item_000", "respect", "x"), write("NEW", "k", "v\""), write(" SP ", " kk ", "vv"),
      write("ITEM_000", "FaxNumber", "03"), read("ITEM_000", "FaxNumber", 255), names,
      remove("ITEM_000"), remove("nothing"), remove("base_info"), write("BASE_INFO", "ItemNum", "2"),
      write("\x95\x5C", "\x95\x5C", "\x8A\x94 \"Q\", Ltd."), read("\x95\x5C", "\x95\x5C", 255), names,
  };
  sys::Win32FileSystem realFiles;
  sys::Win32IniFiles real;
  for (std::size_t s = 0; s < seeds.size(); ++s) {
    DeleteFileA(path.c_str());
    if (!seeds[s].empty()) {
      ASSERT_TRUE(realFiles.ReplaceContents(path, seeds[s]));
    }
    sys::FakeFileSystem fakeFiles;
    sys::FakeIniFiles fake(&fakeFiles);
    if (!seeds[s].empty()) fakeFiles.SetFile(path, seeds[s]);
    for (std::size_t i = 0; i < steps.size(); ++i) {
      EXPECT_EQ(steps[i](fake), steps[i](real)) << "seed " << s << " step " << i;
      std::string realBytes;
      realFiles.ReadFile(path, &realBytes, 1 << 20);
      const std::string* fakeBytes = fakeFiles.File(path);
      EXPECT_EQ(fakeBytes ? *fakeBytes : std::string(), realBytes) << "seed " << s << " step " << i;
    }
  }
  DeleteFileA(path.c_str());
}

// A file another program holds open meets the INI files and the file
// system in memory as it meets the system's: without sharing it reads as
// missing and takes no change; with reading and writing shared it reads
// and takes changes; a replacement never gets past the holder.
TEST(IniFiles, AHeldFileMeetsTheInMemoryOnesAsItMeetsTheSystems) {
  const std::string path = Scratch() + "\\held_check.ini";
  const std::string seed = "[BASE_INFO]\r\nItemNum=1\r\n";
  struct Case {
    const char* what;
    DWORD share;
    bool fakeSharing;
  };
  const Case cases[] = {
      {"held without sharing", 0, false},
      {"held with reading and writing shared", FILE_SHARE_READ | FILE_SHARE_WRITE, true},
  };
  sys::Win32FileSystem realFiles;
  sys::Win32IniFiles real;
  for (const Case& c : cases) {
    DeleteFileA(path.c_str());
    ASSERT_TRUE(realFiles.ReplaceContents(path, seed));
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, c.share, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE) << c.what;
    sys::FakeFileSystem fakeFiles;
    sys::FakeIniFiles fake(&fakeFiles);
    fakeFiles.SetFile(path, seed);
    fakeFiles.HoldOpen(path, c.fakeSharing);
    const auto answers = [&](sys::FileSystem& files, sys::IniFiles& ini) {
      std::string bytes;
      std::vector<std::string> a;
      a.push_back(sys::FileErrorText(files.ReadWhole(path, &bytes, 1 << 20)));
      a.push_back(ini.ReadString(path, "BASE_INFO", "ItemNum", "dflt", 255));
      a.push_back(ini.WriteString(path, "BASE_INFO", "ItemNum", "2") ? "w1" : "w0");
      a.push_back(files.ReplaceContents(path, "x") ? "r1" : "r0");
      return a;
    };
    const std::vector<std::string> fromSystem = answers(realFiles, real);
    CloseHandle(holder);
    EXPECT_EQ(answers(fakeFiles, fake), fromSystem) << c.what;
    std::string realBytes;
    ASSERT_TRUE(realFiles.ReadFile(path, &realBytes, 1 << 20));
    EXPECT_EQ(*fakeFiles.File(path), realBytes) << c.what;
  }
  DeleteFileA(path.c_str());
}

// A read-only exchange file is the user's "do not change": the file system
// says so as the one in memory does, and OK leaves it byte for byte
// (the system's INI writing alone would write it in place under Wine).
TEST(ExchangeFileOnTheSystem, AReadOnlyFileIsLeftAsItWas) {
  const std::string path = Scratch() + "\\read_only.ini";
  const std::string settings = Scratch() + "\\FilePath.ini";
  const std::string before = "[BASE_INFO]\r\nItemNum=1\r\nItemNumTotal=1\r\n[ITEM_000]\r\nFaxNumber=03\r\n";
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(settings.c_str());
  sys::Win32FileSystem files;
  sys::Win32IniFiles ini;
  ASSERT_TRUE(files.ReplaceContents(path, before));
  EXPECT_FALSE(files.IsReadOnly(path));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(files.IsReadOnly(path));
  EXPECT_FALSE(files.IsReadOnly(Scratch()));
  EXPECT_FALSE(files.IsReadOnly(Scratch() + "\\none.ini"));

  picker::ExchangeFile exchange(ini, files, static_cast<int>(GetACP()));
  std::vector<picker::Destination> list;
  ASSERT_TRUE(exchange.ReadBack(path, &list));
  ASSERT_EQ(list.size(), 1u);
  picker::Destination added;
  added.faxNumber = "06";
  list.push_back(added);
  EXPECT_EQ(exchange.WriteResult(path, list, settings, picker::BookChoice()),
            picker::WriteOutcome::kReadOnly);
  std::string after;
  ASSERT_TRUE(files.ReadFile(path, &after, 1 << 20));
  EXPECT_EQ(after, before);
  EXPECT_FALSE(files.FileExists(path + ".new"));
  EXPECT_FALSE(files.FileExists(settings));

  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(exchange.WriteResult(path, list, settings, picker::BookChoice()),
            picker::WriteOutcome::kWritten);
  EXPECT_EQ(ini.ReadString(path, "ITEM_001", "FaxNumber", "", 255), "06");
  DeleteFileA(path.c_str());
  DeleteFileA(settings.c_str());
}

TEST(PickerSystem, TheLocaleFoldersAndTheNetwork) {
  const char* expected = std::getenv("FAXBOOK_EXPECT_ACP");
  sys::Win32LocaleInfo locale;
  std::string language;
  ASSERT_TRUE(locale.UserDefaultLanguage(&language));
  const std::string page = expected ? expected : "";
  if (page == "932" || page == "1252") {
    EXPECT_EQ(language, page == "932" ? "0411" : "0409");
  }

  sys::Win32ShellFolders shell;
  std::string appData;
  ASSERT_EQ(shell.SpecialFolder(sys::kFolderAppData, &appData), sys::FolderLookup::kFound);
  EXPECT_NE(GetFileAttributesA(appData.c_str()), INVALID_FILE_ATTRIBUTES);
  const std::string base = Scratch() + "\\folders";
  RemoveDirectoryA((base + "\\a").c_str());
  RemoveDirectoryA(base.c_str());
  EXPECT_TRUE(shell.EnsureFolder(base));
  EXPECT_TRUE(shell.EnsureFolder(base));
  EXPECT_TRUE(shell.EnsureFolder(base + "\\a"));
  EXPECT_FALSE(shell.EnsureFolder(base + "\\missing\\b"));

  sys::Win32FileSystem files;
  const std::string file = base + "\\gone.ini";
  ASSERT_TRUE(files.ReplaceContents(file, "x"));
  EXPECT_TRUE(files.RemoveFile(file));
  EXPECT_FALSE(files.FileExists(file));
  EXPECT_TRUE(files.RemoveFile(file));
  EXPECT_TRUE(files.RemoveFile(base + "\\missing\\gone.ini"));

  sys::Win32Network network;
  EXPECT_TRUE(network.AttributesReadable(base));
  EXPECT_FALSE(network.AttributesReadable(base + "\\none.fdt"));
  EXPECT_NE(network.Connect(0, "\\\\nohost\\share\\address.fdt", false), 0u);
  RemoveDirectoryA((base + "\\a").c_str());
  RemoveDirectoryA(base.c_str());
}

}  // namespace
