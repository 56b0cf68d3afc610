#include "faxpick/book/picker_book.h"

#include <algorithm>
#include <cstring>

#include "platform/text/char_value_key.h"
#include "platform/text/decimal.h"
#include "platform/text/multibyte_compare.h"
#include "store/book_keys.h"
#include "store/book_lines.h"
#include "store/csv_field.h"

namespace picker {
namespace {

// Takes fields off the front of a line's value, unquoting them in place.
class Fields {
 public:
  Fields(char* at, char* end) : at_(at), end_(end) {}
  std::string_view Text() { return store::NextCsvFieldInPlace(&at_, end_); }
  // A decimal integer, as the editor reads one.
  int Number() { return text::ParseDecimal(Text()); }
  char* At() const { return at_; }

 private:
  char* at_;
  char* end_;
};

template <std::size_t N>
bool StartsWith(std::string_view line, const char (&key)[N]) {
  return line.size() >= N && std::memcmp(line.data(), key, N - 1) == 0 && line[N - 1] == '=';
}

// A reading to sort by, with the number of its line: the first characters
// as one number decide most comparisons.
struct SortKey {
  std::uint64_t prefix;
  std::string_view reading;
  std::uint32_t line;
};

// Ascending by reading; of equal readings the later line first.
class ReadingOrder {
 public:
  explicit ReadingOrder(int codePage) : codePage_(codePage) {}
  bool operator()(const SortKey& a, const SortKey& b) const {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    const int c = text::CompareMultibyte(codePage_, a.reading, b.reading);
    return c != 0 ? c < 0 : a.line > b.line;
  }

 private:
  int codePage_;
};

}  // namespace

std::string_view Honorifics::TextOf(int code) const {
  if (!japanese) return std::string_view();
  if (code >= 1 && code <= 3) return texts[static_cast<std::size_t>(code - 1)];
  return " ";
}

bool PickerBook::Before(std::string_view a, std::string_view b) const {
  return text::CompareMultibyte(codePage_, a, b) < 0;
}

bool PickerBook::Load(sys::FileSystem& files, const std::string& path,
                      const Honorifics& honorifics) {
  Clear();
  if (path.empty() || files.ReadWhole(path, &bytes_, kMaxBookFileBytes) != sys::FileError::kNone) {
    bytes_.clear();
    return false;
  }
  Parse(honorifics);
  return true;
}

void PickerBook::Read(std::string_view bytes, const Honorifics& honorifics) {
  Clear();
  bytes_.assign(bytes.data(), bytes.size());
  Parse(honorifics);
}

void PickerBook::Parse(const Honorifics& honorifics) {
  japanese_ = honorifics.japanese;
  for (std::size_t code = 1; code <= 4; ++code) {
    respects_[code - 1] = std::string(honorifics.TextOf(static_cast<int>(code)));
  }
  // Lines end as the editor's reader ends them (at LF, a CR just before it
  // dropped); a line's text ends at its first NUL byte.
  const bool nuls = bytes_.find('\0') != std::string::npos;
  char* const base = &bytes_[0];
  store::LineCursor lines(bytes_);
  std::string_view line;
  while (lines.Next(&line)) {
    if (nuls) line = line.substr(0, line.find('\0'));
    if (line.empty() || line.front() == '/') continue;
    char* const start = base + (line.data() - bytes_.data());
    char* const end = start + line.size();
    if (StartsWith(line, store::kEntryKey)) {
      ReadEntry(start + sizeof(store::kEntryKey), end);
    } else if (StartsWith(line, store::kMemberKey)) {
      ReadMember(start + sizeof(store::kMemberKey), end);
    }
  }
  Order();
}

void PickerBook::AddMember(std::string_view name, std::string_view reading, char* at, char* end,
                           int owner) {
  Member member;
  member.name = name;
  member.reading = reading;
  member.rest = at;
  member.restBytes = static_cast<std::uint32_t>(end - at);
  member.owner = owner;
  member.prefix = text::MultibyteKeyPrefix(codePage_, reading);
  members_.push_back(member);
}

const MemberTexts& PickerBook::TextsOf(std::uint32_t number) const {
  const Member& m = members_[number];
  if (m.texts == kUnread) {
    m.texts = static_cast<std::uint32_t>(texts_.size());
    MemberTexts& texts = texts_.emplace_back();
    texts[0] = m.name;
    texts[1] = m.reading;
    Fields fields(m.rest, m.rest + m.restBytes);
    for (std::size_t f = 2; f < 8; ++f) texts[f] = fields.Text();
    texts[8] = RespectOf(fields.Number());
  }
  return texts_[m.texts];
}

std::string_view PickerBook::RespectOf(int code) const {
  if (!japanese_) return std::string_view();
  return respects_[code >= 1 && code <= 3 ? static_cast<std::size_t>(code - 1) : 3];
}

void PickerBook::ReadEntry(char* at, char* end) {
  BookEntry entry;
  entry.id = static_cast<int>(entries_.size());
  Fields fields(at, end);
  entry.kind = fields.Number();
  entry.regNo = fields.Number();
  entry.dispName = fields.Text();
  entry.dispNameJP = fields.Text();
  entry.readingPrefix_ = text::MultibyteKeyPrefix(codePage_, entry.dispNameJP);
  if (!entry.IsGroup()) {
    AddMember(entry.dispName, entry.dispNameJP, fields.At(), end, entry.id);
  } else {
    // Of groups with equal readings the later one stands first.
    auto [it, inserted] = firstGroup_.emplace(entry.regNo, entry.id);
    if (!inserted &&
        !Before(entries_[static_cast<std::size_t>(it->second)].dispNameJP, entry.dispNameJP)) {
      it->second = entry.id;
    }
  }
  entries_.push_back(entry);
}

void PickerBook::ReadMember(char* at, char* end) {
  Fields fields(at, end);
  fields.Number();  // the member's kind, not looked at
  const int groupNo = fields.Number();
  auto group = firstGroup_.find(groupNo);
  if (group == firstGroup_.end()) return;
  const std::string_view name = fields.Text();
  const std::string_view reading = fields.Text();
  AddMember(name, reading, fields.At(), end, group->second);
}

void PickerBook::Order() {
  // Inserting each entry before the first one not less than it gives the
  // ascending order in which equal readings stand latest first.
  const ReadingOrder byReading(codePage_);
  std::vector<SortKey> keys;
  keys.reserve(entries_.size());
  for (const BookEntry& entry : entries_) {
    keys.push_back({entry.readingPrefix_, entry.dispNameJP, static_cast<std::uint32_t>(entry.id)});
  }
  std::sort(keys.begin(), keys.end(), byReading);
  sorted_.reserve(keys.size());
  for (const SortKey& key : keys) sorted_.push_back(&entries_[key.line]);
  OrderMembers();
}

void PickerBook::OrderMembers() {
  // Room for the texts of every member; an address's own fields are listed
  // at once: read them now.
  texts_.reserve(members_.size());
  for (std::size_t m = 0; m < members_.size(); ++m) {
    if (!entries_[static_cast<std::size_t>(members_[m].owner)].IsGroup()) {
      TextsOf(static_cast<std::uint32_t>(m));
    }
  }
  // Each entry's members in one run, in the order their lines came; then
  // each group's run by reading, of equal readings the later line first.
  std::vector<std::uint32_t> first(entries_.size() + 1, 0);
  for (const Member& m : members_) ++first[static_cast<std::size_t>(m.owner) + 1];
  for (std::size_t e = 0; e < entries_.size(); ++e) first[e + 1] += first[e];
  std::vector<std::uint32_t> next(first.begin(), first.end() - 1);
  ordered_.resize(members_.size());
  for (std::size_t m = 0; m < members_.size(); ++m) {
    ordered_[next[static_cast<std::size_t>(members_[m].owner)]++] = static_cast<std::uint32_t>(m);
  }
  const ReadingOrder byReading(codePage_);
  std::vector<SortKey> keys;
  for (std::size_t e = 0; e < entries_.size(); ++e) {
    BookEntry& entry = entries_[e];
    const std::uint32_t begin = first[e];
    const std::uint32_t count = first[e + 1] - begin;
    entry.book_ = this;
    entry.members_ = ordered_.data() + begin;
    entry.memberCount_ = static_cast<int>(count);
    if (count < 2) continue;
    keys.clear();
    for (std::uint32_t i = begin; i < begin + count; ++i) {
      const std::uint32_t m = ordered_[i];
      keys.push_back({members_[m].prefix, members_[m].reading, m});
    }
    // The editor writes a group's members in their order already.
    if (std::is_sorted(keys.begin(), keys.end(), byReading)) continue;
    std::sort(keys.begin(), keys.end(), byReading);
    for (std::uint32_t i = 0; i < count; ++i) ordered_[begin + i] = keys[i].line;
  }
}

void PickerBook::Clear() {
  entries_.clear();
  sorted_.clear();
  members_.clear();
  texts_.clear();
  ordered_.clear();
  firstGroup_.clear();
  bytes_.clear();
}

const BookEntry* PickerBook::Find(int id) const {
  if (id < 0 || id >= static_cast<int>(entries_.size())) return nullptr;
  return &entries_[static_cast<std::size_t>(id)];
}

}  // namespace picker
