// The picker's texts from the resource source, cut to the buffers they are
// loaded into.
#pragma once

#include <string>

#include "platform/ui/resources.h"

namespace picker {

class PickerStrings {
 public:
  PickerStrings(ui::Resources& resources, int codePage) : resources_(resources), codePage_(codePage) {}

  std::string Get(int id) { return resources_.String(id); }
  // The text as a buffer of bufferBytes bytes (its zero included) holds
  // it, without a split double-byte character.
  std::string Get(int id, std::size_t bufferBytes);

 private:
  ui::Resources& resources_;
  int codePage_;
};

}  // namespace picker
