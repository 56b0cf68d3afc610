// The device-file read of 10 000 destinations with every field full, from
// the disk and from memory, against reading and touching the same bytes as
// the yardstick; what the device import makes of them; and the import
// through the editor's command on the in-memory backends.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "booklib/device/quorvex_file_reader.h"
#include "booklib/device/quorvex_import.h"
#include "faxbook/res/resource.h"
#include "platform/posix/posix_file_system.h"
#include "tests/support/editor_harness.h"
#include "tests/support/fed_file.h"

namespace {

constexpr int kRecords = 10000;

// 10 000 first-kind records: 21-byte names with national characters,
// 37-digit fax numbers, 21-digit sub-addresses and passwords.
std::string LargestDeviceFile(bool sameNames, int count = kRecords) {
  std::string records;
  for (int i = 0; i < count; ++i) {
    fedfile::Record r;
    r.index = static_cast<unsigned>(i);
    std::string name = sameNames ? "Branch office \x01\x02" : "Branch \x01\x02 " + std::to_string(100000 + i);
    name.resize(21, 'x');
    r.name = name;
    r.fax = std::string(37, static_cast<char>('0' + i % 10));
    r.dataKind = 2;
    r.subAddress = std::string(21, '1');
    r.password = std::string(21, '2');
    records += fedfile::Encode(r);
  }
  return fedfile::File({fedfile::DestinationList({fedfile::Item(0x41, records)})});
}

const std::string& DeviceFile() {
  static const std::string bytes = LargestDeviceFile(false);
  return bytes;
}

std::string TempPath(const char* name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/" + name + "-" + std::to_string(::getpid());
}

// The yardstick: read the file and look at every byte once.
void BM_ReadAndTouchBytes(benchmark::State& state) {
  sys::PosixFileSystem files;
  const std::string path = TempPath("fed-yardstick");
  files.ReplaceContents(path, DeviceFile());
  for (auto _ : state) {
    std::string bytes;
    files.ReadFile(path, &bytes, device::CQuorvexFileReader::kMaxFileBytes + 1);
    unsigned sum = 0;
    for (char c : bytes) sum += static_cast<unsigned char>(c);
    benchmark::DoNotOptimize(sum);
  }
  ::unlink(path.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * DeviceFile().size()));
}
BENCHMARK(BM_ReadAndTouchBytes)->Unit(benchmark::kMillisecond);

void BM_ReadDeviceFile(benchmark::State& state) {
  sys::PosixFileSystem files;
  const std::string path = TempPath("fed-read");
  files.ReplaceContents(path, DeviceFile());
  std::size_t count = 0;
  for (auto _ : state) {
    device::CQuorvexFileReader reader;
    reader.Read(files, path, 1031);
    count = reader.Destinations().size();
    benchmark::DoNotOptimize(count);
  }
  ::unlink(path.c_str());
  state.counters["destinations"] = static_cast<double>(count);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * DeviceFile().size()));
}
BENCHMARK(BM_ReadDeviceFile)->Unit(benchmark::kMillisecond);

void BM_ReadDeviceFileBytes(benchmark::State& state) {
  for (auto _ : state) {
    device::CQuorvexFileReader reader;
    reader.ReadBytes(DeviceFile(), 1031);
    benchmark::DoNotOptimize(reader.Destinations().size());
  }
}
BENCHMARK(BM_ReadDeviceFileBytes)->Unit(benchmark::kMillisecond);

// Names, readings and numbers for the 3000 entries the book takes; with
// every name the same, each entry tries all suffixes before it.
void BM_MakeEntries(benchmark::State& state) {
  const bool same = state.range(0) != 0;
  device::CQuorvexFileReader reader;
  reader.ReadBytes(same ? LargestDeviceFile(true) : DeviceFile(), 1033);
  for (auto _ : state) {
    benchmark::DoNotOptimize(device::MakeQuorvexEntries(reader.Destinations(), {1033, 1252}).records.size());
  }
}
BENCHMARK(BM_MakeEntries)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same for 1000 and 3000 destinations all of one name, and for 10 000
// (of which the book takes 3000): how the suffix search grows.
void BM_MakeEntriesOfOneName(benchmark::State& state) {
  device::CQuorvexFileReader reader;
  reader.ReadBytes(LargestDeviceFile(true, static_cast<int>(state.range(0))), 1033);
  std::size_t made = 0;
  for (auto _ : state) {
    made = device::MakeQuorvexEntries(reader.Destinations(), {1033, 1252}).records.size();
    benchmark::DoNotOptimize(made);
  }
  state.counters["entries"] = static_cast<double>(made);
}
BENCHMARK(BM_MakeEntriesOfOneName)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The whole command as the user starts it: read, replace the 3000 entries
// of a full book, sort, select.
void BM_EditorImportsTheDeviceFile(benchmark::State& state) {
  EditorHarness editor;
  editor.files.SetFile(editor.DataFile(), BookHeader());
  editor.files.SetFile("C:\\machine.fed", DeviceFile());
  if (!editor.Start()) state.SkipWithError("the editor did not start");
  for (auto _ : state) {
    editor.fileDialogs.ChooseNext("C:\\machine.fed");
    editor.TheBook().MarkSaved();
    editor.View().OnCommand(ID_IMPORT_QUORVEX);
    benchmark::DoNotOptimize(editor.List().ItemCount());
  }
  state.counters["rows"] = editor.List().ItemCount();
}
BENCHMARK(BM_EditorImportsTheDeviceFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
