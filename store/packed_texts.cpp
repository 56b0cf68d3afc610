#include "store/packed_texts.h"

#include <cstring>

namespace store {
namespace {

// A text's length: seven bits a byte, low bits first, the high bit set on
// every byte but the last.
char* PutLength(std::size_t n, char* p) {
  while (n >= 0x80) {
    *p++ = static_cast<char>((n & 0x7F) | 0x80);
    n >>= 7;
  }
  *p++ = static_cast<char>(n);
  return p;
}

const char* GetLength(const char* p, std::size_t* length) {
  std::size_t n = 0;
  int shift = 0;
  for (;;) {
    const auto b = static_cast<unsigned char>(*p++);
    n |= static_cast<std::size_t>(b & 0x7F) << shift;
    if (!(b & 0x80)) break;
    shift += 7;
  }
  *length = n;
  return p;
}

}  // namespace

TextsView ViewOf(const EntryTexts& texts) {
  TextsView view;
  for (std::size_t i = 0; i < kTextFieldCount; ++i) view.texts[i] = texts.*kTextFields[i].member;
  view.respect = texts.respect;
  return view;
}

void CopyInto(const TextsView& view, EntryTexts* texts) {
  for (std::size_t i = 0; i < kTextFieldCount; ++i) {
    (texts->*kTextFields[i].member).assign(view.texts[i]);
  }
  texts->respect = view.respect;
}

std::uint32_t TextPacker::Add(const TextViews& texts) { return Append(texts); }

std::uint32_t TextPacker::AddBytes(std::string_view bytes) {
  const std::array<std::string_view, 1> one = {bytes};
  return Append(one);
}

std::string_view TextPacker::GetBytes(std::uint32_t at) const {
  const Block& block = blocks_[at >> kBlockBits];
  std::size_t n = 0;
  const char* p = GetLength(block.bytes.Data() + (at & (kBlockBytes - 1)), &n);
  return std::string_view(p, n);
}

template <typename Views>
std::uint32_t TextPacker::Append(const Views& texts) {
  std::size_t need = 0;
  for (std::string_view t : texts) need += t.size() + 5;
  // Places are numbered within kBlockBytes of their block's start, so only
  // that much of a block is filled; a text longer than a block gets a block
  // of its own, which then takes nothing more.
  const auto room = [](const Block& b) {
    const std::size_t usable = b.bytes.Size() < kBlockBytes ? b.bytes.Size() : kBlockBytes;
    return usable > b.size ? usable - b.size : 0;
  };
  if (blocks_.empty() || room(blocks_.back()) < need) {
    Block block;
    block.bytes = sys::LargeBlock(need > kBlockBytes ? need : kBlockBytes);
    blocks_.push_back(std::move(block));
  }
  Block& block = blocks_.back();
  const auto at = static_cast<std::uint32_t>(((blocks_.size() - 1) << kBlockBits) | block.size);
  char* p = block.bytes.Data() + block.size;
  char* const start = p;
  for (std::string_view t : texts) {
    p = PutLength(t.size(), p);
    if (!t.empty()) std::memcpy(p, t.data(), t.size());
    p += t.size();
  }
  block.size += static_cast<std::size_t>(p - start);
  used_ += static_cast<std::size_t>(p - start);
  return at;
}

void TextPacker::Get(std::uint32_t at, TextViews* texts) const {
  const Block& block = blocks_[at >> kBlockBits];
  const char* p = block.bytes.Data() + (at & (kBlockBytes - 1));
  for (std::string_view& t : *texts) {
    std::size_t n = 0;
    p = GetLength(p, &n);
    t = std::string_view(p, n);
    p += n;
  }
}

void TextPacker::Clear() {
  blocks_.clear();
  used_ = 0;
}

}  // namespace store
