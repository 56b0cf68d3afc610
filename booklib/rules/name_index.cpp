#include "booklib/rules/name_index.h"

namespace rules {

void NameIndex::Add(int kind, const std::string& name) { ++Names(kind)[name]; }

void NameIndex::Remove(int kind, const std::string& name) {
  auto& names = Names(kind);
  auto it = names.find(name);
  if (it == names.end()) return;
  if (--it->second > 0) return;
  memos_[kind == 0 ? 0 : 1].Freed(name);
  names.erase(it);
}

void NameIndex::Rename(int kind, const std::string& before, const std::string& after) {
  if (before == after) return;
  Remove(kind, before);
  Add(kind, after);
}

bool NameIndex::IsNameUsed(const std::string& text, int kind) const {
  const auto& names = kind == 0 ? names_ : readings_;
  return names.find(text) != names.end();
}

}  // namespace rules
