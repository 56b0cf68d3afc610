// The Windows file system backend: whole-file replacement and creation with
// open access rights, on the real system calls.
#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include <set>
#include <string>

namespace {

using sys::FileError;
constexpr FileError kOk = FileError::kNone;

class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char base[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, base), 0u);
    dir = std::string(base) + "fbk-fs-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
  }
  void TearDown() override {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = dir + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      } while (FindNextFileA(h, &found));
      FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
  }
  int FilesInDir() {
    int n = 0;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
      n += found.cFileName[0] != '.';
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return n;
  }
  std::string Read(const std::string& path) {
    std::string s;
    files.ReadFile(path, &s, 1 << 20);
    return s;
  }
  void Write(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
  }

  std::string dir;
  sys::Win32FileSystem files;
};

// The file's DACL, owner and group as text.
std::string Rights(const std::string& path) {
  const SECURITY_INFORMATION what =
      DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION;
  DWORD needed = 0;
  GetFileSecurityA(path.c_str(), what, nullptr, 0, &needed);
  std::string buffer(needed, '\0');
  if (needed == 0 || !GetFileSecurityA(path.c_str(), what, buffer.data(), needed, &needed)) {
    return "unreadable";
  }
  char* text = nullptr;
  ConvertSecurityDescriptorToStringSecurityDescriptorA(buffer.data(), SDDL_REVISION_1, what, &text,
                                                       nullptr);
  const std::string rights = text ? text : "";
  LocalFree(text);
  return rights;
}

FILETIME CreationTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftCreationTime;
}

bool SetCreationTime(const std::string& path, const FILETIME& time) {
  HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const bool set = SetFileTime(h, &time, nullptr, nullptr) != FALSE;
  CloseHandle(h);
  return set;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

std::string ShortName(const std::string& path) {
  char buffer[MAX_PATH] = {};
  GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  return buffer;
}

TEST_F(Win32FileSystemTest, ReplacesAnExistingFileAndCreatesANewOne) {
  const std::string path = dir + "\\address.fdt";
  ASSERT_EQ(files.ReplaceWhole(path, "first\r\n"), kOk);
  EXPECT_EQ(Read(path), "first\r\n");
  ASSERT_EQ(files.ReplaceWhole(path, std::string(200000, 'x')), kOk);
  EXPECT_EQ(Read(path).size(), 200000u);
  EXPECT_EQ(FilesInDir(), 1) << "a temporary file was left beside the book";
}

TEST_F(Win32FileSystemTest, AFailedReplacementKeepsThePreviousFile) {
  const std::string path = dir + "\\address.fdt";
  ASSERT_EQ(files.ReplaceWhole(path, "previous\r\n"), kOk);
  // Read-only is the user's "do not change" (the system's rename would
  // replace it under Wine): refused, with nothing written beside it.
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(files.ReplaceWhole(path, "new\r\n"), FileError::kReadOnly);
  EXPECT_EQ(Read(path), "previous\r\n");
  EXPECT_EQ(FilesInDir(), 1);
  EXPECT_EQ(files.ReplaceWhole(dir + "\\no\\such\\folder\\book.fdt", "x"), FileError::kNotFound);
  EXPECT_EQ(files.ReplaceWhole(dir, "x"), FileError::kIsDirectory);
}

TEST_F(Win32FileSystemTest, LeftoversOfInterruptedSavesGoUnlessSomeoneHoldsThem) {
  const std::string path = dir + "\\address.fdt";
  ASSERT_EQ(files.ReplaceWhole(path, "book\r\n"), kOk);
  Write(path + ".~fbk0000abcd.tmp", "half a book");
  Write(path + ".~fbk0000abce.bak", "an older book");
  Write(dir + "\\address.fdt.bak", "the user's own copy");
  const std::string held = path + ".~fbk0000abcf.tmp";
  Write(held, "being written");
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  ASSERT_EQ(files.ReplaceWhole(path, "new book\r\n"), kOk);
  CloseHandle(holder);
  EXPECT_EQ(Read(path), "new book\r\n");
  EXPECT_FALSE(files.FileExists(path + ".~fbk0000abcd.tmp"));
  EXPECT_FALSE(files.FileExists(path + ".~fbk0000abce.bak"));
  EXPECT_TRUE(files.FileExists(held));
  EXPECT_EQ(FilesInDir(), 3);
}

TEST_F(Win32FileSystemTest, OpenOrCreateNeverTruncatesAndSharesWhenAsked) {
  const std::string path = dir + "\\data.fdt";
  ASSERT_EQ(files.OpenOrCreate(path, true, false), kOk);
  EXPECT_TRUE(files.FileExists(path));
  EXPECT_EQ(Read(path), "");
  ASSERT_EQ(files.ReplaceWhole(path, "kept"), kOk);
  ASSERT_EQ(files.OpenOrCreate(path, false, true), kOk);
  EXPECT_EQ(Read(path), "kept");
  EXPECT_FALSE(files.FileExists(dir));
  EXPECT_EQ(files.OpenOrCreate(dir + "\\missing\\x.fdt", false, true), FileError::kNotFound);

  // Another program reads the book and lets others read and write it.
  HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(files.OpenOrCreate(path, false, true), kOk);
  EXPECT_EQ(files.OpenOrCreate(path, false, false), FileError::kSharingViolation);
  EXPECT_EQ(Read(path), "kept");
  CloseHandle(reader);

  // A program that holds it without sharing keeps everyone out.
  HANDLE owner = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(owner, INVALID_HANDLE_VALUE);
  std::string contents = "stale";
  EXPECT_EQ(files.ReadWhole(path, &contents, 100), FileError::kSharingViolation);
  EXPECT_EQ(contents, "");
  EXPECT_EQ(files.OpenOrCreate(path, false, true), FileError::kSharingViolation);
  CloseHandle(owner);
}

TEST_F(Win32FileSystemTest, ReadsSayWhyTheyFail) {
  std::string contents;
  EXPECT_EQ(files.ReadWhole(dir + "\\missing.fdt", &contents, 100), FileError::kNotFound);
  EXPECT_EQ(files.ReadWhole(dir, &contents, 100), FileError::kIsDirectory);
  const std::string path = dir + "\\huge.fdt";
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  LARGE_INTEGER size;
  size.QuadPart = 257LL << 20;
  ASSERT_TRUE(SetFilePointerEx(h, size, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(h));
  CloseHandle(h);
  int pieces = 0;
  EXPECT_EQ(files.ReadChunks(path, 256u << 20, [&](std::string_view) { return ++pieces, true; }),
            FileError::kTooLarge);
  EXPECT_EQ(pieces, 0);
}

TEST_F(Win32FileSystemTest, PiecesReadEveryByteAndTheSizeNeedsTheFileUnshared) {
  const std::string path = dir + "\\list.csv";
  std::string bytes;
  for (int i = 0; i < 200000; ++i) bytes += static_cast<char>(i % 251);
  ASSERT_TRUE(files.ReplaceContents(path, bytes));
  std::string got;
  ASSERT_TRUE(files.ReadPieces(path, [&](std::string_view piece) {
    got.append(piece);
    return true;
  }));
  EXPECT_EQ(got, bytes);
  EXPECT_FALSE(files.ReadPieces(dir + "\\missing.csv", [](std::string_view) { return true; }));

  std::uint64_t size = 0;
  ASSERT_TRUE(files.SizeWithoutSharing(path, &size));
  EXPECT_EQ(size, bytes.size());
  // Another program holds the file open (even sharing everything): the
  // size check fails, while reading with sharing still works.
  HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(files.SizeWithoutSharing(path, &size));
  got.clear();
  EXPECT_TRUE(files.ReadPieces(path, [&](std::string_view piece) {
    got.append(piece);
    return true;
  }));
  EXPECT_EQ(got.size(), bytes.size());
  CloseHandle(other);
  EXPECT_TRUE(files.SizeWithoutSharing(path, &size));
  EXPECT_FALSE(files.SizeWithoutSharing(dir + "\\missing.csv", &size));
}

// A file read whole into memory of its size, also while another program
// holds it open with sharing; the reads that fail leave nothing.
TEST_F(Win32FileSystemTest, ReadIntoTakesTheWholeFileOrNothing) {
  for (const std::size_t size : {std::size_t(0), std::size_t(10), (std::size_t(3) << 20) + 7}) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>(i * 13 + i / 4093);
    const std::string path = dir + "\\book" + std::to_string(size) + ".fdt";
    ASSERT_TRUE(files.ReplaceContents(path, bytes));
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    sys::FileBytes read;
    EXPECT_EQ(files.ReadInto(path, 4u << 20, &read), FileError::kNone) << size;
    EXPECT_TRUE(read.View() == bytes) << size;
    CloseHandle(other);
  }
  sys::FileBytes failed("stale");
  EXPECT_EQ(files.ReadInto(dir + "\\book3145735.fdt", 1u << 20, &failed), FileError::kTooLarge);
  EXPECT_TRUE(failed.Empty());
  EXPECT_EQ(files.ReadInto(dir + "\\missing.fdt", 1u << 20, &failed), FileError::kNotFound);
  EXPECT_EQ(files.ReadInto(dir, 1u << 20, &failed), FileError::kIsDirectory);
  EXPECT_TRUE(failed.Empty());
}

TEST_F(Win32FileSystemTest, SameFileAsksTheFileNotItsName) {
  const std::string book = dir + "\\book.fdt";
  Write(book, "book");
  Write(dir + "\\other.fdt", "book");  // equal bytes, another file
  ASSERT_TRUE(CreateHardLinkA((dir + "\\hard.fdt").c_str(), book.c_str(), nullptr));
  // Held open by another program without sharing: still asked about.
  HANDLE held = CreateFileA((dir + "\\other.fdt").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  struct Case {
    std::string other;
    bool same;
  } cases[] = {
      {book, true},
      {dir + "\\.\\BOOK.FDT", true},  // names are compared without case
      {dir + "/book.fdt", true},
      {dir + "\\hard.fdt", true},
      {dir + "\\other.fdt", false},
      {dir + "\\missing.fdt", false},
      {dir, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(files.SameFile(book, c.other), c.same) << c.other;
    EXPECT_EQ(files.SameFile(c.other, book), c.same) << c.other;
  }
  EXPECT_TRUE(files.SameFile(dir + "\\other.fdt", dir + "\\other.fdt")) << "a file held open";
  CloseHandle(held);
  EXPECT_FALSE(files.SameFile(dir + "\\missing.fdt", dir + "\\missing.fdt"));
}

TEST_F(Win32FileSystemTest, TheNewFileKeepsTheOldOnesRightsAttributesShortNameAndCreationTime) {
  const std::string path = dir + "\\My Address Book.fdt";
  ASSERT_EQ(files.ReplaceWhole(path, "old\r\n"), kOk);
  PSECURITY_DESCRIPTOR open = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
      "D:P(A;;GA;;;WD)", SDDL_REVISION_1, &open, nullptr));
  ASSERT_TRUE(SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, open));
  LocalFree(open);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  FILETIME created{};
  created.dwHighDateTime = 0x01c0b000;  // in 2001
  // Where the file system cannot set a creation time (Wine on Linux), there
  // is none to keep.
  const bool timesKept = SetCreationTime(path, created) && SameTime(CreationTime(path), created);
  const std::string rights = Rights(path);
  const std::string shortName = ShortName(path);

  ASSERT_EQ(files.ReplaceWhole(path, "new\r\n"), kOk);
  EXPECT_EQ(Read(path), "new\r\n");
  EXPECT_EQ(Rights(path), rights);
  EXPECT_EQ(GetFileAttributesA(path.c_str()),
            DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE});
  EXPECT_EQ(ShortName(path), shortName);
  if (timesKept) {
    EXPECT_TRUE(SameTime(CreationTime(path), created));
  }
  EXPECT_EQ(FilesInDir(), 1);
}

// Polls the book's name from another thread while it is replaced.
struct NameWatch {
  std::string path;
  volatile LONG stop = 0;
  LONG looks = 0;
  LONG missing = 0;
  static DWORD WINAPI Run(void* self) {
    auto* w = static_cast<NameWatch*>(self);
    while (!w->stop) {
      if (GetFileAttributesA(w->path.c_str()) == INVALID_FILE_ATTRIBUTES) ++w->missing;
      ++w->looks;
    }
    return 0;
  }
};

TEST_F(Win32FileSystemTest, TheNameIsNeverWithoutAFileWhileTheFileIsReplaced) {
  const std::string path = dir + "\\address.fdt";
  const std::string book(256 << 10, 'x');
  ASSERT_EQ(files.ReplaceWhole(path, book), kOk);
  NameWatch watch;
  watch.path = path;
  HANDLE thread = CreateThread(nullptr, 0, NameWatch::Run, &watch, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  // The system's replace call (two renames under Wine) leaves the name
  // empty in thousands of these looks.
  for (int i = 0; i < 100; ++i) ASSERT_EQ(files.ReplaceWhole(path, book), kOk);
  watch.stop = 1;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_GT(watch.looks, 0);
  EXPECT_EQ(watch.missing, 0) << "of " << watch.looks << " looks at the name";
}

TEST_F(Win32FileSystemTest, ALeftoverIsFoundBesideTheBookAndPutInItsPlace) {
  // 表 (0x95 0x5C) ends in the backslash's byte in code page 932.
  const std::string name = GetACP() == 932 ? "\x95\x5C.fdt" : "address.fdt";
  const std::string path = dir + "\\" + name;
  const std::string leftover = path + ".~fbk0000abcd.tmp";
  Write(path, "cut boo");
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
  Write(leftover, "whole book\r\n");
  Write(dir + "\\other.fdt.~fbk0000abce.tmp", "another book's");
  std::set<std::string> found;
  for (const sys::FoundFile& f : files.FilesNamedLike(path)) found.insert(f.path);
  EXPECT_EQ(found, (std::set<std::string>{path, leftover}));

  ASSERT_EQ(files.PutInPlace(leftover, path), kOk);
  EXPECT_EQ(Read(path), "whole book\r\n");
  EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(files.FileExists(leftover));
  EXPECT_EQ(FilesInDir(), 2);
}

}  // namespace
