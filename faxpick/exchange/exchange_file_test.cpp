// The exchange file: the starting send list read back, the final one
// written, and counts the file cannot be trusted with.
#include "faxpick/exchange/exchange_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/picker_harness.h"

namespace picker {
namespace {

constexpr char kFile[] = "C:\\x\\SendList.ini";
constexpr char kSettings[] = "C:\\x\\FilePath.ini";

std::vector<std::string> Item(int i, const std::string& fax, const std::string& name) {
  return {"[" + ItemSectionName(i) + "]", "FaxNumber=" + fax, "SubAddress=", "Password=",
          "CompanyName=", "DepartmentName=", "ClientName=", "Respect=", "DispName=" + name,
          "DispNameJP=" + name};
}

std::string File(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> lines;
  for (const auto& p : parts) lines.insert(lines.end(), p.begin(), p.end());
  return Lines(lines);
}

Destination Named(const std::string& fax, const std::string& name) {
  Destination d;
  d.faxNumber = fax;
  d.dispName = name;
  d.dispNameJP = name;
  return d;
}

std::vector<std::string> Faxes(const std::vector<Destination>& list) {
  std::vector<std::string> out;
  for (const Destination& d : list) out.push_back(d.faxNumber);
  return out;
}

TEST(ExchangeFile, ReadsBackWhatTheCountsAndTheFileAllow) {
  struct Case {
    const char* what;
    std::string bytes;
    bool ok;
    std::vector<std::string> faxes;
    int itemNum;
    int others;
  };
  const auto base = [](const std::string& num, const std::string& total) {
    std::vector<std::string> b = {"[BASE_INFO]"};
    if (!num.empty()) b.push_back("ItemNum=" + num);
    if (!total.empty()) b.push_back("ItemNumTotal=" + total);
    return b;
  };
  const Case cases[] = {
      {"three of five", File({base("3", "5"), Item(0, "1", "a"), Item(1, "2", "b"), Item(2, "3", "c")}),
       true, {"1", "2", "3"}, 3, 2},
      {"no ItemNum", File({base("", "5"), Item(0, "1", "a")}), false, {}, 0, 0},
      {"no total", File({base("1", ""), Item(0, "1", "a")}), false, {"1"}, 1, 0},
      {"a total below the count", File({base("2", "1"), Item(0, "1", "a"), Item(1, "2", "b")}),
       true, {"1", "2"}, 2, 0},
      {"a negative count", File({base("-4", "3"), Item(0, "1", "a")}), true, {}, 0, 3},
      {"a huge count", File({base("2000000000", "2000000002"), Item(0, "1", "a"), Item(1, "2", "b")}),
       true, {"1", "2"}, 2000000000, 2},
      {"a gap inside the range", File({base("3", "3"), Item(0, "1", "a"), Item(2, "3", "c"),
                                       Item(5, "6", "f")}),
       true, {"1", "", "3"}, 3, 0},
      {"fewer sections than counted", File({base("3", "3"), Item(0, "1", "a"), Item(2, "3", "c")}),
       true, {"1", "", "3"}, 3, 0},
      {"sections missing at the end", File({base("4", "4"), Item(1, "2", "b")}), true, {"", "2"}, 4, 0},
      {"a long run of missing sections is closed up",
       File({base("2000000000", "2000000000"), Item(0, "1", "a"), Item(1999999, "7", "z")}),
       true, {"1", "", "", "7"}, 2000000000, 0},
      {"counts as the runtime reads them", File({base(" 2x", "+4"), Item(0, "1", "a"), Item(1, "2", "b")}),
       true, {"1", "2"}, 2, 2},
      {"no file", "", false, {}, 0, 0},
  };
  for (const Case& c : cases) {
    sys::FakeFileSystem files;
    sys::FakeIniFiles ini(&files);
    if (!c.bytes.empty()) files.SetFile(kFile, c.bytes);
    ExchangeFile exchange(ini, files, 932);
    std::vector<Destination> list;
    EXPECT_EQ(exchange.ReadBack(kFile, &list), c.ok) << c.what;
    EXPECT_EQ(Faxes(list), c.faxes) << c.what;
    EXPECT_EQ(exchange.ItemNum(), c.itemNum) << c.what;
    EXPECT_EQ(exchange.OtherDestinationCount(), c.others) << c.what;
  }
}

TEST(ExchangeFile, RewritesTheListAndKeepsOtherSections) {
  sys::FakeFileSystem files;
  sys::FakeIniFiles ini(&files);
  files.SetFile(kFile, File({{"[DRIVER]", "Job=7"}, {"[BASE_INFO]", "ItemNum=3", "ItemNumTotal=5"},
                             Item(0, "1", "a"), Item(1, "2", "b"), Item(2, "3", "c")}));
  ExchangeFile exchange(ini, files, 932);
  std::vector<Destination> list;
  ASSERT_TRUE(exchange.ReadBack(kFile, &list));
  list.erase(list.begin() + 1);
  list[1].respect = " ";
  list[1].companyName = "Kita, \"Ltd\"";
  BookChoice choice{1, "srv", "\\share\\address.fdt"};
  ASSERT_EQ(exchange.WriteResult(kFile, list, kSettings, choice), WriteOutcome::kWritten);

  std::vector<std::string> c = Item(1, "3", "c");
  c[4] = "CompanyName=Kita, \"Ltd\"";
  c[7] = "Respect=";
  EXPECT_EQ(*files.File(kFile), File({{"[DRIVER]", "Job=7"}, {"[BASE_INFO]", "ItemNum=2", "ItemNumTotal=4"},
                                      Item(0, "1", "a"), c}));
  EXPECT_EQ(*files.File(kSettings),
            Lines({"[PARAM]", "TYPE=1", "HostName=srv", "FilePath=\\share\\address.fdt"}));
  // The settings are written after the exchange file is flushed; the copy
  // that was written is gone.
  const std::vector<std::string> changes = ini.Changes();
  ASSERT_GE(changes.size(), 4u);
  EXPECT_EQ(changes[changes.size() - 4], std::string("flush ") + kFile + ".new");
  EXPECT_EQ(files.File(std::string(kFile) + ".new"), nullptr);
}

TEST(ExchangeFile, NamesLaterSectionsWithFourDigits) {
  EXPECT_EQ(ItemSectionName(0), "ITEM_000");
  EXPECT_EQ(ItemSectionName(999), "ITEM_999");
  EXPECT_EQ(ItemSectionName(1000), "ITEM_1000");
  sys::FakeFileSystem files;
  sys::FakeIniFiles ini(&files);
  ExchangeFile exchange(ini, files, 932);
  std::vector<Destination> list(1001, Named("9", "n"));
  ASSERT_EQ(exchange.WriteResult(kFile, list, kSettings, BookChoice()), WriteOutcome::kWritten);
  const std::vector<std::string> names = ini.SectionNames(kFile);
  ASSERT_EQ(names.size(), 1002u);
  EXPECT_EQ(names.back(), "ITEM_1000");
}

TEST(ExchangeFile, DeletesOnlyTheSectionsTheFileHoldsBelowTheCount) {
  sys::FakeFileSystem files;
  sys::FakeIniFiles ini(&files);
  files.SetFile(kFile, File({{"[BASE_INFO]", "ItemNum=2000000000", "ItemNumTotal=2000000000"},
                             Item(0, "1", "a"), {"[item_004]", "FaxNumber=5"}, {"[ITEM_0001]", "x=1"}}));
  ExchangeFile exchange(ini, files, 932);
  std::vector<Destination> list;
  exchange.ReadBack(kFile, &list);
  ini.ClearLog();
  ASSERT_EQ(exchange.WriteResult(kFile, {Named("7", "g")}, kSettings, BookChoice()),
            WriteOutcome::kWritten);
  std::vector<std::string> deletions;
  for (const std::string& change : ini.Changes()) {
    if (change.rfind("delete ", 0) == 0) deletions.push_back(change);
  }
  const std::string prefix = std::string("delete ") + kFile + ".new";
  EXPECT_EQ(deletions, (std::vector<std::string>{prefix + " [BASE_INFO]", prefix + " [ITEM_000]",
                                                 prefix + " [ITEM_004]"}));
  EXPECT_EQ(ini.ReadString(kFile, "ITEM_0001", "x", "", 255), "1");
  EXPECT_EQ(ini.ReadString(kFile, "BASE_INFO", "ItemNumTotal", "", 255), "1");
}

TEST(ExchangeFile, AFailedWriteLeavesTheFileAsItWasAndAnEmptyPathWritesNothing) {
  for (int writes : {0, 1, 2, 5, 11}) {
    sys::FakeFileSystem files;
    sys::FakeIniFiles ini(&files);
    const std::string before = File({{"[BASE_INFO]", "ItemNum=2", "ItemNumTotal=5"},
                                     Item(0, "1", "a"), Item(1, "2", "b")});
    files.SetFile(kFile, before);
    ExchangeFile exchange(ini, files, 932);
    std::vector<Destination> list;
    ASSERT_TRUE(exchange.ReadBack(kFile, &list));
    list.push_back(Named("3", "c"));
    ini.FailWritesAfter(writes);
    EXPECT_EQ(exchange.WriteResult(kFile, list, kSettings, BookChoice()), WriteOutcome::kNotWritten)
        << writes;
    EXPECT_EQ(*files.File(kFile), before) << writes;
    EXPECT_EQ(files.FileCount(), 1u) << writes;  // no copy, no settings
  }

  sys::FakeFileSystem clean;
  sys::FakeIniFiles cleanIni(&clean);
  ExchangeFile nowhere(cleanIni, clean, 932);
  EXPECT_EQ(nowhere.WriteResult("", {Named("1", "a")}, "", BookChoice()), WriteOutcome::kNotWritten);
  EXPECT_EQ(clean.FileCount(), 0u);
  EXPECT_TRUE(cleanIni.Changes().empty());
}

// A file that is there but cannot be read at the start is no empty list:
// nothing is listed and nothing is written over it, even once it could be
// read again.
TEST(ExchangeFile, AFileUnreadableAtTheStartIsNeverWrittenOver) {
  struct Case {
    const char* what;
    std::function<void(sys::FakeFileSystem&)> fault;
    std::function<void(sys::FakeFileSystem&)> mend;
  };
  const Case cases[] = {
      {"held open without sharing", [](sys::FakeFileSystem& f) { f.HoldOpen(kFile, false); },
       [](sys::FakeFileSystem& f) { f.Release(kFile); }},
      {"denied", [](sys::FakeFileSystem& f) { f.Deny(kFile); },
       [](sys::FakeFileSystem& f) { f.SetError(kFile, sys::FileError::kNone); }},
      {"a read error part way", [](sys::FakeFileSystem& f) { f.FailReadAfter(kFile, 30); }, nullptr},
  };
  for (const Case& c : cases) {
    sys::FakeFileSystem files;
    sys::FakeIniFiles ini(&files);
    const std::string before = File({{"[BASE_INFO]", "ItemNum=1", "ItemNumTotal=3"}, Item(0, "1", "a")});
    files.SetFile(kFile, before);
    c.fault(files);
    ExchangeFile exchange(ini, files, 932);
    std::vector<Destination> list;
    EXPECT_FALSE(exchange.ReadBack(kFile, &list)) << c.what;
    EXPECT_TRUE(exchange.ReadFailed()) << c.what;
    EXPECT_TRUE(list.empty()) << c.what;
    EXPECT_EQ(exchange.OtherDestinationCount(), 0) << c.what;
    if (c.mend) c.mend(files);
    EXPECT_EQ(exchange.WriteResult(kFile, {Named("7", "g")}, kSettings, BookChoice()),
              WriteOutcome::kNotRead)
        << c.what;
    EXPECT_EQ(*files.File(kFile), before) << c.what;
    EXPECT_EQ(files.FileCount(), 1u) << c.what;
  }
  // A missing file is no failure: it is made at OK.
  sys::FakeFileSystem files;
  sys::FakeIniFiles ini(&files);
  ExchangeFile exchange(ini, files, 932);
  std::vector<Destination> list;
  EXPECT_FALSE(exchange.ReadBack(kFile, &list));
  EXPECT_FALSE(exchange.ReadFailed());
  EXPECT_EQ(exchange.WriteResult(kFile, {Named("7", "g")}, kSettings, BookChoice()),
            WriteOutcome::kWritten);
}

// At OK the file is read whole before anything is written. Where the copy
// beside it cannot be made or cannot take its place, it is written in
// place, to the same bytes; what cannot be read or written is left as it
// was, with nothing else written.
TEST(ExchangeFile, OkWritesTheListWholeOrSaysWhyNot) {
  struct Case {
    const char* what;
    std::function<void(sys::FakeFileSystem&)> fault;
    WriteOutcome outcome;
  };
  const std::string work = std::string(kFile) + ".new";
  const Case cases[] = {
      {"nothing in the way", [](sys::FakeFileSystem&) {}, WriteOutcome::kWritten},
      {"no right to make the copy", [&](sys::FakeFileSystem& f) { f.Deny(work); },
       WriteOutcome::kWritten},
      {"held open with sharing", [](sys::FakeFileSystem& f) { f.HoldOpen(kFile, true); },
       WriteOutcome::kWritten},
      {"held open without sharing", [](sys::FakeFileSystem& f) { f.HoldOpen(kFile, false); },
       WriteOutcome::kNotRead},
      {"denied", [](sys::FakeFileSystem& f) { f.Deny(kFile); }, WriteOutcome::kNotRead},
      {"a read error part way", [](sys::FakeFileSystem& f) { f.FailReadAfter(kFile, 40); },
       WriteOutcome::kNotRead},
      {"read-only", [](sys::FakeFileSystem& f) { f.MakeReadOnly(kFile); }, WriteOutcome::kReadOnly},
      {"read-only, and no right to make the copy",
       [&](sys::FakeFileSystem& f) {
         f.MakeReadOnly(kFile);
         f.Deny(work);
       },
       WriteOutcome::kReadOnly},
      {"held open, and no right to make the copy",
       [&](sys::FakeFileSystem& f) {
         f.HoldOpen(kFile, true);
         f.Deny(work);
       },
       WriteOutcome::kWritten},
  };
  const std::string before = File({{"[DRIVER]", "Job=7"}, {"[BASE_INFO]", "ItemNum=2", "ItemNumTotal=4"},
                                   Item(0, "1", "a"), Item(1, "2", "b")});
  const std::string after = File({{"[DRIVER]", "Job=7"}, {"[BASE_INFO]", "ItemNum=2", "ItemNumTotal=4"},
                                  Item(0, "2", "b"), Item(1, "9", "n")});
  for (const Case& c : cases) {
    sys::FakeFileSystem files;
    sys::FakeIniFiles ini(&files);
    files.SetFile(kFile, before);
    ExchangeFile exchange(ini, files, 932);
    std::vector<Destination> list;
    ASSERT_TRUE(exchange.ReadBack(kFile, &list)) << c.what;
    list.erase(list.begin());
    list.push_back(Named("9", "n"));
    c.fault(files);
    EXPECT_EQ(exchange.WriteResult(kFile, list, kSettings, BookChoice()), c.outcome) << c.what;
    const bool written = c.outcome == WriteOutcome::kWritten;
    EXPECT_EQ(*files.File(kFile), written ? after : before) << c.what;
    EXPECT_EQ(files.File(kSettings) != nullptr, written) << c.what;
    EXPECT_EQ(files.File(work), nullptr) << c.what;
  }
}

// Values are cut to 254 bytes at a whole character of the code page, so
// that the 255-byte buffer of the reader takes them back whole.
TEST(ExchangeFile, ValuesAreWrittenToReadBackWhole) {
  std::string kana;
  for (int i = 0; i < 150; ++i) kana += "\x82\xA0";
  struct Case {
    int codePage;
    std::string value;
    std::string readBack;
  };
  const Case cases[] = {
      {932, std::string(300, 'x'), std::string(254, 'x')},
      {932, std::string(254, 'y'), std::string(254, 'y')},
      {932, "a" + kana, "a" + kana.substr(0, 252)},  // 253 bytes: the next pair would pass 254
      {932, kana.substr(0, 254), kana.substr(0, 254)},
      {1252, "a" + kana, "a" + kana.substr(0, 253)},  // single bytes there
  };
  for (const Case& c : cases) {
    sys::FakeFileSystem files;
    sys::FakeIniFiles ini(&files);
    ExchangeFile exchange(ini, files, c.codePage);
    Destination d = Named("1", c.value);
    d.companyName = c.value;
    ASSERT_EQ(exchange.WriteResult(kFile, {d}, kSettings, BookChoice()), WriteOutcome::kWritten);
    ExchangeFile again(ini, files, c.codePage);
    std::vector<Destination> list;
    ASSERT_TRUE(again.ReadBack(kFile, &list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].companyName, c.readBack) << c.codePage << " " << c.value.size();
    EXPECT_EQ(list[0].dispNameJP, c.readBack) << c.codePage << " " << c.value.size();
  }
}

}  // namespace
}  // namespace picker
