// Column widths fitted to the lists' content, and texts measured through
// the list a character at a time.
#include "faxpick/dialogs/column_fit.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_list_control.h"

namespace picker {
namespace {

TEST(FitColumns, GivesContentRoomByRankWithinTheList) {
  struct Case {
    const char* what;
    std::vector<ColumnNeed> columns;  // initial, header, content, rank
    int room;
    std::vector<int> widths;
  };
  const Case cases[] = {
      {"room for content and initial widths: the larger of each, the rest free",
       {{90, 61, 64, 1}, {50, 61, 42, 2}, {80, 40, 84, 0}}, 600, {90, 61, 84}},
      {"room for the content only: initial widths come back from the left",
       {{80, 30, 50, 0}, {80, 30, 100, 1}, {80, 30, 40, 2}}, 230, {80, 100, 50}},
      {"short room: the fax number whole, then the name, then the rest alike",
       {{80, 40, 200, 0}, {90, 40, 120, 1}, {80, 40, 300, 3}, {80, 40, 300, 3}}, 500,
       {200, 120, 90, 90}},
      {"a column of a rank needing less than its share leaves the rest to the others",
       {{0, 40, 300, 0}, {0, 40, 60, 0}}, 181, {121, 60}},
      {"the pixel a level cannot share goes to the left",
       {{0, 40, 300, 0}, {0, 40, 300, 0}}, 181, {91, 90}},
      {"headers of ranks 0 and 1 passing the room: those headers whole",
       {{80, 100, 200, 0}, {80, 100, 50, 1}}, 150, {100, 100}},
      {"the fax number whole before the headers of the lesser columns",
       {{80, 60, 250, 0}, {80, 60, 60, 2}, {80, 60, 200, 3}}, 320, {250, 35, 35}},
      {"the lesser headers whole before their content, which then goes rank by rank",
       {{80, 60, 100, 0}, {80, 60, 90, 2}, {80, 60, 200, 3}}, 260, {100, 90, 70}},
      {"a lower rank takes what it needs before a higher one",
       {{200, 40, 60, 1}, {80, 40, 300, 0}}, 300, {40, 260}},
      {"a header wider than its content counts", {{50, 61, 20, 0}}, 100, {61}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitColumns(c.columns, c.room), c.widths) << c.what;
    int sum = 0;
    for (int w : c.widths) sum += w;
    int least = 0;
    for (const ColumnNeed& n : c.columns) least += n.rank <= 1 ? n.header : n.header / 2;
    EXPECT_LE(sum, std::max(c.room, least)) << c.what;
  }
}

TEST(FitColumns, TheWidestFitIsTheRoomLessTheOthersLeastWidths) {
  const std::vector<ColumnNeed> columns = {{80, 40, 0, 0}, {80, 30, 0, 1}, {80, 20, 0, 2}};
  EXPECT_EQ(WidestFit(columns, 0, 300), 260);
  EXPECT_EQ(WidestFit(columns, 2, 300), 230);
}

// Each character is measured once; a text's width is the sum of its
// characters', a double-byte one as one character of the page.
TEST(TextWidths, SumCharactersMeasuredOnceThroughTheList) {
  ui::FakeListControl list;
  struct Case {
    int codePage;
    std::string text;
    int width;
    int measuredAfter;
  };
  const Case cases[] = {
      {932, "a\x82\xA0" "b", 24, 3},
      {932, "ba\x82\xA0\x82\xA0", 36, 3},
      {932, "\x82", 6, 4},  // a lead byte at the end stands alone
      {932, "", 0, 4},
  };
  TextWidths widths(list, 932);
  for (const Case& c : cases) {
    EXPECT_EQ(widths.Of(c.text), c.width) << c.text;
    EXPECT_EQ(list.Measured(), c.measuredAfter) << c.text;
  }
  ui::FakeListControl western;
  TextWidths single(western, 1252);
  EXPECT_EQ(single.Of("a\x82\xA0" "b"), 24);
  EXPECT_EQ(western.Measured(), 4);
}

}  // namespace
}  // namespace picker
