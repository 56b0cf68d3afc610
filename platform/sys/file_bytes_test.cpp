#include "platform/sys/file_bytes.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_file_system.h"

namespace sys {
namespace {

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
  return bytes;
}

// Bytes appended in pieces of every size, across the blocks they outgrow,
// read back as they were; views are known as theirs or not.
TEST(FileBytes, PiecesAppendedReadBackWholeAndViewsAreKnownAsTheirs) {
  const std::string all = Pattern((5u << 20) + 13);
  for (const std::size_t piece : {std::size_t(1), std::size_t(4093), std::size_t(1) << 20, all.size()}) {
    FileBytes bytes;
    for (std::size_t at = 0; at < all.size(); at += piece) {
      bytes.Append(std::string_view(all).substr(at, piece));
    }
    ASSERT_EQ(bytes.View(), all) << piece;
    EXPECT_TRUE(bytes.Holds(bytes.View().substr(17, 100)));
    EXPECT_TRUE(bytes.Holds(bytes.View().substr(all.size())));  // the empty run at the end
    EXPECT_FALSE(bytes.Holds(all));
  }
  FileBytes none;
  EXPECT_FALSE(none.Holds(std::string_view()));
  EXPECT_EQ(FileBytes("abc").View(), "abc");
}

// The in-memory files read into memory of their size, in the pieces the
// test sets, and fail as their reads fail, leaving nothing.
TEST(FileBytes, TheFakeReadsIntoMemoryOfTheFilesSizeAndFailsWhole) {
  FakeFileSystem files;
  const std::string book = Pattern(3u << 20);
  files.SetFile("C:\\book.fdt", book);
  files.SetPieceSize(4096);
  FileBytes bytes;
  ASSERT_EQ(files.ReadInto("C:\\book.fdt", 4u << 20, &bytes), FileError::kNone);
  EXPECT_EQ(bytes.View(), book);
  EXPECT_EQ(files.ReadInto("C:\\book.fdt", 1u << 20, &bytes), FileError::kTooLarge);
  EXPECT_TRUE(bytes.Empty());
  EXPECT_EQ(files.ReadInto("C:\\none.fdt", 4u << 20, &bytes), FileError::kNotFound);
  files.FailReadAfter("C:\\book.fdt", 10000);
  EXPECT_EQ(files.ReadInto("C:\\book.fdt", 4u << 20, &bytes), FileError::kIoError);
  EXPECT_TRUE(bytes.Empty());
}

#if defined(__linux__)
// A book read again while the last one is still held takes the memory the
// one before it gave back, when it is of about that size.
TEST(FileBytes, TheMemoryOfTheLastLargeBufferIsTakenAgain) {
  const char* before = nullptr;
  {
    FileBytes first;
    first.Room(24u << 20);
    before = first.View().data();
  }
  FileBytes second;
  second.Room((24u << 20) - 5000);
  EXPECT_EQ(second.View().data(), before);
  const char* given = nullptr;
  {
    FileBytes other;
    other.Room(24u << 20);
    given = other.View().data();
  }
  FileBytes small;
  small.Room(4u << 20);  // far smaller: it does not hold on to the large memory
  FileBytes again;
  again.Room(23u << 20);
  EXPECT_EQ(again.View().data(), given);
}
#endif

}  // namespace
}  // namespace sys
