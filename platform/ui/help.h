// The Windows help engine (WinHelpA).
#pragma once

#include <string>

namespace ui {

class HelpSystem {
 public:
  virtual ~HelpSystem() = default;
  // Opens the help finder (contents) of the help file. helpPath may name a
  // secondary window after ">" ("FAXBOOK.HLP>ABookM").
  virtual void ShowFinder(const std::string& helpPath) = 0;
  // Opens one topic (a context number) of the help file.
  virtual void ShowTopic(const std::string& helpPath, unsigned long topic) = 0;
  // Tells the help engine that the program needs the file no more
  // (HELP_QUIT); never starts the engine.
  virtual void Quit(const std::string& helpPath) = 0;
};

}  // namespace ui
