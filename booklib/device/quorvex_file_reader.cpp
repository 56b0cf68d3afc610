#include "booklib/device/quorvex_file_reader.h"

#include <cstdint>

#include "booklib/device/machine_charset.h"
#include "booklib/device/packed_digits.h"

namespace device {

namespace {

constexpr unsigned kBlockDestinations = 3;
constexpr unsigned kBlockUnchecked = 9;
constexpr unsigned kTagFirstKind = 0x41;   // "A"
constexpr unsigned kTagSecondKind = 0x42;  // "B"

// Fields of a destination record.
constexpr std::size_t kInUseAt = 4;
constexpr std::size_t kIndexAt = 8;
constexpr std::size_t kNameAt = 12;
constexpr std::size_t kNameBytes = 21;
constexpr std::size_t kFaxAt = 33;
constexpr std::size_t kFaxBytes = 19;
constexpr std::size_t kDataKindAt = 60;
constexpr std::size_t kSubAddressAt = 72;
constexpr std::size_t kSubAddressBytes = 11;
constexpr std::size_t kPasswordAt = 83;
constexpr std::size_t kPasswordBytes = 11;
constexpr unsigned kWithSubAddress = 2;
// Second-kind records from this index on are not destinations.
constexpr unsigned kSecondKindIndexLimit = 1000;

unsigned Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
  return (static_cast<std::uint32_t>(Byte(bytes, at)) << 24) |
         (static_cast<std::uint32_t>(Byte(bytes, at + 1)) << 16) |
         (static_cast<std::uint32_t>(Byte(bytes, at + 2)) << 8) |
         static_cast<std::uint32_t>(Byte(bytes, at + 3));
}

unsigned BigEndian16(std::string_view bytes, std::size_t at) {
  return (Byte(bytes, at) << 8) | Byte(bytes, at + 1);
}

// Reads the file front to back; every read is checked against what remains.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

  std::uint64_t Remaining() const { return pos_ < bytes_.size() ? bytes_.size() - pos_ : 0; }

  bool Take(std::size_t count, std::string_view* out) {
    if (Remaining() < count) return false;
    *out = bytes_.substr(static_cast<std::size_t>(pos_), count);
    pos_ += count;
    return true;
  }
  bool Little16(unsigned* value) {
    std::string_view b;
    if (!Take(2, &b)) return false;
    *value = Byte(b, 0) | (Byte(b, 1) << 8);
    return true;
  }
  bool Little32(std::uint32_t* value) {
    std::string_view b;
    if (!Take(4, &b)) return false;
    *value = static_cast<std::uint32_t>(Byte(b, 0)) | (static_cast<std::uint32_t>(Byte(b, 1)) << 8) |
             (static_cast<std::uint32_t>(Byte(b, 2)) << 16) |
             (static_cast<std::uint32_t>(Byte(b, 3)) << 24);
    return true;
  }
  // Steps over count bytes that must lie within the file.
  bool Skip(std::uint64_t count) {
    if (Remaining() < count) return false;
    pos_ += count;
    return true;
  }
  // Steps over count bytes wherever they end; reads after the end fail.
  void SkipUnchecked(std::uint64_t count) { pos_ += count; }

 private:
  std::string_view bytes_;
  std::uint64_t pos_ = 0;
};

// "%c%04u": the prefix and at least four digits.
std::string Key(char prefix, unsigned number) {
  char digits[8];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number > 0);
  while (n < 4) digits[n++] = '0';
  std::string key(1, prefix);
  while (n > 0) key.push_back(digits[--n]);
  return key;
}

// Appends the destinations of one item's records; a partial record at the
// end is not read.
void DecodeRecords(std::string_view data, bool secondKind, int langId,
                   std::vector<QuorvexDestination>* out) {
  // The records lie in the file's bytes, so their number is bounded by them.
  out->reserve(out->size() + data.size() / CQuorvexFileReader::kRecordBytes);
  for (std::size_t at = 0; data.size() - at >= CQuorvexFileReader::kRecordBytes;
       at += CQuorvexFileReader::kRecordBytes) {
    const std::string_view record = data.substr(at, CQuorvexFileReader::kRecordBytes);
    const unsigned index = BigEndian16(record, kIndexAt);
    bool withSubAddress = false;
    if (secondKind) {
      if (BigEndian32(record, kInUseAt) != 1 || index >= kSecondKindIndexLimit) continue;
      withSubAddress = Byte(record, kDataKindAt + 3) == kWithSubAddress;
    } else {
      withSubAddress = BigEndian32(record, kDataKindAt) == kWithSubAddress;
    }
    QuorvexDestination destination;
    destination.key = secondKind ? Key('*', index + 1) : Key('#', index);
    destination.name = device::DecodeMachineName(record.substr(kNameAt, kNameBytes), langId);
    if (destination.name.empty()) destination.name = destination.key;
    destination.faxNumber = device::DecodePackedDigits(record.substr(kFaxAt, kFaxBytes));
    if (withSubAddress) {
      destination.subAddress =
          device::DecodePackedDigits(record.substr(kSubAddressAt, kSubAddressBytes));
      destination.password = device::DecodePackedDigits(record.substr(kPasswordAt, kPasswordBytes));
    }
    out->push_back(std::move(destination));
  }
}

bool ReadDestinationList(Cursor& in, int langId, std::vector<QuorvexDestination>* out) {
  std::uint32_t items = 0;
  if (!in.Little32(&items)) return false;
  // Each item takes at least its 6-byte head, so a count beyond the bytes
  // left fails at the first missing head.
  for (std::uint32_t i = 0; i < items; ++i) {
    unsigned tag = 0;
    std::uint32_t length = 0;
    if (!in.Little16(&tag) || !in.Little32(&length)) return false;
    if (length == 0) continue;
    if (tag == kTagFirstKind || tag == kTagSecondKind) {
      std::string_view data;
      if (!in.Take(length, &data)) return false;
      DecodeRecords(data, tag == kTagSecondKind, langId, out);
    } else if (!in.Skip(length)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool CQuorvexFileReader::Read(sys::FileSystem& files, const std::string& path, int langId) {
  destinations_.clear();
  std::string bytes;
  if (!files.FileExists(path) || !files.ReadFile(path, &bytes, kMaxFileBytes + 1) ||
      bytes.size() > kMaxFileBytes) {
    return false;
  }
  return ReadBytes(bytes, langId);
}

bool CQuorvexFileReader::ReadBytes(std::string_view bytes, int langId) {
  destinations_.clear();
  Cursor in(bytes);
  std::string_view header;
  if (!in.Take(kHeaderBytes, &header)) return true;
  const std::size_t end = header.find('\0');
  if (end == std::string_view::npos || header.substr(0, end) != kSignature) return true;

  std::vector<QuorvexDestination> found;
  std::uint32_t blocks = 0;
  if (!in.Little32(&blocks)) return false;
  // Each block takes at least its 6-byte head (or ends the file), so the
  // loop ends within the file's length whatever the count says.
  for (std::uint32_t b = 0; b < blocks; ++b) {
    unsigned type = 0;
    std::uint32_t size = 0;
    if (!in.Little16(&type) || !in.Little32(&size)) return false;
    if (type == kBlockDestinations) {
      if (!ReadDestinationList(in, langId, &found)) return false;
    } else if (type == kBlockUnchecked) {
      in.SkipUnchecked(size);
    } else if (!in.Skip(size)) {
      return false;
    }
  }
  destinations_ = std::move(found);
  return true;
}

}  // namespace device
