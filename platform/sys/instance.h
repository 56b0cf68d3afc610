// What a program needs to be the only one of its kind and to reach another
// program's window by its title.
#pragma once

#include <string>

namespace sys {

enum class MutexResult {
  kCreated,        // this process created and owns the named mutex
  kAlreadyExists,  // another process holds it (the handle is already closed)
  kFailed,         // it could not be created at all
};

class InstanceServices {
 public:
  virtual ~InstanceServices() = default;

  // Creates the named mutex, owned by the caller. On kAlreadyExists the
  // handle this call got is closed before it returns.
  virtual MutexResult CreateOwnedMutex(const std::string& name) = 0;

  // Closes the mutex handle kept by CreateOwnedMutex (nothing when none).
  virtual void CloseMutex() = 0;

  // Finds a top-level window whose title is exactly `title` and brings it
  // to the top; false when there is none.
  virtual bool RaiseWindow(const std::string& title) = 0;

  // Finds the first top-level window titled exactly `title` and sends it
  // the message with both parameters; false when there is none.
  virtual bool SendToWindow(const std::string& title, unsigned message, unsigned long wParam,
                            long lParam) = 0;
};

}  // namespace sys
