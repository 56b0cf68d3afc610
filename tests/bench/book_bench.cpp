// The store on the largest book the limits allow (3000 entries, 1000 groups
// of 80 members, every text at its limit, 25 MB), each measurement beside
// its yardstick in the same iteration so that their ratio is fair:
//   fdtool normalize against cp of the same file, both as processes, with
//     the peak memory of normalize against the file's size;
//   the store's load against reading and splitting the same bytes;
//   normalize of hand-made books of 250,000 to 1,000,000 entry lines (time
//     per line and peak memory against the file's size).
// The files live in FAXBOOK_BENCH_DIR (default: the current folder), so that
// they are on a real disk.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/book_lines.h"
#include "store/book_order.h"
#include "store/csv_field.h"
#include "store/text_fields.h"
#include "tests/bench/largest_book.h"
#include "tests/bench/process_run.h"
#include "tools/fdtool/normalize.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string BenchPath(const std::string& name) {
  const char* dir = std::getenv("FAXBOOK_BENCH_DIR");
  return std::string(dir ? dir : ".") + "/" + name + "-" + std::to_string(::getpid()) + ".fdt";
}

// A book written to a file once per run and removed at the end.
using BookFile = bench::BenchFile;

const BookFile& Largest() {
  static const BookFile file(BenchPath("largest"), [] { return bench::LargestGroupBookBytes(); });
  return file;
}

// A book made once per run under a name and a number, and kept.
const BookFile& MadeBook(const std::string& name, int n, std::string (*make)(int)) {
  static std::map<std::pair<std::string, int>, std::unique_ptr<BookFile>> files;
  std::unique_ptr<BookFile>& f = files[{name, n}];
  if (!f) f = std::make_unique<BookFile>(BenchPath(name + std::to_string(n)), [=] { return make(n); });
  return *f;
}

// The book of `groups` groups of 80 among its 3000 entries.
const BookFile& GroupBook(int groups) {
  return groups == 1000 ? Largest() : MadeBook("groups", groups, bench::GroupBookBytes);
}

const BookFile& EntryLines(int lines) { return MadeBook("lines", lines, bench::EntryLinesBytes); }

using bench::Run;
using bench::Spawn;

// fdtool normalize against cp, in turns.
void BM_NormalizeAgainstCp(benchmark::State& state, const BookFile& book) {
  const std::string out = BenchPath("normalized");
  const std::string copy = BenchPath("copied");
  double cp = 0, normalize = 0, peak = 0;
  for (auto _ : state) {
    const Run c = Spawn({"cp", book.Path(), copy});
    const Run n = Spawn({FAXBOOK_FDTOOL, "normalize", book.Path(), out});
    if (!c.ok() || !n.ok()) state.SkipWithError("cp or fdtool failed");
    state.SetIterationTime(n.seconds);
    cp += c.seconds;
    normalize += n.seconds;
    peak = std::max(peak, n.peakMiB);
  }
  ::unlink(out.c_str());
  ::unlink(copy.c_str());
  state.counters["cp_ms"] = benchmark::Counter(cp * 1000, benchmark::Counter::kAvgIterations);
  state.counters["x_cp"] = normalize / cp;
  state.counters["file_MiB"] = book.MiB();
  state.counters["peak_MiB"] = peak;
  state.counters["peak_x_file"] = peak / book.MiB();
}

void BM_NormalizeLargest(benchmark::State& state) { BM_NormalizeAgainstCp(state, Largest()); }
BENCHMARK(BM_NormalizeLargest)->UseManualTime()->Unit(benchmark::kMillisecond);

// Books far over the limits: the time per line stays flat, the memory
// within a few times the file.
void BM_NormalizeEntryLines(benchmark::State& state) {
  const BookFile& book = EntryLines(static_cast<int>(state.range(0)));
  BM_NormalizeAgainstCp(state, book);
  state.counters["ns_per_line"] = benchmark::Counter(
      static_cast<double>(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_NormalizeEntryLines)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The real file system, and a context to read and write books on it with.
struct OnDisk {
  OnDisk() {
    context.files = &files;
    context.alerts = &alerts;
  }
  sys::PosixFileSystem files;
  store::SilentAlerts alerts;
  store::BookContext context;
};

// Reading the file and splitting it into lines, nothing else.
std::size_t ReadAndSplitLines(sys::FileSystem& files, const std::string& path) {
  store::LineJoiner joiner;
  std::size_t n = 0;
  const auto count = [&n](std::string_view line) { n += line.size() + 1; };
  files.ReadChunks(path, store::kMaxBookBytes, [&](std::string_view chunk) {
    joiner.Feed(chunk, count);
    return true;
  });
  joiner.Finish(count);
  return n;
}

// The store's whole load (open, read, parse into entries and the group
// table) against the yardstick, in turns, on the book of state.range(0)
// groups: the cost per byte stays the same.
void BM_LoadAgainstReadAndSplit(benchmark::State& state) {
  OnDisk disk;
  sys::PosixFileSystem& files = disk.files;
  store::SilentAlerts& alerts = disk.alerts;
  const store::BookContext& context = disk.context;
  const BookFile& book = GroupBook(static_cast<int>(state.range(0)));
  const std::string& path = book.Path();
  double yardstick = 0, load = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    benchmark::DoNotOptimize(ReadAndSplitLines(files, path));
    yardstick += std::chrono::duration<double>(Clock::now() - start).count();
    start = Clock::now();
    store::GroupTable groups(932, &alerts);
    std::vector<store::AddressRecord> records;
    benchmark::DoNotOptimize(store::LoadBook(context, path, "", &records, &groups).ok());
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    load += seconds;
    state.SetIterationTime(seconds);
  }
  state.counters["split_ms"] = benchmark::Counter(yardstick * 1000, benchmark::Counter::kAvgIterations);
  state.counters["x_split"] = load / yardstick;
  state.counters["file_MiB"] = book.MiB();
  state.counters["ms_per_MiB"] =
      benchmark::Counter(load * 1000 / book.MiB(), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LoadAgainstReadAndSplit)
    ->Arg(1000)
    ->Arg(500)
    ->Arg(250)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Whether member lines can be copied: the scan on bit masks of 64 bytes
// against the scan text by text, in turns, over the 80 000 member lines of
// the largest book.
void BM_CanonicalScans(benchmark::State& state) {
  static const std::string bytes = bench::LargestGroupBookBytes();
  std::vector<std::string_view> values;
  store::LineCursor lines(bytes);
  std::string_view line;
  const std::string_view prefix = "[FAX_ADDR_GM]=4,";
  while (lines.Next(&line)) {
    if (line.substr(0, prefix.size()) != prefix) continue;
    line.remove_prefix(prefix.size());
    line.remove_prefix(line.find(',') + 1);
    values.push_back(line);
  }
  std::string scratch;
  double masks = 0, byField = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    int found = 0;
    for (std::string_view v : values) {
      store::CanonicalFields out;
      found += store::ScanCanonicalFieldsByMasks(v, &scratch, &out);
    }
    benchmark::DoNotOptimize(found);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    masks += seconds;
    start = Clock::now();
    for (std::string_view v : values) {
      store::CanonicalFields out;
      found += store::ScanCanonicalFieldsByField(v, &scratch, &out);
    }
    benchmark::DoNotOptimize(found);
    byField += std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
  }
  state.counters["by_field_ms"] = benchmark::Counter(byField * 1000, benchmark::Counter::kAvgIterations);
  state.counters["x_by_field"] = masks / byField;
}
BENCHMARK(BM_CanonicalScans)->UseManualTime()->Unit(benchmark::kMillisecond);

// Every field of every line of the largest book taken off by the fast
// field reader and by the plain one, in turns.
void BM_FieldReaders(benchmark::State& state) {
  static const std::string bytes = bench::LargestGroupBookBytes();
  std::vector<std::string_view> values;
  store::LineCursor lines(bytes);
  std::string_view line;
  while (lines.Next(&line)) {
    const std::size_t eq = line.find('=');
    if (eq != std::string_view::npos) values.push_back(line.substr(eq + 1));
  }
  std::string scratch;
  double fast = 0, plain = 0;
  for (auto _ : state) {
    std::size_t total = 0;
    auto start = Clock::now();
    for (std::string_view v : values) {
      while (!v.empty()) total += store::NextCsvFieldView(&v, &scratch).size();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    fast += seconds;
    start = Clock::now();
    for (std::string_view v : values) {
      while (!v.empty()) total += store::NextCsvFieldViewPlain(&v, &scratch).size();
    }
    plain += std::chrono::duration<double>(Clock::now() - start).count();
    benchmark::DoNotOptimize(total);
    state.SetIterationTime(seconds);
  }
  state.counters["plain_ms"] = benchmark::Counter(plain * 1000, benchmark::Counter::kAvgIterations);
  state.counters["x_plain"] = fast / plain;
}
BENCHMARK(BM_FieldReaders)->UseManualTime()->Unit(benchmark::kMillisecond);

// Where the time of normalize goes: reading the file into the tables, the
// sort and the formatting into memory, and writing the bytes to the disk.
void BM_PartReadTables(benchmark::State& state) {
  OnDisk disk;
  store::SilentAlerts& alerts = disk.alerts;
  const store::BookContext& context = disk.context;
  for (auto _ : state) {
    store::GroupTable groups(932, &alerts);
    store::EntryTable entries;
    benchmark::DoNotOptimize(
        store::ReadBookTables(context, Largest().Path(), INT_MAX, &entries, &groups).ok());
  }
}
BENCHMARK(BM_PartReadTables)->Unit(benchmark::kMillisecond);

class NullSink : public sys::ByteSink {
 public:
  bool Write(std::string_view bytes) override {
    size += bytes.size();
    return true;
  }
  std::size_t size = 0;
};

void BM_PartSortAndFormat(benchmark::State& state) {
  OnDisk disk;
  store::SilentAlerts& alerts = disk.alerts;
  const store::BookContext& context = disk.context;
  store::GroupTable groups(932, &alerts);
  store::EntryTable entries;
  store::ReadBookTables(context, Largest().Path(), INT_MAX, &entries, &groups);
  text::PortableCollation collation(932);
  for (auto _ : state) {
    NullSink sink;
    benchmark::DoNotOptimize(fdtool::WriteNormalized(sink, entries, groups, 1041, collation));
  }
}
BENCHMARK(BM_PartSortAndFormat)->Unit(benchmark::kMillisecond);

void BM_PartWriteToDisk(benchmark::State& state) {
  sys::PosixFileSystem files;
  std::string bytes;
  files.ReadFile(Largest().Path(), &bytes, store::kMaxBookBytes);
  const std::string path = BenchPath("written");
  for (auto _ : state) benchmark::DoNotOptimize(files.ReplaceContents(path, bytes));
  ::unlink(path.c_str());
}
BENCHMARK(BM_PartWriteToDisk)->Unit(benchmark::kMillisecond);

struct LoadedBook {
  store::SilentAlerts alerts;
  store::GroupTable groups{932, &alerts};
  std::vector<store::AddressRecord> records;
  LoadedBook() {
    sys::PosixFileSystem files;
    store::BookContext context;
    context.files = &files;
    context.alerts = &alerts;
    store::ReadBook(context, Largest().Path(), INT_MAX, &records, &groups);
  }
};

// A whole save: format, write a temporary file, flush it to disk, swap it in.
void BM_SaveBook(benchmark::State& state) {
  LoadedBook book;
  sys::PosixFileSystem files;
  store::BookContext context;
  context.files = &files;
  context.alerts = &book.alerts;
  const std::string path = BenchPath("save");
  for (auto _ : state) {
    benchmark::DoNotOptimize(store::WriteBook(context, path, book.records, book.groups));
  }
  ::unlink(path.c_str());
}
BENCHMARK(BM_SaveBook)->Unit(benchmark::kMillisecond);

// The editor's first apply after a load (order, format, write, flush,
// rename, the stamp and the bytes kept) against writing and flushing the
// same bytes alone, in turns; the book is loaded again before each apply,
// not timed.
void BM_ApplyAgainstWrite(benchmark::State& state) {
  OnDisk disk;
  sys::PosixFileSystem& files = disk.files;
  store::SilentAlerts& alerts = disk.alerts;
  const store::BookContext& context = disk.context;
  text::PortableCollation collation(932);
  const std::string applied = BenchPath("applied"), plain = BenchPath("plain");
  double write = 0, apply = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<store::AddressRecord> records;
    store::GroupTable groups(932, &alerts);
    store::BookBytes base;
    store::LoadBook(context, Largest().Path(), "", &records, &groups, &base);
    store::Book book(932, &alerts);
    book.Load(store::LoadOrder(std::move(records)), std::move(groups));
    state.ResumeTiming();
    auto start = Clock::now();
    store::FileStamp stamp;
    benchmark::DoNotOptimize(store::WriteBook(context, applied, collation, book, &stamp, &base));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    apply += seconds;
    state.SetIterationTime(seconds);
    const std::string_view bytes = base.View();  // joined before the yardstick
    start = Clock::now();
    benchmark::DoNotOptimize(files.ReplaceWhole(plain, bytes));
    write += std::chrono::duration<double>(Clock::now() - start).count();
  }
  ::unlink(applied.c_str());
  ::unlink(plain.c_str());
  state.counters["write_ms"] = benchmark::Counter(write * 1000, benchmark::Counter::kAvgIterations);
  state.counters["x_write"] = apply / write;
}
BENCHMARK(BM_ApplyAgainstWrite)->UseManualTime()->Unit(benchmark::kMillisecond);

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
