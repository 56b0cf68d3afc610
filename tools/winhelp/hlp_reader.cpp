#include "tools/winhelp/hlp_reader.h"

#include "tools/winhelp/btree.h"
#include "tools/winhelp/help_container.h"

namespace winhelp {
namespace {

constexpr std::size_t kTopicBlock = 4096;
constexpr std::size_t kBlockHeader = 12;

// LZ77 as the help engine decodes it: a flag byte, then for each of its
// bits a literal byte (0) or a two-byte back reference (1).
Bytes Expand(const Bytes& in) {
  Bytes out;
  std::size_t i = 0;
  while (i < in.size()) {
    const unsigned mask = static_cast<unsigned char>(in[i++]);
    for (int bit = 0; bit < 8 && i < in.size(); ++bit) {
      if (mask & (1u << bit)) {
        if (i + 1 >= in.size()) return out;
        const unsigned code = static_cast<unsigned char>(in[i]) | (static_cast<unsigned char>(in[i + 1]) << 8);
        i += 2;
        const std::size_t distance = (code & 0x0FFF) + 1;
        const std::size_t length = (code >> 12) + 3;
        if (distance > out.size()) return out;
        for (std::size_t k = 0; k < length; ++k) out.push_back(out[out.size() - distance]);
      } else {
        out.push_back(in[i++]);
      }
    }
  }
  return out;
}

std::size_t ZLength(const Bytes& page, std::size_t at, std::size_t extra) {
  const std::size_t nul = page.find('\0', at);
  return nul == std::string::npos ? 0 : nul - at + 1 + extra;
}

void ReadSystem(const Bytes& system, ReadHelp* out) {
  ByteReader r(system);
  r.U16();
  out->minor = r.U16();
  r.U16();
  r.U32();
  out->flags = r.U16();
  while (r.At() + 4 <= system.size()) {
    const unsigned type = r.U16();
    const unsigned size = r.U16();
    const std::size_t start = r.At();
    if (start + size > system.size()) break;
    const Bytes data = system.substr(start, size);
    ByteReader d(data);
    switch (type) {
      case 1: out->title = d.StringZ(); break;
      case 2: out->copyright = d.StringZ(); break;
      case 3: out->contents = d.U32(); break;
      case 6:
        if (data.size() >= 72) {
          ReadWindow w;
          w.name = data.substr(12, 9).c_str();
          w.caption = data.substr(21, 51).c_str();
          out->windows.push_back(w);
        }
        break;
      case 9:
        if (data.size() >= 10) {
          d.Seek(8);
          out->lcid = d.U16();
        }
        break;
      case 11: out->charset = static_cast<int>(d.U8()); break;
      default: break;
    }
    r.Seek(start + size);
  }
}

// One text record: its texts joined, paragraph ends as '\n', and the
// context hashes its jumps name.
void ReadText(const Bytes& link, std::size_t dataLen1, ReadTopic* topic) {
  ByteReader f(link, 21);
  f.CompressedS32();
  f.CompressedU16();
  f.U8();
  f.U8();
  f.U16();
  const unsigned bits = f.U16();
  if (bits & 0x0001) f.CompressedS32();
  ReadLayout layout;
  for (unsigned b : {0x0002u, 0x0004u, 0x0008u, 0x0010u, 0x0020u, 0x0040u}) {
    if (!(bits & b)) continue;
    const int value = f.CompressedS16();
    if (b == 0x0010u) layout.left = value;
    if (b == 0x0040u) layout.first = value;
  }
  if (bits & 0x0100) {
    f.U8();
    f.U16();
  }
  if (bits & 0x0200) {
    const int tabs = f.CompressedS16();
    for (int i = 0; i < tabs && !f.Overrun(); ++i) {
      const unsigned stop = f.CompressedU16();
      layout.tabs.push_back(stop & 0x3FFF);
      if (stop & 0x4000) f.CompressedU16();
    }
  }
  topic->layouts.push_back(layout);
  std::size_t text = dataLen1;
  while (f.At() < dataLen1 && !f.Overrun()) {
    const std::size_t nul = link.find('\0', text);
    if (nul == std::string::npos) return;
    topic->text += link.substr(text, nul - text);
    text = nul + 1;
    const unsigned command = f.U8();
    if (command == 0xFF) return;
    switch (command) {
      case 0x80: f.U16(); break;
      case 0x82: topic->text.push_back('\n'); break;
      case 0x83: topic->text.push_back('\t'); break;
      case 0xE0: case 0xE1: case 0xE2: case 0xE3: case 0xE6: case 0xE7:
        topic->jumps.push_back(f.S32());
        break;
      case 0x81: case 0x89: case 0x8B: case 0x8C: break;
      default: return;  // a command this reader does not know
    }
  }
}

// Compressed topic blocks (flags 4) count positions in 16 KiB per block;
// stored ones (flags 0) in the block's own size.
bool ReadTopics(const Bytes& file, bool compressed, ReadHelp* out, std::string* error) {
  std::vector<Bytes> blocks;
  for (std::size_t at = 0; at + kBlockHeader < file.size(); at += kTopicBlock) {
    const Bytes data = file.substr(at + kBlockHeader, kTopicBlock - kBlockHeader);
    blocks.push_back(compressed ? Expand(data) : data);
  }
  const std::size_t span = compressed ? 0x4000 : kTopicBlock - kBlockHeader;
  std::uint32_t position = kBlockHeader;
  std::size_t lastBlock = static_cast<std::size_t>(-1);
  std::uint32_t chars = 0;
  for (std::size_t guard = 0; position != 0xFFFFFFFFu; ++guard) {
    const std::size_t block = (position - kBlockHeader) / span;
    const std::size_t offset = (position - kBlockHeader) % span;
    if (position < kBlockHeader || block >= blocks.size() || offset + 21 > blocks[block].size() ||
        guard > file.size()) {
      *error = "a topic record position leads outside the topics";
      return false;
    }
    if (block != lastBlock) {
      chars = 0;
      lastBlock = block;
    }
    ByteReader h(blocks[block], offset);
    const std::uint32_t size = h.U32();
    const std::uint32_t dataLen2 = h.U32();
    h.U32();
    const std::uint32_t next = h.U32();
    const std::uint32_t dataLen1 = h.U32();
    const unsigned type = h.U8();
    if (size < dataLen1 || dataLen1 < 21 || offset + size > blocks[block].size() ||
        size - dataLen1 != dataLen2) {
      *error = "a topic record is malformed";
      return false;
    }
    const Bytes link = blocks[block].substr(offset, size);
    if (type == 0x02) {
      ReadTopic topic;
      topic.offset = static_cast<std::uint32_t>(block * 0x8000 + chars);
      topic.title = link.substr(dataLen1).c_str();
      out->topics.push_back(topic);
    } else if (type == 0x20) {
      if (out->topics.empty()) {
        *error = "text before the first topic header";
        return false;
      }
      ReadText(link, dataLen1, &out->topics.back());
      chars += dataLen2;
    }
    position = next;
  }
  // The last header only ends the list.
  if (!out->topics.empty() && out->topics.back().title.empty() && out->topics.back().text.empty()) {
    out->topics.pop_back();
  }
  return true;
}

}  // namespace

const ReadTopic* ReadHelp::TopicAt(std::uint32_t offset) const {
  for (const ReadTopic& t : topics) {
    if (t.offset == offset) return &t;
  }
  return nullptr;
}

bool ReadHelpFile(const Bytes& hlp, ReadHelp* out, std::string* error) {
  *out = ReadHelp();
  std::map<std::string, Bytes> files;
  if (!ReadContainer(hlp, &files)) {
    *error = "not a help file, or its directory is damaged";
    return false;
  }
  for (const auto& f : files) out->files.insert(f.first);
  if (!files.count("|SYSTEM") || !files.count("|TOPIC")) {
    *error = "no |SYSTEM or |TOPIC";
    return false;
  }
  ReadSystem(files["|SYSTEM"], out);

  TreeHeader header;
  std::vector<Bytes> leaves;
  if (files.count("|CONTEXT")) {
    if (!ReadTree(files["|CONTEXT"], [](const Bytes&, std::size_t) -> std::size_t { return 8; },
                  &header, &leaves)) {
      *error = "|CONTEXT is damaged";
      return false;
    }
    for (const Bytes& leaf : leaves) {
      ByteReader r(leaf);
      const std::int32_t hash = r.S32();
      out->contexts[hash] = r.U32();
    }
  }
  if (files.count("|TTLBTREE")) {
    if (!ReadTree(files["|TTLBTREE"],
                  [](const Bytes& p, std::size_t at) { return ZLength(p, at + 4, 4); }, &header,
                  &leaves)) {
      *error = "|TTLBTREE is damaged";
      return false;
    }
    for (const Bytes& leaf : leaves) {
      ByteReader r(leaf);
      const std::uint32_t offset = r.U32();
      out->titles[offset] = r.StringZ();
    }
  }
  if (files.count("|CTXOMAP")) {
    ByteReader r(files["|CTXOMAP"]);
    const unsigned n = r.U16();
    for (unsigned i = 0; i < n && !r.Overrun(); ++i) {
      const std::uint32_t number = r.U32();
      const std::uint32_t offset = r.U32();
      if (!r.Overrun()) out->maps[number] = offset;
    }
  }
  if (files.count("|KWBTREE")) {
    if (!ReadTree(files["|KWBTREE"], [](const Bytes& p, std::size_t at) { return ZLength(p, at, 6); },
                  &header, &leaves)) {
      *error = "|KWBTREE is damaged";
      return false;
    }
    const Bytes& data = files["|KWDATA"];
    for (const Bytes& leaf : leaves) {
      ByteReader r(leaf);
      const Bytes key = r.StringZ();
      const unsigned count = r.U16();
      ByteReader d(data, r.U32());
      std::vector<std::uint32_t>& offsets = out->keywords[key];
      for (unsigned i = 0; i < count; ++i) offsets.push_back(d.U32());
      if (d.Overrun()) {
        *error = "|KWDATA is shorter than |KWBTREE says";
        return false;
      }
    }
  }
  return ReadTopics(files["|TOPIC"], out->flags == 4 || out->flags == 8, out, error);
}

}  // namespace winhelp
