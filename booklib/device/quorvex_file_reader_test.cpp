// The device-file reader: packed digits, the machine's character rows, the
// record filters and the block and item rules, with hostile sizes and
// counts.
#include <gtest/gtest.h>

#include "booklib/device/machine_charset.h"
#include "booklib/device/packed_digits.h"
#include "booklib/device/quorvex_file_reader.h"
#include "platform/fake/fake_file_system.h"
#include "tests/support/fed_file.h"

namespace {

using fedfile::Block;
using fedfile::BlockSized;
using fedfile::DestinationList;
using fedfile::Encode;
using fedfile::File;
using fedfile::FileCounted;
using fedfile::Item;
using fedfile::Le32;
using fedfile::Record;

constexpr unsigned kA = 0x41;
constexpr unsigned kB = 0x42;

std::vector<std::string> Keys(const device::CQuorvexFileReader& reader) {
  std::vector<std::string> keys;
  for (const device::QuorvexDestination& d : reader.Destinations()) keys.push_back(d.key);
  return keys;
}

TEST(PackedDigits, EndAtCode15AndMapTheCodes) {
  const struct {
    std::string bytes;
    std::string text;
  } cases[] = {
      {"\x03\x12\x34\x5F", "0312345"},
      {"\xF0\x12", ""},                      // high half 15 ends before the byte
      {"\x01\xF2", "01"},                    // ended at the first half of the second byte
      {"\xAB\xCD\xEF", " *-#+"},             // codes 10-14
      {"\x12\x34", ""},                      // no end code within the field
      {"", ""},
      {std::string("\x00\x0F", 2), "000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(device::DecodePackedDigits(c.bytes), c.text);
  }
  // Nothing after the end code is read.
  EXPECT_EQ(device::DecodePackedDigits("\x98\x76\x5F\xFF\x12"), "98765");
}

TEST(MachineCharset, EachLanguageSelectsItsRowAndCodesMapToTheirPositions) {
  const struct {
    std::vector<int> languages;
    std::string row;  // positions 0-15
  } rows[] = {
      {{1036, 3082, 1041, 1043, 1055, 1045, 1049, 1029, 1028, 2052, 1042, 1033, 0},
       "\x3B\x3F\x5B\x5D\x25\x21\x40\x3D\x3B\x3F\x5B\x5D\x25\x21\x40\x3D"},
      {{1031}, "\xC4\xDC\xD6\xDF\x25\x21\x40\x3D\xE4\xFC\xF6\xDF\x25\x21\x40\x3D"},
      {{1040}, "\xC8\x3F\x5B\x5D\x25\x21\x40\x3D\x81\x45\x5B\x5D\x25\x21\x40\x3D"},
      {{1044}, "\xC5\xC9\xD8\xC6\x25\x3F\x40\x3D\xE5\xE9\xF8\xE6\x25\x3F\x40\x3D"},
      {{1053, 1030, 1035}, "\xC4\xC5\xD6\xD8\xC6\x21\x40\x3D\xE4\xE5\xF6\xF8\x81\x45\x40\x3D"},
      {{2070}, "\xC1\xC3\xD3\xD5\xC9\xCA\xCD\xC7\xE1\xE3\xF3\xF5\xE9\xEA\xFB\x46"},
  };
  // Codes 1, 3, ..., 15 then 2, 4, ..., 16 give positions 0..15 in order.
  std::string codes;
  for (int c = 1; c <= 15; c += 2) codes.push_back(static_cast<char>(c));
  for (int c = 2; c <= 16; c += 2) codes.push_back(static_cast<char>(c));
  for (const auto& r : rows) {
    for (int lang : r.languages) {
      EXPECT_EQ(device::DecodeMachineName(codes, lang), r.row) << lang;
    }
  }
  // Other bytes stay; the name ends at its first NUL.
  EXPECT_EQ(device::DecodeMachineName(std::string("A\x01z\x11\xB1\x7F\x00\x02", 8), 1031),
            "A\xC4z\x11\xB1\x7F");
  // The two rows no language selects are kept in the table.
  const device::CharacterRow& spanish = device::Row(device::RowId::kSpanish);
  EXPECT_EQ(std::string(spanish.begin(), spanish.end()),
            "\xAA\xBA\xBF\x3F\xA1\x21\xD1\x3D\xAA\xBA\xBF\x3F\xA1\x21\x81\x45");
  const device::CharacterRow& symbols = device::Row(device::RowId::kSymbols);
  EXPECT_EQ(std::string(symbols.begin(), symbols.begin() + 4), "\x81\x45\x5B\x5D");
}

TEST(QuorvexFileReader, RecordsAreFilteredKeyedAndDecoded) {
  Record a5;
  a5.index = 5;
  a5.fax = "03-1234";
  a5.dataKind = 2;
  a5.subAddress = "12*";
  a5.password = "#9";
  Record a7;
  a7.index = 7;
  a7.name = "Kita";
  a7.fax = "06";
  a7.inUse = 0;        // not read for the first kind
  a7.dataKind = 0x102;  // only the whole value 2 counts for the first kind
  a7.subAddress = "1";
  Record b5;
  b5.index = 5;
  b5.name = "Minami";
  b5.fax = "07 1";
  b5.dataKind = 0x102;  // the second kind looks at the last byte only
  b5.subAddress = "55";
  Record bOff = b5;
  bOff.inUse = 2;
  Record b999;
  b999.index = 999;
  b999.name = "Last";
  Record b1000;
  b1000.index = 1000;
  b1000.name = "Beyond";
  const std::string partial = Encode(b5).substr(0, 95);

  device::CQuorvexFileReader reader;
  ASSERT_TRUE(reader.ReadBytes(
      File({DestinationList({Item(kA, Encode(a5) + Encode(a7)),
                             Item(kB, Encode(b5) + Encode(bOff) + Encode(b999) + Encode(b1000) + partial)})}),
      1041));
  ASSERT_EQ(Keys(reader), (std::vector<std::string>{"#0005", "#0007", "*0006", "*1000"}));
  const auto& d = reader.Destinations();
  EXPECT_EQ(d[0].name, "#0005");  // an empty name takes the key
  EXPECT_EQ(d[0].faxNumber, "03-1234");
  EXPECT_EQ(d[0].subAddress, "12*");
  EXPECT_EQ(d[0].password, "#9");
  EXPECT_EQ(d[1].name, "Kita");
  EXPECT_EQ(d[1].subAddress, "");
  EXPECT_EQ(d[2].name, "Minami");
  EXPECT_EQ(d[2].faxNumber, "07 1");
  EXPECT_EQ(d[2].subAddress, "55");
  EXPECT_EQ(d[3].name, "Last");
}

TEST(QuorvexFileReader, BlockAndItemRulesDecideBetweenDestinationsNoneAndFailure) {
  const std::string one = Encode(Record{1, 1, "One", "1", 0, "", ""});
  const std::string list = DestinationList({Item(kA, one)});
  enum Outcome { kOne, kNone, kFailure };
  const struct {
    const char* what;
    std::string bytes;
    Outcome outcome;
  } cases[] = {
      {"plain file", File({list}), kOne},
      {"empty file", "", kNone},
      {"header short", fedfile::Header().substr(0, 435), kNone},
      {"signature without its NUL",
       fedfile::HeaderWith("Zelo Fax Remote Diagnostics System", false) + Le32(1) + list, kNone},
      {"signature with more text",
       fedfile::HeaderWith("Zelo Fax Remote Diagnostics SystemX", true) + Le32(1) + list, kNone},
      {"no block count", fedfile::Header() + "\x01\x00", kFailure},
      {"no blocks", File({}), kNone},
      {"other blocks skipped", File({Block(7, "abcdef"), list, Block(1, "")}), kOne},
      {"other block past the end", File({list, BlockSized(7, 10, "abc")}), kFailure},
      {"type 9 past the end, last block", File({list, BlockSized(9, 1000000, "abc")}), kOne},
      {"type 9 past the end, more announced", FileCounted(3, {list, BlockSized(9, 1000, "abc")}),
       kFailure},
      {"short block head", FileCounted(2, {list}) + "\x03\x00", kFailure},
      {"more blocks announced than held", FileCounted(2, {list}), kFailure},
      {"zero-length items passed over",
       File({DestinationList({Item(kA, ""), Item(kB, ""), Item(0x43, ""), Item(kA, one)})}), kOne},
      {"other items skipped", File({DestinationList({Item(0x43, "xyz"), Item(kA, one)})}), kOne},
      {"other item past the end",
       File({BlockSized(3, 0, Le32(1) + fedfile::Le16(0x43) + Le32(50) + "xyz")}), kFailure},
      {"short item data", File({BlockSized(3, 0, Le32(1) + fedfile::Le16(kA) + Le32(96) + "x")}),
       kFailure},
      {"short item head", File({BlockSized(3, 0, Le32(2) + Item(kA, one) + "\x41\x00")}), kFailure},
      {"item count missing", File({BlockSized(3, 0, "\x01")}), kFailure},
      {"partial record only", File({DestinationList({Item(kA, one.substr(0, 50))})}), kNone},
      {"second kind not in use",
       File({DestinationList({Item(kB, Encode(Record{0, 1, "Off", "1", 0, "", ""}))})}), kNone},
  };
  for (const auto& c : cases) {
    device::CQuorvexFileReader reader;
    const bool ok = reader.ReadBytes(c.bytes, 1041);
    EXPECT_EQ(ok, c.outcome != kFailure) << c.what;
    EXPECT_EQ(reader.Destinations().size(), c.outcome == kOne ? 1u : 0u) << c.what;
  }
}

TEST(QuorvexFileReader, HugeCountsAndSizesFailAtOnceWithoutAllocating) {
  const std::string cases[] = {
      FileCounted(0xFFFFFFFFu, {}),
      File({BlockSized(3, 0, Le32(0xFFFFFFFFu))}),
      File({BlockSized(3, 0, Le32(1) + fedfile::Le16(kA) + Le32(0xFFFFFFFFu))}),
      File({BlockSized(5, 0xFFFFFFFFu, "")}),
      FileCounted(0xFFFFFFFFu, {BlockSized(9, 0xFFFFFFFFu, "")}),
  };
  for (const std::string& bytes : cases) {
    device::CQuorvexFileReader reader;
    EXPECT_FALSE(reader.ReadBytes(bytes, 1041));
    EXPECT_TRUE(reader.Destinations().empty());
  }
  // Many announced blocks of type 9 and size 0 are read as long as the
  // bytes last, then the next head is missing.
  std::string bytes = FileCounted(0xFFFFFFFFu, {});
  for (int i = 0; i < 1000; ++i) bytes += BlockSized(9, 0, "");
  device::CQuorvexFileReader reader;
  EXPECT_FALSE(reader.ReadBytes(bytes, 1041));
}

TEST(QuorvexFileReader, AFailedReadLeavesNoDestinationsFromAnEarlierRead) {
  sys::FakeFileSystem files;
  files.SetFile("C:\\good.fed", fedfile::Destinations(3));
  files.SetFile("C:\\broken.fed", FileCounted(2, {DestinationList({})}));
  device::CQuorvexFileReader reader;
  ASSERT_TRUE(reader.Read(files, "C:\\good.fed", 1041));
  EXPECT_EQ(reader.Destinations().size(), 3u);
  EXPECT_FALSE(reader.Read(files, "C:\\broken.fed", 1041));
  EXPECT_TRUE(reader.Destinations().empty());
  EXPECT_FALSE(reader.Read(files, "C:\\missing.fed", 1041));
  // A file far larger than any device's is not one.
  files.SetFile("C:\\huge.fed", std::string(device::CQuorvexFileReader::kMaxFileBytes + 1, '\0'));
  EXPECT_FALSE(reader.Read(files, "C:\\huge.fed", 1041));
}

}  // namespace
