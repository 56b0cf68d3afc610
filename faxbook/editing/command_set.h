// A set of the view's commands (the entry commands, the imports, the bulk
// edits). The application hands each set to the view, which offers every
// command it does not handle itself to the sets in turn.
#pragma once

// Commands the view's edit dispatch sends for the selection (not menu ids):
// one address, one group, several rows.
constexpr int kCmdEditSelectedAddress = 0xE001;
constexpr int kCmdEditSelectedGroup = 0xE002;
constexpr int kCmdEditSeveral = 0xE003;

class CommandSet {
 public:
  virtual ~CommandSet() = default;
  // Runs command `id` when it is one of this set's; false otherwise.
  virtual bool OnCommand(int id) = 0;
};
