// A book two places edit, on the largest book: apply's check that the file
// is unchanged (read and hash the whole file) beside the apply itself, in
// turns; the three-way merge with 100 changes on each side; the editor's
// whole apply when the file was changed elsewhere; and fdtool merge of the
// same three books against fdtool normalize of one of them, as processes,
// in turns (time, CPU and peak memory).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "booklib/merge/book_merge.h"
#include "faxbook/shell/language.h"
#include "platform/text/portable_collation.h"
#include "store/book_file.h"
#include "store/book_order.h"
#include "store/file_stamp.h"
#include "tests/bench/largest_book.h"
#include "tests/bench/largest_book_editor.h"
#include "tests/bench/process_run.h"

namespace {

constexpr const char* kBook = bench::kLargestBookPath;
using Editor = bench::LargestBookEditor;

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_CheckAtApplyAgainstTheApply(benchmark::State& state) {
  Editor editor;
  if (!editor.started) state.SkipWithError("the editor did not start");
  double check = 0, apply = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    store::FileStamp stamp;
    store::StampFile(editor.files, kBook, store::kMaxBookBytes, &stamp);
    benchmark::DoNotOptimize(stamp.hash);
    const double seconds = Since(start);
    check += seconds;
    state.SetIterationTime(seconds);
    start = Clock::now();
    benchmark::DoNotOptimize(editor.app->Document()->SaveBook(kBook));
    apply += Since(start);
  }
  state.counters["apply_ms"] = benchmark::Counter(apply * 1000, benchmark::Counter::kAvgIterations);
  state.counters["check_of_apply"] = check / apply;
}
BENCHMARK(BM_CheckAtApplyAgainstTheApply)->UseManualTime()->Unit(benchmark::kMillisecond);

class Quiet : public store::StoreAlerts {
 public:
  void Alert(const std::string&) override {}
};

std::unique_ptr<store::Book> Parse(const std::string& bytes, Quiet* alerts) {
  store::BookContext context;
  context.alerts = alerts;
  store::GroupTable groups(932, alerts);
  std::vector<store::AddressRecord> records;
  store::ReadBookBytes(context, bytes, store::CountEntryLines(bytes), &records, &groups);
  auto book = std::make_unique<store::Book>(932, alerts);
  book->Load(store::LoadOrder(std::move(records)), std::move(groups));
  return book;
}

// 100 addresses' fax numbers changed, from `first` on every 7th address
// (their copies in the groups follow).
void Edit(store::Book* book, int first, const std::string& fax) {
  int changed = 0;
  for (int i = first; i < book->Size() && changed < 100; i += 7) {
    const store::EntryId id = book->IdAt(i);
    if (book->IsGroup(id)) continue;
    store::EntryTexts texts = *book->Find(id);
    texts.faxNumber = fax;
    book->Change(id, texts);
    ++changed;
  }
}

// range(0): 1 the book of 1000 groups of 80 (each changed address is a
// member of about 40 groups: nearly every group changed on both sides), 0
// the book of 2900 addresses and 100 groups.
void BM_MergeOfTheLargestBookWith100ChangesOnEachSide(benchmark::State& state) {
  Quiet alerts;
  const std::string bytes =
      state.range(0) ? bench::LargestGroupBookBytes() : bench::LargestBookBytes();
  auto base = Parse(bytes, &alerts);
  auto mine = Parse(bytes, &alerts);
  auto theirs = Parse(bytes, &alerts);
  Edit(mine.get(), 0, "0311");
  Edit(theirs.get(), 3, "0622");
  rules::TextRules rules;
  std::size_t conflicts = 0;
  double planning = 0, building = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    merge::MergePlan plan = merge::PlanMerge(*base, *mine, *theirs);
    planning += Since(start);
    start = Clock::now();
    conflicts = plan.conflicts.size();
    merge::MergedBook merged(932, &alerts);
    merge::BuildMerged(std::move(plan), {}, rules, &merged);
    store::Book book(932, &alerts);
    book.Load(std::move(merged.records), std::move(merged.groups));
    benchmark::DoNotOptimize(book.Size());
    building += Since(start);
  }
  state.counters["conflicts"] = static_cast<double>(conflicts);
  state.counters["plan_ms"] = benchmark::Counter(planning * 1000, benchmark::Counter::kAvgIterations);
  state.counters["build_ms"] = benchmark::Counter(building * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MergeOfTheLargestBookWith100ChangesOnEachSide)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The editor's apply when another PC changed 100 entries and this one 100
// others: the file read again, both books parsed, merged, written, shown.
void BM_EditorApplyWithAMerge(benchmark::State& state) {
  Editor editor;
  if (!editor.started) state.SkipWithError("the editor did not start");
  Quiet alerts;
  auto theirs = Parse(bench::LargestGroupBookBytes(), &alerts);
  Edit(theirs.get(), 3, "0622");
  text::PortableCollation collation(932);
  const std::string changed = store::FormatAppliedBook(collation, 1041, *theirs);
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    editor.app->Document()->Reload();
    store::Book& book = editor.TheBook();
    {
      store::BookStep step(book);
      Edit(&book, 0, "03" + std::to_string(++round));
    }
    editor.files.SetFile(kBook, changed);
    state.ResumeTiming();
    benchmark::DoNotOptimize(editor.app->View()->Apply());
  }
}
BENCHMARK(BM_EditorApplyWithAMerge)->Unit(benchmark::kMillisecond);

// The book of 1000 groups with 100 addresses edited from `first`, as apply
// writes it.
std::string EditedGroupBook(int first, const std::string& fax) {
  Quiet alerts;
  auto book = Parse(bench::LargestGroupBookBytes(), &alerts);
  Edit(book.get(), first, fax);
  text::PortableCollation collation(932);
  return store::FormatAppliedBook(collation, 1041, *book);
}

// The peaks are right only when this benchmark runs alone
// (--benchmark_filter=Fdtool): a program started keeps the high-water mark
// of this process's memory, which the editor of the benchmarks above makes
// large.
void BM_FdtoolMergeAgainstNormalize(benchmark::State& state) {
  const bench::BenchFile base(bench::BenchPath("base.fdt"), [] { return bench::LargestGroupBookBytes(); });
  const bench::BenchFile mine(bench::BenchPath("mine.fdt"), [] { return EditedGroupBook(0, "0311"); });
  const bench::BenchFile theirs(bench::BenchPath("theirs.fdt"), [] { return EditedGroupBook(3, "0622"); });
  const std::string out = bench::BenchPath("merged.fdt");
  double merge = 0, normalize = 0, mergeCpu = 0, normalizeCpu = 0, mergePeak = 0, normalizePeak = 0;
  for (auto _ : state) {
    const bench::Run n = bench::Spawn({FAXBOOK_FDTOOL, "normalize", theirs.Path(), out});
    const bench::Run m =
        bench::Spawn({FAXBOOK_FDTOOL, "merge", base.Path(), mine.Path(), theirs.Path(), out});
    if (!n.ok() || !m.ok()) state.SkipWithError("fdtool failed");
    state.SetIterationTime(m.seconds);
    merge += m.seconds;
    normalize += n.seconds;
    mergeCpu += m.cpuSeconds;
    normalizeCpu += n.cpuSeconds;
    mergePeak = std::max(mergePeak, m.peakMiB);
    normalizePeak = std::max(normalizePeak, n.peakMiB);
  }
  state.counters["normalize_ms"] =
      benchmark::Counter(normalize * 1000, benchmark::Counter::kAvgIterations);
  state.counters["x_normalize"] = merge / normalize;
  state.counters["cpu_x_normalize"] = mergeCpu / normalizeCpu;
  state.counters["peak_MiB"] = mergePeak;
  state.counters["normalize_peak_MiB"] = normalizePeak;
  state.counters["peak_x_normalize"] = mergePeak / normalizePeak;
  std::remove(out.c_str());
}
BENCHMARK(BM_FdtoolMergeAgainstNormalize)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
