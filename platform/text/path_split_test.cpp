#include "platform/text/path_split.h"

#include <gtest/gtest.h>

namespace text {
namespace {

TEST(PathSplit, OnlyRealSeparatorsEndTheFolder) {
  struct Case {
    int codePage;
    const char* path;
    const char* folder;  // with its last separator
    const char* name;
  } cases[] = {
      {932, "C:\\data\\address.fdt", "C:\\data\\", "address.fdt"},
      // 表 is 0x95 0x5C: its trail byte is no backslash in 932.
      {932, "C:\\data\\\x95\x5C.fdt", "C:\\data\\", "\x95\x5C.fdt"},
      {932, "C:\\\x95\x5C\\address.fdt", "C:\\\x95\x5C\\", "address.fdt"},
      // A name ending in such a trail byte, and one of several of them.
      {932, "C:\\data\\\x83\x5C", "C:\\data\\", "\x83\x5C"},
      {932, "\\\\srv\\\x95\x5C\x83\x5C\\\x95\x5C", "\\\\srv\\\x95\x5C\x83\x5C\\", "\x95\x5C"},
      // The same bytes in a single-byte page: 0x5C is a backslash there.
      {1252, "C:\\data\\\x95\x5C.fdt", "C:\\data\\\x95\\", ".fdt"},
      // Lead bytes of the other double-byte pages.
      {936, "D:\\\xD7\x5C\\a", "D:\\\xD7\x5C\\", "a"},
      {950, "D:\\\xA5\x5C.fdt", "D:\\", "\xA5\x5C.fdt"},
      // 0x5C cannot trail in 949: the backslash after a lead byte separates.
      {949, "D:\\\xB0\x5C""a", "D:\\\xB0\\", "a"},
      // A lead byte last in the path, or before its separator.
      {932, "C:\\a\x95", "C:\\", "a\x95"},
      {932, "C:\\a\x95/b", "C:\\a\x95/", "b"},
      {1252, "C:/data/book.fdt", "C:/data/", "book.fdt"},
      {1252, "C:\\book.fdt", "C:\\", "book.fdt"},
      {1252, "\\book.fdt", "\\", "book.fdt"},
      {1252, "C:book.fdt", "C:", "book.fdt"},
      {1252, "book.fdt", "", "book.fdt"},
      {1252, "C:\\data\\", "C:\\data\\", ""},
      {1252, "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const PathSplit split = SplitPath(c.codePage, c.path);
    EXPECT_EQ(split.folder, c.folder);
    EXPECT_EQ(split.name, c.name);
    EXPECT_EQ(NameOf(c.codePage, c.path), c.name);
  }
}

TEST(PathSplit, TheFolderWithoutItsSeparatorAndTheExtension) {
  struct Case {
    const char* path;
    const char* folder;
    const char* extension;
  } cases[] = {
      {"C:\\data\\\x95\x5C.csv", "C:\\data", ".csv"},
      {"C:\\data\\a.b.CSV", "C:\\data", ".CSV"},
      {"C:\\dir.d\\noext", "C:\\dir.d", ""},
      {"C:\\x", "C:", ""},
      {"\\x.", "", "."},
      {"x", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FolderOf(932, c.path), c.folder);
    EXPECT_EQ(ExtensionOf(NameOf(932, c.path)), c.extension);
  }
}

}  // namespace
}  // namespace text
