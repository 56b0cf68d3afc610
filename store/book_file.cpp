#include "store/book_file.h"

namespace store {

void EnsureDefaultDataFile(const BookContext& context) {
  if (context.systemClass != 1 && context.systemClass != 2) return;
  if (context.defaultDataFile.empty()) return;
  context.files->OpenOrCreate(context.defaultDataFile, true);
}

int CountEntryLines(std::string_view bytes) {
  LineCursor lines(bytes);
  std::string_view line;
  if (!lines.Next(&line)) return 0;
  int count = 0;
  while (lines.Next(&line)) {
    if (IsEntryLine(line)) ++count;
  }
  return count;
}

int CountEntries(const BookContext& context, const std::string& path, const std::string& oldPath) {
  EnsureDefaultDataFile(context);
  sys::FileSystem& files = *context.files;
  if (!files.OpenOrCreate(path, false)) return -1;
  std::string bytes;
  if (!files.ReadFile(path, &bytes, kMaxBookBytes)) return -1;
  if (!bytes.empty()) return CountEntryLines(bytes);

  // A new book: the header, then on classes 1 and 2 the old book's lines.
  std::string seeded = kBookHeader;
  seeded.append(kLineEnd);
  int copied = 0;
  std::string old;
  const bool seeds = context.systemClass == 1 || context.systemClass == 2;
  if (seeds && !oldPath.empty() && oldPath != path && files.FileExists(oldPath) &&
      files.ReadFile(oldPath, &old, kMaxBookBytes)) {
    LineCursor lines(old);
    std::string_view line;
    lines.Next(&line);
    while (lines.Next(&line)) {
      seeded.append(line).append(kLineEnd);
      ++copied;
    }
  }
  if (!files.ReplaceContents(path, seeded)) return 0;
  return copied;
}

int ReadBookBytes(const BookContext& context, std::string_view bytes, int capacity,
                  std::vector<AddressRecord>* records, GroupTable* groups,
                  BookLineObserver* observer) {
  LineCursor lines(bytes);
  std::string_view line;
  if (!lines.Next(&line)) return 0;
  int read = 0;
  BookLine parsed;
  while (lines.Next(&line)) {
    ParseBookLine(line, context.read, &parsed);
    bool stored = false;
    switch (parsed.kind) {
      case BookLineKind::kEntry:
        if (read >= capacity) break;
        if (parsed.entry.kind == kKindGroup) {
          groups->AddMember(parsed.entry.regNo, kKindGroup, MemberEntry());
        }
        if (observer) observer->OnLine(lines.LineNumber(), parsed, true);
        records->push_back(std::move(parsed.entry));
        ++read;
        continue;
      case BookLineKind::kMember:
        if (observer) {
          stored = groups->AddMember(parsed.memberKey, kKindMember, parsed.member);
        } else {
          groups->AddMember(parsed.memberKey, kKindMember, std::move(parsed.member));
        }
        break;
      case BookLineKind::kBadMember:
        if (context.alerts) context.alerts->Alert(kUnsupportedAddrType);
        break;
      default:
        break;
    }
    if (observer) observer->OnLine(lines.LineNumber(), parsed, stored);
  }
  return read;
}

int ReadBook(const BookContext& context, const std::string& path, int capacity,
             std::vector<AddressRecord>* records, GroupTable* groups) {
  std::string bytes;
  if (!context.files->ReadFile(path, &bytes, kMaxBookBytes)) return 0;
  return ReadBookBytes(context, bytes, capacity, records, groups);
}

bool WriteBook(const BookContext& context, const std::string& path,
               const std::vector<AddressRecord>& records, const GroupTable& groups) {
  EnsureDefaultDataFile(context);
  return context.files->ReplaceContents(path, FormatBook(records, groups));
}

}  // namespace store
