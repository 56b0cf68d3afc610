// make_largest_book [--groups] OUT: writes the largest book the limits allow
// to OUT; with --groups the one with 1000 groups of 80 members.
#include <cstdio>
#include <string>

#include "platform/posix/posix_file_system.h"
#include "tests/bench/largest_book.h"

int main(int argc, char** argv) {
  const bool groups = argc == 3 && std::string(argv[1]) == "--groups";
  if (argc != 2 && !groups) {
    std::fprintf(stderr, "usage: make_largest_book [--groups] OUT\n");
    return 64;
  }
  sys::PosixFileSystem files;
  return files.ReplaceContents(argv[argc - 1],
                               groups ? bench::LargestGroupBookBytes() : bench::LargestBookBytes())
             ? 0
             : 1;
}
