// Reads the destinations out of a Quorvex ".fed" file: the address data of
// a fax machine as the sibling tool saves it.
//
// Layout: a 436-byte header that starts with the signature text and a NUL;
// a little-endian u32 block count; the blocks, each a u16 type and a u32
// size (little-endian) and a body. A destination list (type 3) holds a u32
// item count and its items, each a u16 tag, a u32 length and that many
// bytes; items "A" and "B" hold 96-byte destination records in the
// machine's own order (big-endian numbers, names in the machine's character
// set, digits packed two to a byte).
//
// The reader never trusts a size or a count in the file: every one is
// checked against the bytes that remain before it is used, so any bytes
// give a result without overrunning, exhausting memory or looping on.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sys/file_system.h"

namespace device {

// One destination of the machine: five texts in the code page.
struct QuorvexDestination {
  std::string name;   // the name, or the key when the name is empty
  std::string key;    // "#0005" for the first kind's record 5, "*0006" for the second's
  std::string faxNumber;
  std::string subAddress;
  std::string password;
};

class CQuorvexFileReader {
 public:
  // The signature the header's text, up to its first NUL, must equal.
  static constexpr char kSignature[] = "Zelo Fax Remote Diagnostics System";
  static constexpr std::size_t kHeaderBytes = 436;
  static constexpr std::size_t kRecordBytes = 96;
  // Files beyond this size are not device files.
  static constexpr std::size_t kMaxFileBytes = 64u << 20;

  // Reads the file at path with the national characters of the interface
  // language langId. True with the destinations in file order (none when
  // the file is no device file: too short a header or another signature);
  // false when the file cannot be read or its blocks are broken.
  bool Read(sys::FileSystem& files, const std::string& path, int langId);
  // The same on the file's bytes.
  bool ReadBytes(std::string_view bytes, int langId);

  // The destinations of the last successful read; empty after a failure.
  const std::vector<QuorvexDestination>& Destinations() const { return destinations_; }

 private:
  std::vector<QuorvexDestination> destinations_;
};

}  // namespace device
