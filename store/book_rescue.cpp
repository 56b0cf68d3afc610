#include "store/book_rescue.h"

#include <algorithm>
#include <vector>

#include "platform/sys/whole_file_replace.h"
#include "store/book_format.h"

namespace store {
namespace {

bool StartsWithHeader(std::string_view bytes) {
  const std::string_view header(kBookHeader);
  if (bytes.substr(0, header.size()) != header) return false;
  const std::string_view rest = bytes.substr(header.size());
  return rest.substr(0, 2) == "\r\n" || rest.substr(0, 1) == "\n";
}

bool EndsWithLineEnd(std::string_view bytes) { return !bytes.empty() && bytes.back() == '\n'; }

// A leftover worth putting back: a whole book with something in it.
bool Restorable(sys::FileSystem& files, const std::string& path) {
  std::string bytes;
  return files.ReadWhole(path, &bytes, kMaxBookBytes) == sys::FileError::kNone &&
         IsWholeBook(bytes) && CountEntryLines(bytes) > 0;
}

// What the book under the name needs: nothing, any restorable leftover, or
// one written after it.
enum class Need { kNothing, kAnyLeftover, kNewerLeftover };

Need Judge(sys::FileSystem& files, const std::string& path) {
  std::string bytes;
  const sys::FileError error = files.ReadWhole(path, &bytes, kMaxBookBytes);
  if (error == sys::FileError::kNotFound) return Need::kAnyLeftover;
  // A book that cannot be read is not known to be lost: it stays, and the
  // load says it cannot be read.
  if (error != sys::FileError::kNone) return Need::kNothing;
  if (CountEntryLines(bytes) == 0) return Need::kAnyLeftover;
  // A book cut short may also be one written by hand without a last line
  // end: only a save begun after it (a newer leftover) replaces it.
  return EndsWithLineEnd(bytes) ? Need::kNothing : Need::kNewerLeftover;
}

bool IsTemporary(const std::string& path) {
  return path.size() >= 4 && path.compare(path.size() - 4, 4, ".tmp") == 0;
}

}  // namespace

bool IsWholeBook(std::string_view bytes) {
  return StartsWithHeader(bytes) && EndsWithLineEnd(bytes);
}

BookStatus RescueBook(const BookContext& context, const std::string& path,
                      std::string* restoredFrom) {
  restoredFrom->clear();
  sys::FileSystem& files = *context.files;
  const int codePage = context.read.codePage;
  std::vector<sys::FoundFile> leftovers;
  std::uint64_t bookWritten = 0;
  for (const sys::FoundFile& found : files.FilesNamedLike(path)) {
    if (found.path == path) {
      bookWritten = found.modified;
    } else if (sys::IsLeftoverOf(codePage, path, found.path)) {
      leftovers.push_back(found);
    }
  }
  if (leftovers.empty()) return BookStatus();
  const Need need = Judge(files, path);
  if (need == Need::kNothing) return BookStatus();

  // The newest first; of two written at once the new book of a save (its
  // temporary file) before the old one (its backup).
  std::sort(leftovers.begin(), leftovers.end(),
            [](const sys::FoundFile& a, const sys::FoundFile& b) {
              if (a.modified != b.modified) return a.modified > b.modified;
              if (IsTemporary(a.path) != IsTemporary(b.path)) return IsTemporary(a.path);
              return a.path > b.path;
            });
  BookStatus failure;
  for (const sys::FoundFile& leftover : leftovers) {
    if (need == Need::kNewerLeftover && leftover.modified <= bookWritten) break;
    if (!Restorable(files, leftover.path)) continue;
    const sys::FileError error = files.PutInPlace(leftover.path, path);
    if (error == sys::FileError::kNone) {
      *restoredFrom = leftover.path;
      return BookStatus();
    }
    if (failure.ok()) {
      failure.error = error;
      failure.path = path;
    }
  }
  // Another program may have put one back meanwhile.
  if (!failure.ok() && Judge(files, path) == Need::kNothing) return BookStatus();
  return failure;
}

}  // namespace store
