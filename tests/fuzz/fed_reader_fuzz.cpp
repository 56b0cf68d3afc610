// The device-file reader takes any bytes: it ends, keeps every text within
// what its field can hold, and what the device import makes of the result
// fits the book's limits, holds unique names and reads back unchanged once
// written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "booklib/device/quorvex_file_reader.h"
#include "booklib/device/quorvex_import.h"
#include "store/book_file.h"
#include "store/book_format.h"

namespace {

const int kLanguages[] = {1041, 1033, 1031, 1040, 2070, 2052};
const int kCodePages[] = {932, 1252, 1252, 1252, 1252, 936};

void Check(bool condition) {
  if (!condition) std::abort();
}

bool Digits(const std::string& text) {
  return text.find_first_not_of("0123456789 *-#+") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int pick = data[0] % 6;
  const int langId = kLanguages[pick];
  const int codePage = kCodePages[pick];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  device::CQuorvexFileReader reader;
  const bool ok = reader.ReadBytes(bytes, langId);
  if (!ok) Check(reader.Destinations().empty());
  Check(reader.Destinations().size() <= bytes.size() / device::CQuorvexFileReader::kRecordBytes);
  for (const device::QuorvexDestination& d : reader.Destinations()) {
    Check(!d.name.empty() && d.name.size() <= 21);
    Check(d.key.size() >= 5 && (d.key[0] == '#' || d.key[0] == '*'));
    Check(d.faxNumber.size() <= 38 && Digits(d.faxNumber));
    Check(d.subAddress.size() <= 22 && Digits(d.subAddress));
    Check(d.password.size() <= 22 && Digits(d.password));
  }

  const device::QuorvexEntries entries = device::MakeQuorvexEntries(reader.Destinations(), {langId, codePage});
  Check(entries.records.size() <= static_cast<std::size_t>(store::kMaxEntries));
  std::set<std::string> names, readings;
  for (const store::AddressRecord& r : entries.records) {
    Check(!r.dispName.empty() && r.dispName.size() <= 16);
    Check(!r.dispNameJP.empty() && r.dispNameJP.size() <= 16);
    Check(names.insert(r.dispName).second && readings.insert(r.dispNameJP).second);
  }

  store::SilentAlerts alerts;
  store::GroupTable groups(codePage, &alerts);
  const std::string written = store::FormatBook(entries.records, groups);
  store::BookContext context;
  context.alerts = &alerts;
  context.read.langId = langId;
  context.read.codePage = codePage;
  std::vector<store::AddressRecord> reread;
  store::ReadBookBytes(context, written, store::CountEntryLines(written), &reread, &groups);
  Check(reread.size() == entries.records.size());
  for (std::size_t i = 0; i < reread.size(); ++i) {
    Check(reread[i].dispNameJP == entries.records[i].dispNameJP);
    if (langId == 1041) Check(reread[i].dispName == entries.records[i].dispName);
    Check(reread[i].faxNumber == entries.records[i].faxNumber);
    Check(reread[i].subAddress == entries.records[i].subAddress);
    Check(reread[i].password == entries.records[i].password);
  }
  return 0;
}
