// The help source format: UTF-8 text, one directive or text line per line.
//
//   # a comment (a line starting with one #)
//   @title Address Book Help           file settings, before the first topic:
//   @copyright (C) ...                 @title @copyright @codepage @font
//   @codepage 932                      FACE|POINTS @contents CONTEXT
//   @window ABookM|Caption|x y w h     @base FILE>WINDOW @window NAME|CAPTION[|x y w h]
//
//   + Book title                       a book of the contents; the topics
//                                      that follow stand under it
//   * Topic title                      a new topic, then its own settings:
//   @context main_window other         @context NAME... @map NUMBER...
//   @map 0x20080                       @keywords WORD; WORD...
//
//   Text lines make a paragraph until a blank line; lines are joined with
//   a space only between two ASCII characters (Japanese text joins
//   directly).
//   ## A heading line
//   - A bullet item (continued by the lines that follow it)
//
//   In text: **bold**, [[context]] (a jump showing the topic's title),
//   [[context|text]], and \ before a character to take it literally.
#pragma once

#include <string>

#include "tools/winhelp/help_document.h"

namespace winhelp {

// Parses the source. On failure returns false with "line N: what" in
// `error` (and the document as far as it got).
bool ParseHelpSource(const std::string& source, HelpDocument* doc, std::string* error);

// Checks what only the whole document shows: unique context names and map
// numbers, jumps to existing contexts, the contents context, window names.
bool CheckHelpDocument(const HelpDocument& doc, std::string* error);

}  // namespace winhelp
