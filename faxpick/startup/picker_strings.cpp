#include "faxpick/startup/picker_strings.h"

#include "platform/text/codepage.h"

namespace picker {

std::string PickerStrings::Get(int id, std::size_t bufferBytes) {
  if (bufferBytes == 0) return std::string();
  return std::string(text::CutToBytes(codePage_, resources_.String(id), bufferBytes - 1));
}

}  // namespace picker
