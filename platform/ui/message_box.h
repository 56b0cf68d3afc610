// Modal message boxes.
#pragma once

#include <string>

namespace ui {

// Button ids a message box or dialog ends with (the system's values).
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

enum class Buttons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class Icon { kNone, kStop, kQuestion, kExclamation, kInformation };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;

  // Shows a modal message box owned by the program's main window (or by no
  // window before it exists) and returns the id of the button chosen.
  virtual int Show(const std::string& text, const std::string& caption, Buttons buttons,
                   Icon icon) = 0;
};

}  // namespace ui
