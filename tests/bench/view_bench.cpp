// The largest book through the editor's list view on the in-memory
// backends: the load at start-up, a sort by a header click, and apply.
#include <benchmark/benchmark.h>

#include <memory>

#include "faxbook/shell/language.h"
#include "tests/support/editor_harness.h"
#include "tests/bench/largest_book.h"

namespace {

constexpr char kBook[] = "C:\\books\\address.fdt";

// An editor on an NT4 system (the registry names the book), started once.
struct Editor : EditorHarness {
  Editor() {
    files.SetFile(kBook, bench::LargestBookBytes());
    registry.Set(kAddressBookKey, kValueFileName, kBook);
    system.majorVersion = 4;
    started = Start();
  }
  bool started = false;
};

void BM_ViewLoadsTheLargestBook(benchmark::State& state) {
  Editor editor;
  if (!editor.started) state.SkipWithError("the editor did not start");
  CAddrConfigView& view = *editor.app->View();
  for (auto _ : state) {
    view.Load(kBook, "");
    benchmark::DoNotOptimize(view.List()->ItemCount());
  }
  state.counters["rows"] = view.List()->ItemCount();
}
BENCHMARK(BM_ViewLoadsTheLargestBook)->Unit(benchmark::kMillisecond);

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

void BM_ViewAppliesTheLargestBook(benchmark::State& state) {
  Editor editor;
  if (!editor.started) state.SkipWithError("the editor did not start");
  CAddrConfigView& view = *editor.app->View();
  view.OnColumnClick(2);
  for (auto _ : state) benchmark::DoNotOptimize(view.SaveBook(kBook));
}
BENCHMARK(BM_ViewAppliesTheLargestBook)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
