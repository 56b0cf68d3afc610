// What the CSV import's command and dialogs work with: the command sets'
// context (the book, the list's selection, the settings and the services).
#pragma once

#include "faxbook/editing/command_context.h"

namespace importing {

using ImportContext = CommandContext;

}  // namespace importing
