// The exchange file: the starting send list read back, the final one
// written, and counts the file cannot be trusted with.
#include "faxpick/exchange/exchange_file.h"

#include <gtest/gtest.h>

#include "faxpick/picker_test_support.h"

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
       true, {"1", ""}, 3, 0},
      {"counts as the runtime reads them", File({base(" 2x", "+4"), Item(0, "1", "a"), Item(1, "2", "b")}),
       true, {"1", "2"}, 2, 2},
      {"no file", "", false, {}, 0, 0},
  };
  for (const Case& c : cases) {
    sys::FakeFileSystem files;
    sys::FakeIniFiles ini(&files);
    if (!c.bytes.empty()) files.SetFile(kFile, c.bytes);
    ExchangeFile exchange(ini, files);
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
  ExchangeFile exchange(ini, files);
  std::vector<Destination> list;
  ASSERT_TRUE(exchange.ReadBack(kFile, &list));
  list.erase(list.begin() + 1);
  list[1].respect = " ";
  list[1].companyName = "Kita, \"Ltd\"";
  BookChoice choice{1, "srv", "\\share\\address.fdt"};
  ASSERT_TRUE(exchange.WriteResult(kFile, list, kSettings, choice));

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
  ExchangeFile exchange(ini, files);
  std::vector<Destination> list(1001, Named("9", "n"));
  ASSERT_TRUE(exchange.WriteResult(kFile, list, kSettings, BookChoice()));
  const std::vector<std::string> names = ini.SectionNames(kFile);
  ASSERT_EQ(names.size(), 1002u);
  EXPECT_EQ(names.back(), "ITEM_1000");
}

TEST(ExchangeFile, DeletesOnlyTheSectionsTheFileHoldsBelowTheCount) {
  sys::FakeFileSystem files;
  sys::FakeIniFiles ini(&files);
  files.SetFile(kFile, File({{"[BASE_INFO]", "ItemNum=2000000000", "ItemNumTotal=2000000000"},
                             Item(0, "1", "a"), {"[item_004]", "FaxNumber=5"}, {"[ITEM_0001]", "x=1"}}));
  ExchangeFile exchange(ini, files);
  std::vector<Destination> list;
  exchange.ReadBack(kFile, &list);
  ini.ClearLog();
  ASSERT_TRUE(exchange.WriteResult(kFile, {Named("7", "g")}, kSettings, BookChoice()));
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
    ExchangeFile exchange(ini, files);
    std::vector<Destination> list;
    ASSERT_TRUE(exchange.ReadBack(kFile, &list));
    list.push_back(Named("3", "c"));
    ini.FailWritesAfter(writes);
    EXPECT_FALSE(exchange.WriteResult(kFile, list, kSettings, BookChoice())) << writes;
    EXPECT_EQ(*files.File(kFile), before) << writes;
    EXPECT_EQ(files.FileCount(), 1u) << writes;  // no copy, no settings
  }

  sys::FakeFileSystem clean;
  sys::FakeIniFiles cleanIni(&clean);
  ExchangeFile nowhere(cleanIni, clean);
  EXPECT_FALSE(nowhere.WriteResult("", {Named("1", "a")}, "", BookChoice()));
  EXPECT_EQ(clean.FileCount(), 0u);
  EXPECT_TRUE(cleanIni.Changes().empty());
}

}  // namespace
}  // namespace picker
