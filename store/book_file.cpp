#include "store/book_file.h"

#include <climits>
#include <functional>

#include "store/book_lines.h"
#include "store/book_order.h"
#include "store/book_rescue.h"

namespace store {
namespace {

using LineVisitor = std::function<void(std::string_view)>;

bool Seeds(const BookContext& context) {
  return context.systemClass == 1 || context.systemClass == 2;
}

BookStatus Failed(sys::FileError error, const std::string& path) {
  BookStatus status;
  status.error = error;
  status.path = path;
  return status;
}

// Hands every line of a file to onLine; returns the read error, if any.
sys::FileError VisitFileLines(const BookContext& context, const std::string& path,
                              const LineVisitor& onLine, bool* empty) {
  LineJoiner joiner;
  bool any = false;
  const sys::FileError error =
      context.files->ReadChunks(path, kMaxBookBytes, [&](std::string_view chunk) {
        any = any || !chunk.empty();
        joiner.Feed(chunk, onLine);
        return true;
      });
  if (error == sys::FileError::kNone) joiner.Finish(onLine);
  if (empty) *empty = !any;
  return error;
}

// The book an empty file at path becomes: the header and, on classes 1 and
// 2, the old book's lines after its first, also written to path. *copied
// gets the number of lines copied, *stamp the stamp of what was written.
BookStatus NewBook(const BookContext& context, const std::string& path,
                   const std::string& oldPath, std::string* book, int* copied,
                   FileStamp* stamp) {
  sys::FileSystem& files = *context.files;
  *book = kBookHeader;
  book->append(kLineEnd);
  *copied = 0;
  if (Seeds(context) && !oldPath.empty() && oldPath != path && files.FileExists(oldPath)) {
    std::string old;
    if (const sys::FileError e = files.ReadWhole(oldPath, &old, kMaxBookBytes);
        e != sys::FileError::kNone) {
      return Failed(e, oldPath);
    }
    LineCursor lines(old);
    std::string_view line;
    lines.Next(&line);
    while (lines.Next(&line)) {
      book->append(line).append(kLineEnd);
      ++*copied;
    }
  }
  // Should the new book not be written, it is still what the user sees and
  // what the next save writes.
  const bool written = files.ReplaceWhole(path, *book) == sys::FileError::kNone;
  if (stamp) {
    // A new book that could not be written is no file's: the next check
    // sees the file as changed and merges.
    *stamp = written ? StampOf(*book) : FileStamp();
    std::uint64_t size = 0;
    if (written) LastWrite(files, path, &size, &stamp->modified);
  }
  return BookStatus();
}

// The book at path, opened with sharing and created when missing: hands on
// the lines of the file or, when it is empty, those of the new book
// (NewBook). *seeded is the number of lines copied from the old book, or -1
// when the file was not empty.
BookStatus VisitBookLines(const BookContext& context, const std::string& path,
                          const std::string& oldPath, const LineVisitor& onLine, int* seeded) {
  EnsureDefaultDataFile(context);
  *seeded = -1;
  if (const sys::FileError e = context.files->OpenOrCreate(path, false, true);
      e != sys::FileError::kNone) {
    return Failed(e, path);
  }
  bool empty = true;
  if (const sys::FileError e = VisitFileLines(context, path, onLine, &empty);
      e != sys::FileError::kNone) {
    return Failed(e, path);
  }
  if (!empty) return BookStatus();
  std::string book;
  int copied = 0;
  if (const BookStatus made = NewBook(context, path, oldPath, &book, &copied, nullptr); !made.ok()) {
    return made;
  }
  LineCursor lines(book);
  std::string_view line;
  while (lines.Next(&line)) onLine(line);
  *seeded = copied;
  return BookStatus();
}

// The book at path read whole into memory of its size, opened with sharing
// and created when missing; an empty file becomes the new book (NewBook).
// *stamp gets the stamp of the bytes.
BookStatus ReadBookFile(const BookContext& context, const std::string& path,
                        const std::string& oldPath, sys::FileBytes* bytes, FileStamp* stamp) {
  EnsureDefaultDataFile(context);
  sys::FileSystem& files = *context.files;
  if (const sys::FileError e = files.OpenOrCreate(path, false, true); e != sys::FileError::kNone) {
    return Failed(e, path);
  }
  if (const sys::FileError e = files.ReadInto(path, kMaxBookBytes, bytes);
      e != sys::FileError::kNone) {
    return Failed(e, path);
  }
  if (!bytes->Empty()) {
    *stamp = StampOf(bytes->View());
    std::uint64_t size = 0;
    LastWrite(files, path, &size, &stamp->modified);
    return BookStatus();
  }
  std::string book;
  int copied = 0;
  if (const BookStatus made = NewBook(context, path, oldPath, &book, &copied, stamp); !made.ok()) {
    return made;
  }
  *bytes = sys::FileBytes(book);
  return BookStatus();
}

void Report(BookStatus* out, const BookStatus& status) {
  if (out) *out = status;
}

}  // namespace

std::string DescribeReadFailure(const BookStatus& status) {
  std::string reason = status.error == sys::FileError::kTooLarge
                           ? "larger than " + std::to_string(kMaxBookBytes >> 20) + " MiB"
                           : sys::FileErrorText(status.error);
  return "cannot read " + status.path + ": " + reason;
}

void EnsureDefaultDataFile(const BookContext& context) {
  if (!Seeds(context) || context.defaultDataFile.empty()) return;
  context.files->OpenOrCreate(context.defaultDataFile, true, false);
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

int CountEntries(const BookContext& context, const std::string& path, const std::string& oldPath,
                 BookStatus* status) {
  int lineNumber = 0;
  int count = 0;
  int seeded = -1;
  const BookStatus result = VisitBookLines(
      context, path, oldPath,
      [&](std::string_view line) {
        if (++lineNumber > 1 && IsEntryLine(line)) ++count;
      },
      &seeded);
  Report(status, result);
  if (!result.ok()) return -1;
  return seeded >= 0 ? seeded : count;
}

int ReadBookBytes(const BookContext& context, std::string_view bytes, int capacity,
                  EntryTable* entries, GroupTable* groups, BookLineObserver* observer) {
  BookReader reader(context, capacity, entries, groups, observer);
  LineCursor lines(bytes);
  std::string_view line;
  while (lines.Next(&line)) reader.Line(line);
  reader.ShowAlerts();
  return reader.Read();
}

int ReadBookBytes(const BookContext& context, std::string_view bytes, int capacity,
                  std::vector<AddressRecord>* records, GroupTable* groups,
                  BookLineObserver* observer) {
  EntryTable entries;
  const int read = ReadBookBytes(context, bytes, capacity, &entries, groups, observer);
  entries.AppendTo(records);
  return read;
}

BookStatus ReadBookTables(const BookContext& context, const std::string& path, int capacity,
                          EntryTable* entries, GroupTable* groups) {
  BookReader reader(context, capacity, entries, groups);
  const sys::FileError error = VisitFileLines(
      context, path, [&](std::string_view line) { reader.Line(line); }, nullptr);
  if (error != sys::FileError::kNone) {
    entries->Clear();
    groups->ClearGroups();
    return Failed(error, path);
  }
  reader.ShowAlerts();
  return BookStatus();
}

int ReadBook(const BookContext& context, const std::string& path, int capacity,
             std::vector<AddressRecord>* records, GroupTable* groups, BookStatus* status) {
  EntryTable entries;
  const BookStatus result = ReadBookTables(context, path, capacity, &entries, groups);
  Report(status, result);
  if (!result.ok()) return -1;
  entries.AppendTo(records);
  return static_cast<int>(entries.Size());
}

BookStatus LoadBook(const BookContext& context, const std::string& path,
                    const std::string& oldPath, std::vector<AddressRecord>* records,
                    GroupTable* groups, BookBytes* bytesRead) {
  std::string restoredFrom;
  if (const BookStatus rescue = RescueBook(context, path, &restoredFrom); !rescue.ok()) {
    groups->ClearGroups();
    return rescue;
  }
  auto bytes = std::make_shared<sys::FileBytes>();
  FileStamp stamp;
  BookStatus status = ReadBookFile(context, path, oldPath, bytes.get(), &stamp);
  if (!status.ok()) {
    groups->ClearGroups();
    return status;
  }
  const SharedBytes kept = std::move(bytes);
  // The members stay where their lines lie in the bytes, which the table
  // keeps (a table that holds groups already gets copies).
  groups->KeepBytes(kept);
  EntryTable entries;
  BookReader reader(context, INT_MAX, &entries, groups);
  LineCursor lines(kept->View());
  std::string_view line;
  while (lines.Next(&line)) reader.Line(line);
  reader.ShowAlerts();
  entries.AppendTo(records);
  if (bytesRead) *bytesRead = BookBytes(kept);
  status.restoredFrom = std::move(restoredFrom);
  status.stamp = stamp;
  return status;
}

sys::FileError WriteBook(const BookContext& context, const std::string& path,
                         const std::vector<AddressRecord>& records, const GroupTable& groups) {
  EnsureDefaultDataFile(context);
  return context.files->ReplaceWith(
      path, [&](sys::ByteSink& sink) { return WriteBookTo(sink, records, groups); });
}

namespace {

// Hands the bytes on and hashes them on the way.
class HashingSink : public sys::ByteSink {
 public:
  explicit HashingSink(sys::ByteSink& next) : next_(next) {}
  bool Write(std::string_view bytes) override {
    hash.Add(bytes);
    size += bytes.size();
    return next_.Write(bytes);
  }
  StreamHash hash;
  std::uint64_t size = 0;

 private:
  sys::ByteSink& next_;
};

}  // namespace

sys::FileError WriteBook(const BookContext& context, const std::string& path,
                         const text::Collation& collation, const Book& book,
                         FileStamp* written, BookBytes* writtenBytes) {
  EnsureDefaultDataFile(context);
  FileStamp stamp;
  BookBytes copy;
  const sys::FileError error = context.files->ReplaceWith(path, [&](sys::ByteSink& sink) {
    if (!written) return WriteAppliedBook(sink, collation, context.read.langId, book);
    HashingSink hashing(sink);
    copy = BookBytes();
    const bool ok = WriteAppliedBook(hashing, collation, context.read.langId, book,
                                     writtenBytes ? &copy : nullptr);
    stamp.known = true;
    stamp.hash = hashing.hash.Finish();
    stamp.size = hashing.size;
    return ok;
  });
  if (written && error == sys::FileError::kNone) {
    std::uint64_t size = 0;
    LastWrite(*context.files, path, &size, &stamp.modified);
    *written = stamp;
    if (writtenBytes) *writtenBytes = std::move(copy);
  }
  return error;
}

}  // namespace store
