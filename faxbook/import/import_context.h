// What the CSV import's command and dialogs work with: the view's services
// (the book, its list and its language) and the editor's system and
// user-interface services.
#pragma once

#include "faxbook/editing/editor_services.h"
#include "faxbook/editing/field_rules.h"
#include "faxbook/editing/view_services.h"

namespace importing {

struct ImportContext {
  ViewServices& view;
  EditorServices services;

  editing::TextRules Rules() const { return {view.LangId(), view.CodePage()}; }
  std::string String(int id) const { return services.resources->String(id); }
};

}  // namespace importing
