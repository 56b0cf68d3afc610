// The editor on the in-memory backends for the book imports and the bulk
// edits: every string of the editor's message range as its "[id]" marker,
// and helpers to act in the multi-address edit and the replace dialog.
#pragma once

#include <string>
#include <vector>

#include "faxbook/res/bulk_edit_resource.h"
#include "tests/support/editing_harness.h"

class BulkHarness : public EditingHarness {
 public:
  BulkHarness();
  // The book file as apply writes it for these lines.
  std::string WrittenBook() { return *files.File(DataFile()); }
};

// Ticks a field (clicks its check box).
void Tick(ui::FakeDialog& d, int tick);
