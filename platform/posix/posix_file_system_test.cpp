#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <set>
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

constexpr FileError kOk = FileError::kNone;

TEST_F(PosixFileSystemTest, ReplaceKeepsTheFilesPermissions) {
  const std::string path = dir + "/address.fdt";
  ASSERT_EQ(files.OpenOrCreate(path, true, false), kOk);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666u);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(files.ReplaceWhole(path, "new\r\n"), kOk);
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(Slurp(path), "new\r\n");
  EXPECT_EQ(Entries(), 1);
}

TEST_F(PosixFileSystemTest, AReadOnlyFileIsNeitherReplacedNorPutBackOverWhoeverAsks) {
  // The mode bits decide: the superuser, whom the system lets write any
  // file, is refused as well.
  const std::string path = dir + "/address.fdt";
  const std::string leftover = dir + "/address.fdt.~fbk1.tmp";
  struct Case {
    mode_t mode;
    FileError error;
    bool asRootToo;
  } cases[] = {
      {0444, FileError::kReadOnly, true},
      {0400, FileError::kReadOnly, true},
      {0000, FileError::kReadOnly, true},
      {0464, FileError::kAccessDenied, false},  // writable for others, not for its owner
      {0200, kOk, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    if (!c.asRootToo && ::geteuid() == 0) continue;
    ASSERT_EQ(::chmod(dir.c_str(), 0700), 0);
    ::unlink(path.c_str());
    {
      std::ofstream(path, std::ios::binary) << "old";
      std::ofstream(leftover, std::ios::binary) << "leftover";
    }
    ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
    EXPECT_EQ(files.ReplaceWhole(path, "new"), c.error);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, c.mode);
    if (c.error != kOk) {
      EXPECT_EQ(files.PutInPlace(leftover, path), c.error);
      ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
      EXPECT_EQ(Slurp(path), "old");
      EXPECT_EQ(Entries(), 2) << "only the book and the leftover";
      ::unlink(leftover.c_str());
    } else {
      ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
      EXPECT_EQ(Slurp(path), "new");
    }
  }
}

// Read-only is a file nobody may write, as the system maps the attribute
// onto the permission bits; a folder or a missing file is not.
TEST_F(PosixFileSystemTest, ReadOnlyIsAFileWithoutWriteBits) {
  const std::string path = dir + "/SendList.ini";
  ASSERT_EQ(files.ReplaceWhole(path, "x"), kOk);
  struct Case {
    mode_t mode;
    bool readOnly;
  };
  for (const Case& c : {Case{0644, false}, Case{0444, true}, Case{0464, false}, Case{0400, true}}) {
    ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
    EXPECT_EQ(files.IsReadOnly(path), c.readOnly) << std::oct << c.mode;
  }
  EXPECT_FALSE(files.IsReadOnly(dir));
  EXPECT_FALSE(files.IsReadOnly(dir + "/none.ini"));
}

TEST_F(PosixFileSystemTest, ADeviceErrorPartWayLeavesThePreviousFile) {
  const std::string path = dir + "/address.fdt";
  const std::string previous = "previous book\r\n";
  ASSERT_EQ(files.ReplaceWhole(path, previous), kOk);
  const pid_t child = ::fork();
  if (child == 0) {
    // The file size limit makes the write fail after 4 KiB, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    PosixFileSystem childFiles;
    ::_exit(childFiles.ReplaceWhole(path, std::string(100000, 'x')) == FileError::kDiskFull ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was not reported as a full disk";
  EXPECT_EQ(Slurp(path), previous);
  EXPECT_EQ(Entries(), 1) << "a temporary file was left behind";
}

TEST_F(PosixFileSystemTest, ReadsSayWhyTheyFail) {
  std::string contents = "stale";
  EXPECT_EQ(files.ReadWhole(dir + "/missing", &contents, 100), FileError::kNotFound);
  EXPECT_EQ(contents, "");
  EXPECT_EQ(files.ReadWhole(dir, &contents, 100), FileError::kIsDirectory);
  EXPECT_FALSE(files.FileExists(dir));
  ASSERT_EQ(files.ReplaceWhole(dir + "/f", "0123456789"), kOk);
  EXPECT_EQ(files.ReadWhole(dir + "/f", &contents, 4), FileError::kTooLarge);
  EXPECT_EQ(contents, "");
  ASSERT_EQ(files.ReadWhole(dir + "/f", &contents, 10), kOk);
  EXPECT_EQ(contents, "0123456789");
  EXPECT_EQ(files.ReplaceWhole(dir + "/no/such/folder/f", "x"), FileError::kNotFound);
  EXPECT_EQ(files.ReplaceWhole(dir, "x"), FileError::kIsDirectory);
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod((dir + "/f").c_str(), 0), 0);
    EXPECT_EQ(files.ReadWhole(dir + "/f", &contents, 10), FileError::kAccessDenied);
  }
}

TEST_F(PosixFileSystemTest, AFileOverTheLimitIsRefusedBeforeAnyOfItIsRead) {
  // Sparse: larger than the book limit without taking the disk space.
  const std::string path = dir + "/huge.fdt";
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, (257LL << 20)), 0);
  ::close(fd);
  int pieces = 0;
  EXPECT_EQ(files.ReadChunks(path, 256u << 20, [&](std::string_view) { return ++pieces, true; }),
            FileError::kTooLarge);
  EXPECT_EQ(pieces, 0);
}

TEST_F(PosixFileSystemTest, InterruptedSavesLeaveNothingBehindForLong) {
  const std::string path = dir + "/address.fdt";
  ASSERT_EQ(files.ReplaceWhole(path, "book\r\n"), kOk);
  // Saves killed while they write.
  for (int i = 0; i < 20; ++i) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      PosixFileSystem childFiles;
      childFiles.ReplaceWith(path, [&](ByteSink& sink) {
        sink.Write(std::string(1 << 20, 'x'));
        (void)!::write(ready[1], "r", 1);
        ::pause();
        return true;
      });
      ::_exit(0);
    }
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
  }
  // A leftover with a name, as a file system without unnamed files gives,
  // and one that another writer still holds.
  const std::string leftover = dir + "/address.fdt.~fbkAbC123.tmp";
  const std::string held = dir + "/address.fdt.~fbkDeF456.tmp";
  std::ofstream(leftover) << "half a book";
  std::ofstream(held) << "being written";
  const int holder = ::open(held.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  std::ofstream(dir + "/address.fdt.bak") << "the user's own copy";

  const pid_t cleaner = ::fork();
  if (cleaner == 0) {
    PosixFileSystem childFiles;
    ::_exit(childFiles.ReplaceWhole(path, "new book\r\n") == kOk ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(cleaner, &status, 0), cleaner);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  ::close(holder);
  EXPECT_EQ(Slurp(path), "new book\r\n");
  EXPECT_FALSE(files.FileExists(leftover));
  EXPECT_TRUE(files.FileExists(held));
  EXPECT_EQ(Entries(), 3) << "the book, the held file and the user's copy";
}

TEST_F(PosixFileSystemTest, PiecesHandOverTheWholeFileInOrderUntilTheSinkStops) {
  const std::string path = dir + "/big.csv";
  std::string bytes;
  for (int i = 0; i < 3000000; ++i) bytes += static_cast<char>('a' + i % 26);
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

// A file read whole into memory of its size: files of any size, one whose
// size is not known before it ends (a pipe, as a file that grows while it
// is read), and the reads that fail, leaving nothing.
TEST_F(PosixFileSystemTest, ReadIntoTakesTheWholeFileOrNothing) {
  struct Case {
    const char* name;
    std::size_t size;
  } cases[] = {{"empty", 0}, {"small", 10}, {"book", (3u << 20) + 7}};
  for (const Case& c : cases) {
    std::string bytes;
    for (std::size_t i = 0; i < c.size; ++i) bytes += static_cast<char>(i * 13 + i / 4093);
    const std::string path = dir + "/" + c.name;
    ASSERT_TRUE(files.ReplaceContents(path, bytes));
    FileBytes read;
    ASSERT_EQ(files.ReadInto(path, 4u << 20, &read), kOk) << c.name;
    EXPECT_EQ(read.View(), bytes) << c.name;
  }
  const std::string pipe = dir + "/pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string streamed(5u << 20, 'p');
  const pid_t writer = ::fork();
  if (writer == 0) {
    const int fd = ::open(pipe.c_str(), O_WRONLY);
    for (std::size_t at = 0; at < streamed.size(); at += 70000) {
      const std::size_t n = std::min<std::size_t>(70000, streamed.size() - at);
      if (::write(fd, streamed.data() + at, n) != static_cast<ssize_t>(n)) ::_exit(1);
    }
    ::_exit(0);
  }
  FileBytes read;
  EXPECT_EQ(files.ReadInto(pipe, 8u << 20, &read), kOk);
  EXPECT_EQ(read.Size(), streamed.size());
  EXPECT_EQ(read.View(), streamed);
  ::waitpid(writer, nullptr, 0);

  FileBytes failed("stale");
  EXPECT_EQ(files.ReadInto(dir + "/book", 1u << 20, &failed), FileError::kTooLarge);
  EXPECT_TRUE(failed.Empty());
  EXPECT_EQ(files.ReadInto(dir + "/missing", 1u << 20, &failed), FileError::kNotFound);
  EXPECT_EQ(files.ReadInto(dir, 1u << 20, &failed), FileError::kIsDirectory);
  EXPECT_TRUE(failed.Empty());
}

TEST_F(PosixFileSystemTest, SameFileAsksTheFileNotItsName) {
  ASSERT_EQ(::mkdir((dir + "/sub").c_str(), 0755), 0);
  ASSERT_EQ(files.ReplaceWhole(dir + "/book.fdt", "book"), kOk);
  ASSERT_EQ(files.ReplaceWhole(dir + "/other.fdt", "book"), kOk);  // equal bytes, another file
  ASSERT_EQ(::link((dir + "/book.fdt").c_str(), (dir + "/hard.fdt").c_str()), 0);
  ASSERT_EQ(::symlink("../book.fdt", (dir + "/sub/soft.fdt").c_str()), 0);
  ASSERT_EQ(::symlink("missing.fdt", (dir + "/dangling.fdt").c_str()), 0);
  const std::string book = dir + "/book.fdt";
  struct Case {
    std::string other;
    bool same;
  } cases[] = {
      {book, true},
      {dir + "/./sub/../book.fdt", true},
      {dir + "/hard.fdt", true},
      {dir + "/sub/soft.fdt", true},
      {dir + "/other.fdt", false},
      {dir + "/missing.fdt", false},
      {dir + "/dangling.fdt", false},
      {dir, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(files.SameFile(book, c.other), c.same) << c.other;
    EXPECT_EQ(files.SameFile(c.other, book), c.same) << c.other;
  }
  EXPECT_FALSE(files.SameFile(dir + "/missing.fdt", dir + "/missing.fdt"));
}

TEST_F(PosixFileSystemTest, AReplacedLinkStaysALinkAndItsTargetTakesTheBytes) {
  ASSERT_EQ(::mkdir((dir + "/books").c_str(), 0755), 0);
  const std::string target = dir + "/books/address.fdt";
  struct Case {
    const char* what;
    std::string link;
    std::string linkTo;     // what the link holds
    bool targetExists;
  } cases[] = {
      {"an absolute link into another folder", dir + "/abs.fdt", target, true},
      {"a relative link", dir + "/rel.fdt", "books/address.fdt", true},
      {"a link to a link", dir + "/chain.fdt", "rel.fdt", true},
      {"a link to a file not there yet", dir + "/new.fdt", "books/created.fdt", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(::symlink(c.linkTo.c_str(), c.link.c_str()), 0);
    if (c.targetExists) {
      ASSERT_EQ(files.ReplaceWhole(target, "old"), kOk);
      ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    }
    ASSERT_EQ(files.ReplaceWhole(c.link, c.what), kOk);
    struct stat st {};
    ASSERT_EQ(::lstat(c.link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link was replaced by a file";
    EXPECT_EQ(Slurp(c.link), c.what);
    const std::string reached = c.targetExists ? target : dir + "/books/created.fdt";
    EXPECT_EQ(Slurp(reached), c.what);
    ASSERT_EQ(::stat(reached.c_str(), &st), 0);
    if (c.targetExists) EXPECT_EQ(st.st_mode & 0777, 0600u) << "the target keeps its rights";
  }

  // A loop of links is refused and left as it is.
  ASSERT_EQ(::symlink("loop-b", (dir + "/loop-a").c_str()), 0);
  ASSERT_EQ(::symlink("loop-a", (dir + "/loop-b").c_str()), 0);
  EXPECT_NE(files.ReplaceWhole(dir + "/loop-a", "x"), kOk);
  struct stat st {};
  ASSERT_EQ(::lstat((dir + "/loop-a").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(PosixFileSystemTest, LeftoversStayUntilASaveSucceedsAndOneCanBePutBack) {
  const std::string path = dir + "/address.fdt";
  const std::string leftover = path + ".~fbk00000001.tmp";
  std::ofstream(path) << "cut boo";
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  std::ofstream(leftover) << "whole book\r\n";
  std::ofstream(dir + "/other.fdt.~fbk00000002.tmp") << "another book's";

  // A save that fails part way keeps the leftover: it may be the one copy.
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    PosixFileSystem childFiles;
    ::_exit(childFiles.ReplaceWhole(path, std::string(100000, 'x')) == FileError::kDiskFull ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::set<std::string> found;
  for (const FoundFile& f : files.FilesNamedLike(path)) found.insert(f.path);
  EXPECT_EQ(found, (std::set<std::string>{path, leftover}));

  ASSERT_EQ(files.PutInPlace(leftover, path), kOk);
  EXPECT_EQ(Slurp(path), "whole book\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u) << "the book's permission bits";
  EXPECT_FALSE(files.FileExists(leftover));
  EXPECT_EQ(Entries(), 2);
}

}  // namespace
}  // namespace sys
