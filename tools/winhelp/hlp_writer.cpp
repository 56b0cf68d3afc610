#include "tools/winhelp/hlp_writer.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "tools/winhelp/btree.h"
#include "tools/winhelp/help_container.h"
#include "tools/winhelp/text_encoding.h"
#include "tools/winhelp/topic_file.h"

namespace winhelp {
namespace {

constexpr unsigned kSystemMagic = 0x036C;
constexpr unsigned kVersionMinor = 33;  // the Windows 95 help compiler's files
constexpr unsigned kCompressedTopics = 4;  // LZ77 blocks of 4 KiB

enum SystemRecord : unsigned {
  kRecTitle = 1,
  kRecCopyright = 2,
  kRecContents = 3,
  kRecConfig = 4,
  kRecWindow = 6,
  kRecLanguage = 9,
  kRecCharset = 11,
  kRecDialogFont = 12,
};

enum WindowFlag : unsigned {
  kWinType = 0x01, kWinName = 0x02, kWinCaption = 0x04,
  kWinX = 0x08, kWinY = 0x10, kWinWidth = 0x20, kWinHeight = 0x40,
};

class Encoder {
 public:
  explicit Encoder(int codePage) : codePage_(codePage) {}
  bool operator()(const std::string& utf8, Bytes* out) {
    std::string why;
    if (ToCodePage(codePage_, utf8, out, &why)) return true;
    if (error_.empty()) error_ = why;
    return false;
  }
  const std::string& Error() const { return error_; }

 private:
  int codePage_;
  std::string error_;
};

void Record(ByteWriter* w, unsigned type, const Bytes& data) {
  w->U16(type);
  w->U16(static_cast<unsigned>(data.size()));
  w->Raw(data);
}

Bytes SystemFile(const HelpDocument& doc, Encoder& encode, std::uint32_t contents) {
  ByteWriter w;
  w.U16(kSystemMagic);
  w.U16(kVersionMinor);
  w.U16(1);
  w.U32(0);  // no build date: the same source gives the same bytes
  w.U16(kCompressedTopics);
  Bytes text;
  encode(doc.title, &text);
  Record(&w, kRecTitle, text + Bytes(1, '\0'));
  if (!doc.copyright.empty()) {
    encode(doc.copyright, &text);
    Record(&w, kRecCopyright, text + Bytes(1, '\0'));
  }
  ByteWriter offset;
  offset.U32(contents);
  Record(&w, kRecContents, offset.Data());
  Record(&w, kRecConfig, Bytes("BrowseButtons()") + Bytes(1, '\0'));
  for (const WindowDef& def : doc.windows) {
    ByteWriter win;
    unsigned flags = kWinType | kWinName | kWinCaption;
    if (def.placed) flags |= kWinX | kWinY | kWinWidth | kWinHeight;
    win.U16(flags);
    win.Fixed(def.name == "main" ? "main" : "secondary", 10);
    win.Fixed(def.name, 9);
    encode(def.caption, &text);
    win.Fixed(text, 51);
    win.S16(def.x);
    win.S16(def.y);
    win.S16(def.width);
    win.S16(def.height);
    win.S16(0);  // shown normally
    win.U32(0xFFFFFF);
    win.U32(0xFFFFFF);
    Record(&w, kRecWindow, win.Data());
  }
  // The language of a double-byte code page (the help engine compares and
  // sorts the index by it): flags for the comparison, two unused words, then
  // the locale. Single-byte pages serve several languages and carry none.
  if (const unsigned lcid = LanguageOf(doc.codePage)) {
    ByteWriter language;
    language.U16(0);
    language.U16(0);
    language.U32(0);
    language.U16(lcid);
    Record(&w, kRecLanguage, language.Data());
  }
  const int charset = CharsetOf(doc.codePage);
  ByteWriter cs;
  cs.U16(static_cast<unsigned>(charset));
  Record(&w, kRecCharset, cs.Data());
  ByteWriter font;
  font.U8(static_cast<unsigned>(doc.fontPoints));
  font.U8(static_cast<unsigned>(charset));
  encode(doc.fontFace, &text);
  font.StringZ(text);
  Record(&w, kRecDialogFont, font.Data());
  return w.Take();
}

// Body, bold, heading and title, all of the one face.
Bytes FontFile(const HelpDocument& doc, Encoder& encode) {
  constexpr unsigned kFaceRoom = 32;
  constexpr unsigned kSwiss = 3;
  struct Font {
    unsigned attributes, halfPoints;
    unsigned char r, g, b;
  };
  const unsigned body = static_cast<unsigned>(doc.fontPoints) * 2;
  const Font fonts[] = {
      {0, body, 0, 0, 0},
      {1, body, 0, 0, 0},
      {1, body + 2, 0, 0, 0x80},
      {1, body + 6, 0, 0, 0x80},
  };
  ByteWriter w;
  w.U16(1);
  w.U16(static_cast<unsigned>(std::size(fonts)));
  w.U16(8);
  w.U16(8 + kFaceRoom);
  Bytes face;
  encode(doc.fontFace, &face);
  w.Fixed(face.substr(0, kFaceRoom - 1), kFaceRoom);
  for (const Font& f : fonts) {
    w.U8(f.attributes);
    w.U8(f.halfPoints);
    w.U8(kSwiss);
    w.U16(0);
    w.U8(f.r);
    w.U8(f.g);
    w.U8(f.b);
    w.U8(0xFF);
    w.U8(0xFF);
    w.U8(0xFF);
  }
  return w.Take();
}

bool EncodeTopics(const HelpDocument& doc, Encoder& encode, std::vector<EncodedTopic>* out) {
  std::map<std::string, const Topic*> byContext;
  for (const Topic& t : doc.topics) {
    for (const std::string& c : t.contexts) byContext[c] = &t;
  }
  bool ok = true;
  for (const Topic& t : doc.topics) {
    EncodedTopic et;
    ok = encode(t.title, &et.title) && ok;
    for (const Paragraph& p : t.paragraphs) {
      EncodedParagraph ep;
      ep.kind = p.kind == Paragraph::kHeading  ? EncodedParagraph::kHeading
                : p.kind == Paragraph::kBullet ? EncodedParagraph::kBullet
                                               : EncodedParagraph::kBody;
      for (const Run& r : p.runs) {
        EncodedPiece piece;
        piece.kind = r.kind == Run::kBold   ? EncodedPiece::kBold
                     : r.kind == Run::kLink ? EncodedPiece::kLink
                                            : EncodedPiece::kText;
        std::string text = r.text;
        if (r.kind == Run::kLink) {
          piece.target = ContextHash(r.target);
          auto it = byContext.find(r.target);
          if (text.empty() && it != byContext.end()) text = it->second->title;
        }
        ok = encode(text, &piece.text) && ok;
        ep.pieces.push_back(piece);
      }
      et.paragraphs.push_back(ep);
    }
    out->push_back(et);
  }
  return ok;
}

// The first bullet the code page has: "•", the Japanese "・", the middle
// dot "·", at last "-". A double-byte bullet is a full-width character, as
// wide as the font's size: the item's text starts after it with a gap of 8
// half points (the stock stop at 28 holds only a half-width bullet).
bool BulletOf(const HelpDocument& doc, BulletStyle* out) {
  for (const char* utf8 : {"\xE2\x80\xA2", "\xE3\x83\xBB", "\xC2\xB7", "-"}) {
    std::string why;
    if (!ToCodePage(doc.codePage, utf8, &out->text, &why) || out->text.empty()) continue;
    out->indent = out->text.size() > 1 ? 14 + 2 * doc.fontPoints + 8 : 28;
    return true;
  }
  return false;
}

// Keywords in the order the index lists them: letters without case.
bool KeywordBefore(const Bytes& a, const Bytes& b) {
  const auto fold = [](char c) {
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  };
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (fold(a[i]) != fold(b[i])) return fold(a[i]) < fold(b[i]);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace

std::int32_t ContextHash(const std::string& name) {
  std::uint32_t hash = 0;
  for (char c : name) {
    unsigned x = 0;
    if (c >= 'A' && c <= 'Z') x = static_cast<unsigned>(c - 'A') + 17;
    if (c >= 'a' && c <= 'z') x = static_cast<unsigned>(c - 'a') + 17;
    if (c >= '1' && c <= '9') x = static_cast<unsigned>(c - '0');
    if (c == '0') x = 10;
    if (c == '.') x = 12;
    if (c == '_') x = 13;
    hash = hash * 43u + x;
  }
  return static_cast<std::int32_t>(hash);
}

bool WriteHelp(const HelpDocument& doc, WrittenHelp* out, std::string* error) {
  Encoder encode(doc.codePage);
  std::vector<EncodedTopic> topics;
  if (!EncodeTopics(doc, encode, &topics)) {
    *error = encode.Error();
    return false;
  }
  for (const WindowDef& w : doc.windows) {
    Bytes caption;
    if (encode(w.caption, &caption) && caption.size() > 50) {
      *error = "the caption of window " + w.name + " is longer than 50 bytes";
      return false;
    }
  }
  BulletStyle bullet;
  if (!BulletOf(doc, &bullet)) {
    *error = "code page " + std::to_string(doc.codePage) + " has no bullet";
    return false;
  }
  TopicFile topicFile;
  if (!BuildTopicFile(topics, bullet, &topicFile, error)) return false;
  const std::vector<std::uint32_t>& offsets = topicFile.topicOffsets;

  std::uint32_t contents = offsets.front();
  std::map<std::int32_t, std::uint32_t> contexts;
  std::map<std::uint32_t, std::uint32_t> maps;
  std::vector<std::pair<Bytes, std::vector<std::uint32_t>>> keywords;
  for (std::size_t t = 0; t < doc.topics.size(); ++t) {
    const Topic& topic = doc.topics[t];
    for (const std::string& c : topic.contexts) {
      if (!contexts.emplace(ContextHash(c), offsets[t]).second) {
        *error = "the context names " + c + " and another share a hash";
        return false;
      }
      if (c == doc.contents) contents = offsets[t];
    }
    for (std::uint32_t m : topic.maps) maps[m] = offsets[t];
    for (const std::string& k : topic.keywords) {
      Bytes key;
      if (!encode(k, &key)) break;
      auto it = std::find_if(keywords.begin(), keywords.end(),
                             [&](const auto& e) { return e.first == key; });
      if (it == keywords.end()) {
        keywords.push_back({key, {}});
        it = keywords.end() - 1;
      }
      if (std::find(it->second.begin(), it->second.end(), offsets[t]) == it->second.end()) {
        it->second.push_back(offsets[t]);
      }
    }
  }

  HelpContainer container;
  container.Add("|SYSTEM", SystemFile(doc, encode, contents));
  container.Add("|FONT", FontFile(doc, encode));
  if (!encode.Error().empty()) {
    *error = encode.Error();
    return false;
  }
  container.Add("|TOPIC", topicFile.data);

  std::vector<TreeEntry> titles;
  for (std::size_t t = 0; t < topics.size(); ++t) {
    ByteWriter leaf, key;
    key.U32(offsets[t]);
    leaf.U32(offsets[t]);
    leaf.StringZ(topics[t].title);
    titles.push_back({leaf.Take(), key.Take()});
  }
  Bytes tree;
  if (!BuildTree({0x0002, 0x0800, "Lz"}, titles, &tree)) {
    *error = "a topic title is too long";
    return false;
  }
  container.Add("|TTLBTREE", tree);

  std::vector<TreeEntry> hashes;
  for (const auto& [hash, offset] : contexts) {
    ByteWriter leaf, key;
    key.S32(hash);
    leaf.S32(hash);
    leaf.U32(offset);
    hashes.push_back({leaf.Take(), key.Take()});
  }
  BuildTree({0x0002, 0x0800, "L4"}, hashes, &tree);
  container.Add("|CONTEXT", tree);

  ByteWriter map;
  map.U16(static_cast<unsigned>(maps.size()));
  for (const auto& [number, offset] : maps) {
    map.U32(number);
    map.U32(offset);
  }
  container.Add("|CTXOMAP", map.Take());

  if (!keywords.empty()) {
    std::sort(keywords.begin(), keywords.end(),
              [](const auto& a, const auto& b) { return KeywordBefore(a.first, b.first); });
    std::vector<TreeEntry> entries;
    ByteWriter data;
    for (const auto& [key, topicsOf] : keywords) {
      ByteWriter leaf, index;
      leaf.StringZ(key);
      leaf.U16(static_cast<unsigned>(topicsOf.size()));
      leaf.U32(static_cast<std::uint32_t>(data.Size()));
      index.StringZ(key);
      entries.push_back({leaf.Take(), index.Take()});
      for (std::uint32_t o : topicsOf) data.U32(o);
    }
    std::vector<LeafStart> starts;
    if (!BuildTree({0x0002, 0x0800, "F24"}, entries, &tree, &starts)) {
      *error = "a keyword is too long";
      return false;
    }
    container.Add("|KWBTREE", tree);
    container.Add("|KWDATA", data.Take());
    ByteWriter kwmap;
    for (const LeafStart& s : starts) {
      kwmap.S32(static_cast<std::int32_t>(s.firstEntry));
      kwmap.U16(static_cast<unsigned>(s.page));
    }
    container.Add("|KWMAP", kwmap.Take());
  }
  out->hlp = container.Bytes();

  out->cnt.clear();
  if (!doc.base.empty()) {
    Bytes line;
    std::string book;
    const auto add = [&](const std::string& utf8) {
      encode(utf8, &line);
      out->cnt += line + "\r\n";
    };
    add(":Base " + doc.base);
    add(":Title " + doc.title);
    for (const Topic& t : doc.topics) {
      if (t.book != book) {
        book = t.book;
        if (!book.empty()) add("1 " + book);
      }
      add(std::string(book.empty() ? "1 " : "2 ") + t.title + "=" + t.contexts.front());
    }
    if (!encode.Error().empty()) {
      *error = encode.Error();
      return false;
    }
  }
  return true;
}

}  // namespace winhelp
