// The exchange file on any bytes: reading it back never lists more
// destinations than the file holds sections nor takes time or memory
// beyond the file's size, and rewriting it lists exactly the send list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "faxpick/exchange/exchange_file.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_ini_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = "C:\\x\\SendList.ini";
  sys::FakeFileSystem files;
  sys::FakeIniFiles ini(&files);
  files.SetFile(path, std::string(reinterpret_cast<const char*>(data), size));
  const std::size_t sections = ini.SectionNames(path).size();

  picker::ExchangeFile exchange(ini, files);
  std::vector<picker::Destination> list;
  exchange.ReadBack(path, &list);
  if (list.size() > sections || exchange.OtherDestinationCount() < 0) std::abort();
  if (static_cast<long long>(list.size()) > exchange.ItemNum()) std::abort();

  // One destination less, as if the user had deleted the first.
  if (!list.empty()) list.erase(list.begin());
  const int others = exchange.OtherDestinationCount();
  if (!exchange.WriteResult(path, list, "C:\\x\\FilePath.ini", picker::BookChoice())) std::abort();

  picker::ExchangeFile again(ini, files);
  std::vector<picker::Destination> back;
  if (!again.ReadBack(path, &back)) std::abort();
  if (back.size() != list.size() || again.ItemNum() != static_cast<int>(list.size())) std::abort();
  if (again.OtherDestinationCount() != others) std::abort();
  return 0;
}
