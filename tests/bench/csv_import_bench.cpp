// The CSV import on the in-memory backends: the confirmation loading a CSV
// of 100 000 rows (read, scored, sorted by name), the same without sort
// keys, and an add of 3000 rows (from a list of 3000 and of 100 000 rows).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "faxbook/import/import_list.h"
#include "faxbook/import/import_row.h"
#include "platform/fake/fake_file_system.h"
#include "platform/text/portable_collation.h"
#include "tests/support/csv_import_harness.h"

namespace {

// Rows as an address list exported from another tool: kanji names, kana
// readings, fax numbers, a company and a recipient; one row in fifty has a
// kanji reading (refused), one in twenty an over-long company name.
std::string MakeCsv(int rows, bool refused) {
  std::mt19937 rng(20240611);
  std::string csv = "Name,Reading,Fax,Sub,Password,Company,Department,Recipient\r\n";
  for (int i = 0; i < rows; ++i) {
    std::string name, reading, company;
    for (int k = 0, n = 2 + static_cast<int>(rng() % 3); k < n; ++k) {
      name.push_back(static_cast<char>(0x88 + rng() % 16));
      name.push_back(static_cast<char>(0x9F + rng() % 90));
    }
    for (int k = 0, n = 4 + static_cast<int>(rng() % 9); k < n; ++k) {
      reading.push_back(static_cast<char>(0xB1 + rng() % 45));
    }
    if (refused && i % 50 == 7) reading = name;
    company = i % 20 == 3 ? std::string(70, 'C') : "Company " + std::to_string(i % 977);
    char fax[32];
    std::snprintf(fax, sizeof fax, "0%d-%04d-%04d", 3 + i % 6, i % 10000, (i * 7) % 10000);
    csv += name + "," + reading + "," + fax + ",,," + company + ",Sales,Desk\r\n";
  }
  return csv;
}

// The files of the benchmarks: 3000 rows that can all be added, 100 000
// with refused rows among them.
const std::string& Csv(int rows) {
  static const std::string small = MakeCsv(3000, false);
  static const std::string large = MakeCsv(100000, true);
  return rows == 3000 ? small : large;
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
void BM_ConfirmationLoads100000Rows(benchmark::State& state) {
  Editor editor(100000);
  int rows = 0;
  for (auto _ : state) {
    editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
    editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&](ui::FakeDialog& d) {
      rows = ConfirmList(d).ItemCount();
      d.Close();
    });
    editor.ImportCsv();
  }
  if (rows != 100000) state.SkipWithError("the list did not hold every row");
  state.counters["rows"] = rows;
}
BENCHMARK(BM_ConfirmationLoads100000Rows)->Unit(benchmark::kMillisecond);

// The sort the confirmation list makes, with and without keys.
void SortList(benchmark::State& state, const text::Collation& collation) {
  sys::FakeFileSystem files;
  files.SetFile("in.csv", Csv(100000));
  std::vector<importing::ImportRow> rows;
  importing::LoadCsvRows(files, "in.csv", importing::DefaultMapping(1041, 8), {1041, 932}, &rows);
  for (auto _ : state) {
    state.PauseTiming();
    importing::ImportList list(1041, collation);
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

// Every row selected and added: the names tested, the rows inserted at the
// top of the main list, the added rows taken out of the confirmation list
// and the main list sorted again. Only the press of the button is timed.
void AddRows(benchmark::State& state, int listRows) {
  for (auto _ : state) {
    Editor editor(listRows);
    double seconds = 0;
    int added = 0;
    editor.dialogs.OnNextDialog(IDD_CSV_FIELD_MAP, [](ui::FakeDialog& d) { d.Click(ui::kIdOk); });
    editor.dialogs.OnNextDialog(IDD_IMPORT_CONFIRM, [&](ui::FakeDialog& d) {
      ui::FakeListControl& list = ConfirmList(d);
      std::vector<int> rows;
      for (int r = 0; r < list.ItemCount() && static_cast<int>(rows.size()) < 3000; ++r) {
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

void BM_AddOf3000RowsFromAListOf3000(benchmark::State& state) { AddRows(state, 3000); }
BENCHMARK(BM_AddOf3000RowsFromAListOf3000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AddOf3000RowsFromAListOf100000(benchmark::State& state) { AddRows(state, 100000); }
BENCHMARK(BM_AddOf3000RowsFromAListOf100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
