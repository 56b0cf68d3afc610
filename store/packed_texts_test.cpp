#include "store/packed_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace store {
namespace {

// Texts of many sizes, some longer than a whole block of the packer, stored
// in turns with small ones: every one comes back whole and in its place.
TEST(TextPackerTest, TextsOfAnySizeComeBackAsStored) {
  const std::size_t mib = std::size_t(1) << 20;
  const std::vector<std::size_t> sizes = {0,       1,           127,     128,       16384,
                                          mib - 9, mib + 1,     3,       2 * mib - 40, 2 * mib,
                                          7,       2 * mib + 7, 5 * mib, 1,         300};
  TextPacker packer;
  std::vector<std::uint32_t> at;
  std::vector<std::string> stored;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    TextViews texts;
    std::string big(sizes[i], static_cast<char>('a' + i % 26));
    const std::string small = "t" + std::to_string(i);
    texts[0] = small;
    texts[1] = big;
    texts[7] = small;
    at.push_back(packer.Add(texts));
    stored.push_back(big);
    // One run of bytes after each, as member lines are kept.
    at.push_back(packer.AddBytes(small + big));
    stored.push_back(small + big);
  }
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    SCOPED_TRACE(i);
    TextViews texts;
    packer.Get(at[2 * i], &texts);
    EXPECT_EQ(texts[0], "t" + std::to_string(i));
    EXPECT_TRUE(texts[1] == stored[2 * i]);
    EXPECT_TRUE(texts[2].empty());
    EXPECT_EQ(texts[7], "t" + std::to_string(i));
    EXPECT_TRUE(packer.GetBytes(at[2 * i + 1]) == stored[2 * i + 1]);
  }
}

}  // namespace
}  // namespace store
