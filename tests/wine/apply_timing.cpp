// Times the editor's apply of a book under the real system against writing
// and flushing the same bytes alone, in turns, and prints the medians:
//   apply_timing BOOK ROUNDS
// Each round loads BOOK as the editor loads it (not timed), writes it as the
// first apply after that load does (order, format, temporary file, flush,
// one replacing rename, the stamp and the bytes written kept as the next
// merge's base) to BOOK.apply, then writes the bytes apply wrote to
// BOOK.bytes with the same whole-file replace.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/win32_collation.h"
#include "platform/win32/win32_file_system.h"
#include "store/book.h"
#include "store/book_file.h"
#include "store/book_order.h"
#include "store/store_alerts.h"

namespace {

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: apply_timing BOOK [ROUNDS]\n");
    return 2;
  }
  const std::string path = argv[1];
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
  sys::Win32FileSystem files;
  text::Win32Collation collation;
  store::SilentAlerts alerts;
  store::BookContext context;
  context.files = &files;
  context.alerts = &alerts;
  const std::string applied = path + ".apply", plain = path + ".bytes";
  std::vector<double> apply, write;
  for (int i = 0; i < rounds; ++i) {
    std::vector<store::AddressRecord> records;
    store::GroupTable groups(static_cast<int>(GetACP()), &alerts);
    store::BookBytes base;
    if (!store::LoadBook(context, path, "", &records, &groups, &base).ok()) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      return 2;
    }
    store::Book book(static_cast<int>(GetACP()), &alerts);
    book.Load(store::LoadOrder(std::move(records)), std::move(groups));
    double start = Now();
    store::FileStamp stamp;
    if (store::WriteBook(context, applied, collation, book, &stamp, &base) != sys::FileError::kNone) {
      return 1;
    }
    apply.push_back(Now() - start);
    std::string bytes;
    if (!files.ReadFile(applied, &bytes, store::kMaxBookBytes)) return 1;
    start = Now();
    if (files.ReplaceWhole(plain, bytes) != sys::FileError::kNone) return 1;
    write.push_back(Now() - start);
  }
  DeleteFileA(applied.c_str());
  DeleteFileA(plain.c_str());
  const double a = Median(apply), w = Median(write);
  std::printf("apply %.1f ms, write and flush %.1f ms, %.2fx (median of %d)\n", a, w, a / w,
              rounds);
  return 0;
}
