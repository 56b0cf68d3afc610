// fdtool normalize takes any bytes, and a normalised book stays as it is:
// once repeated readings have been brought together and dropped, normalising
// again changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/text/portable_collation.h"
#include "tools/fdtool/normalize.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool japanese = data[0] & 1;
  const int langId = japanese ? 1041 : 1033;
  text::PortableCollation collation(japanese ? 932 : 1252);
  store::SilentAlerts alerts;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string once = fdtool::NormalizeBook(bytes, langId, collation, &alerts);
  const std::string twice = fdtool::NormalizeBook(once, langId, collation, &alerts);
  const std::string thrice = fdtool::NormalizeBook(twice, langId, collation, &alerts);
  if (thrice != twice) std::abort();
  return 0;
}
