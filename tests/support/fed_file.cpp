#include "tests/support/fed_file.h"

#include <cstdio>

namespace fedfile {
namespace {

constexpr std::size_t kHeaderBytes = 436;
constexpr char kSignature[] = "Zelo Fax Remote Diagnostics System";

std::string Be16(unsigned v) {
  return {static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
}

std::string Be32(std::uint32_t v) {
  return {static_cast<char>((v >> 24) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
          static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
}

unsigned Code(char c) {
  switch (c) {
    case ' ': return 10;
    case '*': return 11;
    case '-': return 12;
    case '#': return 13;
    case '+': return 14;
    default: return static_cast<unsigned>(c - '0') & 0x0F;
  }
}

}  // namespace

std::string Le16(unsigned v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}

std::string Le32(std::uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
          static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
}

std::string HeaderWith(const std::string& text, bool nul) {
  std::string header = text;
  if (nul) header.push_back('\0');
  header.resize(kHeaderBytes, nul ? '\0' : 'x');
  return header;
}

std::string Header() { return HeaderWith(kSignature, true); }

std::string Pack(const std::string& digits, std::size_t bytes) {
  std::vector<unsigned> codes;
  for (char c : digits) codes.push_back(Code(c));
  codes.push_back(15);
  if (codes.size() % 2) codes.push_back(15);
  std::string out;
  for (std::size_t i = 0; i < codes.size(); i += 2) {
    out.push_back(static_cast<char>((codes[i] << 4) | codes[i + 1]));
  }
  out.resize(bytes, static_cast<char>(0xFF));
  return out;
}

std::string Encode(const Record& r) {
  std::string out(4, '\0');
  out += Be32(r.inUse);
  out += Be16(r.index);
  out += std::string(2, '\0');
  std::string name = r.name;
  name.resize(21, '\0');
  out += name;
  out += Pack(r.fax, 19);
  out += std::string(8, '\0');
  out += Be32(r.dataKind);
  out += std::string(8, '\0');
  out += Pack(r.subAddress, 11);
  out += Pack(r.password, 11);
  out += std::string(2, '\0');
  return out;
}

std::string Item(unsigned tag, const std::string& data) {
  return Le16(tag) + Le32(static_cast<std::uint32_t>(data.size())) + data;
}

std::string BlockSized(unsigned type, std::uint32_t size, const std::string& body) {
  return Le16(type) + Le32(size) + body;
}

std::string Block(unsigned type, const std::string& body) {
  return BlockSized(type, static_cast<std::uint32_t>(body.size()), body);
}

std::string DestinationList(const std::vector<std::string>& items) {
  std::string body = Le32(static_cast<std::uint32_t>(items.size()));
  for (const std::string& item : items) body += item;
  // The size of a destination list is not read; the machine writes 0.
  return BlockSized(3, 0, body);
}

std::string FileCounted(std::uint32_t count, const std::vector<std::string>& blocks) {
  std::string out = Header() + Le32(count);
  for (const std::string& block : blocks) out += block;
  return out;
}

std::string File(const std::vector<std::string>& blocks) {
  return FileCounted(static_cast<std::uint32_t>(blocks.size()), blocks);
}

std::string Destinations(int count) {
  std::string records;
  for (int i = 0; i < count; ++i) {
    Record r;
    r.index = static_cast<unsigned>(i);
    char name[32];
    std::snprintf(name, sizeof name, "Dest %d", i + 1);
    r.name = name;
    char fax[32];
    std::snprintf(fax, sizeof fax, "03-%04d-%04d", (i + 1) / 10000, (i + 1) % 10000);
    r.fax = fax;
    records += Encode(r);
  }
  return File({DestinationList({Item(0x41, records)})});
}

}  // namespace fedfile
