// Undo and redo on the largest book through the editor's commands on the
// in-memory backends: one undo (and redo) of a replace in the name of every
// entry, each address's copies in its groups included; and the memory a
// hundred such replaces keep in the history, against the book's own.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <string>
#include <vector>

#include "faxbook/shell/language.h"
#include "store/book_file.h"
#include "tests/bench/largest_book.h"
#include "tests/support/bulk_harness.h"

namespace {

constexpr char kBook[] = "C:\\books\\address.fdt";
using Clock = std::chrono::steady_clock;

// An editor on an NT4 system (the registry names the book) with the largest
// book: 3000 entries, 1000 of them groups of 80 members.
struct Editor : BulkHarness {
  Editor() {
    files.SetFile(kBook, bench::LargestGroupBookBytes());
    registry.Set(kAddressBookKey, kValueFileName, kBook);
    system.majorVersion = 4;
    started = Start();
  }
  // Every entry's name holds an "a" (and, once replaced, a "b"): a replace
  // of one by the other changes all 3000 entries and the 80 000 members.
  void ReplaceInEveryName(bool forth) {
    std::vector<int> rows;
    for (int r = 0; r < List().ItemCount(); ++r) rows.push_back(r);
    List().SelectOnly(rows);
    dialogs.OnNextDialog(IDD_REPLACE, [forth](ui::FakeDialog& d) {
      Tick(d, IDC_TICK_DISP_NAME);
      d.Type(IDC_DISP_NAME, forth ? "a" : "b");
      d.Type(IDC_NEW_DISP_NAME, forth ? "b" : "a");
      d.Click(ui::kIdOk);
    });
    Command(ID_EDIT_REPLACE);
  }
  bool started = false;
};

// Bytes the allocator has handed out, small and large blocks.
std::size_t AllocatedBytes() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

void BM_UndoOfAReplaceAcrossTheBook(benchmark::State& state) {
  Editor editor;
  if (!editor.started) state.SkipWithError("the editor did not start");
  const std::uint64_t before = editor.TheBook().ContentHash();
  editor.ReplaceInEveryName(true);
  const std::uint64_t after = editor.TheBook().ContentHash();
  if (before == after) state.SkipWithError("the replace changed nothing");
  double redo = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    editor.Command(ID_EDIT_UNDO);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    start = Clock::now();
    editor.Command(ID_EDIT_REDO);
    redo += std::chrono::duration<double>(Clock::now() - start).count();
  }
  editor.Command(ID_EDIT_UNDO);
  if (editor.TheBook().ContentHash() != before) state.SkipWithError("undo gave back another book");
  state.counters["rows_selected"] = editor.List().SelectedCount();
  state.counters["redo_ms"] = benchmark::Counter(redo * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_UndoOfAReplaceAcrossTheBook)->UseManualTime()->Unit(benchmark::kMillisecond);

// A hundred replaces in turn, each one step of the history: what the
// history keeps against what the book itself takes, both as the allocator
// counts them; then every step undone, back to the book as loaded.
void BM_HistoryOfAHundredReplaces(benchmark::State& state) {
  for (auto _ : state) {
    // The book alone: read and held as the document holds it.
    std::size_t bookBytes = 0;
    {
      store::SilentAlerts alerts;
      const std::string bytes = bench::LargestGroupBookBytes();
      const std::size_t start = AllocatedBytes();
      store::Book book(932, &alerts);
      {
        std::vector<store::AddressRecord> records;
        store::GroupTable groups(932, &alerts);
        store::BookContext context;
        context.alerts = &alerts;
        context.read.langId = 1041;
        store::ReadBookBytes(context, bytes, store::kMaxEntries, &records, &groups);
        book.Load(std::move(records), std::move(groups));
      }
      bookBytes = AllocatedBytes() - start;
    }
    Editor editor;
    if (!editor.started) state.SkipWithError("the editor did not start");
    const std::uint64_t loaded = editor.TheBook().ContentHash();
    const std::size_t start = AllocatedBytes();
    for (int i = 0; i < 100; ++i) editor.ReplaceInEveryName(i % 2 == 0);
    const std::size_t historyBytes = AllocatedBytes() - start;
    int steps = 0;
    while (editor.TheBook().CanUndo()) {
      editor.Command(ID_EDIT_UNDO);
      ++steps;
    }
    if (editor.TheBook().ContentHash() != loaded) state.SkipWithError("undo gave back another book");
    state.counters["book_MiB"] = static_cast<double>(bookBytes) / (1 << 20);
    state.counters["history_MiB"] = static_cast<double>(historyBytes) / (1 << 20);
    state.counters["history_own_count_MiB"] =
        static_cast<double>(editor.TheBook().HistoryBytes()) / (1 << 20);
    state.counters["x_book"] = static_cast<double>(historyBytes) / static_cast<double>(bookBytes);
    state.counters["steps_undone"] = steps;
  }
}
BENCHMARK(BM_HistoryOfAHundredReplaces)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
