// What the main frame asks of the view inside it: commands first, the state
// of the commands it handles, and the book's modified state, apply and
// reload for closing and the new-file command.
#pragma once

#include "platform/ui/frame.h"

class FrameClient {
 public:
  virtual ~FrameClient() = default;
  // True when the view handled the command.
  virtual bool OnCommand(int id) = 0;
  // The state of a command the view decides; false leaves it to the frame.
  virtual bool QueryCommand(int id, ui::CommandState* state) const = 0;
  virtual bool IsModified() const = 0;
  // Writes the book to its file; false when it was not written.
  virtual bool Apply() = 0;
  // Reads the book from its file again.
  virtual void Reload() = 0;
  // The program became the active application again.
  virtual void OnAppActivated() {}
};
