// make_largest_book [--groups] OUT: writes the largest book the limits allow
// to OUT; with --groups the one with 1000 groups of 80 members. --help
// prints the usage; any other argument that starts with "-" is refused as
// an unknown option, so that a mistyped option never becomes a file name
// ("--" before OUT lets a name start with "-").
#include <cstdio>
#include <string>

#include "platform/posix/posix_file_system.h"
#include "tests/bench/largest_book.h"

namespace {

constexpr char kUsage[] = "usage: make_largest_book [--groups] OUT\n";

}  // namespace

int main(int argc, char** argv) {
  bool groups = false;
  bool options = true;
  std::string out;
  int outs = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && (arg == "--help" || arg == "-h")) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (options && arg == "--groups") {
      groups = true;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "make_largest_book: unknown option %s\n%s", arg.c_str(), kUsage);
      return 64;
    } else {
      out = arg;
      ++outs;
    }
  }
  if (outs != 1 || out.empty()) {
    std::fputs(kUsage, stderr);
    return 64;
  }
  sys::PosixFileSystem files;
  return files.ReplaceContents(out, groups ? bench::LargestGroupBookBytes()
                                           : bench::LargestBookBytes())
             ? 0
             : 1;
}
