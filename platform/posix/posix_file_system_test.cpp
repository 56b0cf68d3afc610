#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace sys {
namespace {

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/fbk-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

  std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  int Entries() {
    int n = 0;
    DIR* d = ::opendir(dir.c_str());
    while (dirent* e = ::readdir(d)) n += e->d_name[0] != '.';
    ::closedir(d);
    return n;
  }

  std::string dir;
  PosixFileSystem files;
};

TEST_F(PosixFileSystemTest, ReplaceKeepsTheFilesPermissions) {
  const std::string path = dir + "/address.fdt";
  ASSERT_TRUE(files.OpenOrCreate(path, true));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666u);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(files.ReplaceContents(path, "new\r\n"));
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(Slurp(path), "new\r\n");
  EXPECT_EQ(Entries(), 1);
}

TEST_F(PosixFileSystemTest, ADeviceErrorPartWayLeavesThePreviousFile) {
  const std::string path = dir + "/address.fdt";
  const std::string previous = "previous book\r\n";
  ASSERT_TRUE(files.ReplaceContents(path, previous));
  const pid_t child = ::fork();
  if (child == 0) {
    // The file size limit makes the write fail after 4 KiB, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    PosixFileSystem childFiles;
    ::_exit(childFiles.ReplaceContents(path, std::string(100000, 'x')) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was reported as success";
  EXPECT_EQ(Slurp(path), previous);
  EXPECT_EQ(Entries(), 1) << "a temporary file was left behind";
}

TEST_F(PosixFileSystemTest, ReadingNeedsARegularFile) {
  std::string contents = "stale";
  EXPECT_FALSE(files.ReadFile(dir + "/missing", &contents, 100));
  EXPECT_EQ(contents, "");
  EXPECT_FALSE(files.ReadFile(dir, &contents, 100));
  EXPECT_FALSE(files.FileExists(dir));
  ASSERT_TRUE(files.ReplaceContents(dir + "/f", "0123456789"));
  ASSERT_TRUE(files.ReadFile(dir + "/f", &contents, 4));
  EXPECT_EQ(contents, "0123");
  EXPECT_FALSE(files.ReplaceContents(dir + "/no/such/folder/f", "x"));
}

TEST_F(PosixFileSystemTest, PiecesHandOverTheWholeFileInOrderUntilTheSinkStops) {
  const std::string path = dir + "/big.csv";
  std::string bytes;
  for (int i = 0; i < 300000; ++i) bytes += static_cast<char>('a' + i % 26);
  ASSERT_TRUE(files.ReplaceContents(path, bytes));
  std::string got;
  int pieces = 0;
  ASSERT_TRUE(files.ReadPieces(path, [&](std::string_view piece) {
    ++pieces;
    got.append(piece);
    return true;
  }));
  EXPECT_EQ(got, bytes);
  EXPECT_GT(pieces, 1);
  int seen = 0;
  EXPECT_TRUE(files.ReadPieces(path, [&](std::string_view) { return ++seen < 2; }));
  EXPECT_EQ(seen, 2);
  EXPECT_FALSE(files.ReadPieces(dir + "/missing", [](std::string_view) { return true; }));
  EXPECT_FALSE(files.ReadPieces(dir, [](std::string_view) { return true; }));

  std::uint64_t size = 0;
  ASSERT_TRUE(files.SizeWithoutSharing(path, &size));
  EXPECT_EQ(size, bytes.size());
  EXPECT_FALSE(files.SizeWithoutSharing(dir + "/missing", &size));
  EXPECT_FALSE(files.SizeWithoutSharing(dir, &size));
}

}  // namespace
}  // namespace sys
