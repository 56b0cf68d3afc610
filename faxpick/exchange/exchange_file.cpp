#include "faxpick/exchange/exchange_file.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace picker {
namespace {

constexpr char kBaseSection[] = "BASE_INFO";
constexpr char kItemNum[] = "ItemNum";
constexpr char kItemNumTotal[] = "ItemNumTotal";
// Counts are read into 255 bytes, values into 255 (254 and the zero).
constexpr std::size_t kCountBytes = 255;
constexpr std::size_t kValueBytes = 255;
// The most bytes of an exchange file that are copied when it is rewritten.
constexpr std::size_t kMaxExchangeBytes = 256u << 20;

// The keys of an item section in the order they are written.
struct ItemKey {
  const char* name;
  std::string Destination::*field;
};
constexpr ItemKey kItemKeys[] = {
    {"FaxNumber", &Destination::faxNumber},
    {"SubAddress", &Destination::subAddress},
    {"Password", &Destination::password},
    {"CompanyName", &Destination::companyName},
    {"DepartmentName", &Destination::departmentName},
    {"ClientName", &Destination::clientName},
    {"Respect", &Destination::respect},
    {"DispName", &Destination::dispName},
    {"DispNameJP", &Destination::dispNameJP},
};

// The runtime's integer reading (blanks, a sign, digits up to the first
// other byte), held within the 32-bit range.
int ParseCount(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  long long value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    if (value <= INT_MAX) value = value * 10 + (s[i] - '0');
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The index of an item section name, or -1 for any other name.
int ItemIndexOf(const std::string& name) {
  if (name.size() < 8 || name.size() > 15) return -1;
  static const char kPrefix[] = "ITEM_";
  for (std::size_t i = 0; i < 5; ++i) {
    const char c = name[i];
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper != kPrefix[i]) return -1;
  }
  long long index = 0;
  for (std::size_t i = 5; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    index = index * 10 + (name[i] - '0');
  }
  if (index > INT_MAX) return -1;
  const int i = static_cast<int>(index);
  return ItemSectionName(i) == "ITEM_" + name.substr(5) ? i : -1;
}

}  // namespace

std::string ItemSectionName(int i) {
  char name[32];
  std::snprintf(name, sizeof(name), "ITEM_%03d", i);
  return name;
}

int ExchangeFile::OtherDestinationCount() const {
  return ClampToInt(std::max(0LL, static_cast<long long>(itemNumTotal_) - itemNum_));
}

std::vector<int> ExchangeFile::ItemSections(const std::string& path) {
  std::vector<int> indexes;
  for (const std::string& name : ini_.SectionNames(path)) {
    const int i = ItemIndexOf(name);
    if (i >= 0) indexes.push_back(i);
  }
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  return indexes;
}

bool ExchangeFile::ReadBack(const std::string& path, std::vector<Destination>* sendList) {
  sendList->clear();
  itemNum_ = 0;
  itemNumTotal_ = 0;
  if (path.empty()) return false;
  const std::string num = ini_.ReadString(path, kBaseSection, kItemNum, "", kCountBytes);
  if (num.empty()) return false;
  itemNum_ = std::max(0, ParseCount(num));
  const std::string total = ini_.ReadString(path, kBaseSection, kItemNumTotal, "", kCountBytes);
  itemNumTotal_ = total.empty() ? itemNum_ : std::max(itemNum_, ParseCount(total));

  const std::size_t held = ItemSections(path).size();
  const int count = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(itemNum_), held));
  sendList->reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::string section = ItemSectionName(i);
    Destination d;
    for (const ItemKey& key : kItemKeys) {
      d.*key.field = ini_.ReadString(path, section, key.name, "", kValueBytes);
    }
    sendList->push_back(std::move(d));
  }
  return !total.empty();
}

bool ExchangeFile::WriteItems(const std::string& work, const std::vector<Destination>& sendList) {
  ini_.DeleteSection(work, kBaseSection);
  for (int i : ItemSections(work)) {
    if (i >= itemNum_) break;
    ini_.DeleteSection(work, ItemSectionName(i));
  }
  const long long count = static_cast<long long>(sendList.size());
  if (!ini_.WriteString(work, kBaseSection, kItemNum, std::to_string(count))) return false;
  const long long total = static_cast<long long>(OtherDestinationCount()) + count;
  if (!ini_.WriteString(work, kBaseSection, kItemNumTotal, std::to_string(ClampToInt(total)))) {
    return false;
  }
  for (std::size_t i = 0; i < sendList.size(); ++i) {
    const std::string section = ItemSectionName(static_cast<int>(i));
    for (const ItemKey& key : kItemKeys) {
      if (!ini_.WriteString(work, section, key.name, sendList[i].*key.field)) return false;
    }
  }
  ini_.Flush(work);
  return true;
}

bool ExchangeFile::WriteResult(const std::string& path, const std::vector<Destination>& sendList,
                               const std::string& settingsPath, const BookChoice& choice) {
  if (path.empty()) return false;
  const std::string work = path + ".new";
  std::string bytes;
  files_.ReadFile(path, &bytes, kMaxExchangeBytes);
  bool ok = files_.ReplaceContents(work, bytes) && WriteItems(work, sendList);
  ok = ok && files_.ReadFile(work, &bytes, kMaxExchangeBytes) && files_.ReplaceContents(path, bytes);
  files_.RemoveFile(work);
  if (!ok) return false;
  WriteBookChoice(ini_, settingsPath, choice);
  return true;
}

}  // namespace picker
