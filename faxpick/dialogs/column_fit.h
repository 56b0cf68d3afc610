// Column widths that fit the lists' content: every column as wide as its
// header and its widest cell need, where the list has the room.
//
// Where it has room for that and for every column's initial width, each
// column takes the larger of the two (the room left stays free at the
// right). Where it has room for the content but not for every initial
// width, columns narrower than their initial width get back what room
// there is, from the left. Where the content does not fit, the columns of
// ranks 0 and 1 start at their header's width and the others at half of
// theirs; what room is left goes first to the content of rank 0, then of
// rank 1, then to the other columns' headers, then to their content, rank
// by rank. The columns served together share their room alike (each as
// wide as the others, or as it needs when that is less).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/list_control.h"

namespace picker {

// The ranks whose columns always show their header whole.
constexpr int kWholeHeaderRank = 1;

struct ColumnNeed {
  int initial = 0;  // the width the column starts with
  int header = 0;   // its header shown whole
  int content = 0;  // its widest cell shown whole (the header's need included)
  int rank = 0;     // where room is short, lower ranks are shown whole first
};

std::vector<int> FitColumns(const std::vector<ColumnNeed>& columns, int room);

// The widest the column can be in any fit: the room less every other
// column's least width. Once a column's content is known to need this
// much, wider cells change nothing.
int WidestFit(const std::vector<ColumnNeed>& columns, std::size_t column, int room);

// The widths of texts in one list's font, summed from the widths of their
// characters (each character measured once, through the list): a legal
// double-byte pair of the code page is one character, any other byte one
// of its own.
class TextWidths {
 public:
  TextWidths(const ui::ListControl& list, int codePage);
  int Of(std::string_view text);

 private:
  int Measure(std::string_view character);

  const ui::ListControl& list_;
  int codePage_;
  std::array<std::int16_t, 256> single_;
  std::vector<std::int16_t> pairs_;  // by (lead << 8 | trail), filled as met
};

}  // namespace picker
