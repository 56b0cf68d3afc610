// The help writer, read back as a help engine reads: map numbers and
// context names lead to their topics, windows and character set are where
// the engine looks, text survives in its code page across topic blocks,
// and wrong sources are refused with the line that is wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/winhelp/btree.h"
#include "tools/winhelp/help_source.h"
#include "tools/winhelp/hlp_reader.h"
#include "tools/winhelp/hlp_writer.h"

namespace {

using winhelp::Bytes;

const char kJapanese[] = R"(@title アドレス帳 ヘルプ
@copyright (C) Maker
@codepage 932
@font MS UI Gothic|9
@contents contents
@base FAXBOOK.HLP>ABookM
@window main|ヘルプ
@window ABookM|アドレス帳|100 60 560 620

* 目次
@context contents

- [[main_window]]
- [[new_address|新しい
アドレス]]

+ ダイアログ
* メイン ウィンドウ
@context main_window frame
@map 0x20080 0x20065
@keywords 一覧; Window; window list

一覧に**すべて**の
アドレスが
表示されます。
Two ASCII
lines join with a space.

# A comment line, not text.
* 新規アドレス
@context new_address
@map 0x20082
@keywords 一覧
## 見出し
本文
)";

struct Built {
  winhelp::HelpDocument doc;
  winhelp::WrittenHelp written;
  winhelp::ReadHelp read;
};

void Build(const std::string& source, Built* b) {
  std::string error;
  ASSERT_TRUE(winhelp::ParseHelpSource(source, &b->doc, &error)) << error;
  ASSERT_TRUE(winhelp::CheckHelpDocument(b->doc, &error)) << error;
  ASSERT_TRUE(winhelp::WriteHelp(b->doc, &b->written, &error)) << error;
  ASSERT_TRUE(winhelp::ReadHelpFile(b->written.hlp, &b->read, &error)) << error;
}

// UTF-8 of the test source in the help file's code page.
Bytes Sjis(const std::string& utf8) {
  static const std::pair<const char*, const char*> table[] = {
      {"アドレス帳 ヘルプ", "\x83\x41\x83\x68\x83\x8C\x83\x58\x92\xA0\x20\x83\x77\x83\x8B\x83\x76"},
      {"メイン ウィンドウ", "\x83\x81\x83\x43\x83\x93\x20\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45"},
      {"新規アドレス", "\x90\x56\x8B\x4B\x83\x41\x83\x68\x83\x8C\x83\x58"},
      {"目次", "\x96\xDA\x8E\x9F"},
      {"一覧", "\x88\xEA\x97\x97"},
      {"アドレス帳", "\x83\x41\x83\x68\x83\x8C\x83\x58\x92\xA0"},
  };
  for (const auto& e : table) {
    if (utf8 == e.first) return e.second;
  }
  ADD_FAILURE() << "no code page bytes for " << utf8;
  return Bytes();
}

TEST(HelpWriter, MapNumbersAndContextsLeadToTheirTopics) {
  Built b;
  Build(kJapanese, &b);
  const winhelp::ReadHelp& h = b.read;
  ASSERT_EQ(h.topics.size(), 3u);
  struct Case {
    std::uint32_t map;
    const char* title;
  };
  for (const Case& c : {Case{0x20080, "メイン ウィンドウ"}, Case{0x20065, "メイン ウィンドウ"},
                        Case{0x20082, "新規アドレス"}}) {
    ASSERT_EQ(h.maps.count(c.map), 1u) << std::hex << c.map;
    const winhelp::ReadTopic* t = h.TopicAt(h.maps.at(c.map));
    ASSERT_NE(t, nullptr) << std::hex << c.map;
    EXPECT_EQ(t->title, Sjis(c.title)) << std::hex << c.map;
  }
  EXPECT_EQ(h.maps.size(), 3u);
  for (const char* context : {"contents", "main_window", "frame", "new_address"}) {
    ASSERT_EQ(h.contexts.count(winhelp::ContextHash(context)), 1u) << context;
    EXPECT_NE(h.TopicAt(h.contexts.at(winhelp::ContextHash(context))), nullptr) << context;
  }
  EXPECT_EQ(h.TopicAt(h.contents)->title, Sjis("目次"));
  // Every title is in the title tree under its topic's offset.
  for (const winhelp::ReadTopic& t : h.topics) EXPECT_EQ(h.titles.at(t.offset), t.title);
}

TEST(HelpWriter, TheEngineFindsWindowsCharsetAndTitleWhereItLooks) {
  Built b;
  Build(kJapanese, &b);
  const winhelp::ReadHelp& h = b.read;
  EXPECT_EQ(h.minor, 33u);
  EXPECT_EQ(h.flags, 4u);  // 4 KiB blocks in the LZ77 form
  EXPECT_EQ(h.charset, 128);
  EXPECT_EQ(h.lcid, 0x0411u);
  EXPECT_EQ(h.title, Sjis("アドレス帳 ヘルプ"));
  ASSERT_EQ(h.windows.size(), 2u);
  EXPECT_EQ(h.windows[1].name, "ABookM");
  EXPECT_EQ(h.windows[1].caption, Sjis("アドレス帳"));
  for (const char* file : {"|SYSTEM", "|FONT", "|TOPIC", "|CONTEXT", "|CTXOMAP", "|TTLBTREE",
                           "|KWBTREE", "|KWDATA", "|KWMAP"}) {
    EXPECT_EQ(h.files.count(file), 1u) << file;
  }
}

TEST(HelpWriter, TextJoinsLinesAsItsScriptWantsAndJumpsNameTheirTargets) {
  Built b;
  Build(kJapanese, &b);
  const winhelp::ReadTopic* main = b.read.TopicAt(b.read.maps.at(0x20080));
  ASSERT_NE(main, nullptr);
  // Japanese lines join directly, ASCII ones with a space; the title leads.
  EXPECT_NE(main->text.find("\x88\xEA\x97\x97\x82\xC9\x82\xB7\x82\xD7\x82\xC4\x82\xCC\x83\x41"),
            std::string::npos);
  EXPECT_NE(main->text.find("Two ASCII lines join with a space.\n"), std::string::npos);
  EXPECT_EQ(main->text.substr(0, Sjis("メイン ウィンドウ").size() + 1), Sjis("メイン ウィンドウ") + "\n");
  const winhelp::ReadTopic& contents = b.read.topics[0];
  EXPECT_EQ(contents.jumps, (std::vector<std::int32_t>{winhelp::ContextHash("main_window"),
                                                        winhelp::ContextHash("new_address")}));
  // A jump without its own text shows its target's title.
  EXPECT_NE(contents.text.find(Sjis("メイン ウィンドウ")), std::string::npos);
}

TEST(HelpWriter, HeadingsAreTextAndCommentsAreNot) {
  Built b;
  Build(kJapanese, &b);
  ASSERT_EQ(b.doc.topics[2].paragraphs.size(), 2u);
  EXPECT_EQ(b.doc.topics[2].paragraphs[0].kind, winhelp::Paragraph::kHeading);
  EXPECT_EQ(b.read.topics[2].text.find("comment"), std::string::npos);
  EXPECT_NE(b.read.topics[2].text.find("\x8C\xA9\x8F\x6F\x82\xB5\n"), std::string::npos);
}

// A bullet item's text starts at its tab stop; the bullet must end before
// it, or the tab jumps to the next default stop and the item's text lands
// far from its bullet. A full-width bullet is as wide as the font's size, a
// half-width one half that.
TEST(HelpWriter, BulletItemsLeaveRoomForTheirBullet) {
  struct Case {
    int codePage;
    int points;
    int bulletWidth;  // half points
    unsigned lcid;    // the language record, 0: none
  };
  for (const Case& c : {Case{932, 9, 18, 0x0411}, Case{932, 12, 24, 0x0411},
                        Case{1252, 10, 10, 0}, Case{1250, 10, 10, 0}, Case{936, 9, 18, 0x0804}}) {
    const std::string source = "@codepage " + std::to_string(c.codePage) + "\n@font F|" +
                               std::to_string(c.points) + "\n* T\n@context t\n- item\n";
    Built b;
    Build(source, &b);
    ASSERT_EQ(b.read.topics.size(), 1u);
    const std::vector<winhelp::ReadLayout>& layouts = b.read.topics[0].layouts;
    ASSERT_EQ(layouts.size(), 2u) << c.codePage;  // the title line and the item
    const winhelp::ReadLayout& item = layouts[1];
    ASSERT_EQ(item.tabs.size(), 1u) << c.codePage;
    EXPECT_EQ(item.tabs[0], static_cast<unsigned>(item.left)) << c.codePage;
    const int bulletStart = item.left + item.first;
    EXPECT_GE(bulletStart, 0) << c.codePage;
    EXPECT_GE(item.left - bulletStart, c.bulletWidth + 2) << c.codePage << " at " << c.points;
    EXPECT_EQ(b.read.lcid, c.lcid) << c.codePage;
  }
}

TEST(HelpWriter, KeywordsListEveryTopicThatNamesThem) {
  Built b;
  Build(kJapanese, &b);
  const auto& k = b.read.keywords;
  ASSERT_EQ(k.size(), 3u);
  EXPECT_EQ(k.at(Sjis("一覧")), (std::vector<std::uint32_t>{b.read.topics[1].offset,
                                                            b.read.topics[2].offset}));
  EXPECT_EQ(k.at("Window").size(), 1u);
  EXPECT_EQ(k.at("window list").size(), 1u);
}

TEST(HelpWriter, TheContentsFileListsBooksAndTopicsInTheirCodePage) {
  Built b;
  Build(kJapanese, &b);
  const Bytes expected = ":Base FAXBOOK.HLP>ABookM\r\n:Title " + Sjis("アドレス帳 ヘルプ") + "\r\n1 " +
                         Sjis("目次") + "=contents\r\n1 \x83\x5F\x83\x43\x83\x41\x83\x8D\x83\x4F\r\n2 " +
                         Sjis("メイン ウィンドウ") + "=main_window\r\n2 " + Sjis("新規アドレス") +
                         "=new_address\r\n";
  EXPECT_EQ(b.written.cnt, expected);
}

TEST(HelpWriter, ManyParagraphsSpanBlocksAndKeepTheirOffsets) {
  std::string source = "@title Big\n@codepage 1252\n";
  for (int t = 0; t < 40; ++t) {
    source += "* Topic " + std::to_string(t) + "\n@context t" + std::to_string(t) + "\n@map " +
              std::to_string(1000 + t) + "\n";
    for (int p = 0; p < 12; ++p) source += "Paragraph " + std::to_string(p) + " of topic " + std::to_string(t) + " with some words.\n\n";
  }
  Built b;
  Build(source, &b);
  ASSERT_EQ(b.read.topics.size(), 40u);
  EXPECT_GT(b.written.hlp.size(), 4u * 4096u);  // several topic blocks
  for (int t = 0; t < 40; ++t) {
    const winhelp::ReadTopic* topic = b.read.TopicAt(b.read.maps.at(static_cast<std::uint32_t>(1000 + t)));
    ASSERT_NE(topic, nullptr) << t;
    EXPECT_EQ(topic->title, "Topic " + std::to_string(t));
    EXPECT_NE(topic->text.find("Paragraph 11 of topic " + std::to_string(t) + " with some words.\n"),
              std::string::npos);
  }
}

TEST(HelpWriter, TheSameSourceGivesTheSameBytes) {
  Built a, b;
  Build(kJapanese, &a);
  Build(kJapanese, &b);
  EXPECT_EQ(a.written.hlp, b.written.hlp);
}

TEST(HelpWriter, RefusesWhatAFileCannotHold) {
  struct Case {
    std::string source;
    const char* error;
  };
  const std::string head = "@title T\n@codepage 932\n* A\n@context a\n";
  const Case cases[] = {
      {head + "Euro \xE2\x82\xAC sign\n", "lacks"},  // no euro sign in 932
      {head + std::string(4000, 'x') + "\n", "too long"},
      {"@title T\n@codepage 1252\n* \xE3\x81\x82\n@context a\n", "lacks"},
      {"@window w|" + std::string(51, 'c') + "\n* A\n@context a\n", "longer than 50 bytes"},
  };
  for (const Case& c : cases) {
    winhelp::HelpDocument doc;
    std::string error;
    ASSERT_TRUE(winhelp::ParseHelpSource(c.source, &doc, &error)) << error;
    winhelp::WrittenHelp written;
    EXPECT_FALSE(winhelp::WriteHelp(doc, &written, &error)) << c.source;
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
}

TEST(HelpSource, WrongSourcesNameTheirLine) {
  struct Case {
    const char* source;
    const char* error;
  };
  const Case cases[] = {
      {"Text first\n", "line 1: text before the first topic"},
      {"* A\n@context a-b\n", "line 2: \"a-b\" is no context name"},
      {"* A\n@context a\n@map twelve\n", "line 3: \"twelve\" is no map number"},
      {"* A\n@context a\nSome **bold\n", "line 3: ** left open"},
      {"* A\n@context a\nA [[jump\n", "line 3: a jump [[ without ]]"},
      {"* A\n@context a\n@title Late\n", "line 3: @title belongs before the first topic"},
      {"@window Toolongname|Caption\n", "line 1: @window wants"},
      {"@window w|Caption|1 2 3\n", "line 1: @window: x y w h"},
      {"@colour red\n", "line 1: unknown directive @colour"},
  };
  for (const Case& c : cases) {
    winhelp::HelpDocument doc;
    std::string error;
    EXPECT_FALSE(winhelp::ParseHelpSource(c.source, &doc, &error)) << c.source;
    EXPECT_EQ(error.substr(0, std::string(c.error).size()), c.error) << c.source;
  }
}

TEST(HelpSource, TheWholeDocumentIsCheckedBeforeWriting) {
  struct Case {
    const char* source;
    const char* error;
  };
  const Case cases[] = {
      {"@title T\n", "no topics"},
      {"* A\n", "has no @context"},
      {"* A\n@context a\n* B\n@context a\n", "context a is used twice"},
      {"* A\n@context a\n@map 5\n* B\n@context b\n@map 5\n", "map number 5 is used twice"},
      {"* A\n@context a\nSee [[nowhere]].\n", "jumps to nowhere, which no topic has"},
      {"@contents b\n* A\n@context a\n", "@contents names b"},
      {"@window w|A\n@window w|B\n* A\n@context a\n", "window w is defined twice"},
  };
  for (const Case& c : cases) {
    winhelp::HelpDocument doc;
    std::string error;
    ASSERT_TRUE(winhelp::ParseHelpSource(c.source, &doc, &error)) << error;
    EXPECT_FALSE(winhelp::CheckHelpDocument(doc, &error)) << c.source;
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
}

TEST(HelpTrees, ManyEntriesGrowIndexLevelsAndReadBackInOrder) {
  for (int n : {0, 1, 60, 2000}) {
    std::vector<winhelp::TreeEntry> entries;
    for (int i = 0; i < n; ++i) {
      winhelp::ByteWriter leaf, key;
      const std::string name = "entry" + std::string(5 - std::to_string(i).size(), '0') + std::to_string(i);
      leaf.StringZ(name);
      leaf.U32(static_cast<std::uint32_t>(i));
      key.StringZ(name);
      entries.push_back({leaf.Take(), key.Take()});
    }
    Bytes tree;
    ASSERT_TRUE(winhelp::BuildTree({0x0402, 0x0400, "z4"}, entries, &tree));
    winhelp::TreeHeader header;
    std::vector<Bytes> leaves;
    ASSERT_TRUE(winhelp::ReadTree(
        tree, [](const Bytes& p, std::size_t at) { return p.find('\0', at) - at + 5; }, &header,
        &leaves))
        << n;
    ASSERT_EQ(leaves.size(), static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) EXPECT_EQ(leaves[static_cast<std::size_t>(i)], entries[static_cast<std::size_t>(i)].leaf);
    EXPECT_EQ(header.levels, n == 2000 ? 2 : 1) << n;
  }
}

TEST(HelpTrees, CompressedNumbersRoundTripAtTheirBoundaries) {
  winhelp::ByteWriter w;
  const int shorts[] = {-16384, -65, -64, 0, 63, 64, 16383};
  const unsigned ushorts[] = {0, 127, 128, 32767};
  const std::int32_t longs[] = {-16384, 0, 16383, 16384, 1000000};
  for (int v : shorts) w.CompressedS16(v);
  for (unsigned v : ushorts) w.CompressedU16(v);
  for (std::int32_t v : longs) w.CompressedS32(v);
  winhelp::ByteReader r(w.Data());
  for (int v : shorts) EXPECT_EQ(r.CompressedS16(), v);
  for (unsigned v : ushorts) EXPECT_EQ(r.CompressedU16(), v);
  for (std::int32_t v : longs) EXPECT_EQ(r.CompressedS32(), v);
  EXPECT_FALSE(r.Overrun());
}

TEST(HelpReader, DamagedFilesAreRefusedNotOverrun) {
  Built b;
  Build(kJapanese, &b);
  const Bytes& good = b.written.hlp;
  std::vector<Bytes> bad = {Bytes(), good.substr(0, 15), good.substr(0, good.size() / 2)};
  Bytes wrongDirectory = good;
  wrongDirectory[4] = '\x7F';
  bad.push_back(wrongDirectory);
  for (std::size_t i = 16; i < good.size(); i += 97) {
    Bytes flipped = good;
    flipped[i] = static_cast<char>(~flipped[i]);
    bad.push_back(flipped);
  }
  for (const Bytes& bytes : bad) {
    winhelp::ReadHelp read;
    std::string error;
    winhelp::ReadHelpFile(bytes, &read, &error);  // must not crash or read past the bytes
  }
  winhelp::ReadHelp read;
  std::string error;
  EXPECT_FALSE(winhelp::ReadHelpFile(good.substr(0, good.size() / 2), &read, &error));
}

}  // namespace
