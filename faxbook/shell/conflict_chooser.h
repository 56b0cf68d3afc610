// Who decides the conflicts of a merge at apply: the conflict dialog in the
// program, a stand-in in tests.
#pragma once

#include <vector>

#include "booklib/merge/book_merge.h"

class ConflictChooser {
 public:
  virtual ~ConflictChooser() = default;
  // One side for each conflict, in their order; false when the user
  // cancelled (nothing is then written).
  virtual bool Choose(const std::vector<merge::Conflict>& conflicts,
                      std::vector<merge::Side>* choices) = 0;
};
