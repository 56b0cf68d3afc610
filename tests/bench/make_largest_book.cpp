// make_largest_book OUT: writes the largest book the limits allow to OUT.
#include <cstdio>

#include "platform/posix/posix_file_system.h"
#include "tests/bench/largest_book.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_largest_book OUT\n");
    return 64;
  }
  sys::PosixFileSystem files;
  return files.ReplaceContents(argv[1], bench::LargestBookBytes()) == sys::FileError::kNone ? 0 : 1;
}
