// Writes a help document as a Windows Help file (.hlp, the format of the
// Windows 95 help compiler without phrase compression) and its contents
// file (.cnt).
//
// The file holds: |SYSTEM (title, copyright, contents topic, the browse
// buttons, the windows, the character set and dialog font), |FONT, |TOPIC,
// |TTLBTREE (titles), |CONTEXT (context hashes), |CTXOMAP (map numbers for
// HELP_CONTEXT) and, when topics have keywords, |KWBTREE, |KWDATA and
// |KWMAP for the index.
#pragma once

#include <cstdint>
#include <string>

#include "tools/winhelp/byte_writer.h"
#include "tools/winhelp/help_document.h"

namespace winhelp {

struct WrittenHelp {
  Bytes hlp;
  Bytes cnt;  // empty when the document has no @base
};

// False with the reason in `error` (a text the code page lacks, a
// paragraph too long for a block, ...).
bool WriteHelp(const HelpDocument& doc, WrittenHelp* out, std::string* error);

// The hash by which the help file finds a context name.
std::int32_t ContextHash(const std::string& name);

}  // namespace winhelp
