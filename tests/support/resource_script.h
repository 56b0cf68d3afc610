// Reads resource scripts as the resource compiler would see them, for the
// tests that check ids and texts: string tables, menus, accelerators, the
// toolbar and dialog controls.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace rc {

struct MenuEntry {
  std::string path;  // the popups above the item, joined by " > "
  std::string text;  // empty for a separator
  int id = 0;        // 0 for a separator and for a popup
  bool popup = false;
};

struct Accelerator {
  std::string key;  // "S" or VK_INSERT
  int id = 0;
  std::string flags;  // "CONTROL", "SHIFT", "ALT" joined by "+", in script order
};

struct Control {
  std::string kind;  // CONTROL, PUSHBUTTON, LTEXT, ...
  std::string text;
  int id = 0;
  std::string style;  // everything after the id, as written
};

struct Dialog {
  std::string caption;
  std::string language;  // the LANGUAGE statement in force
  std::vector<Control> controls;
};

// The access key of a menu or control text: the letter after "&", folded
// to upper case ("&&" is a plain "&"); 0 when the text has none.
char AccessKey(const std::string& text);

class Script {
 public:
  // Loads the script and the #define header its ids come from. False when
  // either cannot be read.
  bool Load(const std::string& scriptPath, const std::string& headerPath);

  const std::map<int, std::string>& Strings() const { return strings_; }
  const std::vector<MenuEntry>& Menu(int id) { return menus_[id]; }
  const std::vector<Accelerator>& Accelerators(int id) { return accelerators_[id]; }
  const std::vector<int>& ToolBar(int id) { return toolBars_[id]; }
  const Dialog& DialogTemplate(int id) { return dialogs_[id]; }
  const std::string& Language() const { return language_; }
  bool UsesUtf8() const { return utf8_; }
  // A symbol of the header, or a number; -1 when neither.
  int Value(const std::string& token) const;

 private:
  // The #define lines of a header and of the headers it includes.
  bool ReadSymbols(const std::string& headerPath);
  // The statements of a script and of the script fragments it includes.
  bool ReadLines(const std::string& scriptPath, std::vector<std::string>* lines);

  std::map<std::string, int> symbols_;
  std::map<int, std::string> strings_;
  std::map<int, std::vector<MenuEntry>> menus_;
  std::map<int, std::vector<Accelerator>> accelerators_;
  std::map<int, std::vector<int>> toolBars_;
  std::map<int, Dialog> dialogs_;
  std::string language_;
  bool utf8_ = false;
};

}  // namespace rc
