#include "store/book_format.h"

#include <climits>
#include <cstdint>

#include "platform/text/blanks.h"
#include "store/csv_field.h"

namespace store {
namespace {

std::string_view CutAtNul(std::string_view line) {
  const std::size_t nul = line.find('\0');
  return nul == std::string_view::npos ? line : line.substr(0, nul);
}

bool SplitKey(std::string_view line, std::string_view* key, std::string_view* value) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) {
    *key = std::string_view();
    *value = line;
    return false;
  }
  *key = line.substr(0, eq);
  *value = line.substr(eq + 1);
  return true;
}

bool IsSkipped(std::string_view line) { return line.empty() || line[0] == '/'; }

long NextNumber(std::string_view* rest) { return ParseDecimal(NextCsvField(rest)); }

void ReadTexts(std::string_view* rest, int codePage, EntryTexts* texts) {
  for (const TextField& field : kTextFields) {
    texts->*field.member = text::NormaliseSpaces(codePage, NextCsvField(rest));
  }
  texts->respect = static_cast<int>(NextNumber(rest));
}

void AppendTexts(const EntryTexts& texts, std::string* out) {
  for (const TextField& field : kTextFields) {
    out->append(QuoteField(texts.*field.member));
    out->push_back(',');
  }
  out->append(std::to_string(texts.respect));
}

}  // namespace

bool LineCursor::Next(std::string_view* line) {
  if (pos_ >= bytes_.size()) return false;
  std::size_t end = pos_;
  while (end < bytes_.size() && bytes_[end] != '\n' && bytes_[end] != '\r') ++end;
  *line = bytes_.substr(pos_, end - pos_);
  pos_ = end;
  if (pos_ < bytes_.size()) {
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
  }
  ++number_;
  return true;
}

long ParseDecimal(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  // Windows' long is 32 bits: clamp there so both platforms read alike.
  std::int64_t value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    if (value <= INT32_MAX) value = value * 10 + (field[i] - '0');
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  return static_cast<long>(value);
}

bool IsEntryLine(std::string_view line) {
  line = CutAtNul(line);
  if (IsSkipped(line)) return false;
  std::string_view key, value;
  return SplitKey(line, &key, &value) && key == kEntryKey;
}

void ParseBookLine(std::string_view line, const ReadOptions& options, BookLine* out) {
  *out = BookLine();
  line = CutAtNul(line);
  if (IsSkipped(line)) return;
  std::string_view key, rest;
  if (!SplitKey(line, &key, &rest)) {
    out->kind = BookLineKind::kIgnored;
    return;
  }
  const bool japanese = options.langId == 1041;
  if (key == kVersionKey) {
    NextNumber(&rest);
    out->kind = BookLineKind::kVersion;
  } else if (key == kEntryKey) {
    AddressRecord& r = out->entry;
    r.kind = static_cast<int>(NextNumber(&rest));
    r.regNo = static_cast<int>(NextNumber(&rest) & 0xFFFF);
    ReadTexts(&rest, options.codePage, &r);
    if (!japanese) {
      r.dispName.clear();
      r.respect = kRespectNone;
    }
    out->kind = BookLineKind::kEntry;
  } else if (key == kMemberKey) {
    const long kind = NextNumber(&rest);
    out->memberKey = static_cast<int>(NextNumber(&rest));
    ReadTexts(&rest, options.codePage, &out->member);
    if (!japanese) {
      out->member.dispName.clear();
      out->member.respect = kRespectNone;
    }
    out->kind = kind == kKindMember ? BookLineKind::kMember : BookLineKind::kBadMember;
  } else {
    out->kind = BookLineKind::kIgnored;
  }
}

std::string FormatEntryLine(const AddressRecord& record) {
  std::string out = kEntryKey;
  out.push_back('=');
  out.append(std::to_string(record.kind));
  out.push_back(',');
  out.append(std::to_string(record.regNo));
  out.push_back(',');
  if (record.kind == kKindGroup) {
    out.append(QuoteField(record.dispName));
    out.push_back(',');
    out.append(QuoteField(record.dispNameJP));
    out.push_back(',');
  } else {
    AppendTexts(record, &out);
  }
  return out;
}

std::string FormatMemberLine(int groupKey, const MemberEntry& member) {
  std::string out = kMemberKey;
  out.append("=4,");
  out.append(std::to_string(groupKey));
  out.push_back(',');
  AppendTexts(member, &out);
  return out;
}

std::string FormatBook(const std::vector<AddressRecord>& records, const GroupTable& groups) {
  std::string out;
  out.reserve(64 + records.size() * 160);
  out.append(kBookHeader).append(kLineEnd);
  std::vector<MemberEntry> members;
  for (const AddressRecord& record : records) {
    if (record.kind == kKindGroup) out.append(kLineEnd);
    out.append(FormatEntryLine(record)).append(kLineEnd);
    if (record.kind != kKindGroup) continue;
    members.clear();
    groups.CopyMembers(record.regNo, groups.MemberCount(record.regNo), &members);
    for (const MemberEntry& m : members) out.append(FormatMemberLine(record.regNo, m)).append(kLineEnd);
  }
  return out;
}

}  // namespace store
