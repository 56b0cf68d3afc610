// fdtool: the address book's command-line companion for administrators and
// scripts. It reads and writes books exactly as the editor does.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/fdtool/commands.h"
#include "tools/fdtool/csv_options.h"
#include "tools/fdtool/report_output.h"
#ifdef _WIN32
#include "platform/win32/win32_file_system.h"
using SystemFileSystem = sys::Win32FileSystem;
#else
#include "platform/posix/posix_file_system.h"
using SystemFileSystem = sys::PosixFileSystem;
#endif

namespace {

const char kUsage[] =
    "usage: fdtool normalize [--lang LANGID] IN OUT | check [--lang LANGID] FILE | "
    "dump [--lang LANGID] [--utf8] FILE | import-fed [--lang LANGID] FED OUT | "
    "import-csv [--lang LANGID] [--map FIELD=COLUMN,...] [--charset cp|utf8|utf16|auto] BOOK CSV OUT | "
    "export-csv [--lang LANGID] [--utf8] BOOK CSV | "
    "merge [--lang LANGID] [--prefer mine|theirs] [--allow-mass-removal] BASE MINE THEIRS OUT";

int Fail(const std::string& message) {
  std::fprintf(stderr, "fdtool: %s\n", message.c_str());
  return 64;
}

bool ParseLangId(const std::string& text, int* langId) {
  if (text.empty() || text.size() > 5) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value < 1 || value > 0xFFFF) return false;
  *langId = static_cast<int>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail(kUsage);
  const std::string command = argv[1];
  fdtool::Options options;
  std::vector<std::string> paths;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--lang") {
      if (i + 1 >= argc || !ParseLangId(argv[i + 1], &options.langId)) {
        return Fail("--lang needs a language identifier from 1 to 65535");
      }
      ++i;
    } else if (arg == "--utf8" && (command == "dump" || command == "export-csv")) {
      options.utf8 = true;
    } else if (arg == "--from-utf8" && command == "import-csv") {
      options.charset = fdtool::CsvCharset::kUtf8;
    } else if (arg == "--charset" && command == "import-csv") {
      const std::string value = i + 1 < argc ? argv[i + 1] : "";
      if (value == "cp") {
        options.charset = fdtool::CsvCharset::kCodePage;
      } else if (value == "utf8") {
        options.charset = fdtool::CsvCharset::kUtf8;
      } else if (value == "utf16") {
        options.charset = fdtool::CsvCharset::kUtf16;
      } else if (value == "auto") {
        options.charset = fdtool::CsvCharset::kAuto;
      } else {
        return Fail("--charset needs cp, utf8, utf16 or auto");
      }
      ++i;
    } else if (arg == "--map" && command == "import-csv") {
      csv::ColumnMapping probe;
      std::string error;
      if (i + 1 >= argc || !fdtool::ApplyMapOption(argv[i + 1], &probe, &error)) {
        return Fail(i + 1 >= argc ? "--map needs FIELD=COLUMN,..." : error);
      }
      options.map = argv[++i];
    } else if (arg == "--allow-mass-removal" && command == "merge") {
      options.allowMassRemoval = true;
    } else if (arg == "--prefer" && command == "merge") {
      if (i + 1 >= argc || (std::string(argv[i + 1]) != "mine" && std::string(argv[i + 1]) != "theirs")) {
        return Fail("--prefer needs mine or theirs");
      }
      options.prefer = argv[++i];
    } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
      return Fail("unknown option " + arg);
    } else {
      paths.push_back(arg);
    }
  }
  SystemFileSystem files;
  if (command == "normalize") {
    if (paths.size() != 2) return Fail("normalize needs IN and OUT");
    return fdtool::RunNormalize(files, options, paths[0], paths[1]);
  }
  if (command == "check") {
    if (paths.size() != 1) return Fail("check needs one FILE");
    return fdtool::CloseStandardOutput(fdtool::RunCheck(files, options, paths[0], stdout));
  }
  if (command == "dump") {
    if (paths.size() != 1) return Fail("dump needs one FILE");
    return fdtool::CloseStandardOutput(fdtool::RunDump(files, options, paths[0], stdout));
  }
  if (command == "import-fed") {
    if (paths.size() != 2) return Fail("import-fed needs FED and OUT");
    return fdtool::RunImportFed(files, options, paths[0], paths[1]);
  }
  if (command == "import-csv") {
    if (paths.size() != 3) return Fail("import-csv needs BOOK, CSV and OUT");
    return fdtool::RunImportCsv(files, options, paths[0], paths[1], paths[2], stderr);
  }
  if (command == "export-csv") {
    if (paths.size() != 2) return Fail("export-csv needs BOOK and CSV");
    return fdtool::RunExportCsv(files, options, paths[0], paths[1], stderr);
  }
  if (command == "merge") {
    if (paths.size() != 4) return Fail("merge needs BASE, MINE, THEIRS and OUT");
    return fdtool::RunMerge(files, options, paths[0], paths[1], paths[2], paths[3], stderr);
  }
  return Fail("unknown command " + command + "; " + kUsage);
}
