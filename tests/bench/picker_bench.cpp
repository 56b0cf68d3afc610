// The picker with the largest books on the in-memory backends: reading the
// book (the one with 100 groups and the one with 1000 groups of 80
// members), filling the dialog's list at start, and one search keystroke.
#include <benchmark/benchmark.h>

#include "faxpick/book/picker_book.h"
#include "faxpick/dialogs/destination_dialog.h"
#include "faxpick/picker_test_support.h"
#include "faxpick/res/resource.h"
#include "tests/bench/largest_book.h"

namespace {

const picker::Honorifics kHonorifics = {true, {"\x97\x6C", "\x93\x61", "\x8C\xE4\x92\x86"}};

void ReadBook(benchmark::State& state, const std::string& bytes) {
  picker::PickerBook book(932);
  std::size_t members = 0;
  for (auto _ : state) {
    book.Read(bytes, kHonorifics);
    benchmark::DoNotOptimize(book.Size());
  }
  for (const picker::BookEntry* e : book.Entries()) members += static_cast<std::size_t>(e->MemberCount());
  state.counters["entries"] = book.Size();
  state.counters["destinations"] = static_cast<double>(members);
}

// The yardstick: every byte of the book looked at once.
void TouchEveryByte(benchmark::State& state, const std::string& bytes) {
  for (auto _ : state) {
    unsigned sum = 0;
    for (char c : bytes) sum += static_cast<unsigned char>(c);
    benchmark::DoNotOptimize(sum);
  }
  state.counters["bytes"] = static_cast<double>(bytes.size());
}

void BM_YardstickTheLargestBook(benchmark::State& state) {
  TouchEveryByte(state, bench::LargestBookBytes());
}
BENCHMARK(BM_YardstickTheLargestBook)->Unit(benchmark::kMillisecond);

void BM_YardstickTheBookOf1000Groups(benchmark::State& state) {
  TouchEveryByte(state, bench::LargestGroupBookBytes());
}
BENCHMARK(BM_YardstickTheBookOf1000Groups)->Unit(benchmark::kMillisecond);

void BM_PickerReadsTheLargestBook(benchmark::State& state) {
  ReadBook(state, bench::LargestBookBytes());
}
BENCHMARK(BM_PickerReadsTheLargestBook)->Unit(benchmark::kMillisecond);

void BM_PickerReadsTheBookOf1000Groups(benchmark::State& state) {
  ReadBook(state, bench::LargestGroupBookBytes());
}
BENCHMARK(BM_PickerReadsTheBookOf1000Groups)->Unit(benchmark::kMillisecond);

// The destination dialog running on a fake surface with the largest book.
struct Running {
  explicit Running(const std::string& bytes) {
    harness.files.SetFile(harness.PersonalBook(), bytes);
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

void BM_PickerStartsWithTheLargestBook(benchmark::State& state) {
  const std::string bytes = bench::LargestBookBytes();
  for (auto _ : state) {
    Running run(bytes);
    run.dialog->OnInit();
    benchmark::DoNotOptimize(run.surface->FakeList(IDC_FULL_LIST).ItemCount());
  }
}
BENCHMARK(BM_PickerStartsWithTheLargestBook)->Unit(benchmark::kMillisecond);

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

// Every address's name starts with the same character: 2900 rows found.
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
