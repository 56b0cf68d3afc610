#include "store/file_stamp.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/fake/fake_file_system.h"

namespace store {
namespace {

TEST(FileStamp, TheHashIsOfTheBytesWhateverThePieces) {
  std::mt19937 random(3);
  std::string bytes(1000, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  const std::uint64_t whole = HashFileBytes(bytes);
  for (std::size_t piece : {1u, 7u, 31u, 32u, 33u, 100u, 999u}) {
    StreamHash hash;
    for (std::size_t at = 0; at < bytes.size(); at += piece) hash.Add(std::string_view(bytes).substr(at, piece));
    EXPECT_EQ(hash.Finish(), whole) << piece;
  }
  // Any byte changed, one more or one less byte: another hash.
  for (std::size_t at : {0u, 31u, 32u, 500u, 999u}) {
    std::string changed = bytes;
    changed[at] = static_cast<char>(changed[at] ^ 1);
    EXPECT_NE(HashFileBytes(changed), whole) << at;
  }
  EXPECT_NE(HashFileBytes(bytes + '\0'), whole);
  EXPECT_NE(HashFileBytes(bytes.substr(1)), whole);
  EXPECT_NE(HashFileBytes(std::string(33, '\0')), HashFileBytes(std::string(34, '\0')));
}

TEST(FileStamp, AFileReadInPiecesStampsAsItsBytes) {
  sys::FakeFileSystem files;
  files.SetPieceSize(5);
  files.SetFile("C:\\book.fdt", "header\r\nline one\r\n");
  FileStamp stamp;
  ASSERT_EQ(StampFile(files, "C:\\book.fdt", 1000, &stamp), sys::FileError::kNone);
  EXPECT_TRUE(stamp.SameBytes(StampOf("header\r\nline one\r\n")));
  EXPECT_FALSE(stamp.SameBytes(StampOf("header\r\nline two\r\n")));
  EXPECT_FALSE(stamp.SameBytes(FileStamp()));

  FileStamp missing;
  EXPECT_EQ(StampFile(files, "C:\\other.fdt", 1000, &missing), sys::FileError::kNotFound);
  EXPECT_FALSE(missing.known);
  files.FailReadAfter("C:\\book.fdt", 3);
  EXPECT_NE(StampFile(files, "C:\\book.fdt", 1000, &missing), sys::FileError::kNone);
  EXPECT_FALSE(missing.known);
}

}  // namespace
}  // namespace store

#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/test_support.h"

namespace store {
namespace {

TEST(FileStamp, LoadAndWriteStampTheBytesTheyReadAndWrote) {
  sys::FakeFileSystem files;
  files.SetPieceSize(7);
  RecordingAlerts alerts;
  BookContext context;
  context.files = &files;
  context.alerts = &alerts;
  const std::string path = "C:\\book.fdt";
  const std::string bytes = std::string(kBookHeader) + "\r\n1,1,N,R,03,,,,,,,0\r\n";
  files.SetFile(path, bytes);

  std::vector<AddressRecord> records;
  GroupTable groups(932, &alerts);
  const BookStatus loaded = LoadBook(context, path, std::string(), &records, &groups);
  ASSERT_TRUE(loaded.ok());
  EXPECT_TRUE(loaded.stamp.SameBytes(StampOf(bytes)));

  // An empty file becomes a new book, written: the stamp is the new book's.
  files.SetFile(path, "");
  records.clear();
  const BookStatus fresh = LoadBook(context, path, std::string(), &records, &groups);
  std::string now;
  ASSERT_EQ(files.ReadWhole(path, &now, 1000), sys::FileError::kNone);
  EXPECT_TRUE(fresh.stamp.SameBytes(StampOf(now)));

  Book book(932, &alerts);
  AddressRecord r;
  r.regNo = 1;
  r.dispName = "N";
  r.dispNameJP = "R";
  book.Add(r);
  FileStamp written;
  text::PortableCollation collation(932);
  ASSERT_EQ(WriteBook(context, path, collation, book, &written), sys::FileError::kNone);
  ASSERT_EQ(files.ReadWhole(path, &now, 1000), sys::FileError::kNone);
  EXPECT_TRUE(written.SameBytes(StampOf(now)));
}

}  // namespace
}  // namespace store
