#include "store/book_format.h"

#include <algorithm>
#include <charconv>

#include "platform/text/blanks.h"
#include "store/byte_scan.h"
#include "store/csv_field.h"
#include "store/text_fields.h"

namespace store {
namespace {

std::string_view CutAtNul(std::string_view line) {
  const std::size_t nul = line.find('\0');
  return nul == std::string_view::npos ? line : line.substr(0, nul);
}

bool SplitKey(std::string_view line, std::string_view* key, std::string_view* value) {
  // Keys are short: look at the bytes before reaching for memchr.
  std::size_t eq = 0;
  while (eq < line.size() && eq < 16 && line[eq] != '=') ++eq;
  if (eq == line.size() || line[eq] != '=') eq = line.find('=');
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

long NextNumber(std::string_view* rest, std::string* scratch) {
  // Most numbers are a few plain digits and their comma: read at once.
  const std::string_view r = *rest;
  std::size_t i = 0;
  long value = 0;
  while (i < r.size() && i < 9 && r[i] >= '0' && r[i] <= '9') value = value * 10 + (r[i++] - '0');
  if (i > 0 && i < r.size() && r[i] == ',') {
    rest->remove_prefix(i + 1);
    return value;
  }
  return ParseDecimal(NextCsvFieldView(rest, scratch));
}

// Appends the formatted lines of a book into one buffer and hands it on in
// large pieces; with a keeper, also tells it what was written, the runs
// copied from a shared buffer as such.
class LineWriter {
 public:
  static constexpr std::size_t kFlushBytes = 192 * 1024;

  // The buffer grows to its flush size as lines come: a small book takes
  // little of it.
  explicit LineWriter(sys::ByteSink& sink, BookBytes* keep = nullptr) : sink_(sink), keep_(keep) {}

  void Number(long value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out_.append(digits, static_cast<std::size_t>(result.ptr - digits));
  }
  void Text(std::string_view text) { AppendQuotedField(text, &out_); }
  void Raw(std::string_view bytes) { out_.append(bytes); }
  void Char(char c) { out_.push_back(c); }
  void Texts(const TextsView& texts) {
    for (std::string_view t : texts.texts) {
      Text(t);
      Char(',');
    }
    Number(texts.respect);
  }
  bool EndLine() {
    out_.append(kLineEnd, 2);
    return out_.size() < kFlushBytes || Flush();
  }
  // Lines that lie in `from` as they are to be written.
  bool Shared(const SharedBytes& from, std::string_view run) {
    if (keep_) {
      keep_->AppendOwn(std::string_view(out_).substr(ownFrom_));
      keep_->AppendShared(from, run);
    }
    out_.append(run);
    ownFrom_ = out_.size();
    return out_.size() < kFlushBytes || Flush();
  }
  bool Flush() {
    if (failed_) return false;
    if (keep_) keep_->AppendOwn(std::string_view(out_).substr(ownFrom_));
    if (!out_.empty()) failed_ = !sink_.Write(out_);
    out_.clear();
    ownFrom_ = 0;
    return !failed_;
  }
  // What was written since the last flush.
  const std::string& Pending() const { return out_; }

 private:
  sys::ByteSink& sink_;
  BookBytes* keep_;
  std::string out_;
  std::size_t ownFrom_ = 0;  // where out_'s bytes of its own start
  bool failed_ = false;
};

void AppendEntryLine(const EntryToWrite& e, LineWriter* w) {
  w->Raw(kEntryKey);
  w->Char('=');
  w->Number(e.kind);
  w->Char(',');
  w->Number(e.regNo);
  w->Char(',');
  if (e.kind == kKindGroup) {
    w->Text(e.texts.texts[0]);
    w->Char(',');
    w->Text(e.texts.texts[1]);
    w->Char(',');
  } else {
    w->Texts(e.texts);
  }
}

void AppendMemberLine(int groupKey, const TextsView& member, LineWriter* w) {
  w->Raw(kMemberKey);
  w->Raw("=4,");
  w->Number(groupKey);
  w->Char(',');
  w->Texts(member);
}

}  // namespace

bool IsEntryLine(std::string_view line) {
  line = CutAtNul(line);
  if (IsSkipped(line)) return false;
  std::string_view key, value;
  return SplitKey(line, &key, &value) && key == kEntryKey;
}

void LineParser::Parse(std::string_view line, const ReadOptions& options, ParsedLine* out) {
  out->kind = BookLineKind::kSkipped;
  out->entryKind = out->regNo = out->memberKey = 0;
  out->texts = TextsView();
  out->fields = std::string_view();
  line = CutAtNul(line);
  if (IsSkipped(line)) return;
  std::string_view key, rest;
  if (!SplitKey(line, &key, &rest)) {
    out->kind = BookLineKind::kIgnored;
    return;
  }
  if (key == kVersionKey) {
    NextNumber(&rest, &scratch_.number);
    out->kind = BookLineKind::kVersion;
    return;
  }
  const bool entry = key == kEntryKey;
  if (!entry && key != kMemberKey) {
    out->kind = BookLineKind::kIgnored;
    return;
  }
  const long kind = NextNumber(&rest, &scratch_.number);
  const long number = NextNumber(&rest, &scratch_.number);
  if (entry) {
    out->kind = BookLineKind::kEntry;
    out->entryKind = static_cast<int>(kind);
    out->regNo = static_cast<int>(number & 0xFFFF);
  } else {
    out->kind = kind == kKindMember ? BookLineKind::kMember : BookLineKind::kBadMember;
    out->memberKey = static_cast<int>(number);
  }
  if (keepMembers_ && out->kind == BookLineKind::kMember) {
    out->fields = rest;
    return;
  }
  if (lazyMembers_ && out->kind == BookLineKind::kMember) {
    out->fields = rest;
    out->texts.texts[1] = ReadReading(rest, options.codePage, &scratch_);
    return;
  }
  ReadTextFields(&rest, options.codePage, &scratch_, &out->texts);
}

void CopyLine(const ParsedLine& parsed, BookLine* out) {
  *out = BookLine();
  out->kind = parsed.kind;
  if (parsed.kind == BookLineKind::kEntry) {
    CopyInto(parsed.texts, &out->entry);
    out->entry.kind = parsed.entryKind;
    out->entry.regNo = parsed.regNo;
  } else if (parsed.kind == BookLineKind::kMember || parsed.kind == BookLineKind::kBadMember) {
    CopyInto(parsed.texts, &out->member);
    out->memberKey = parsed.memberKey;
  }
}

void ParseBookLine(std::string_view line, const ReadOptions& options, BookLine* out) {
  LineParser parser;
  ParsedLine parsed;
  parser.Parse(line, options, &parsed);
  CopyLine(parsed, out);
}

std::string FormatEntryLine(const AddressRecord& record) {
  std::string out;
  sys::StringSink sink(&out);
  LineWriter w(sink);
  AppendEntryLine({record.kind, record.regNo, ViewOf(record)}, &w);
  return w.Pending();
}

std::string FormatMemberLine(int groupKey, const MemberEntry& member) {
  std::string out;
  sys::StringSink sink(&out);
  LineWriter w(sink);
  AppendMemberLine(groupKey, ViewOf(member), &w);
  return w.Pending();
}

bool WriteBookTo(sys::ByteSink& sink, std::size_t count,
                 const std::function<EntryToWrite(std::size_t)>& entry, const GroupTable& groups,
                 BookBytes* keep) {
  LineWriter w(sink, keep);
  w.Raw(kBookHeader);
  bool ok = w.EndLine();
  for (std::size_t i = 0; ok && i < count; ++i) {
    const EntryToWrite e = entry(i);
    if (e.kind == kKindGroup) ok = w.EndLine();
    AppendEntryLine(e, &w);
    ok = ok && w.EndLine();
    if (!ok || e.kind != kKindGroup) continue;
    // A group as it was read goes out as the lines it was read from.
    if (const std::string_view lines = groups.KeptMemberLines(e.regNo); !lines.empty()) {
      ok = w.Shared(groups.KeptBytes(), lines);
      continue;
    }
    groups.ForEachMemberToWrite(e.regNo, [&](const TextsView* m, std::string_view canonical) {
      if (m) {
        AppendMemberLine(e.regNo, *m, &w);
      } else {
        w.Raw(kMemberKey);
        w.Raw("=4,");
        w.Number(e.regNo);
        w.Char(',');
        w.Raw(canonical);
      }
      ok = w.EndLine() && ok;
    });
  }
  return w.Flush() && ok;
}

bool WriteBookTo(sys::ByteSink& sink, const std::vector<AddressRecord>& records,
                 const GroupTable& groups) {
  return WriteBookTo(
      sink, records.size(),
      [&records](std::size_t i) {
        const AddressRecord& r = records[i];
        return EntryToWrite{r.kind, r.regNo, ViewOf(r)};
      },
      groups);
}

std::string FormatBook(const std::vector<AddressRecord>& records, const GroupTable& groups) {
  std::string out;
  sys::StringSink sink(&out);
  WriteBookTo(sink, records, groups);
  return out;
}

}  // namespace store
