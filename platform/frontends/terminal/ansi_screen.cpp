#include "platform/frontends/terminal/ansi_screen.h"

#include "platform/codec/cp932.h"

namespace verdan {
namespace {

constexpr int kAnsiColors = 8;

std::string select_color(int palette, AnsiPen& pen) {
  if (pen.color == palette) return {};
  pen.color = palette;
  TerminalColor color = terminal_color(palette, kAnsiColors);
  return std::string("\033[0;") + (color.bold ? "1;" : "") + "3" + std::to_string(color.number) + "m";
}

std::string in_code_set(char32_t ch, CodeSet set) {
  std::string utf8;
  append_utf8(utf8, ch);
  if (set == CodeSet::utf8 || ch < 0x80) return utf8;
  return encode_for_terminal(to_cp932(utf8), set);
}

}  // namespace

std::string ansi_move(int row, int col, AnsiPen& pen) {
  if (pen.row == row && pen.col == col) return {};
  pen.row = row;
  pen.col = col;
  return "\033[" + std::to_string(row + 1) + ";" + std::to_string(col + 1) + "H";
}

std::string ansi_cells(const std::vector<CellChange>& changes, CodeSet set,
                       int (*width)(char32_t), AnsiPen& pen) {
  std::string out;
  for (const CellChange& change : changes) {
    const ShownCell& cell = change.cell;
    if (cell.span == 0) continue;  // drawn with its left half
    TerminalGlyph glyph = terminal_glyph(cell, width(cell.ch));
    out += ansi_move(change.row, change.col, pen);
    out += select_color(cell.color & 15, pen);
    out += in_code_set(glyph.ch, set);
    if (glyph.pad) out += ' ';
    pen.col += cell.span;
    // Past the last column the cursor waits to wrap, and a wide character
    // may have taken a width the terminal decides: the next cell says where.
    if (cell.span == 2 || pen.col >= ScreenModel::kColumns) pen.col = -1;
  }
  return out;
}

}  // namespace verdan
