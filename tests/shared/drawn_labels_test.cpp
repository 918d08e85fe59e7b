// Numbers drawn in strokes are kept as labels, which the terminal shows as
// text at the nearest free cells instead of unreadable braille.
#include <gtest/gtest.h>

#include <string>

#include "platform/codec/cp932.h"
#include "platform/frontends/headless/scripted_console.h"
#include "platform/console/terminal_screen.h"
#include "shared/screen_draw.h"

namespace verdan {
namespace {

std::string shown_row(const ScreenModel& screen, int row) {
  const LabelCells labels = place_labels(screen);
  std::string utf8;
  for (int col = 0; col < ScreenModel::kColumns; ++col) {
    ShownCell cell = shown_cell(screen, row, col, labels);
    if (cell.span != 0) append_utf8(utf8, cell.ch);
  }
  return utf8;
}

TEST(Labels, StrokeNumbersShowAsDigitsInTheirColourAndNoBrailleBlob) {
  ScriptedConsole console({}, 160, 96);
  PenState pen;
  pen.line_color = 15;
  // "12" with its left edge at x 40 and baseline at y 50: strokes over
  // x 41-50, y 44-50, middle (46, 47.5): cells 22-23 of row 11.
  draw_number_label(console, pen, 12, 1, 40, 50);
  const ScreenModel& screen = console.screen();
  ASSERT_EQ(screen.labels().size(), 1u);
  EXPECT_EQ(screen.labels()[0].text, "12");
  const std::string row = shown_row(screen, 11);
  EXPECT_EQ(row.substr(0, 25), std::string(22, ' ') + "12 ");
  EXPECT_EQ(shown_cell(screen, 11, 22, place_labels(screen)).color, 15);
  for (int r = 10; r <= 12; ++r) {
    for (int c = 18; c < 28; ++c) {
      char32_t ch = shown_cell(screen, r, c, place_labels(screen)).ch;
      EXPECT_FALSE(ch >= U'\u2800' && ch <= U'\u28FF') << "braille at " << r << "," << c;
    }
  }
  // The picture keeps the strokes.
  EXPECT_EQ(screen.pixel(42, 47), 15);
}

TEST(Labels, TextOnTheCellsPushesTheLabelToTheNearestFreeCells) {
  ScriptedConsole console({}, 160, 96);
  PenState pen;
  console.locate(11, 18);
  console.write("TAKEN");
  draw_number_label(console, pen, 7, 1, 42, 50);
  const std::string row = shown_row(console.screen(), 11);
  EXPECT_EQ(row.substr(18, 5), "TAKEN");
  // The middle of "7" (x 42-46) is on column 22, under the text: the
  // nearest free cell on the row is column 23, after it.
  EXPECT_EQ(row.substr(18, 6), "TAKEN7");
}

TEST(Labels, ErasingAndClearingTheDrawingDropLabels) {
  ScriptedConsole console({}, 160, 96);
  PenState pen;
  DSPN(console, pen, 3, 1, 10, 20);
  ASSERT_EQ(console.screen().labels().size(), 1u);
  pen.line_color = 0;
  DSPN(console, pen, 3, 1, 10, 20);
  EXPECT_TRUE(console.screen().labels().empty());
  pen.line_color = 15;
  DSPN(console, pen, 3, 1, 10, 20);
  console.clear_drawing();
  EXPECT_TRUE(console.screen().labels().empty());
}

}  // namespace
}  // namespace verdan
