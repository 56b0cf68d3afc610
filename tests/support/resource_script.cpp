#include "tests/support/resource_script.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace rc {
namespace {

std::string Trim(const std::string& s) {
  std::size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return s.substr(a, b - a);
}

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// A quoted text at `pos` (which holds the opening quote): escapes \n, \t,
// \\ and \" and doubled quotes as the resource compiler reads them. pos
// ends after the closing quote.
std::string Quoted(const std::string& line, std::size_t* pos) {
  std::string out;
  std::size_t i = *pos + 1;
  while (i < line.size()) {
    const char c = line[i];
    if (c == '"') {
      if (i + 1 < line.size() && line[i + 1] == '"') {
        out += '"';
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    if (c == '\\' && i + 1 < line.size()) {
      const char e = line[i + 1];
      out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
      i += 2;
      continue;
    }
    out += c;
    ++i;
  }
  *pos = i;
  return out;
}

// Splits "a, b, c" outside quotes.
std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> fields;
  std::string current;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      fields.push_back(Trim(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!Trim(current).empty()) fields.push_back(Trim(current));
  return fields;
}

std::string Unquote(const std::string& field) {
  if (field.empty() || field[0] != '"') return field;
  std::size_t pos = 0;
  return Quoted(field, &pos);
}

}  // namespace

int Script::Value(const std::string& token) const {
  const std::string t = Trim(token);
  auto it = symbols_.find(t);
  if (it != symbols_.end()) return it->second;
  if (t.empty()) return -1;
  char* end = nullptr;
  const long v = std::strtol(t.c_str(), &end, 0);
  return *end == '\0' ? static_cast<int>(v) : -1;
}

bool Script::ReadSymbols(const std::string& headerPath) {
  std::ifstream header(headerPath);
  if (!header) return false;
  const std::size_t slash = headerPath.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "" : headerPath.substr(0, slash + 1);
  std::string line;
  while (std::getline(header, line)) {
    std::istringstream in(line);
    std::string directive, name, value;
    if (!(in >> directive >> name)) continue;
    if (directive == "#define" && in >> value) symbols_[name] = Value(value);
    // A header of more ids, beside this one.
    if (directive == "#include" && name.size() > 2 && name.front() == '"') {
      ReadSymbols(folder + name.substr(1, name.size() - 2));
    }
  }
  return true;
}

bool Script::ReadLines(const std::string& scriptPath, std::vector<std::string>* lines) {
  std::ifstream script(scriptPath);
  if (!script) return false;
  const std::size_t slash = scriptPath.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "" : scriptPath.substr(0, slash + 1);
  std::string line;
  // Statements may continue on the next line after a trailing comma or "|".
  while (std::getline(script, line)) {
    const std::string t = Trim(line);
    if (StartsWith(t, "//")) continue;
    // A script fragment beside this one is read in its place.
    const std::string fragment = "#include \"";
    if (StartsWith(t, fragment) && t.size() > fragment.size() + 4 &&
        t.compare(t.size() - 4, 4, ".rc\"") == 0) {
      if (!ReadLines(folder + t.substr(fragment.size(), t.size() - fragment.size() - 1), lines)) {
        return false;
      }
      continue;
    }
    if (!lines->empty() && !lines->back().empty() &&
        (lines->back().back() == ',' || lines->back().back() == '|')) {
      lines->back() += " " + t;
    } else {
      lines->push_back(t);
    }
  }
  return true;
}

bool Script::Load(const std::string& scriptPath, const std::string& headerPath) {
  // The system's button ids that templates use.
  symbols_["IDOK"] = 1;
  symbols_["IDCANCEL"] = 2;
  if (!ReadSymbols(headerPath)) return false;
  std::vector<std::string> lines;
  if (!ReadLines(scriptPath, &lines)) return false;

  enum class Block { kNone, kStrings, kMenu, kAccelerators, kToolBar, kDialog, kOther };
  Block block = Block::kNone;
  int blockId = 0;
  int depth = 0;
  std::vector<std::string> popups;
  bool pendingBegin = false;
  for (const std::string& l : lines) {
    if (l.empty()) continue;
    if (StartsWith(l, "#pragma code_page(65001)")) utf8_ = true;
    if (StartsWith(l, "LANGUAGE ")) language_ = Trim(l.substr(9));
    if (l == "BEGIN" || l == "{") {
      ++depth;
      pendingBegin = false;
      continue;
    }
    if (l == "END" || l == "}") {
      if (--depth <= 0) {
        depth = 0;
        block = Block::kNone;
      } else if (block == Block::kMenu && !popups.empty()) {
        popups.pop_back();
      }
      continue;
    }
    std::istringstream words(l);
    std::string first, second;
    words >> first >> second;
    if (depth == 0 && !pendingBegin) {
      if (first == "STRINGTABLE") {
        block = Block::kStrings;
      } else if (second == "MENU") {
        block = Block::kMenu;
        blockId = Value(first);
        popups.clear();
      } else if (second == "ACCELERATORS") {
        block = Block::kAccelerators;
        blockId = Value(first);
      } else if (second == "241") {
        block = Block::kToolBar;
        blockId = Value(first);
      } else if (second == "DIALOGEX" || second == "DIALOG") {
        block = Block::kDialog;
        blockId = Value(first);
        dialogs_[blockId].language = language_;
      } else if (second == "VERSIONINFO") {
        block = Block::kOther;
      } else {
        continue;
      }
      pendingBegin = true;
      continue;
    }
    switch (block) {
      case Block::kStrings: {
        const std::vector<std::string> f = Fields(l);
        if (f.size() >= 2) strings_[Value(f[0])] = Unquote(f[1]);
        break;
      }
      case Block::kMenu: {
        const std::string path = [&] {
          std::string p;
          for (const std::string& s : popups) p += (p.empty() ? "" : " > ") + s;
          return p;
        }();
        if (first == "POPUP") {
          std::size_t pos = l.find('"');
          const std::string text = Quoted(l, &pos);
          menus_[blockId].push_back({path, text, 0, true});
          popups.push_back(text);
        } else if (first == "MENUITEM" && second == "SEPARATOR") {
          menus_[blockId].push_back({path, "", 0, false});
        } else if (first == "MENUITEM") {
          std::size_t pos = l.find('"');
          const std::string text = Quoted(l, &pos);
          std::string rest = Trim(l.substr(pos));
          if (!rest.empty() && rest[0] == ',') rest = rest.substr(1);
          const std::vector<std::string> f = Fields(rest);
          menus_[blockId].push_back({path, text, f.empty() ? -1 : Value(f[0]), false});
        }
        break;
      }
      case Block::kAccelerators: {
        const std::vector<std::string> f = Fields(l);
        if (f.size() < 3) break;
        Accelerator a;
        a.key = Unquote(f[0]);
        a.id = Value(f[1]);
        for (std::size_t i = 2; i < f.size(); ++i) {
          if (f[i] == "CONTROL" || f[i] == "SHIFT" || f[i] == "ALT") {
            a.flags += (a.flags.empty() ? "" : "+") + f[i];
          }
        }
        accelerators_[blockId].push_back(a);
        break;
      }
      case Block::kToolBar:
        for (const std::string& f : Fields(l)) toolBars_[blockId].push_back(Value(f));
        break;
      case Block::kDialog: {
        Dialog& d = dialogs_[blockId];
        if (depth == 0) {
          if (first == "CAPTION") {
            std::size_t pos = l.find('"');
            d.caption = Quoted(l, &pos);
          }
          break;
        }
        Control c;
        c.kind = first;
        std::string rest = Trim(l.substr(first.size()));
        if (!rest.empty() && rest[0] == '"') {
          std::size_t pos = 0;
          c.text = Quoted(rest, &pos);
          rest = Trim(rest.substr(pos));
          if (!rest.empty() && rest[0] == ',') rest = Trim(rest.substr(1));
        }
        const std::vector<std::string> f = Fields(rest);
        if (c.kind == "ICON" && !f.empty()) {
          c.id = f.size() > 1 ? Value(f[1]) : -1;
        } else if (!f.empty()) {
          c.id = Value(f[0]);
        }
        c.style = rest;
        d.controls.push_back(c);
        break;
      }
      default:
        break;
    }
  }
  return true;
}

char AccessKey(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    const char c = text[i + 1];
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return 0;
}

}  // namespace rc
