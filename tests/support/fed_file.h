// Device files (".fed") built byte by byte for tests and benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fedfile {

std::string Le16(unsigned value);
std::string Le32(std::uint32_t value);

// The 436-byte header with the signature text and its NUL.
std::string Header();
// A header whose text is `text` (not NUL-ended when nul is false).
std::string HeaderWith(const std::string& text, bool nul);

// Digits, space, "*", "-", "#" and "+" packed two to a byte and ended with
// code 15, padded with 0xFF to `bytes`.
std::string Pack(const std::string& digits, std::size_t bytes);

struct Record {
  std::uint32_t inUse = 1;
  unsigned index = 0;
  std::string name;      // the name field's bytes (NUL-padded to 21)
  std::string fax;       // digits, packed into 19 bytes
  std::uint32_t dataKind = 0;
  std::string subAddress;  // digits, packed into 11 bytes
  std::string password;    // digits, packed into 11 bytes
};
// One 96-byte destination record.
std::string Encode(const Record& record);

// An item of a destination list: tag, length, data.
std::string Item(unsigned tag, const std::string& data);
// A block: type, size (the body's length unless given), body.
std::string Block(unsigned type, const std::string& body);
std::string BlockSized(unsigned type, std::uint32_t size, const std::string& body);
// A destination list block (type 3) of these items.
std::string DestinationList(const std::vector<std::string>& items);
// Header, block count and blocks.
std::string File(const std::vector<std::string>& blocks);
std::string FileCounted(std::uint32_t count, const std::vector<std::string>& blocks);

// A file of `count` first-kind records in one destination list, named
// "Dest 1" ... with fax numbers 03-0000-0001 ...
std::string Destinations(int count);

}  // namespace fedfile
