// The eight texts of entries and members kept back to back in one buffer,
// so that a book of 80,000 members costs about its size in memory and no
// allocation per text.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sys/large_block.h"
#include "store/address_record.h"

namespace store {

// The texts of an entry or member in file order (kTextFields).
using TextViews = std::array<std::string_view, kTextFieldCount>;

// The texts and the honorific of an entry or member, viewed where they are
// kept (valid until the keeper changes).
struct TextsView {
  TextViews texts;
  int respect = kRespectNone;
  std::string_view Reading() const { return texts[1]; }
};

// Views of the texts held by an EntryTexts.
TextsView ViewOf(const EntryTexts& texts);
// Copies viewed texts into an EntryTexts.
void CopyInto(const TextsView& view, EntryTexts* texts);

// An append-only store of packed texts: each text as its length (7 bits a
// byte, low bits first) and its bytes, in blocks of 2 MiB that never move,
// so that growing costs no copying and no doubled memory (large blocks, so
// that filling them costs few page faults).
class TextPacker {
 public:
  TextPacker() = default;
  TextPacker(TextPacker&&) = default;
  TextPacker& operator=(TextPacker&&) = default;

  // Appends the eight texts; returns where they start.
  std::uint32_t Add(const TextViews& texts);
  // The eight texts that start at `at`.
  void Get(std::uint32_t at, TextViews* texts) const;
  // One run of bytes, and back.
  std::uint32_t AddBytes(std::string_view bytes);
  std::string_view GetBytes(std::uint32_t at) const;
  // Bytes in use.
  std::size_t Size() const { return used_; }
  void Clear();

 private:
  static constexpr int kBlockBits = 21;
  static constexpr std::size_t kBlockBytes = std::size_t(1) << kBlockBits;
  template <typename Views>
  std::uint32_t Append(const Views& views);
  struct Block {
    sys::LargeBlock bytes;
    std::size_t size = 0;
  };
  std::vector<Block> blocks_;
  std::size_t used_ = 0;
};

}  // namespace store
