// The multi-address edit and the replace on every entry of the largest book,
// through the editor's commands on the in-memory backends.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "booklib/rules/name_index.h"
#include "booklib/rules/unique_name.h"
#include "faxbook/shell/language.h"
#include "tests/bench/largest_book.h"
#include "tests/support/bulk_harness.h"

namespace {

constexpr char kBook[] = "C:\\books\\address.fdt";

struct Editor : BulkHarness {
  Editor() {
    files.SetFile(kBook, bench::LargestBookBytes());
    registry.Set(kAddressBookKey, kValueFileName, kBook);
    system.majorVersion = 4;
    started = Start();
  }
  void SelectAll() {
    std::vector<int> rows;
    for (int r = 0; r < List().ItemCount(); ++r) rows.push_back(r);
    List().SelectOnly(rows);
  }
  bool started = false;
};

// A ticked company: one value for every address, each row rewritten and
// each address's copies in the groups updated.
void BM_MultiEditCompanyOfAll(benchmark::State& state) {
  Editor editor;
  if (!editor.started) state.SkipWithError("the editor did not start");
  for (auto _ : state) {
    editor.SelectAll();
    editor.dialogs.OnNextDialog(IDD_MULTI_EDIT, [](ui::FakeDialog& d) {
      Tick(d, IDC_TICK_COMPANY);
      d.Type(IDC_COMPANY, "Acme");
      d.Click(ui::kIdOk);
    });
    editor.Command(IDC_EDIT_BUTTON);
  }
  state.counters["rows"] = editor.List().ItemCount();
}
BENCHMARK(BM_MultiEditCompanyOfAll)->Unit(benchmark::kMillisecond);

// The worst case of the unique names: every entry given the same reading,
// so the last one tries 2999 taken suffixes first.
void BM_MultiEditOneReadingForAll(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Editor editor;
    editor.SelectAll();
    editor.dialogs.OnNextDialog(IDD_MULTI_EDIT, [](ui::FakeDialog& d) {
      Tick(d, IDC_TICK_READING);
      d.Type(IDC_READING, "SAME");
      d.Click(ui::kIdOk);
    });
    state.ResumeTiming();
    editor.Command(IDC_EDIT_BUTTON);
  }
}
BENCHMARK(BM_MultiEditOneReadingForAll)->Unit(benchmark::kMillisecond)->Iterations(3);

// A replace in the company of every address.
void BM_ReplaceInAll(benchmark::State& state) {
  Editor editor;
  if (!editor.started) state.SkipWithError("the editor did not start");
  bool forth = true;
  for (auto _ : state) {
    editor.SelectAll();
    editor.dialogs.OnNextDialog(IDD_REPLACE, [forth](ui::FakeDialog& d) {
      Tick(d, IDC_TICK_COMPANY);
      d.Type(IDC_COMPANY, forth ? "," : ";");
      d.Type(IDC_NEW_COMPANY, forth ? ";" : ",");
      d.Click(ui::kIdOk);
    });
    editor.Command(ID_EDIT_REPLACE);
    forth = !forth;
  }
}
BENCHMARK(BM_ReplaceInAll)->Unit(benchmark::kMillisecond);

// The unique names of the multi-address edit beyond the book's limit: each
// of `count` entries is given the same reading in turn, the name it had
// before freed as it takes the new one.
void BM_UniqueNamesOfOneBase(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const rules::TextRules rules{1041, 932};
  for (auto _ : state) {
    state.PauseTiming();
    rules::NameIndex names;
    std::vector<std::string> before;
    for (int i = 0; i < count; ++i) {
      before.push_back("E" + std::to_string(i));
      names.Add(1, before.back());
    }
    state.ResumeTiming();
    for (int i = 0; i < count; ++i) {
      const std::string unique = rules::MakeUniqueName("SAME", 1, rules, names);
      names.Rename(1, before[static_cast<std::size_t>(i)], unique);
    }
    benchmark::DoNotOptimize(names.IsNameUsed("SAME", 1));
  }
  state.counters["us_per_name"] = benchmark::Counter(
      count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_UniqueNamesOfOneBase)->Arg(1000)->Arg(3000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
