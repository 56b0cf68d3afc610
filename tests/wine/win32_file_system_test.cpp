// The Windows file system backend: whole-file replacement and creation with
// open access rights, on the real system calls.
#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

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

  std::string dir;
  sys::Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, ReplacesAnExistingFileAndCreatesANewOne) {
  const std::string path = dir + "\\address.fdt";
  ASSERT_TRUE(files.ReplaceContents(path, "first\r\n"));
  EXPECT_EQ(Read(path), "first\r\n");
  ASSERT_TRUE(files.ReplaceContents(path, std::string(200000, 'x')));
  EXPECT_EQ(Read(path).size(), 200000u);
  EXPECT_EQ(FilesInDir(), 1) << "a temporary file was left beside the book";
}

TEST_F(Win32FileSystemTest, AFailedReplacementKeepsThePreviousFile) {
  const std::string path = dir + "\\address.fdt";
  ASSERT_TRUE(files.ReplaceContents(path, "previous\r\n"));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(files.ReplaceContents(path, "new\r\n"));
  EXPECT_EQ(Read(path), "previous\r\n");
  EXPECT_EQ(FilesInDir(), 1);
  EXPECT_FALSE(files.ReplaceContents(dir + "\\no\\such\\folder\\book.fdt", "x"));
}

TEST_F(Win32FileSystemTest, OpenOrCreateNeverTruncates) {
  const std::string path = dir + "\\data.fdt";
  ASSERT_TRUE(files.OpenOrCreate(path, true));
  EXPECT_TRUE(files.FileExists(path));
  EXPECT_EQ(Read(path), "");
  ASSERT_TRUE(files.ReplaceContents(path, "kept"));
  ASSERT_TRUE(files.OpenOrCreate(path, false));
  EXPECT_EQ(Read(path), "kept");
  EXPECT_FALSE(files.FileExists(dir));
  EXPECT_FALSE(files.OpenOrCreate(dir + "\\missing\\x.fdt", false));
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

}  // namespace
