// What the terminal front end shows in each of the 80 x 24 cells (the text,
// or where a cell holds no text the drawing as braille), the damaged cells
// to draw, and the palette in the terminal's colour numbers.
// Pure: no curses here, so tests can check it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/console/label_placement.h"
#include "platform/console/screen_damage.h"
#include "platform/console/screen_model.h"

namespace verdan {

struct ShownCell {
  char32_t ch = U' ';      // code point; 0 for the right half of a wide character
  std::uint8_t color = ScreenModel::kDefaultColor;
  std::uint8_t span = 1;   // cells taken: 2 a double-byte character, 0 its right half
  friend bool operator==(const ShownCell&, const ShownCell&) = default;
};

// The cell at (row, col) as the terminal shows it. Blank and control-byte
// cells show a label placed there (`labels`, from place_labels), else the
// drawing under them; cells without dots are plain blanks.
ShownCell shown_cell(const ScreenModel& screen, int row, int col, const LabelCells& labels);
ShownCell shown_cell(const ScreenModel& screen, int row, int col);

struct CellChange {
  int row;
  int col;
  ShownCell cell;
};

// The cells of `damage` as `screen` shows them, row by row from the left.
std::vector<CellChange> damaged_cells(const ScreenModel& screen, const ScreenDamage& damage);

struct TerminalColor {
  int number;  // curses colour number; -1 when the terminal has no colours
  bool bold;   // brightness by the bold attribute, where 16 colours are lacking
  friend bool operator==(const TerminalColor&, const TerminalColor&) = default;
};

// What goes out for a cell, given the width the terminal's locale gives
// its character (wcwidth). Characters of ambiguous width (①, ─) take one
// cell in most locales: the second cell gets a blank (`pad`) so the columns
// stay where the screen has them. What the terminal cannot show at all
// becomes a question mark; code sets without braille (EUC-JP, Shift_JIS)
// show the drawing as dots.
struct TerminalGlyph {
  char32_t ch;
  bool pad;
};
TerminalGlyph terminal_glyph(const ShownCell& cell, int width);

// Shown instead of the screen while the terminal is smaller than 80 x 24.
std::string too_small_message(int columns, int rows);

// Palette index (bit 0 blue, bit 1 red, bit 2 green, bit 3 bright) on a
// terminal with `colors` colours (curses' COLORS).
TerminalColor terminal_color(int palette, int colors);

}  // namespace verdan
