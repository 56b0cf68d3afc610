// What the command sets (the entry commands, the imports and the bulk
// edits) work with: the book and its files, the list's selection, the
// editor's settings and the system and user-interface services.
//
// Command sets change the book only through its verbs, each command in one
// step of the book's history; the view hears of every change and shows it.
#pragma once

#include <string>

#include "faxbook/editing/book_files.h"
#include "faxbook/editing/editor_services.h"
#include "faxbook/editing/editor_settings.h"
#include "faxbook/editing/entry_view.h"
#include "booklib/rules/field_rules.h"
#include "store/book.h"

struct CommandContext {
  store::Book& book;
  EntryView& view;
  BookFiles& files;
  const EditorSettings& settings;
  EditorServices services;

  rules::TextRules Rules() const { return {settings.langId, settings.codePage}; }
  std::string String(int id) const { return services.resources->String(id); }
};
