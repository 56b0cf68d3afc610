// A help file as its author wrote it: settings, windows and topics made of
// paragraphs of text runs. Texts are UTF-8 here; the writer converts them
// to the help file's code page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace winhelp {

struct Run {
  enum Kind { kText, kBold, kLink };
  Kind kind = kText;
  std::string text;
  std::string target;  // kLink: the context of the topic it jumps to
};

struct Paragraph {
  enum Kind { kBody, kHeading, kBullet };
  Kind kind = kBody;
  std::vector<Run> runs;
};

struct Topic {
  std::string title;
  // Context names ([A-Za-z0-9._]) that jumps and the contents file use.
  std::vector<std::string> contexts;
  // Map numbers a program asks for with HELP_CONTEXT.
  std::vector<std::uint32_t> maps;
  std::vector<std::string> keywords;
  // The contents book the topic stands under; empty: the top level.
  std::string book;
  std::vector<Paragraph> paragraphs;
  int line = 0;  // where the topic starts in the source
};

// A window the help file defines, for "file>name" requests. Position and
// size in the help engine's units (0..1023 of the screen).
struct WindowDef {
  std::string name;  // at most 8 bytes
  std::string caption;
  bool placed = false;
  int x = 0, y = 0, width = 0, height = 0;
};

struct HelpDocument {
  std::string title;
  std::string copyright;
  int codePage = 1252;
  // The body font; headings are bolder and larger.
  std::string fontFace = "Arial";
  int fontPoints = 10;
  // The context of the topic the contents request opens (default: the
  // first topic).
  std::string contents;
  // The ":Base" of the contents file ("FILE.HLP>window").
  std::string base;
  std::vector<WindowDef> windows;
  std::vector<Topic> topics;
};

}  // namespace winhelp
