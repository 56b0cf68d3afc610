// The editor's list as the book that imported addresses go into.
#pragma once

#include "faxbook/editing/field_rules.h"
#include "faxbook/editing/view_services.h"
#include "faxbook/import/import_book.h"

namespace importing {

class ViewImportBook : public ImportBook {
 public:
  explicit ViewImportBook(ViewServices& view) : view_(view) {}
  int EntryCount() const override { return view_.List()->ItemCount(); }
  bool RegNoInUse(int regNo) const override { return view_.RegNoInUse(regNo); }
  void ForEachEntry(const std::function<void(const store::AddressRecord&)>& visit) const override;
  // Inserts the row at the top and adds its record; the caller sorts.
  void AddAddress(const store::AddressRecord& record) override;

 private:
  ViewServices& view_;
};

// The view's entries as a name lookup for the address dialog's uniqueness
// test (one lookup per confirmation: a plain walk of the rows).
class ViewNames : public editing::NameLookup {
 public:
  explicit ViewNames(ViewServices& view) : view_(view) {}
  bool IsNameUsed(const std::string& text, int kind) const override;

 private:
  ViewServices& view_;
};

}  // namespace importing
