// The |TOPIC internal file: every topic as a header record and one text
// record per paragraph, in 4 KiB blocks.
//
// Blocks are stored in the LZ77 form with literal bytes only (a flag byte
// of 0 before each eight bytes), so that positions count 16 KiB per block
// as every reader expects of a compressed file. A record never crosses a
// block: a paragraph must fit into one block (about 3.6 KB of text).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/winhelp/byte_writer.h"

namespace winhelp {

// Font numbers of the |FONT file the records refer to.
enum FontId : unsigned { kFontBody = 0, kFontBold = 1, kFontHeading = 2, kFontTitle = 3 };

// One paragraph ready for the file: its kind and its pieces in code-page
// bytes.
struct EncodedPiece {
  enum Kind { kText, kBold, kLink };
  Kind kind = kText;
  Bytes text;
  std::int32_t target = 0;  // kLink: the context hash of the target topic
};

struct EncodedParagraph {
  enum Kind { kTitle, kBody, kHeading, kBullet };
  Kind kind = kBody;
  std::vector<EncodedPiece> pieces;
};

struct EncodedTopic {
  Bytes title;
  std::vector<EncodedParagraph> paragraphs;
};

struct TopicFile {
  Bytes data;  // the internal file's content
  // The position of each topic as jumps, maps and titles name it
  // (block * 0x8000 + characters before it in its block).
  std::vector<std::uint32_t> topicOffsets;
};

// The bullet that leads a bullet paragraph, in the file's code page, and
// where the item's text starts (half points from the left margin; the
// bullet itself starts at 14): far enough for the bullet's width, or its tab
// overruns the stop and the text jumps to the next default one.
struct BulletStyle {
  Bytes text;
  int indent = 28;
};

bool BuildTopicFile(const std::vector<EncodedTopic>& topics, const BulletStyle& bullet,
                    TopicFile* out, std::string* error);

}  // namespace winhelp
