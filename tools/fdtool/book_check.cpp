#include "tools/fdtool/book_check.h"

#include <algorithm>
#include <climits>
#include <map>
#include <set>

#include "platform/text/blanks.h"
#include "store/book_file.h"
#include "store/book_format.h"
#include "store/csv_field.h"
#include "store/book_order.h"

namespace fdtool {
namespace {

struct Problem {
  int line;
  std::string text;
};

struct EntryLine {
  int line;
  store::AddressRecord record;
};

struct MemberLine {
  int line;
  int key;
  std::string reading;
  bool stored;
  // Group-table state right after the line, for the reason of a refusal.
  bool slotExists;
  int countAfter;
};

// What a rewrite would drop of a line that holds no entry and no member.
std::string DroppedLineReason(std::string_view line, store::BookLineKind kind) {
  if (kind == store::BookLineKind::kBadMember) return "member of a kind other than 4 is dropped";
  if (kind == store::BookLineKind::kVersion) return "[VERSION] line is not written back";
  if (!line.empty() && line[0] == '/') return "comment is not written back";
  if (line.find('=') == std::string_view::npos) return "line without \"=\" is not written back";
  return "line of key \"" + std::string(line.substr(0, line.find('='))) + "\" is not written back";
}

class Collector : public store::BookLineObserver {
 public:
  Collector(int codePage, const store::GroupTable& groups) : codePage_(codePage), groups_(groups) {}

  void OnLine(int lineNumber, std::string_view raw, const store::BookLine& line,
              bool stored) override {
    using store::BookLineKind;
    const std::size_t nul = raw.find('\0');
    const std::string_view text = raw.substr(0, nul);
    switch (line.kind) {
      case BookLineKind::kSkipped:
        if (nul != std::string_view::npos) {
          Add(lineNumber, "cut at a NUL byte: the rest is lost");
        } else if (!text.empty()) {
          Add(lineNumber, DroppedLineReason(text, line.kind));
        }
        break;
      case BookLineKind::kEntry:
        entries.push_back({lineNumber, line.entry});
        if (line.entry.kind != store::kKindAddress && line.entry.kind != store::kKindGroup) {
          Add(lineNumber, "kind " + std::to_string(line.entry.kind) + " is written back as 1");
        }
        NoteTexts(lineNumber, text, line.entry, raw);
        if (line.entry.kind == store::kKindGroup) NoteGroupFields(lineNumber, line.entry);
        CheckFields(lineNumber, text);
        break;
      case BookLineKind::kMember: {
        members.push_back({lineNumber, line.memberKey, line.member.dispNameJP, stored,
                           groups_.HasGroup(line.memberKey),
                           groups_.MemberCount(line.memberKey)});
        NoteTexts(lineNumber, text, line.member, raw);
        CheckFields(lineNumber, text);
        break;
      }
      default:
        ++ignored;
        Add(lineNumber, DroppedLineReason(text, line.kind));
        break;
    }
  }

  void Add(int line, std::string text) { problems.push_back({line, std::move(text)}); }

  std::vector<EntryLine> entries;
  std::vector<MemberLine> members;
  std::vector<Problem> problems;
  int ignored = 0;

 private:
  void NoteTexts(int lineNumber, std::string_view text, const store::EntryTexts& texts,
                 std::string_view raw) {
    if (text.size() != raw.size()) Add(lineNumber, "cut at a NUL byte: the rest is lost");
    if (texts.respect < store::kRespectNone || texts.respect > store::kRespectMax) {
      Add(lineNumber, "Respect " + std::to_string(texts.respect) + " is outside 0..3");
    }
    for (const store::TextField& field : store::kTextFields) {
      if ((texts.*field.member).size() > field.maxBytes) {
        Add(lineNumber, std::string(field.name) + " too long");
      }
    }
  }

  void NoteGroupFields(int lineNumber, const store::AddressRecord& group) {
    for (const store::TextField& field : store::kTextFields) {
      if (field.member == &store::EntryTexts::dispName ||
          field.member == &store::EntryTexts::dispNameJP) {
        continue;
      }
      if (!(group.*field.member).empty()) {
        Add(lineNumber, std::string("a group keeps its names only: ") + field.name + " is lost");
        return;
      }
    }
    if (group.respect != 0) Add(lineNumber, "a group keeps its names only: Respect is lost");
  }

  // What the reading of the fields loses: blanks and ideographic spaces of
  // texts, bytes after the digits of numbers, fields after the last.
  void CheckFields(int lineNumber, std::string_view text) {
    std::string_view rest = text.substr(text.find('=') + 1);
    constexpr int kFields = 2 + static_cast<int>(store::kTextFieldCount) + 1;
    for (int i = 0; i < kFields && !rest.empty(); ++i) {
      const std::string raw = store::NextCsvField(&rest);
      if (i < 2 || i == kFields - 1) {
        CheckNumber(lineNumber, raw, i == 0 ? "the kind" : i == 1 ? "RegNo" : "Respect");
        continue;
      }
      const store::TextField& field = store::kTextFields[static_cast<std::size_t>(i - 2)];
      std::string read;
      text::NormaliseSpacesInto(codePage_, raw, &read);
      if (read == raw) continue;
      const bool wide = text::ReplaceWideSpaces(codePage_, raw) != raw;
      Add(lineNumber, std::string(field.name) +
                          (wide ? " has ideographic spaces, read as two spaces each"
                                : " loses its leading or trailing blanks"));
    }
    if (!rest.empty()) Add(lineNumber, "fields after the last are lost: " + std::string(rest));
  }

  void CheckNumber(int lineNumber, std::string_view raw, const char* what) {
    std::size_t i = 0;
    while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) ++i;
    if (i < raw.size() && (raw[i] == '+' || raw[i] == '-')) ++i;
    while (i < raw.size() && raw[i] >= '0' && raw[i] <= '9') ++i;
    while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) ++i;
    if (i < raw.size()) Add(lineNumber, std::string(what) + " is read as a number: \"" +
                                            std::string(raw.substr(i)) + "\" is lost");
  }

  int codePage_;
  const store::GroupTable& groups_;
};

}  // namespace

CheckReport CheckBook(std::string_view bytes, int langId, int codePage) {
  store::SilentAlerts alerts;
  store::BookContext context;
  context.alerts = &alerts;
  context.read.langId = langId;
  context.read.codePage = codePage;
  store::GroupTable groups(codePage, &alerts);
  std::vector<store::AddressRecord> records;
  Collector collector(codePage, groups);
  store::ReadBookBytes(context, bytes, INT_MAX, &records, &groups, &collector);

  CheckReport report;
  report.entries = static_cast<int>(collector.entries.size());
  report.ignoredLines = collector.ignored;
  std::vector<Problem>& problems = collector.problems;
  const auto add = [&](int line, std::string text) { problems.push_back({line, std::move(text)}); };

  // The reader skips line 1 unseen; a rewrite puts the editor's header there.
  std::string_view first = bytes.substr(0, bytes.find('\n'));
  if (!first.empty() && first.back() == '\r') first.remove_suffix(1);
  if (!first.empty() && first != store::kBookHeader) {
    add(1, "written back as the editor's header: \"" + std::string(first) + "\" is lost");
  }

  // Entries: the limit, the ones the load drops, repeated numbers.
  std::map<int, int> numberLine;
  std::map<std::string, int> readingLine;
  std::set<int> groupKeys;
  for (std::size_t i = 0; i < collector.entries.size(); ++i) {
    const EntryLine& e = collector.entries[i];
    ++(e.record.kind == store::kKindGroup ? report.groups : report.addresses);
    if (static_cast<int>(i) >= store::kMaxEntries) {
      add(e.line, "entry over the limit of " + std::to_string(store::kMaxEntries));
    }
    if (i > 0 && e.record.dispNameJP == collector.entries[i - 1].record.dispNameJP) {
      add(e.line, "dropped by the load: the same reading as line " +
                      std::to_string(collector.entries[i - 1].line));
      continue;
    }
    // Apply sorts equal readings next to each other; the load after drops one.
    const auto reading = readingLine.emplace(e.record.dispNameJP, e.line);
    if (!reading.second) {
      add(e.line, "the same reading as line " + std::to_string(reading.first->second) +
                      ": once applied, the next load drops one of them");
    }
    const auto number = numberLine.emplace(e.record.regNo, e.line);
    if (!number.second) {
      add(e.line, "RegNo " + std::to_string(e.record.regNo) + " is already used on line " +
                      std::to_string(number.first->second));
    }
    if (e.record.kind == store::kKindGroup) {
      groupKeys.insert(e.record.regNo);
      if (e.record.regNo == 0) {
        add(e.line, "a group of RegNo 0 cannot hold members");
      } else if (!groups.HasGroup(e.record.regNo)) {
        add(e.line, "group beyond the " + std::to_string(store::kGroupSlots) +
                        " slots of the group table: its members are lost");
      }
    }
  }

  // Members: those the group table refused and those no group writes.
  for (const MemberLine& m : collector.members) {
    if (m.stored) ++report.members;
    std::string why;
    if (m.reading.empty()) {
      why = "member without a reading is not kept";
    } else if (m.key == 0) {
      why = "member of RegNo 0: no group can hold it";
    } else if (!m.stored && !m.slotExists) {
      why = "member beyond the " + std::to_string(store::kGroupSlots) + " slots of the group table";
    } else if (!m.stored && m.countAfter >= store::kMaxMembers) {
      why = "member beyond the " + std::to_string(store::kMaxMembers) + " of group " +
            std::to_string(m.key);
    } else if (!m.stored) {
      why = "member repeats a reading of group " + std::to_string(m.key);
    } else if (!groupKeys.count(m.key)) {
      why = "member of no group: no group entry has RegNo " + std::to_string(m.key);
    }
    if (!why.empty()) add(m.line, why);
  }

  std::stable_sort(problems.begin(), problems.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  for (const Problem& p : problems) {
    report.problems.push_back("line " + std::to_string(p.line) + ": " + p.text);
  }
  return report;
}

}  // namespace fdtool
