// Little-endian bytes as the help file stores them, and the help file's
// compressed integers (values that take one or two units, marked by their
// lowest bit).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace winhelp {

using Bytes = std::string;

class ByteWriter {
 public:
  void U8(unsigned v) { out_.push_back(static_cast<char>(v & 0xFF)); }
  void U16(unsigned v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void S16(int v) { U16(static_cast<unsigned>(v) & 0xFFFF); }
  void S32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  // The bytes, then a terminating zero.
  void StringZ(std::string_view s) {
    Raw(s);
    U8(0);
  }
  // Exactly `size` bytes: the text cut or padded with zeros.
  void Fixed(std::string_view s, std::size_t size) {
    Raw(s.substr(0, size));
    for (std::size_t i = s.size(); i < size; ++i) U8(0);
  }
  void Raw(std::string_view s) { out_.append(s.data(), s.size()); }

  // One byte for 0..127, else two with the lowest bit set.
  void CompressedU16(unsigned v) {
    if (v < 0x80) {
      U8(v * 2);
    } else {
      U16(v * 2 + 1);
    }
  }
  // One byte for -64..63, else two with the lowest bit set.
  void CompressedS16(int v) {
    if (v >= -64 && v < 64) {
      U8(static_cast<unsigned>((v + 64) * 2));
    } else {
      U16(static_cast<unsigned>((v + 16384) * 2 + 1));
    }
  }
  // Two bytes for -16384..16383, else four with the lowest bit set.
  void CompressedS32(std::int32_t v) {
    if (v >= -16384 && v < 16384) {
      U16(static_cast<unsigned>((v + 16384) * 2));
    } else {
      U32(static_cast<std::uint32_t>(v) * 2u + 0x80000001u);
    }
  }

  std::size_t Size() const { return out_.size(); }
  const Bytes& Data() const { return out_; }
  Bytes Take() { return std::move(out_); }
  // Overwrites four bytes at `at` (a size or offset known only later).
  void PatchU32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out_[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  }

 private:
  Bytes out_;
};

// Reads the same units back; reads past the end give zeros and set a flag.
class ByteReader {
 public:
  explicit ByteReader(std::string_view data, std::size_t at = 0) : data_(data), at_(at) {}
  unsigned U8() {
    if (at_ >= data_.size()) {
      overrun_ = true;
      ++at_;
      return 0;
    }
    return static_cast<unsigned char>(data_[at_++]);
  }
  unsigned U16() {
    const unsigned lo = U8();
    return lo | (U8() << 8);
  }
  std::uint32_t U32() {
    const std::uint32_t lo = U16();
    return lo | (static_cast<std::uint32_t>(U16()) << 16);
  }
  int S16() { return static_cast<std::int16_t>(U16()); }
  std::int32_t S32() { return static_cast<std::int32_t>(U32()); }
  std::string StringZ() {
    std::string s;
    while (at_ < data_.size() && data_[at_] != '\0') s.push_back(data_[at_++]);
    if (at_ >= data_.size()) overrun_ = true;
    ++at_;
    return s;
  }
  unsigned CompressedU16() {
    if (Peek() & 1) return U16() / 2;
    return U8() / 2;
  }
  int CompressedS16() {
    if (Peek() & 1) return static_cast<int>(U16() / 2) - 16384;
    return static_cast<int>(U8() / 2) - 64;
  }
  std::int32_t CompressedS32() {
    if (Peek() & 1) return static_cast<std::int32_t>((U32() - 0x80000000u) / 2);
    return static_cast<std::int32_t>(U16() / 2) - 16384;
  }
  unsigned Peek() const { return at_ < data_.size() ? static_cast<unsigned char>(data_[at_]) : 0; }
  std::size_t At() const { return at_; }
  void Seek(std::size_t at) { at_ = at; }
  bool Overrun() const { return overrun_; }

 private:
  std::string_view data_;
  std::size_t at_;
  bool overrun_ = false;
};

}  // namespace winhelp
