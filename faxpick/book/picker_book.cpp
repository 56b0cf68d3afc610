#include "faxpick/book/picker_book.h"

#include <algorithm>

#include "platform/text/decimal.h"
#include "platform/text/multibyte_compare.h"
#include "store/book_keys.h"
#include "store/book_lines.h"
#include "store/csv_field.h"

namespace picker {
namespace {

// Takes fields off the front of a line's value.
class Fields {
 public:
  explicit Fields(std::string_view rest) : rest_(rest) {}
  std::string Text() { return std::string(store::NextCsvFieldView(&rest_, &scratch_)); }
  // The next field, valid until the next call.
  std::string_view View() { return store::NextCsvFieldView(&rest_, &scratch_); }
  // A decimal integer, as the editor reads one.
  int Number() { return text::ParseDecimal(store::NextCsvFieldView(&rest_, &scratch_)); }

 private:
  std::string_view rest_;
  std::string scratch_;
};

// Adds a member of these names and the fields from the fax number on. The
// fields go into the entry's buffer one by one, as a field is valid only
// until the next one is taken.
void AddMemberFields(Fields& fields, const Honorifics& honorifics, std::string_view name,
                     std::string_view reading, BookEntry* entry) {
  entry->BeginMember();
  entry->AppendText(name);
  entry->AppendText(reading);
  for (int i = 0; i < 6; ++i) entry->AppendText(fields.View());
  entry->AppendText(honorifics.TextOf(fields.Number()));
}

}  // namespace

std::string_view Honorifics::TextOf(int code) const {
  if (!japanese) return std::string_view();
  if (code >= 1 && code <= 3) return texts[static_cast<std::size_t>(code - 1)];
  return " ";
}

bool PickerBook::Before(const std::string& a, const std::string& b) const {
  return text::CompareMultibyte(codePage_, a, b) < 0;
}

bool PickerBook::Load(sys::FileSystem& files, const std::string& path,
                      const Honorifics& honorifics) {
  Clear();
  std::string bytes;
  if (path.empty() || !files.ReadFile(path, &bytes, kMaxBookFileBytes)) return false;
  Read(bytes, honorifics);
  return true;
}

void PickerBook::Read(std::string_view bytes, const Honorifics& honorifics) {
  Clear();
  // Lines end as the editor's reader ends them (at LF, a CR just before it
  // dropped); a line's text ends at its first NUL byte.
  store::LineCursor lines(bytes);
  std::string_view line;
  while (lines.Next(&line)) {
    const std::size_t nul = line.find('\0');
    if (nul != std::string_view::npos) line = line.substr(0, nul);
    if (line.empty() || line.front() == '/') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view tag = line.substr(0, equals);
    const std::string_view rest = line.substr(equals + 1);
    if (tag == store::kEntryKey) ReadEntry(rest, honorifics);
    if (tag == store::kMemberKey) ReadMember(rest, honorifics);
  }
  Order();
}

void PickerBook::ReadEntry(std::string_view rest, const Honorifics& honorifics) {
  auto entry = std::make_unique<BookEntry>();
  entry->id = static_cast<int>(byId_.size());
  Fields fields(rest);
  entry->kind = fields.Number();
  entry->regNo = fields.Number();
  entry->dispName = fields.Text();
  entry->dispNameJP = fields.Text();
  if (!entry->IsGroup()) {
    AddMemberFields(fields, honorifics, entry->dispName, entry->dispNameJP, entry.get());
  }
  if (entry->IsGroup()) {
    // Of groups with equal readings the later one stands first.
    auto [it, inserted] = firstGroup_.emplace(entry->regNo, entry.get());
    if (!inserted && !Before(it->second->dispNameJP, entry->dispNameJP)) it->second = entry.get();
  }
  byId_.push_back(std::move(entry));
}

void PickerBook::ReadMember(std::string_view rest, const Honorifics& honorifics) {
  Fields fields(rest);
  fields.Number();  // the member's kind, not looked at
  const int groupNo = fields.Number();
  auto group = firstGroup_.find(groupNo);
  if (group == firstGroup_.end()) return;
  BookEntry* entry = group->second;
  entry->BeginMember();
  for (int i = 0; i < 8; ++i) entry->AppendText(fields.View());
  entry->AppendText(honorifics.TextOf(fields.Number()));
}

void PickerBook::Order() {
  // Inserting each entry before the first one not less than it gives the
  // ascending order in which equal readings stand latest first; sorting
  // the lines read, latest first, by reading gives the same.
  sorted_.clear();
  sorted_.reserve(byId_.size());
  for (auto it = byId_.rbegin(); it != byId_.rend(); ++it) sorted_.push_back(it->get());
  auto byReading = [this](const BookEntry* a, const BookEntry* b) {
    return Before(a->dispNameJP, b->dispNameJP);
  };
  std::stable_sort(sorted_.begin(), sorted_.end(), byReading);
  for (const auto& entry : byId_) {
    if (!entry->IsGroup()) continue;
    entry->OrderMembers([this](std::string_view a, std::string_view b) {
      return text::CompareMultibyte(codePage_, a, b) < 0;
    });
  }
}

void PickerBook::Clear() {
  byId_.clear();
  sorted_.clear();
  firstGroup_.clear();
}

const BookEntry* PickerBook::Find(int id) const {
  if (id < 0 || id >= static_cast<int>(byId_.size())) return nullptr;
  return byId_[static_cast<std::size_t>(id)].get();
}

}  // namespace picker
