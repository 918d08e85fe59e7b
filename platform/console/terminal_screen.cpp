#include "platform/console/terminal_screen.h"

#include <string_view>

#include "platform/console/braille.h"
#include "platform/codec/cp932.h"

namespace verdan {
namespace {

bool shows_drawing(const Cell& cell) {
  auto b = static_cast<unsigned char>(cell.byte);
  return cell.kind == CellKind::single && (b <= 0x20 || b == 0x7F);
}

ShownCell drawing_at(const ScreenModel& screen, int row, int col) {
  BrailleCell dots = braille_cell(screen, row, col);
  if (dots.dots == 0) return ShownCell{};
  return ShownCell{braille_char(dots.dots), dots.color, 1};
}

}  // namespace

ShownCell shown_cell(const ScreenModel& screen, int row, int col) {
  return shown_cell(screen, row, col, place_labels(screen));
}

ShownCell shown_cell(const ScreenModel& screen, int row, int col, const LabelCells& labels) {
  const Cell cell = screen.cell(row, col);
  char bytes[2] = {cell.byte, 0};
  std::size_t length = 1;
  if (cell.kind == CellKind::lead && screen.cell(row, col + 1).kind == CellKind::trail &&
      col + 1 < ScreenModel::kColumns) {
    bytes[1] = screen.cell(row, col + 1).byte;
    length = 2;
  } else if (cell.kind == CellKind::trail && col > 0 &&
             screen.cell(row, col - 1).kind == CellKind::lead) {
    return ShownCell{0, 0, 0};
  } else if (cell.kind == CellKind::trail || shows_drawing(cell)) {
    // A half without its partner cannot be shown; the model never makes one.
    if (const auto& label = labels[row][col]; label && shows_drawing(cell)) {
      return ShownCell{label->ch, label->color, 1};
    }
    return drawing_at(screen, row, col);
  }
  std::size_t used = 0;
  char32_t cp = decode_char(std::string_view(bytes, length), 0, used);
  return ShownCell{cp, cell.color, static_cast<std::uint8_t>(length)};
}

std::vector<CellChange> damaged_cells(const ScreenModel& screen, const ScreenDamage& damage) {
  std::vector<CellChange> changes;
  if (!damage.any()) return changes;
  const LabelCells labels = place_labels(screen);
  for (int row = 0; row < ScreenModel::kRows; ++row) {
    for (int col = 0; col < ScreenModel::kColumns; ++col) {
      if (damage.at(row, col)) changes.push_back({row, col, shown_cell(screen, row, col, labels)});
    }
  }
  return changes;
}

TerminalGlyph terminal_glyph(const ShownCell& cell, int width) {
  char32_t ch = cell.ch;
  if (width < 0 && ch >= 0x2800 && ch <= 0x28FF) {
    ch = U'.';
    width = 1;
  }
  bool pad = cell.span == 2 && width == 1;
  if (width != cell.span && !pad) ch = cell.span == 2 ? U'\uFF1F' : U'?';
  return {ch, pad};
}

std::string too_small_message(int columns, int rows) {
  return "Terminal too small: need 80x24, have " + std::to_string(columns) + "x" + std::to_string(rows);
}

TerminalColor terminal_color(int palette, int colors) {
  palette &= 15;
  // Curses numbers colours in ANSI order: red 1, green 2, blue 4.
  int base = ((palette & 1) ? 4 : 0) | ((palette & 2) ? 1 : 0) | ((palette & 4) ? 2 : 0);
  bool bright = (palette & 8) != 0;
  if (colors >= 16) return {base + (bright ? 8 : 0), false};
  if (colors < 8) return {-1, bright};
  // Bold black is black on many terminals: grey becomes plain white instead.
  if (palette == 8) return {7, false};
  return {base, bright};
}

}  // namespace verdan
