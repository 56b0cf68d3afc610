// The largest book the limits allow through the editor's list view on the
// in-memory backends: the load at start-up (beside its yardstick, reading
// and splitting the same bytes from the same file system; also of the books
// of a half and a quarter of its groups, whose cost per byte is the same),
// a sort by a header click, and apply.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "store/book_file.h"
#include "store/book_lines.h"
#include "store/book_order.h"

#include "faxbook/shell/language.h"
#include "tests/bench/largest_book_editor.h"

namespace {

constexpr const char* kBook = bench::kLargestBookPath;
using Editor = bench::LargestBookEditor;

using Clock = std::chrono::steady_clock;

// The yardstick: the file's bytes read and split into lines, nothing else.
std::size_t ReadAndSplitLines(sys::FileSystem& files) {
  store::LineJoiner joiner;
  std::size_t n = 0;
  const auto count = [&n](std::string_view line) { n += line.size() + 1; };
  files.ReadChunks(kBook, store::kMaxBookBytes, [&](std::string_view chunk) {
    joiner.Feed(chunk, count);
    return true;
  });
  joiner.Finish(count);
  return n;
}

// The view's whole load (read, the rows, the sort) and the yardstick, in
// turns, on the book of state.range(0) groups of 80 among its 3000 entries.
void BM_ViewLoadsTheLargestBook(benchmark::State& state) {
  Editor editor(static_cast<int>(state.range(0)));
  if (!editor.started) state.SkipWithError("the editor did not start");
  CAddrConfigView& view = *editor.app->View();
  double yardstick = 0, load = 0, storeLoad = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    benchmark::DoNotOptimize(ReadAndSplitLines(editor.files));
    yardstick += std::chrono::duration<double>(Clock::now() - start).count();
    // The store's part of the load alone: the file read into records and
    // member tables, no book, no rows.
    {
      std::vector<store::AddressRecord> records;
      store::GroupTable groups(932, editor.app->Document()->BookContext().alerts);
      start = Clock::now();
      benchmark::DoNotOptimize(
          store::LoadBook(editor.app->Document()->BookContext(), kBook, "", &records, &groups));
      storeLoad += std::chrono::duration<double>(Clock::now() - start).count();
    }
    start = Clock::now();
    editor.app->Document()->Load(kBook, "");
    benchmark::DoNotOptimize(view.List()->ItemCount());
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    load += seconds;
    state.SetIterationTime(seconds);
  }
  state.counters["rows"] = view.List()->ItemCount();
  state.counters["split_ms"] = benchmark::Counter(yardstick * 1000, benchmark::Counter::kAvgIterations);
  state.counters["x_split"] = load / yardstick;
  state.counters["store_ms"] = benchmark::Counter(storeLoad * 1000, benchmark::Counter::kAvgIterations);
  state.counters["store_x_split"] = storeLoad / yardstick;
  const double mib = static_cast<double>(editor.files.File(kBook)->size()) / (1 << 20);
  state.counters["file_MiB"] = mib;
  state.counters["ms_per_MiB"] =
      benchmark::Counter(load * 1000 / mib, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ViewLoadsTheLargestBook)
    ->Arg(1000)
    ->Arg(500)
    ->Arg(250)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_ViewSortsByAHeaderClick(benchmark::State& state) {
  Editor editor;
  if (!editor.started) state.SkipWithError("the editor did not start");
  CAddrConfigView& view = *editor.app->View();
  int column = 0;
  for (auto _ : state) {
    // Another column each time: a full ascending sort of 3000 rows.
    column = (column + 1) % 6;
    view.OnColumnClick(column);
  }
}
BENCHMARK(BM_ViewSortsByAHeaderClick)->Unit(benchmark::kMillisecond);

// Apply (the book ordered as apply writes it, formatted, written) and, in
// turns, its yardstick: the same entries, already in that order, written
// alone by the store's writer to the same file system.
void BM_ViewAppliesTheLargestBook(benchmark::State& state) {
  Editor editor;
  if (!editor.started) state.SkipWithError("the editor did not start");
  CAddrConfigView& view = *editor.app->View();
  view.OnColumnClick(2);
  CAddrConfigDoc& document = *editor.app->Document();
  std::vector<store::AddressRecord> ordered;
  for (const store::AddressRecord* r :
       store::ApplyOrder(*editor.collation, editor.LangId(), document.Book())) {
    ordered.push_back(*r);
  }
  double yardstick = 0, apply = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    benchmark::DoNotOptimize(
        store::WriteBook(document.BookContext(), kBook, ordered, document.Book().Groups()));
    yardstick += std::chrono::duration<double>(Clock::now() - start).count();
    start = Clock::now();
    benchmark::DoNotOptimize(document.SaveBook(kBook));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    apply += seconds;
    state.SetIterationTime(seconds);
  }
  state.counters["write_ms"] = benchmark::Counter(yardstick * 1000, benchmark::Counter::kAvgIterations);
  state.counters["x_write"] = apply / yardstick;
}
BENCHMARK(BM_ViewAppliesTheLargestBook)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
