#include "platform/console/terminal_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/console/braille.h"
#include "platform/codec/cp932.h"
#include "platform/console/screen_model.h"

namespace verdan {
namespace {

// The terminal's plane: 2 x 4 dots under each of the 80 x 24 cells.
ScreenModel terminal_screen() { return ScreenModel(160, 96); }

TEST(Braille, EachPixelUnderACellLightsItsOwnDot) {
  struct Case {
    int dx, dy;
    std::uint8_t bit;
  };
  // Dots 1-3 down the left, 4-6 down the right, 7 and 8 along the bottom.
  const Case cases[] = {{0, 0, 0x01}, {0, 1, 0x02}, {0, 2, 0x04}, {0, 3, 0x40},
                        {1, 0, 0x08}, {1, 1, 0x10}, {1, 2, 0x20}, {1, 3, 0x80}};
  for (const Case& c : cases) {
    SCOPED_TRACE("dot " + std::to_string(c.dx) + "," + std::to_string(c.dy));
    ScreenModel screen = terminal_screen();
    // Cell (5, 7) covers x 14-15 and y 20-23.
    screen.set_pixel(14 + c.dx, 20 + c.dy, 3);
    EXPECT_EQ(braille_cell(screen, 5, 7), (BrailleCell{c.bit, 3}));
    const std::pair<int, int> neighbours[] = {{5, 6}, {5, 8}, {4, 7}, {6, 7}};
    for (auto [row, col] : neighbours) {
      EXPECT_EQ(braille_cell(screen, row, col).dots, 0) << "neighbour " << row << "," << col;
    }
  }
}

TEST(Braille, TheColourOfMostLitDotsWinsAndBlackLightsNothing) {
  ScreenModel screen = terminal_screen();
  screen.set_pixel(0, 0, 2);
  screen.set_pixel(0, 1, 2);
  screen.set_pixel(0, 2, 2);
  screen.set_pixel(1, 0, 15);
  EXPECT_EQ(braille_cell(screen, 0, 0), (BrailleCell{0x0F, 2}));

  // A tie goes to the higher palette index, whichever was drawn first.
  screen.set_pixel(2, 0, 4);
  screen.set_pixel(2, 1, 12);
  screen.set_pixel(3, 0, 12);
  screen.set_pixel(3, 1, 4);
  EXPECT_EQ(braille_cell(screen, 0, 1), (BrailleCell{0x1B, 12}));

  screen.set_pixel(0, 0, 0);  // erasing in colour 0
  screen.set_pixel(0, 1, 0);
  EXPECT_EQ(braille_cell(screen, 0, 0), (BrailleCell{0x0C, 15}));
}

TEST(ShownCells, ABoxDrawnOnThePlaneShowsAsBrailleAroundItsCells) {
  ScreenModel screen = terminal_screen();
  screen.box(20, 40, 139, 79, 2);  // cells 10-69 of rows 10-19
  struct Case {
    int row, col;
    char32_t ch;
  };
  const Case cases[] = {
      {10, 10, U'\u284F'}, {10, 11, U'\u2809'}, {10, 69, U'\u28B9'},  // top
      {11, 10, U'\u2847'}, {18, 69, U'\u28B8'},                        // sides
      {19, 10, U'\u28C7'}, {19, 40, U'\u28C0'}, {19, 69, U'\u28F8'},  // bottom
      {15, 40, U' '},      {10, 9, U' '},       {10, 70, U' '},       // inside, outside
  };
  for (const Case& c : cases) {
    ShownCell cell = shown_cell(screen, c.row, c.col);
    EXPECT_EQ(static_cast<std::uint32_t>(cell.ch), static_cast<std::uint32_t>(c.ch))
        << "cell " << c.row << "," << c.col;
    EXPECT_EQ(cell.span, 1);
    if (c.ch != U' ') {
      EXPECT_EQ(cell.color, 2);
    }
  }
}

TEST(ShownCells, TextKeepsItsCellsAndOnlyBlanksShowTheDrawing) {
  ScreenModel screen = terminal_screen();
  screen.box(20, 40, 139, 79, 2);
  screen.set_color(6);
  screen.locate(10, 40);
  screen.put_text("T");
  screen.locate(10, 42);
  screen.put_text(" \x07");  // a written blank and a control byte show the drawing
  screen.locate(11, 10);
  screen.put_text(sj("表ｱ"));

  EXPECT_EQ(shown_cell(screen, 10, 40), (ShownCell{U'T', 6, 1}));
  EXPECT_EQ(shown_cell(screen, 10, 42), (ShownCell{U'\u2809', 2, 1}));
  EXPECT_EQ(shown_cell(screen, 10, 43), (ShownCell{U'\u2809', 2, 1}));
  EXPECT_EQ(shown_cell(screen, 11, 10), (ShownCell{U'表', 6, 2}));
  EXPECT_EQ(shown_cell(screen, 11, 11), (ShownCell{0, 0, 0}));
  EXPECT_EQ(shown_cell(screen, 11, 12), (ShownCell{U'ｱ', 6, 1}));
  EXPECT_EQ(shown_cell(screen, 0, 0), ShownCell{});  // nothing there at all
}

TEST(DamagedCells, OnlyTheDamagedCellsAsTheTerminalShowsThem) {
  ScreenModel screen = terminal_screen();
  screen.locate(3, 4);
  screen.put_text("A");
  screen.set_pixel(12, 24, 5);  // under the blank cell (6, 6)
  screen.set_pixel(8, 12, 5);   // under the "A" at (3, 4): hidden by the text
  auto changes = damaged_cells(screen, screen.take_damage());
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].row, 3);
  EXPECT_EQ(changes[0].col, 4);
  EXPECT_EQ(changes[0].cell, (ShownCell{U'A', 7, 1}));
  EXPECT_EQ(changes[1].row, 6);
  EXPECT_EQ(changes[1].col, 6);
  EXPECT_EQ(changes[1].cell, (ShownCell{U'\u2801', 5, 1}));
  EXPECT_TRUE(damaged_cells(screen, screen.take_damage()).empty());

  screen.locate(3, 4);
  screen.set_color(2);
  screen.put_text("A");  // a new colour is a change
  changes = damaged_cells(screen, screen.take_damage());
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].cell, (ShownCell{U'A', 2, 1}));
}

TEST(DamagedCells, ADoubleByteCharacterIsDrawnWholeWhicheverHalfChanged) {
  ScreenModel screen = terminal_screen();
  screen.put_text(sj("表"));
  screen.take_damage();
  screen.locate(0, 0);
  screen.put_text("ab");
  auto changes = damaged_cells(screen, screen.take_damage());
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].cell, (ShownCell{U'a', 7, 1}));
  EXPECT_EQ(changes[1].col, 1);
  EXPECT_EQ(changes[1].cell, (ShownCell{U'b', 7, 1}));

  // "あ" and "い" share their lead byte: only the trail cell changes, but
  // the terminal draws the character from its left half.
  screen.locate(1, 0);
  screen.put_text(sj("あ"));
  screen.take_damage();
  screen.locate(1, 0);
  screen.put_text(sj("い"));
  changes = damaged_cells(screen, screen.take_damage());
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].cell, (ShownCell{U'い', 7, 2}));
  EXPECT_EQ(changes[1].cell, (ShownCell{0, 0, 0}));
}

TEST(TerminalColors, PaletteBitsBecomeCursesColourNumbers) {
  // Palette: bit 0 blue, bit 1 red, bit 2 green, bit 3 bright.
  // Curses: red 1, green 2, yellow 3, blue 4, magenta 5, cyan 6, white 7.
  const int sixteen[16] = {0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15};
  for (int palette = 0; palette < 16; ++palette) {
    EXPECT_EQ(terminal_color(palette, 16), (TerminalColor{sixteen[palette], false})) << palette;
    EXPECT_EQ(terminal_color(palette, 256), (TerminalColor{sixteen[palette], false})) << palette;
  }
  // Eight colours: brightness by bold, grey as plain white so it stays visible.
  EXPECT_EQ(terminal_color(2, 8), (TerminalColor{1, false}));
  EXPECT_EQ(terminal_color(7, 8), (TerminalColor{7, false}));
  EXPECT_EQ(terminal_color(8, 8), (TerminalColor{7, false}));
  EXPECT_EQ(terminal_color(9, 8), (TerminalColor{4, true}));
  EXPECT_EQ(terminal_color(14, 8), (TerminalColor{3, true}));
  // No colours: only the bold of the bright ones is left.
  EXPECT_EQ(terminal_color(6, 0), (TerminalColor{-1, false}));
  EXPECT_EQ(terminal_color(15, 0), (TerminalColor{-1, true}));
}

}  // namespace
}  // namespace verdan
