// The hourglass shown while a long operation runs.
#pragma once

namespace ui {

class WaitCursor {
 public:
  virtual ~WaitCursor() = default;
  // Nested calls count: the cursor comes back after the last End.
  virtual void Begin() = 0;
  virtual void End() = 0;
};

// Shows the wait cursor for the life of the scope.
class WaitCursorScope {
 public:
  explicit WaitCursorScope(WaitCursor& cursor) : cursor_(cursor) { cursor_.Begin(); }
  ~WaitCursorScope() { cursor_.End(); }
  WaitCursorScope(const WaitCursorScope&) = delete;
  WaitCursorScope& operator=(const WaitCursorScope&) = delete;

 private:
  WaitCursor& cursor_;
};

}  // namespace ui
