#include "store/book_lines.h"

#include <gtest/gtest.h>

#include <vector>

namespace store {
namespace {

using Lines = std::vector<std::string>;

Lines ByCursor(std::string_view bytes) {
  LineCursor cursor(bytes);
  Lines out;
  std::string_view line;
  while (cursor.Next(&line)) out.emplace_back(line);
  return out;
}

// The same bytes handed on in pieces of every size.
Lines ByPieces(std::string_view bytes, std::size_t piece) {
  LineJoiner joiner;
  Lines out;
  const auto keep = [&](std::string_view line) { out.emplace_back(line); };
  for (std::size_t at = 0; at < bytes.size(); at += piece) joiner.Feed(bytes.substr(at, piece), keep);
  joiner.Finish(keep);
  return out;
}

TEST(BookLines, OnlyLineFeedEndsALineAndTheCarriageReturnBeforeItGoes) {
  struct Case {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"ab\rcd\r\n", {"ab\rcd"}},        // a lone CR is a byte of the line
      {"a\rb\r", {"a\rb\r"}},           // also at the very end
      {"a\r\r\nb", {"a\r", "b"}},       // only the CR just before LF goes
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "\rb"}},
      {"", {}},
      {"\n", {""}},
      {"\r\n", {""}},
      {"\r", {"\r"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ByCursor(c.bytes), c.lines) << c.bytes;
    for (std::size_t piece = 1; piece <= c.bytes.size() + 1; ++piece) {
      EXPECT_EQ(ByPieces(c.bytes, piece), c.lines) << c.bytes << " in pieces of " << piece;
    }
  }
}

// A callback that answers false stops the lines there, whatever the pieces.
TEST(BookLines, AFalseAnswerStopsTheLines) {
  const std::string bytes = "a\r\nbb\ncc\r\nd";
  struct Case {
    std::size_t stopAt;  // the answer to this line (1-based) is false
    Lines seen;
  } cases[] = {
      {1, {"a"}}, {2, {"a", "bb"}}, {3, {"a", "bb", "cc"}}, {4, {"a", "bb", "cc", "d"}},
  };
  for (const Case& c : cases) {
    for (std::size_t piece = 1; piece <= bytes.size(); ++piece) {
      LineJoiner joiner;
      Lines seen;
      const auto keep = [&](std::string_view line) {
        seen.emplace_back(line);
        return seen.size() != c.stopAt;
      };
      bool go = true;
      for (std::size_t at = 0; go && at < bytes.size(); at += piece) {
        go = joiner.Feed(std::string_view(bytes).substr(at, piece), keep);
      }
      if (go) go = joiner.Finish(keep);
      EXPECT_FALSE(go) << "stop at " << c.stopAt << ", pieces of " << piece;
      EXPECT_EQ(seen, c.seen) << "stop at " << c.stopAt << ", pieces of " << piece;
    }
  }
}

}  // namespace
}  // namespace store
