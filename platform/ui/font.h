// Fonts a program creates for its controls.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

// An opaque font; 0 is no font (the control keeps its dialog font).
using FontHandle = std::intptr_t;

struct FontSpec {
  int height = 0;   // logical units; negative: character height
  int charset = 1;  // DEFAULT_CHARSET
  std::string face;
};

}  // namespace ui
