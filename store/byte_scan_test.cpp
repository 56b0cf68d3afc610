#include "store/byte_scan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace store {
namespace {

// Texts that trip scans that go many bytes at a time: every length up to
// 80 and lengths around 16, 32 and 64, of random bytes, of the bytes looked
// for only, of bytes that differ from them in one bit, and with the byte
// looked for only at the very end or beyond the part searched.
std::vector<std::string> Texts() {
  std::mt19937 random(5);
  const std::string few = std::string("\",\0\x81\x40\x80\xFF\xA0" "a", 9);
  std::vector<std::string> texts;
  std::vector<std::size_t> sizes;
  for (std::size_t n = 0; n <= 80; ++n) sizes.push_back(n);
  for (std::size_t base : {16u, 32u, 64u, 128u}) {
    for (std::size_t d = 0; d < 3; ++d) {
      sizes.push_back(base - d);
      sizes.push_back(base + d);
    }
  }
  for (std::size_t n : sizes) {
    for (int round = 0; round < 40; ++round) {
      std::string any(n, '\0'), small(n, '\0');
      for (char& c : any) c = static_cast<char>(random());
      for (char& c : small) c = few[random() % few.size()];
      texts.push_back(any);
      texts.push_back(small);
    }
    texts.push_back(std::string(n, 'x'));
    texts.push_back(std::string(n, '"'));
    texts.push_back(std::string(n, static_cast<char>('"' ^ 0x80)));
    texts.push_back(std::string(n, static_cast<char>(',' ^ 0x01)));
    if (n > 0) {
      std::string last(n, 'x');
      last.back() = '"';
      texts.push_back(last);
    }
  }
  return texts;
}

TEST(ByteScan, FastScansGiveThePlainAnswers) {
  struct Bytes {
    unsigned char b, c, d;
  } looked[] = {{',', '"', ','}, {'"', '"', '"'}, {0x40, 0x40, 0x40}, {0, 0x80, 0xFF},
                {'"', ',', 0x40}};
  for (const std::string& t : Texts()) {
    for (const Bytes& l : looked) {
      for (std::size_t from = 0; from <= t.size() && from < 20; ++from) {
        ASSERT_EQ(scan::FindAny(t, from, l.b, l.c, l.d), scan::plain::FindAny(t, from, l.b, l.c, l.d))
            << testing::PrintToString(t) << " from " << from;
      }
      ASSERT_EQ(scan::Contains(t, l.b, l.c), scan::plain::Contains(t, l.b, l.c))
          << testing::PrintToString(t);
    }
  }
}

TEST(ByteScan, LetterFoldingGivesThePlainAnswers) {
  std::mt19937_64 random(9);
  // Bytes around the letters and the full-width capitals' lead and trail.
  const unsigned char near[] = {0x40, 0x41, 0x5A, 0x5B, 0x60, 0x61, 0x7A, 0x7B, 0x5F,
                                0x79, 0x7A, 0x81, 0x82, 0x83, 0xC1, 0xDA, 0xE0, 0xF9};
  for (int round = 0; round < 200000; ++round) {
    std::uint64_t w = 0;
    if (round % 2) {
      w = random();
    } else {
      for (int k = 0; k < 8; ++k) w |= std::uint64_t(near[random() % sizeof near]) << (8 * k);
    }
    const unsigned before = round % 3 == 0 ? 0x82 : static_cast<unsigned>(random() & 0xFF);
    for (bool wide : {false, true}) {
      ASSERT_EQ(scan::FoldLetters(w, before, wide), scan::plain::FoldLetters(w, before, wide))
          << std::hex << w << " after " << before << (wide ? " wide" : "");
    }
  }
}

}  // namespace
}  // namespace store
