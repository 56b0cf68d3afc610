#include "faxpick/dialogs/column_fit.h"

#include <algorithm>
#include <numeric>

#include "platform/text/codepage.h"

namespace picker {
namespace {

int Need(const ColumnNeed& c) { return std::max(c.content, c.header); }

int LeastWidth(const ColumnNeed& c) {
  return c.rank <= kWholeHeaderRank ? c.header : c.header / 2;
}

// Raises the columns of `members` from their widths toward their targets
// by `room` pixels at most, alike: the largest level that fits, then a
// pixel more each from the left while pixels are left. Returns what it
// used.
int Share(const std::vector<std::size_t>& members, const std::vector<int>& targets, int room,
          std::vector<int>* widths) {
  const auto raised = [&](std::size_t i, int level) {
    return std::clamp(level, (*widths)[i], std::max((*widths)[i], targets[i]));
  };
  const auto added = [&](int level) {
    long long sum = 0;
    for (std::size_t i : members) sum += raised(i, level) - (*widths)[i];
    return sum;
  };
  int low = 0;
  int high = 0;
  for (std::size_t i : members) high = std::max(high, targets[i]);
  // The largest level whose rise fits the room.
  while (low < high) {
    const int mid = low + (high - low + 1) / 2;
    if (added(mid) <= room) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  int used = 0;
  for (std::size_t i : members) {
    const int width = raised(i, low);
    used += width - (*widths)[i];
    (*widths)[i] = width;
  }
  for (std::size_t i : members) {
    if (used >= room) break;
    if ((*widths)[i] < targets[i]) {
      ++(*widths)[i];
      ++used;
    }
  }
  return used;
}

}  // namespace

std::vector<int> FitColumns(const std::vector<ColumnNeed>& columns, int room) {
  const std::size_t n = columns.size();
  std::vector<int> widths(n);
  long long wanted = 0, needed = 0;
  for (const ColumnNeed& c : columns) {
    wanted += std::max(c.initial, Need(c));
    needed += Need(c);
  }
  if (wanted <= room) {
    for (std::size_t i = 0; i < n; ++i) widths[i] = std::max(columns[i].initial, Need(columns[i]));
    return widths;
  }
  if (needed <= room) {
    int spare = room - static_cast<int>(needed);
    for (std::size_t i = 0; i < n; ++i) {
      const int back = std::min(spare, std::max(0, columns[i].initial - Need(columns[i])));
      widths[i] = Need(columns[i]) + back;
      spare -= back;
    }
    return widths;
  }
  // The content does not fit: every column starts at its least width, then
  // the room left goes, in turn, to the content of ranks 0 and 1, to the
  // other headers, and to the other ranks' content, rank by rank.
  long long least = 0;
  for (std::size_t i = 0; i < n; ++i) {
    widths[i] = LeastWidth(columns[i]);
    least += widths[i];
  }
  if (least >= room) return widths;
  int left = room - static_cast<int>(least);
  std::vector<int> needs(n), headers(n);
  for (std::size_t i = 0; i < n; ++i) {
    needs[i] = Need(columns[i]);
    headers[i] = columns[i].header;
  }
  std::vector<int> ranks;
  for (const ColumnNeed& c : columns) ranks.push_back(c.rank);
  std::sort(ranks.begin(), ranks.end());
  ranks.erase(std::unique(ranks.begin(), ranks.end()), ranks.end());
  const auto ofRank = [&](auto keep) {
    std::vector<std::size_t> members;
    for (std::size_t i = 0; i < n; ++i) {
      if (keep(columns[i].rank)) members.push_back(i);
    }
    return members;
  };
  for (int rank : ranks) {
    if (rank > kWholeHeaderRank) break;
    left -= Share(ofRank([rank](int r) { return r == rank; }), needs, left, &widths);
  }
  left -= Share(ofRank([](int r) { return r > kWholeHeaderRank; }), headers, left, &widths);
  for (int rank : ranks) {
    if (rank <= kWholeHeaderRank || left <= 0) continue;
    left -= Share(ofRank([rank](int r) { return r == rank; }), needs, left, &widths);
  }
  return widths;
}

int WidestFit(const std::vector<ColumnNeed>& columns, std::size_t column, int room) {
  int others = 0;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i != column) others += LeastWidth(columns[i]);
  }
  return room - others;
}

TextWidths::TextWidths(const ui::ListControl& list, int codePage)
    : list_(list), codePage_(codePage) {
  single_.fill(-1);
}

int TextWidths::Measure(std::string_view character) {
  return list_.TextWidth(std::string(character));
}

int TextWidths::Of(std::string_view text) {
  const unsigned char* table = text::detail::ByteTable(codePage_);
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  int width = 0;
  for (std::size_t i = 0; i < n;) {
    const unsigned char b = p[i];
    if (table && (table[b] & text::detail::kLead) && i + 1 < n &&
        (table[p[i + 1]] & text::detail::kTrail)) {
      if (pairs_.empty()) pairs_.assign(65536, -1);
      std::int16_t& known = pairs_[static_cast<std::size_t>(b) << 8 | p[i + 1]];
      if (known < 0) known = static_cast<std::int16_t>(Measure(text.substr(i, 2)));
      width += known;
      i += 2;
    } else {
      std::int16_t& known = single_[b];
      if (known < 0) known = static_cast<std::int16_t>(Measure(text.substr(i, 1)));
      width += known;
      ++i;
    }
  }
  return width;
}

}  // namespace picker
