// fdtool normalize takes any bytes, and what it writes settles: the first
// pass drops what the load drops and sorts; the second drops the repeated
// readings the sort brought together. From then on a pass only turns round
// the order of readings the list order counts as equal (each load inserts
// the rows at the top, and the sort keeps the order of equal readings), so
// two more passes give the same bytes again.
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
  std::string pass = fdtool::NormalizeBook(bytes, langId, collation, &alerts);
  pass = fdtool::NormalizeBook(pass, langId, collation, &alerts);
  const std::string settled = pass;
  const std::string turned = fdtool::NormalizeBook(settled, langId, collation, &alerts);
  if (turned.size() != settled.size()) std::abort();
  if (fdtool::NormalizeBook(turned, langId, collation, &alerts) != settled) std::abort();
  return 0;
}
