#include "tools/winhelp/topic_file.h"

namespace winhelp {
namespace {

constexpr std::size_t kBlockSize = 4096;
constexpr std::size_t kBlockHeader = 12;
constexpr std::size_t kStoredRoom = kBlockSize - kBlockHeader;
// The most bytes one block holds when every eight bytes carry a flag byte.
constexpr std::size_t kBlockRoom = kStoredRoom / 9 * 8 + (kStoredRoom % 9 ? kStoredRoom % 9 - 1 : 0);
constexpr std::size_t kLinkHeader = 21;
constexpr std::uint32_t kNone = 0xFFFFFFFFu;

constexpr unsigned kTypeTopicHeader = 0x02;
constexpr unsigned kTypeText = 0x20;

// Commands of a text record's format list.
constexpr unsigned kCmdFont = 0x80;
constexpr unsigned kCmdEndParagraph = 0x82;
constexpr unsigned kCmdTab = 0x83;
constexpr unsigned kCmdEndHotspot = 0x89;
constexpr unsigned kCmdJump = 0xE3;
constexpr unsigned kCmdEnd = 0xFF;

// Paragraph settings present in a record.
constexpr unsigned kSpaceAbove = 0x0002;
constexpr unsigned kSpaceBelow = 0x0004;
constexpr unsigned kLeftIndent = 0x0010;
constexpr unsigned kFirstIndent = 0x0040;
constexpr unsigned kTabs = 0x0200;

struct Record {
  unsigned type = kTypeText;
  Bytes data1;  // after the link header
  Bytes data2;  // the texts
  int topic = 0;
  // Where the layout put it.
  std::size_t block = 0;
  std::size_t offset = 0;
  std::uint32_t chars = 0;  // characters before it in its block

  std::size_t Size() const { return kLinkHeader + data1.size() + data2.size(); }
  std::uint32_t Position() const {
    return static_cast<std::uint32_t>(block * 0x4000 + offset + kBlockHeader);
  }
  std::uint32_t TopicOffset() const { return static_cast<std::uint32_t>(block * 0x8000 + chars); }
};

// The texts and the format commands between them: every command follows
// the text before it.
class Formatter {
 public:
  void Text(const Bytes& t) { current_ += t; }
  void Command(const Bytes& c) {
    texts_ += current_;
    texts_.push_back('\0');
    current_.clear();
    commands_ += c;
  }
  void Font(unsigned font) {
    if (font == font_) return;
    ByteWriter w;
    w.U8(kCmdFont);
    w.U16(font);
    Command(w.Data());
    font_ = font;
  }
  void Finish() {
    Command(Bytes(1, static_cast<char>(kCmdEndParagraph)));
    texts_ += current_;
    texts_.push_back('\0');
    commands_.push_back(static_cast<char>(kCmdEnd));
  }
  const Bytes& Texts() const { return texts_; }
  const Bytes& Commands() const { return commands_; }

 private:
  Bytes texts_, commands_, current_;
  unsigned font_ = 0xFFFF;
};

// The bullet's first-line indent: it starts 14 half points from the margin.
constexpr int kBulletStart = 14;

Record TextRecord(const EncodedParagraph& p, const BulletStyle& bullet) {
  Formatter f;
  const unsigned base = p.kind == EncodedParagraph::kTitle     ? kFontTitle
                        : p.kind == EncodedParagraph::kHeading ? kFontHeading
                                                               : kFontBody;
  f.Font(base);
  if (p.kind == EncodedParagraph::kBullet) {
    f.Text(bullet.text);
    f.Command(Bytes(1, static_cast<char>(kCmdTab)));
  }
  for (const EncodedPiece& piece : p.pieces) {
    switch (piece.kind) {
      case EncodedPiece::kText:
        f.Font(base);
        f.Text(piece.text);
        break;
      case EncodedPiece::kBold:
        f.Font(base == kFontBody ? kFontBold : base);
        f.Text(piece.text);
        break;
      case EncodedPiece::kLink: {
        f.Font(base);
        ByteWriter jump;
        jump.U8(kCmdJump);
        jump.S32(piece.target);
        f.Command(jump.Data());
        f.Text(piece.text);
        f.Command(Bytes(1, static_cast<char>(kCmdEndHotspot)));
        break;
      }
    }
  }
  f.Finish();

  Record r;
  r.data2 = f.Texts();
  ByteWriter w;
  const auto length = static_cast<std::int32_t>(r.data2.size());
  w.CompressedS32(length);
  w.CompressedU16(static_cast<unsigned>(length));
  w.U8(0);     // unknown
  w.U8(0x80);  // unknown, biased by 0x80
  w.U16(0);    // paragraph id
  switch (p.kind) {
    case EncodedParagraph::kTitle:
      w.U16(kSpaceBelow);
      w.CompressedS16(10);
      break;
    case EncodedParagraph::kBody:
      w.U16(kSpaceAbove);
      w.CompressedS16(8);
      break;
    case EncodedParagraph::kHeading:
      w.U16(kSpaceAbove);
      w.CompressedS16(16);
      break;
    case EncodedParagraph::kBullet:
      w.U16(kSpaceAbove | kLeftIndent | kFirstIndent | kTabs);
      w.CompressedS16(4);
      w.CompressedS16(bullet.indent);
      w.CompressedS16(kBulletStart - bullet.indent);
      w.CompressedS16(1);
      w.CompressedU16(static_cast<unsigned>(bullet.indent));
      break;
  }
  w.Raw(f.Commands());
  r.data1 = w.Take();
  return r;
}

Bytes StoreBlock(const Bytes& plain) {
  ByteWriter w;
  for (std::size_t i = 0; i < plain.size(); i += 8) {
    w.U8(0);
    w.Raw(plain.substr(i, 8));
  }
  Bytes stored = w.Take();
  stored.resize(kStoredRoom, '\0');
  return stored;
}

}  // namespace

bool BuildTopicFile(const std::vector<EncodedTopic>& topics, const BulletStyle& bullet,
                    TopicFile* out, std::string* error) {
  // The records in file order: each topic's header and paragraphs, and an
  // empty header that ends the list.
  std::vector<Record> records;
  std::vector<std::size_t> headers;
  for (std::size_t t = 0; t <= topics.size(); ++t) {
    Record h;
    h.type = kTypeTopicHeader;
    h.topic = static_cast<int>(t);
    h.data1 = Bytes(28, '\0');
    if (t < topics.size()) h.data2 = topics[t].title + Bytes(1, '\0');
    headers.push_back(records.size());
    records.push_back(h);
    if (t == topics.size()) break;
    EncodedParagraph title;
    title.kind = EncodedParagraph::kTitle;
    title.pieces.push_back({EncodedPiece::kText, topics[t].title, 0});
    records.push_back(TextRecord(title, bullet));
    records.back().topic = static_cast<int>(t);
    for (const EncodedParagraph& p : topics[t].paragraphs) {
      records.push_back(TextRecord(p, bullet));
      records.back().topic = static_cast<int>(t);
    }
  }

  // Layout: records in order, a new block when the next one does not fit.
  std::size_t block = 0, used = 0;
  std::uint32_t chars = 0;
  for (Record& r : records) {
    if (r.Size() > kBlockRoom) {
      *error = "a paragraph of topic " + std::to_string(r.topic + 1) + " is too long (" +
               std::to_string(r.Size()) + " bytes, at most " + std::to_string(kBlockRoom) + ")";
      return false;
    }
    if (used + r.Size() > kBlockRoom) {
      ++block;
      used = 0;
      chars = 0;
    }
    r.block = block;
    r.offset = used;
    r.chars = chars;
    used += r.Size();
    if (r.type == kTypeText) chars += static_cast<std::uint32_t>(r.data2.size());
  }

  out->topicOffsets.clear();
  for (std::size_t t = 0; t < topics.size(); ++t) {
    out->topicOffsets.push_back(records[headers[t]].TopicOffset());
  }
  for (std::size_t t = 0; t < topics.size(); ++t) {
    const std::size_t first = headers[t];
    const std::size_t next = headers[t + 1];
    std::uint32_t size = 0;
    for (std::size_t i = first; i < next; ++i) size += static_cast<std::uint32_t>(records[i].Size());
    ByteWriter w;
    w.U32(size);
    w.U32(t > 0 ? out->topicOffsets[t - 1] : kNone);
    w.U32(t + 1 < topics.size() ? out->topicOffsets[t + 1] : kNone);
    w.U32(static_cast<std::uint32_t>(t));
    w.U32(kNone);
    w.U32(first + 1 < next ? records[first + 1].Position() : kNone);
    w.U32(records[next].Position());
    records[first].data1 = w.Take();
  }
  {
    ByteWriter w;
    for (int i = 0; i < 7; ++i) w.U32(i == 0 ? 0 : kNone);
    records.back().data1 = w.Take();
  }

  std::vector<Bytes> plain(block + 1);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const Record& r = records[i];
    ByteWriter w;
    w.U32(static_cast<std::uint32_t>(r.Size()));
    w.U32(static_cast<std::uint32_t>(r.data2.size()));
    w.U32(i > 0 ? records[i - 1].Position() : kNone);
    w.U32(i + 1 < records.size() ? records[i + 1].Position() : kNone);
    w.U32(static_cast<std::uint32_t>(kLinkHeader + r.data1.size()));
    w.U8(r.type);
    w.Raw(r.data1);
    w.Raw(r.data2);
    plain[r.block] += w.Data();
  }

  ByteWriter file;
  std::size_t first = 0;
  std::uint32_t lastHeader = kNone;
  for (std::size_t b = 0; b <= block; ++b) {
    std::size_t end = first;
    while (end < records.size() && records[end].block == b) ++end;
    file.U32(b > 0 ? records[first - 1].Position() : kNone);
    file.U32(records[first].Position());
    file.U32(lastHeader);
    file.Raw(StoreBlock(plain[b]));
    for (std::size_t i = first; i < end; ++i) {
      if (records[i].type == kTypeTopicHeader) lastHeader = records[i].Position();
    }
    first = end;
  }
  out->data = file.Take();
  return true;
}

}  // namespace winhelp
