// Load, save and sort of the largest book, against a plain read-and-split of
// the same bytes as the yardstick.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "platform/text/list_order.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/book_lines.h"
#include "store/book_order.h"
#include "tests/bench/largest_book.h"

namespace {

const std::string& Book() {
  static const std::string bytes = bench::LargestBookBytes();
  return bytes;
}

std::string TempPath(const char* name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/" + name + "-" + std::to_string(::getpid());
}

store::BookContext Context(sys::FileSystem* files, store::StoreAlerts* alerts) {
  store::BookContext context;
  context.files = files;
  context.alerts = alerts;
  return context;
}

// The yardstick: read the file and split it into lines, nothing else.
void BM_ReadAndSplitLines(benchmark::State& state) {
  sys::PosixFileSystem files;
  const std::string path = TempPath("split");
  files.ReplaceContents(path, Book());
  for (auto _ : state) {
    std::string bytes;
    files.ReadFile(path, &bytes, store::kMaxBookBytes);
    store::LineCursor lines(bytes);
    std::string_view line;
    std::size_t n = 0;
    while (lines.Next(&line)) n += line.size();
    benchmark::DoNotOptimize(n);
  }
  ::unlink(path.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Book().size()));
}
BENCHMARK(BM_ReadAndSplitLines)->Unit(benchmark::kMillisecond);

// A whole load as the editor does it: clear, count, read the file.
void BM_LoadBook(benchmark::State& state) {
  sys::PosixFileSystem files;
  store::SilentAlerts alerts;
  const store::BookContext context = Context(&files, &alerts);
  const std::string path = TempPath("load");
  files.ReplaceContents(path, Book());
  store::GroupTable groups(932, &alerts);
  for (auto _ : state) {
    groups.ClearGroups();
    std::vector<store::AddressRecord> records;
    const int n = store::CountEntries(context, path, "");
    records.reserve(static_cast<std::size_t>(n));
    benchmark::DoNotOptimize(store::ReadBook(context, path, n, &records, &groups));
  }
  ::unlink(path.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Book().size()));
}
BENCHMARK(BM_LoadBook)->Unit(benchmark::kMillisecond);

struct LoadedBook {
  store::SilentAlerts alerts;
  store::GroupTable groups{932, &alerts};
  std::vector<store::AddressRecord> records;
  LoadedBook() {
    store::BookContext context;
    context.alerts = &alerts;
    store::ReadBookBytes(context, Book(), store::CountEntryLines(Book()), &records, &groups);
  }
};

// Formatting the whole file in memory, without the disk.
void BM_FormatBook(benchmark::State& state) {
  LoadedBook book;
  for (auto _ : state) benchmark::DoNotOptimize(store::FormatBook(book.records, book.groups));
}
BENCHMARK(BM_FormatBook)->Unit(benchmark::kMillisecond);

// A whole save: format, write a temporary file, flush it to disk, swap it in.
void BM_SaveBook(benchmark::State& state) {
  LoadedBook book;
  sys::PosixFileSystem files;
  const store::BookContext context = Context(&files, &book.alerts);
  const std::string path = TempPath("save");
  for (auto _ : state) {
    benchmark::DoNotOptimize(store::WriteBook(context, path, book.records, book.groups));
  }
  ::unlink(path.c_str());
}
BENCHMARK(BM_SaveBook)->Unit(benchmark::kMillisecond);

// The apply sort: 3000 rows by reading, from the reverse of their order.
void BM_SortByReading(benchmark::State& state) {
  const int langId = static_cast<int>(state.range(0));
  LoadedBook book;
  text::PortableCollation collation(langId == 1041 ? 932 : 1252);
  std::vector<store::AddressRecord> reversed(book.records.rbegin(), book.records.rend());
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<store::AddressRecord> rows = reversed;
    state.ResumeTiming();
    store::SortByReading(collation, langId, &rows);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_SortByReading)->Arg(1041)->Arg(1033)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
