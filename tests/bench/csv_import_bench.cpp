// The CSV import on the in-memory backends: the confirmation loading a CSV
// of 1000 to 100 000 rows (read, scored, sorted by name), the sort with and
// without keys, an add of every row of 1000 and 3000 and of 3000 rows from
// a list of 100 000, and the names given to rows that all carry one name.
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "booklib/rules/book_names.h"
#include "booklib/csv/charset.h"
#include "booklib/csv/import_list.h"
#include "booklib/csv/import_row.h"
#include "platform/fake/fake_file_system.h"
#include "platform/sys/text_convert.h"
#include "platform/text/portable_collation.h"
#include "tests/bench/csv_rows.h"
#include "tests/support/csv_import_harness.h"

namespace {

// The files of the benchmarks: up to 3000 rows that can all be added; more
// with refused rows among them.
const std::string& Csv(int rows) {
  static std::map<int, std::string> files;
  std::string& csv = files[rows];
  if (csv.empty()) csv = bench::AddressListCsv(rows, rows > 3000);
  return csv;
}

// The same file in UTF-8, with a byte-order mark as spreadsheets write it
// or without one as contact services do.
const std::string& Utf8Csv(int rows, bool mark) {
  static std::map<std::pair<int, bool>, std::string> files;
  std::string& csv = files[{rows, mark}];
  if (csv.empty()) {
    std::string utf8;
    sys::CodePageToUtf8(932, Csv(rows), &utf8);
    csv = (mark ? std::string(csv::kUtf8Bom) : std::string()) + utf8;
  }
  return csv;
}

// A collation of a system that makes no sort keys: every comparison of the
// sort collates two texts.
class KeylessCollation : public text::PortableCollation {
 public:
  KeylessCollation() : PortableCollation(932) {}
  bool CollationKey(std::string_view, std::string*) const override { return false; }
};

// The editor with an empty book and the CSV file of `rows` rows.
struct Editor : CsvImportHarness {
  explicit Editor(int rows) {
    StartWith({});
    files.SetFile(kCsv, Csv(rows));
    files.SetPieceSize(64 * 1024);
  }
};

// The import command up to the filled and sorted confirmation list.
void BM_ConfirmationLoads(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  Editor editor(count);
  int rows = 0;
  for (auto _ : state) {
    editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
    editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&](ui::FakeDialog& d) {
      rows = ConfirmList(d).ItemCount();
      d.Close();
    });
    editor.ImportCsv();
  }
  if (rows != count) state.SkipWithError("the list did not hold every row");
  state.counters["rows"] = rows;
  state.counters["us_per_row"] = benchmark::Counter(
      count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ConfirmationLoads)->Arg(1000)->Arg(3000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// The same command on the UTF-8 form of the file: the character set
// detected from its bytes when the mapping dialog opens, each row converted
// to the code page. Against BM_ConfirmationLoads of the same rows.
void BM_ConfirmationLoadsUtf8(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const bool mark = state.range(1) != 0;
  Editor editor(count);
  editor.files.SetFile(Editor::kCsv, Utf8Csv(count, mark));
  int rows = 0;
  for (auto _ : state) {
    editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
    editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&](ui::FakeDialog& d) {
      rows = ConfirmList(d).ItemCount();
      d.Close();
    });
    editor.ImportCsv();
  }
  if (rows != count) state.SkipWithError("the list did not hold every row");
  state.counters["rows"] = rows;
}
BENCHMARK(BM_ConfirmationLoadsUtf8)->Args({100000, 1})->Args({100000, 0})
    ->Unit(benchmark::kMillisecond);

// The reading alone: the rows of the code-page file, and of the UTF-8 file
// with its character set detected first.
void BM_RowsOfTheCodePageFile(benchmark::State& state) {
  sys::FakeFileSystem files;
  files.SetPieceSize(64 * 1024);
  files.SetFile("in.csv", Csv(100000));
  for (auto _ : state) {
    csv::ImportRows rows;
    csv::LoadCsvRows(files, "in.csv", csv::DefaultMapping(1041, 8), {1041, 932}, &rows);
    benchmark::DoNotOptimize(rows.size());
  }
}
BENCHMARK(BM_RowsOfTheCodePageFile)->Unit(benchmark::kMillisecond);

void BM_RowsOfTheUtf8FileDetectedAndConverted(benchmark::State& state) {
  sys::FakeFileSystem files;
  files.SetPieceSize(64 * 1024);
  files.SetFile("in.csv", Utf8Csv(100000, state.range(0) != 0));
  for (auto _ : state) {
    const csv::Charset charset = csv::DetectFileCharset(files, "in.csv", 932);
    csv::ImportRows rows;
    csv::LoadCsvRows(files, "in.csv", csv::DefaultMapping(1041, 8), {1041, 932}, &rows, charset);
    if (charset != csv::Charset::kUtf8) state.SkipWithError("not detected as UTF-8");
    benchmark::DoNotOptimize(rows.size());
  }
}
BENCHMARK(BM_RowsOfTheUtf8FileDetectedAndConverted)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The detection alone, on the UTF-8 file without a mark (all of it read).
void BM_DetectTheUtf8File(benchmark::State& state) {
  sys::FakeFileSystem files;
  files.SetPieceSize(64 * 1024);
  files.SetFile("in.csv", Utf8Csv(100000, false));
  for (auto _ : state) {
    benchmark::DoNotOptimize(csv::DetectFileCharset(files, "in.csv", 932));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(Utf8Csv(100000, false).size()));
}
BENCHMARK(BM_DetectTheUtf8File)->Unit(benchmark::kMillisecond);

// The sort the confirmation list makes, with and without keys.
void SortList(benchmark::State& state, const text::Collation& collation) {
  sys::FakeFileSystem files;
  files.SetFile("in.csv", Csv(100000));
  csv::ImportRows rows;
  csv::LoadCsvRows(files, "in.csv", csv::DefaultMapping(1041, 8), {1041, 932}, &rows);
  for (auto _ : state) {
    state.PauseTiming();
    csv::ImportList list(1041, collation);
    list.Assign(rows);
    state.ResumeTiming();
    list.Sort(1, true);
  }
}

void BM_Sort100000RowsWithKeys(benchmark::State& state) {
  text::PortableCollation collation(932);
  SortList(state, collation);
}
BENCHMARK(BM_Sort100000RowsWithKeys)->Unit(benchmark::kMillisecond);

void BM_Sort100000RowsComparingTexts(benchmark::State& state) {
  KeylessCollation collation;
  SortList(state, collation);
}
BENCHMARK(BM_Sort100000RowsComparingTexts)->Unit(benchmark::kMillisecond);

// `add` rows selected and added: the names tested, the rows inserted at the
// top of the main list, the added rows taken out of the confirmation list
// and the main list sorted again. Only the press of the button is timed.
void AddRows(benchmark::State& state, int listRows, int add) {
  for (auto _ : state) {
    Editor editor(listRows);
    double seconds = 0;
    int added = 0;
    editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
    editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&](ui::FakeDialog& d) {
      ui::FakeListControl& list = ConfirmList(d);
      std::vector<int> rows;
      for (int r = 0; r < list.ItemCount() && static_cast<int>(rows.size()) < add; ++r) {
        if (list.ItemText(r, 0) != "!") rows.push_back(r);
      }
      list.SelectOnly(rows);
      const auto start = std::chrono::steady_clock::now();
      d.Click(IDC_CONFIRM_ADD);
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      added = std::stoi(d.ItemText(IDC_CONFIRM_ADDED));
      d.Click(ui::kIdOk);
    });
    editor.ImportCsv();
    state.SetIterationTime(seconds);
    state.counters["added"] = added;
  }
}

void BM_AddOfAllRowsFromAList(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  AddRows(state, rows, rows);
}
BENCHMARK(BM_AddOfAllRowsFromAList)->Arg(1000)->Arg(3000)->UseManualTime()
    ->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AddOf3000RowsFromAListOf100000(benchmark::State& state) { AddRows(state, 100000, 3000); }
BENCHMARK(BM_AddOf3000RowsFromAListOf100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The names an add gives when every row carries the same one: each is made
// unique against all the names given before it (Japanese: "(1)" on; other
// languages: "(2)" on, ignoring case). Beyond the book's limit too, to show
// how the cost grows.
void BM_NamesOfOneBase(benchmark::State& state) {
  const bool japanese = state.range(0) == 1041;
  const int count = static_cast<int>(state.range(1));
  const rules::TextRules rules = japanese ? rules::TextRules{1041, 932}
                                            : rules::TextRules{1033, 1252};
  for (auto _ : state) {
    rules::BookNames names(rules.codePage);
    for (int i = 0; i < count; ++i) {
      const std::string name = japanese
          ? rules::FitJapaneseName("\xC0\xC5\xB6", 1, rules, names)
          : rules::FitOtherLanguageName("Tanaka", rules, names);
      names.Add("", name);
    }
    benchmark::DoNotOptimize(names.IsNameUsed("x", 1));
  }
  state.counters["us_per_name"] = benchmark::Counter(
      count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_NamesOfOneBase)
    ->ArgsProduct({{1041, 1033}, {1000, 3000, 10000, 100000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
