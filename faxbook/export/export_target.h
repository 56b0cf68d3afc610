// Where an export may write: never over the book the editor works on. The
// save dialog asks before it replaces a file, and a user who picks the
// book's own file there would otherwise lose the book to the export (the
// next activation would read the exported file back as the book).
#pragma once

#include <string>

#include "faxbook/editing/command_context.h"

// True, with the user told which file it is, when `path` is the book's
// own file: the same file however it is spelt (links and short names
// included), or, while the book's file does not exist yet, its path
// spelt alike but for case.
bool RefuseExportOverBook(const CommandContext& context, const std::string& path);
