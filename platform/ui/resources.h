// The resource source: where strings, menus, dialogs, icons and toolbars
// come from.
//
// The program's own resources serve until a language library is taken into
// use; from then on every resource is looked up in the library first (and
// strings only there).
#pragma once

#include <string>
#include <vector>

namespace ui {

class Resources {
 public:
  virtual ~Resources() = default;

  // Loads the resource library by name from the standard search path and,
  // when it loads, makes it the resource source for the rest of the
  // program's life. False (and nothing changes) when it cannot be loaded.
  virtual bool UseLanguageLibrary(const std::string& name) = 0;

  // The string `id` of the current resource source, in the ANSI code page;
  // empty when the source has no such string.
  virtual std::string String(int id) = 0;

  // The full path of the module resources come from: the language library
  // in use, else the program. False when the system cannot tell.
  virtual bool SourcePath(std::string* path) = 0;
};

// Replaces the first conversion of a message text ("%d", "%ld", "%s", with
// or without flags and width) by `value` and every "%%" by "%". Texts come
// from resource libraries, so they are never handed to printf: any other
// "%" stays as it is.
std::string FormatText(const std::string& format, const std::string& value);

// The same with several values, for the conversions in order; conversions
// beyond the values stay as they are.
std::string FormatText(const std::string& format, const std::vector<std::string>& values);

}  // namespace ui
