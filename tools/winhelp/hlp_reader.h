// Reads back what a help file holds, as a help engine finds it: the
// settings of |SYSTEM, the map numbers and context hashes with the topic
// each leads to, the keywords, and every topic's title and plain text.
// Used by the tests and by `hlpmake --dump`; it reads any bytes without
// reading past them.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/winhelp/byte_writer.h"

namespace winhelp {

// A text record's indents in half points, and its tab stops.
struct ReadLayout {
  int left = 0, first = 0;
  std::vector<unsigned> tabs;
};

struct ReadTopic {
  std::uint32_t offset = 0;  // as maps, contexts and jumps name it
  Bytes title;
  Bytes text;                      // paragraphs ended by '\n', tabs as '\t'
  std::vector<std::int32_t> jumps; // context hashes of the jumps in it
  std::vector<ReadLayout> layouts; // one per text record, in order
};

struct ReadWindow {
  Bytes name, caption;
};

struct ReadHelp {
  std::set<std::string> files;  // names of the internal files
  unsigned minor = 0, flags = 0;
  Bytes title, copyright;
  std::uint32_t contents = 0;
  int charset = -1;
  unsigned lcid = 0;  // |SYSTEM's language record, 0 when it has none
  std::vector<ReadWindow> windows;
  std::map<std::uint32_t, std::uint32_t> maps;     // map number -> topic offset
  std::map<std::int32_t, std::uint32_t> contexts;  // context hash -> topic offset
  std::map<std::uint32_t, Bytes> titles;           // |TTLBTREE
  std::map<Bytes, std::vector<std::uint32_t>> keywords;
  std::vector<ReadTopic> topics;

  // The topic at this offset; null when none starts there.
  const ReadTopic* TopicAt(std::uint32_t offset) const;
};

bool ReadHelpFile(const Bytes& hlp, ReadHelp* out, std::string* error);

}  // namespace winhelp
