// The bytes the built-in VT100/ANSI renderer sends for changed cells:
// cursor addressing, colours by SGR (eight colours, bright ones bold, which
// every ANSI terminal has) and the text in the terminal's code set.
// Pure, so tests can check it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/frontends/terminal/terminal_codec.h"
#include "platform/console/terminal_screen.h"

namespace verdan {

// Plain attributes, cursor home, screen cleared.
inline constexpr std::string_view kAnsiClear = "\033[0m\033[H\033[2J";

// Where the terminal's cursor is and which colour it writes in; -1 when
// not known, so the next output sets it.
struct AnsiPen {
  int row = -1;
  int col = -1;
  int color = -1;
};

// The cursor to (row, col), from 0; nothing when it is there.
std::string ansi_move(int row, int col, AnsiPen& pen);

// `changes` drawn; `width` is the terminal's width of a character (wcwidth).
std::string ansi_cells(const std::vector<CellChange>& changes, CodeSet set,
                       int (*width)(char32_t), AnsiPen& pen);

}  // namespace verdan
