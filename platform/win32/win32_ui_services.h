// The resource source, message boxes, wait cursor and help engine on
// Windows.
#pragma once

#include <windows.h>

#include "platform/ui/help.h"
#include "platform/ui/message_box.h"
#include "platform/ui/resources.h"
#include "platform/ui/wait_cursor.h"

namespace ui {

class Win32Resources : public Resources {
 public:
  explicit Win32Resources(HINSTANCE program) : program_(program), source_(program) {}
  ~Win32Resources() override;
  bool UseLanguageLibrary(const std::string& name) override;
  // Converted from the resource's Unicode text to the ANSI code page.
  std::string String(int id) override;
  bool SourcePath(std::string* path) override;

  // The module that holds resource (type, id): the language library when
  // it has it, else the program itself.
  HINSTANCE Find(LPCSTR type, int id) const;
  HINSTANCE Source() const { return source_; }

 private:
  HINSTANCE program_;
  HINSTANCE source_;
  HMODULE library_ = nullptr;
};

// Message boxes owned by the main window once it exists.
class Win32MessageBoxes : public MessageBoxes {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  int Show(const std::string& text, const std::string& caption, Buttons buttons,
           Icon icon) override;
  // The MessageBoxA style of buttons and icon.
  static UINT Style(Buttons buttons, Icon icon);

 private:
  HWND owner_ = nullptr;
};

class Win32WaitCursor : public WaitCursor {
 public:
  void Begin() override;
  void End() override;
  bool Active() const { return depth_ > 0; }

 private:
  int depth_ = 0;
  HCURSOR previous_ = nullptr;
};

// WinHelpA on the help file, owned by the main window; without one, by
// the active window of this thread (a program whose only window is a
// dialog). Quit names the window that asked for help last.
class Win32Help : public HelpSystem {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void ShowFinder(const std::string& helpPath) override;
  void ShowTopic(const std::string& helpPath, unsigned long topic) override;
  void Quit(const std::string& helpPath) override;

 private:
  HWND Owner();

  HWND owner_ = nullptr;
  HWND asked_ = nullptr;
};

}  // namespace ui
