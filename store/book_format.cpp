#include "store/book_format.h"

#include <algorithm>
#include <climits>
#include <cstdio>
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

long NextNumber(std::string_view* rest) {
  std::string scratch;
  return ParseDecimal(NextCsvFieldView(rest, &scratch));
}

void ReadTexts(std::string_view* rest, int codePage, EntryTexts* texts) {
  std::string scratch;
  for (const TextField& field : kTextFields) {
    text::NormaliseSpacesInto(codePage, NextCsvFieldView(rest, &scratch), &(texts->*field.member));
  }
  texts->respect = static_cast<int>(NextNumber(rest));
}

void AppendNumber(long value, std::string* out) {
  char digits[24];
  const int n = std::snprintf(digits, sizeof digits, "%ld", value);
  out->append(digits, static_cast<std::size_t>(n));
}

void AppendTexts(const EntryTexts& texts, std::string* out) {
  for (const TextField& field : kTextFields) {
    AppendQuotedField(texts.*field.member, out);
    out->push_back(',');
  }
  AppendNumber(texts.respect, out);
}

// The entry line of a record, kind 3 with its two names only.
void AppendEntryLine(const AddressRecord& record, std::string* out) {
  out->append(kEntryKey);
  out->push_back('=');
  AppendNumber(record.kind, out);
  out->push_back(',');
  AppendNumber(record.regNo, out);
  out->push_back(',');
  if (record.kind == kKindGroup) {
    AppendQuotedField(record.dispName, out);
    out->push_back(',');
    AppendQuotedField(record.dispNameJP, out);
    out->push_back(',');
  } else {
    AppendTexts(record, out);
  }
}

void AppendMemberLine(int groupKey, const MemberEntry& member, std::string* out) {
  out->append(kMemberKey);
  out->append("=4,");
  AppendNumber(groupKey, out);
  out->push_back(',');
  AppendTexts(member, out);
}

}  // namespace

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
  std::string out;
  AppendEntryLine(record, &out);
  return out;
}

std::string FormatMemberLine(int groupKey, const MemberEntry& member) {
  std::string out;
  AppendMemberLine(groupKey, member, &out);
  return out;
}

std::string FormatBook(const std::vector<AddressRecord>& records, const GroupTable& groups) {
  std::string out;
  out.reserve(64 + records.size() * 200);
  out.append(kBookHeader).append(kLineEnd);
  for (const AddressRecord& record : records) {
    if (record.kind == kKindGroup) out.append(kLineEnd);
    AppendEntryLine(record, &out);
    out.append(kLineEnd);
    if (record.kind != kKindGroup) continue;
    // The members of the group in position order, as many as it counts.
    const GroupRecord* group = groups.FindGroup(record.regNo);
    if (!group) continue;
    int written = 0;
    for (const MemberEntry& m : group->members) {
      if (written >= group->count) break;
      if (m.dispNameJP.empty()) continue;
      AppendMemberLine(record.regNo, m, &out);
      out.append(kLineEnd);
      ++written;
    }
  }
  return out;
}

}  // namespace store
