// The exchange file on any bytes, with the file system failing on demand:
// reading it back lists every listed section (a missing one in between as
// an empty destination) at no cost beyond the file's size; a file that
// could not be read, at the start or at OK, is left byte for byte; a
// rewrite keeps every section but the list's own, lists exactly the send
// list, and gives the same bytes in place as through the copy.
//
// The first byte chooses the fault, the second where a read fails; the
// rest is the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "faxpick/exchange/exchange_file.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_ini_files.h"
#include "platform/text/codepage.h"

namespace {

const std::string kPath = "C:\\x\\SendList.ini";
const std::string kSettings = "C:\\x\\FilePath.ini";

enum Fault {
  kNone,
  kReadFailsAtStart,
  kReadFailsAtOk,
  kHeldOpenAtOk,     // with sharing: the copy cannot replace the file
  kNoCopy,           // the copy beside the file cannot be made
  kReadOnlyAtOk,
  kFaults
};

bool SameName(const std::string& a, const std::string& b) {
  return text::CompareNoCase(text::kCpJapanese, a, b) == 0;
}

// The index of a section name as the picker writes item sections, or -1.
int ItemIndex(const std::string& name) {
  if (name.size() < 8 || name.size() > 15) return -1;
  for (std::size_t i = 0; i < 5; ++i) {
    const char c = name[i];
    if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != "ITEM_"[i]) return -1;
  }
  long long index = 0;
  for (std::size_t i = 5; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    index = index * 10 + (name[i] - '0');
  }
  if (index > 0x7FFFFFFF) return -1;
  const int i = static_cast<int>(index);
  return picker::ItemSectionName(i) == "ITEM_" + name.substr(5) ? i : -1;
}

bool IsEmpty(const picker::Destination& d) {
  return d.dispName.empty() && d.dispNameJP.empty() && d.faxNumber.empty() &&
         d.subAddress.empty() && d.password.empty() && d.companyName.empty() &&
         d.departmentName.empty() && d.clientName.empty() && d.respect.empty();
}

bool Same(const picker::Destination& a, const picker::Destination& b) {
  return a.dispName == b.dispName && a.dispNameJP == b.dispNameJP && a.faxNumber == b.faxNumber &&
         a.subAddress == b.subAddress && a.password == b.password &&
         a.companyName == b.companyName && a.departmentName == b.departmentName &&
         a.clientName == b.clientName && a.respect == b.respect;
}

// A section read on its own, key by key.
picker::Destination SectionAlone(sys::IniFiles& ini, const std::string& section) {
  picker::Destination d;
  const auto read = [&](const char* key) { return ini.ReadString(kPath, section, key, "", 255); };
  d.faxNumber = read("FaxNumber");
  d.subAddress = read("SubAddress");
  d.password = read("Password");
  d.companyName = read("CompanyName");
  d.departmentName = read("DepartmentName");
  d.clientName = read("ClientName");
  d.respect = read("Respect");
  d.dispName = read("DispName");
  d.dispNameJP = read("DispNameJP");
  return d;
}

// One run: read back, drop the first destination, rewrite. Returns the
// file's bytes after it.
std::string Run(const std::string& bytes, Fault fault, std::size_t failAt) {
  sys::FakeFileSystem files;
  sys::FakeIniFiles ini(&files);
  files.SetFile(kPath, bytes);
  const std::vector<std::string> before = ini.SectionNames(kPath);
  if (fault == kReadFailsAtStart) files.FailReadAfter(kPath, failAt);
  const bool startFails = fault == kReadFailsAtStart && failAt < bytes.size();

  picker::ExchangeFile exchange(ini, files, text::kCpJapanese);
  std::vector<picker::Destination> list;
  exchange.ReadBack(kPath, &list);
  if (exchange.ReadFailed() != startFails) std::abort();
  if (exchange.OtherDestinationCount() < 0) std::abort();
  if (static_cast<long long>(list.size()) > exchange.ItemNum()) std::abort();

  // Every listed section is in the list, in order; what stands between
  // them is empty, and no more of it than there are listed sections.
  std::vector<int> listed;
  for (const std::string& name : before) {
    const int i = ItemIndex(name);
    if (i >= 0 && i < exchange.ItemNum()) listed.push_back(i);
  }
  std::sort(listed.begin(), listed.end());
  listed.erase(std::unique(listed.begin(), listed.end()), listed.end());
  if (startFails) {
    if (!list.empty()) std::abort();
  } else {
    if (list.size() < listed.size() || list.size() > 2 * listed.size()) std::abort();
    std::size_t at = 0;
    for (int i : listed) {
      const picker::Destination expected = SectionAlone(ini, picker::ItemSectionName(i));
      while (at < list.size() && !Same(list[at], expected)) {
        if (!IsEmpty(list[at])) std::abort();
        ++at;
      }
      if (at == list.size()) std::abort();
      ++at;
    }
    for (; at < list.size(); ++at) {
      if (!IsEmpty(list[at])) std::abort();
    }
  }

  // One destination less, as if the user had deleted the first.
  if (!list.empty()) list.erase(list.begin());
  const int others = exchange.OtherDestinationCount();
  switch (fault) {
    case kReadFailsAtOk: files.FailReadAfter(kPath, failAt); break;
    case kHeldOpenAtOk: files.HoldOpen(kPath, true); break;
    case kNoCopy: files.Deny(kPath + ".new"); break;
    case kReadOnlyAtOk: files.MakeReadOnly(kPath); break;
    default: break;
  }
  const picker::WriteOutcome outcome =
      exchange.WriteResult(kPath, list, kSettings, picker::BookChoice());
  picker::WriteOutcome expected = picker::WriteOutcome::kWritten;
  if (startFails || (fault == kReadFailsAtOk && failAt < bytes.size())) {
    expected = picker::WriteOutcome::kNotRead;
  } else if (fault == kReadOnlyAtOk) {
    expected = picker::WriteOutcome::kReadOnly;
  }
  if (outcome != expected) std::abort();
  if (files.File(kPath + ".new")) std::abort();
  if (outcome != picker::WriteOutcome::kWritten) {
    if (*files.File(kPath) != bytes || files.File(kSettings)) std::abort();
    return bytes;
  }
  files.Release(kPath);
  files.FailReadAfter(kPath, SIZE_MAX);  // the file has grown past the fault

  // Every section stays but [BASE_INFO] and the listed items.
  std::vector<std::string> gone = {"BASE_INFO"};
  for (int i : listed) gone.push_back(picker::ItemSectionName(i));
  const std::vector<std::string> after = ini.SectionNames(kPath);
  for (const std::string& name : before) {
    bool mayGo = false;
    for (const std::string& g : gone) mayGo = mayGo || SameName(name, g);
    if (mayGo) continue;
    bool kept = false;
    for (const std::string& a : after) kept = kept || SameName(name, a);
    if (!kept) std::abort();
  }

  picker::ExchangeFile again(ini, files, text::kCpJapanese);
  std::vector<picker::Destination> back;
  if (!again.ReadBack(kPath, &back)) std::abort();
  if (back.size() != list.size() || again.ItemNum() != static_cast<int>(list.size())) std::abort();
  if (again.OtherDestinationCount() != others) std::abort();
  return *files.File(kPath);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const Fault fault = static_cast<Fault>(data[0] % kFaults);
  const std::size_t failAt = data[1];
  const std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::string written = Run(bytes, fault, failAt);
  // In place the rewrite gives what the copy gives.
  if ((fault == kHeldOpenAtOk || fault == kNoCopy) && written != Run(bytes, kNone, 0)) std::abort();
  return 0;
}
