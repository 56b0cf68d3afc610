// fdtool's CSV commands as processes, each beside its yardstick in the same
// iteration: import-csv of 1000 and 3000 rows into an empty book against
// `iconv | sort` of the same file; import-csv refusing 10 000 to 1 000 000
// rows (more than the book takes); export-csv of books of 1000 to 100 000
// entry lines against `cp`. Time, CPU time and peak memory of the whole
// process; the files live in FAXBOOK_BENCH_DIR (default: the current
// folder).
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include "platform/posix/posix_file_system.h"
#include "store/book_format.h"
#include "tests/bench/csv_rows.h"
#include "tests/bench/largest_book.h"
#include "tests/bench/process_run.h"

namespace {

using bench::BenchFile;

const BenchFile& Cached(const std::string& name, const std::function<std::string()>& make) {
  static std::map<std::string, std::unique_ptr<BenchFile>> files;
  std::unique_ptr<BenchFile>& f = files[name];
  if (!f) f = std::make_unique<BenchFile>(bench::BenchPath(name), make);
  return *f;
}

const BenchFile& EmptyBook() {
  return Cached("empty.fdt", [] { return std::string(store::kBookHeader) + "\r\n"; });
}

const BenchFile& Rows(int rows) {
  return Cached("rows" + std::to_string(rows) + ".csv",
                [rows] { return bench::AddressListCsv(rows, rows > 3000); });
}

const BenchFile& EntryLines(int lines) {
  return Cached("lines" + std::to_string(lines) + ".fdt",
                [lines] { return bench::EntryLinesBytes(lines); });
}

// Medians of the runs, set as counters; the benchmark's time is the
// command's wall time.
struct Runs {
  std::vector<double> seconds, cpu, peak, yardstick;
  void Report(benchmark::State& state, double inputMiB, int count) {
    const auto median = [](std::vector<double> v) {
      std::sort(v.begin(), v.end());
      return v.empty() ? 0.0 : v[v.size() / 2];
    };
    state.counters["cpu_ms"] = median(cpu) * 1000;
    state.counters["peak_MiB"] = median(peak);
    state.counters["input_MiB"] = inputMiB;
    state.counters["peak_x_input"] = median(peak) / inputMiB;
    state.counters["cpu_us_per_line"] = median(cpu) * 1e6 / count;
    if (!yardstick.empty()) {
      state.counters["yardstick_ms"] = median(yardstick) * 1000;
      state.counters["x_yardstick"] = median(seconds) / median(yardstick);
    }
  }
};

void RunInTurns(benchmark::State& state, const std::vector<std::string>& command, int wantExit,
                const std::string& yardstick, Runs* runs) {
  for (auto _ : state) {
    if (!yardstick.empty()) {
      const bench::Run y = bench::Shell(yardstick);
      if (!y.ok()) state.SkipWithError("the yardstick failed");
      runs->yardstick.push_back(y.seconds);
    }
    const bench::Run r = bench::Spawn(command);
    if (r.exit != wantExit) state.SkipWithError("fdtool ended otherwise than expected");
    state.SetIterationTime(r.seconds);
    runs->seconds.push_back(r.seconds);
    runs->cpu.push_back(r.cpuSeconds);
    runs->peak.push_back(r.peakMiB);
  }
}

void BM_ImportCsv(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const BenchFile& csv = Rows(rows);
  const std::string out = bench::BenchPath("imported.fdt");
  Runs runs;
  RunInTurns(state, {FAXBOOK_FDTOOL, "import-csv", EmptyBook().Path(), csv.Path(), out},
             rows > 3000 ? 2 : 0,
             "iconv -f CP932 -t UTF-8 '" + csv.Path() + "' | sort > /dev/null", &runs);
  ::unlink(out.c_str());
  runs.Report(state, csv.MiB(), rows);
}
BENCHMARK(BM_ImportCsv)
    ->Arg(1000)->Arg(3000)->Arg(10000)->Arg(100000)->Arg(1000000)
    ->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ExportCsv(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const BenchFile& book = EntryLines(lines);
  const std::string out = bench::BenchPath("exported.csv");
  const std::string copy = bench::BenchPath("copied.fdt");
  Runs runs;
  RunInTurns(state, {FAXBOOK_FDTOOL, "export-csv", book.Path(), out}, 0,
             "cp '" + book.Path() + "' '" + copy + "'", &runs);
  ::unlink(out.c_str());
  ::unlink(copy.c_str());
  runs.Report(state, book.MiB(), lines);
}
BENCHMARK(BM_ExportCsv)
    ->Arg(1000)->Arg(3000)->Arg(10000)->Arg(100000)
    ->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
