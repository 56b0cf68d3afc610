// Which help the editor opens for a help request.
//
// The help data of a request is 0x10000 + command id for help on a menu
// item or toolbar button, 0x20000 + resource id for help on a window or
// dialog (0x20080 is the main window), and 0 for the help contents.
#pragma once

struct HelpAction {
  enum Kind { kNothing, kFinder, kTopic } kind = kNothing;
  unsigned long topic = 0;
};

// The main window's topic, also used for every command of the main menu.
constexpr unsigned long kMainWindowTopic = 0x20080;

// d <= 0x10000, d == 0x20000 or d >= 0x30000: the help contents.
// 0x10000 < d < 0x20000: the main window's topic for the commands of the
// menu and toolbar; topic d for another command above 0x18000; else nothing.
// 0x20000 < d < 0x30000: topic d.
HelpAction MapHelp(unsigned long data);
