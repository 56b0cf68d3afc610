// Colours of texts drawn by controls.
#pragma once

namespace ui {

// A colour, 0x00BBGGRR as the system keeps it.
using Colour = unsigned long;
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

}  // namespace ui
