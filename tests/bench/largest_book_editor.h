// An editor on the in-memory backends of an NT4 system whose registry names
// the largest book (or the book of that many groups of 80), started once.
#pragma once

#include "tests/bench/largest_book.h"
#include "tests/support/editor_harness.h"

namespace bench {

constexpr char kLargestBookPath[] = "C:\\books\\address.fdt";

struct LargestBookEditor : EditorHarness {
  explicit LargestBookEditor(int groups = 1000) {
    files.SetFile(kLargestBookPath, GroupBookBytes(groups));
    files.SetPieceSize(1 << 20);  // as the real file systems read
    registry.Set(kAddressBookKey, kValueFileName, kLargestBookPath);
    system.majorVersion = 4;
    started = Start();
  }
  bool started = false;
};

}  // namespace bench
