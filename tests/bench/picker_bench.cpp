// The picker with the largest books on the in-memory backends: reading the
// book (the one with 100 groups and the one with 1000 groups of 80
// members), the dialog's start with the largest book, and one search
// keystroke. The reads and the start run in turns with their yardstick,
// every byte of the same book looked at once, and report their time
// against it (x_touch); both are the thread's CPU time, which the other
// work of a shared machine does not lengthen.
#include <benchmark/benchmark.h>

#include <time.h>

#include "faxpick/book/picker_book.h"
#include "faxpick/dialogs/destination_dialog.h"
#include "tests/support/picker_harness.h"
#include "faxpick/res/resource.h"
#include "tests/bench/largest_book.h"

namespace {

const picker::Honorifics kHonorifics = {true, {"\x97\x6C", "\x93\x61", "\x8C\xE4\x92\x86"}};

// The thread's CPU time in seconds.
double Now() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The yardstick: every byte of the book looked at once.
void TouchEveryByte(const std::string& bytes) {
  unsigned sum = 0;
  for (char c : bytes) sum += static_cast<unsigned char>(c);
  benchmark::DoNotOptimize(sum);
}

void Report(benchmark::State& state, double yardstick, double work, const std::string& bytes) {
  state.counters["touch_ms"] = benchmark::Counter(yardstick * 1000, benchmark::Counter::kAvgIterations);
  state.counters["x_touch"] = work / yardstick;
  state.counters["bytes"] = static_cast<double>(bytes.size());
}

void ReadBook(benchmark::State& state, const std::string& bytes) {
  picker::PickerBook book(932);
  double yardstick = 0, read = 0;
  for (auto _ : state) {
    double start = Now();
    TouchEveryByte(bytes);
    yardstick += Now() - start;
    start = Now();
    book.Read(bytes, kHonorifics);
    benchmark::DoNotOptimize(book.Size());
    const double seconds = Now() - start;
    read += seconds;
    state.SetIterationTime(seconds);
  }
  std::size_t members = 0;
  for (const picker::BookEntry* e : book.Entries()) members += static_cast<std::size_t>(e->MemberCount());
  Report(state, yardstick, read, bytes);
  state.counters["entries"] = book.Size();
  state.counters["destinations"] = static_cast<double>(members);
}

void BM_PickerReadsTheLargestBook(benchmark::State& state) {
  ReadBook(state, bench::LargestBookBytes());
}
BENCHMARK(BM_PickerReadsTheLargestBook)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PickerReadsTheBookOf1000Groups(benchmark::State& state) {
  ReadBook(state, bench::LargestGroupBookBytes());
}
BENCHMARK(BM_PickerReadsTheBookOf1000Groups)->UseManualTime()->Unit(benchmark::kMillisecond);

// The destination dialog running on a fake surface with the largest book.
struct Running {
  explicit Running(const std::string& bytes) {
    harness.files.SetFile(harness.PersonalBook(), bytes);
    // Pieces as large as the system's reader takes them.
    harness.files.SetPieceSize(1u << 20);
    harness.resources.UseLanguageLibrary("pickresJPN.dll");
    services = harness.Services();
    dialog = std::make_unique<picker::CDestinationDialog>(services, 17,
                                                          picker::SpoolerArguments{"C:\\S\\s.dll", "2.1"});
    surface = std::make_unique<ui::FakeDialog>(dialog.get(), &harness.boxes, &harness.dialogs);
    dialog->Attach(surface.get());
  }
  ~Running() { dialog->Attach(nullptr); }
  picker::PickerHarness harness;
  picker::PickerServices services;
  std::unique_ptr<picker::CDestinationDialog> dialog;
  std::unique_ptr<ui::FakeDialog> surface;
};

// The dialog's start: the book read from the file system, the lists'
// rows and their columns fitted, the send list read back.
void BM_PickerStartsWithTheLargestBook(benchmark::State& state) {
  const std::string bytes = bench::LargestBookBytes();
  double yardstick = 0, started = 0;
  for (auto _ : state) {
    Running run(bytes);
    double at = Now();
    TouchEveryByte(bytes);
    yardstick += Now() - at;
    at = Now();
    run.dialog->OnInit();
    benchmark::DoNotOptimize(run.surface->FakeList(IDC_FULL_LIST).ItemCount());
    const double seconds = Now() - at;
    started += seconds;
    state.SetIterationTime(seconds);
  }
  Report(state, yardstick, started, bytes);
}
BENCHMARK(BM_PickerStartsWithTheLargestBook)->UseManualTime()->Unit(benchmark::kMillisecond);

// One keystroke: the search over the 3000 rows of the full list, typed
// text alternating so that each one searches afresh.
void Keystroke(benchmark::State& state, const std::string& a, const std::string& b) {
  Running run(bench::LargestBookBytes());
  run.dialog->OnInit();
  bool first = true;
  for (auto _ : state) {
    run.surface->Type(IDC_SEARCH_TEXT, first ? a : b);
    first = !first;
  }
  const int shown = run.surface->IsShown(IDC_RESULT_LIST_A) ? IDC_RESULT_LIST_A : IDC_RESULT_LIST_B;
  state.counters["found"] = run.surface->FakeList(shown).ItemCount();
}

// Every address's name starts with the same character: 2900 and 1111 rows
// found in turn.
void BM_PickerSearchKeystrokeFindingAll(benchmark::State& state) {
  Keystroke(state, "\x96\xBC", "\x96\xBC\x31");
}
BENCHMARK(BM_PickerSearchKeystrokeFindingAll)->Unit(benchmark::kMicrosecond);

void BM_PickerSearchKeystrokeFindingFew(benchmark::State& state) {
  Keystroke(state, "G1", "G12");
}
BENCHMARK(BM_PickerSearchKeystrokeFindingFew)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
