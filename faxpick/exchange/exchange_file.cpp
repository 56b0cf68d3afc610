#include "faxpick/exchange/exchange_file.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "platform/text/codepage.h"
#include "platform/text/decimal.h"

namespace picker {
namespace {

constexpr char kBaseSection[] = "BASE_INFO";
constexpr char kItemNum[] = "ItemNum";
constexpr char kItemNumTotal[] = "ItemNumTotal";
// Counts are read into 255 bytes, values into 255 (254 and the zero).
constexpr std::size_t kCountBytes = 255;
constexpr std::size_t kValueBytes = kMaxValueBytes + 1;
// The most bytes of an exchange file that are read and copied; a larger
// one counts as a file that cannot be read.
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
  readFailed_ = false;
  if (path.empty()) return false;
  // The system's INI reading takes a file it cannot open for a missing one;
  // a file that is there must be readable before its list is believed.
  const sys::FileError read =
      files_.ReadChunks(path, kMaxExchangeBytes, [](std::string_view) { return true; });
  if (read == sys::FileError::kNotFound) return false;
  if (read != sys::FileError::kNone) {
    readFailed_ = true;
    return false;
  }
  const std::string num = ini_.ReadString(path, kBaseSection, kItemNum, "", kCountBytes);
  if (num.empty()) return false;
  itemNum_ = std::max(0, text::ParseDecimal(num));
  const std::string total = ini_.ReadString(path, kBaseSection, kItemNumTotal, "", kCountBytes);
  itemNumTotal_ = total.empty() ? itemNum_ : std::max(itemNum_, text::ParseDecimal(total));

  std::vector<int> listed = ItemSections(path);
  listed.erase(std::lower_bound(listed.begin(), listed.end(), itemNum_), listed.end());
  // Missing sections between listed ones stand for empty destinations, but
  // never more of them than the file lists: a damaged file's long run of
  // missing sections costs no more than the file itself.
  std::size_t emptyLeft = listed.size();
  sendList->reserve(2 * listed.size());
  int next = 0;
  for (int i : listed) {
    const std::size_t missing = std::min(static_cast<std::size_t>(i - next), emptyLeft);
    sendList->resize(sendList->size() + missing);
    emptyLeft -= missing;
    const std::string section = ItemSectionName(i);
    Destination d;
    for (const ItemKey& key : kItemKeys) {
      d.*key.field = ini_.ReadString(path, section, key.name, "", kValueBytes);
    }
    sendList->push_back(std::move(d));
    next = i + 1;
  }
  return !total.empty();
}

bool ExchangeFile::WriteItems(const std::string& file, const std::vector<Destination>& sendList) {
  ini_.DeleteSection(file, kBaseSection);
  for (int i : ItemSections(file)) {
    if (i >= itemNum_) break;
    ini_.DeleteSection(file, ItemSectionName(i));
  }
  const long long count = static_cast<long long>(sendList.size());
  if (!ini_.WriteString(file, kBaseSection, kItemNum, std::to_string(count))) return false;
  const long long total = static_cast<long long>(OtherDestinationCount()) + count;
  if (!ini_.WriteString(file, kBaseSection, kItemNumTotal, std::to_string(ClampToInt(total)))) {
    return false;
  }
  for (std::size_t i = 0; i < sendList.size(); ++i) {
    const std::string section = ItemSectionName(static_cast<int>(i));
    for (const ItemKey& key : kItemKeys) {
      const std::string value(text::CutToBytes(codePage_, sendList[i].*key.field, kMaxValueBytes));
      if (!ini_.WriteString(file, section, key.name, value)) return false;
    }
  }
  ini_.Flush(file);
  return true;
}

bool ExchangeFile::WriteThroughCopy(const std::string& path, const std::string& bytes,
                                    const std::vector<Destination>& sendList,
                                    sys::FileError* swap) {
  *swap = sys::FileError::kNone;
  const std::string work = path + ".new";
  std::string written;
  const bool copied = files_.ReplaceContents(work, bytes) && WriteItems(work, sendList) &&
                      files_.ReadFile(work, &written, kMaxExchangeBytes);
  if (copied) *swap = files_.ReplaceWhole(path, written);
  files_.RemoveFile(work);
  return copied && *swap == sys::FileError::kNone;
}

WriteOutcome ExchangeFile::WriteResult(const std::string& path,
                                       const std::vector<Destination>& sendList,
                                       const std::string& settingsPath, const BookChoice& choice) {
  if (path.empty()) return WriteOutcome::kNotWritten;
  if (readFailed_) return WriteOutcome::kNotRead;
  std::string bytes;
  const sys::FileError read = files_.ReadWhole(path, &bytes, kMaxExchangeBytes);
  if (read != sys::FileError::kNone && read != sys::FileError::kNotFound) {
    return WriteOutcome::kNotRead;
  }
  // Read-only refuses both ways: the system's INI writing in place would
  // pass the attribute where the system lets it (under Wine, for one).
  if (files_.IsReadOnly(path)) return WriteOutcome::kReadOnly;
  // In place, the system's INI writing changes the file call by call, as
  // it always has; the copy is the better way where it can be had.
  sys::FileError swap = sys::FileError::kNone;
  if (!WriteThroughCopy(path, bytes, sendList, &swap)) {
    if (swap == sys::FileError::kReadOnly) return WriteOutcome::kReadOnly;
    if (!WriteItems(path, sendList)) return WriteOutcome::kNotWritten;
  }
  WriteBookChoice(ini_, settingsPath, choice);
  return WriteOutcome::kWritten;
}

}  // namespace picker
