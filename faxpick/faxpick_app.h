// The picker's application: chooses the interface language and its
// resource library, reads the command line and runs the destination
// dialog, whose OK hands the send list back through the exchange file.
// Nothing is written on Cancel.
#pragma once

#include <string_view>

#include "faxpick/startup/command_line.h"
#include "faxpick/startup/picker_services.h"

namespace picker {

class CFaxpickApp {
 public:
  explicit CFaxpickApp(const PickerServices& services) : services_(services) {}

  // The whole run; returns the exit code, 0 whatever the outcome.
  int Run(std::string_view commandLine);

  // The language library is the language's own, else the English one,
  // else none (the program's own resources); the language stays as the
  // locale gave it.
  void ChooseLanguage();
  int UiLanguage() const { return uiLanguage_; }

 private:
  PickerServices services_;
  int uiLanguage_ = 0;
};

}  // namespace picker
