#include "platform/console/braille.h"

#include <array>

namespace verdan {
namespace {

// Braille numbers its dots down the left column (1, 2, 3), down the right
// (4, 5, 6), then the bottom row (7, 8): the later addition of the 8-dot cell.
constexpr std::array<std::array<std::uint8_t, kBrailleDotRows>, kBrailleDotColumns> kDotBit{{
    {{0x01, 0x02, 0x04, 0x40}},
    {{0x08, 0x10, 0x20, 0x80}},
}};

}  // namespace

BrailleCell braille_cell(const ScreenModel& screen, int row, int col) {
  std::array<int, 16> count{};
  BrailleCell cell;
  for (int dx = 0; dx < kBrailleDotColumns; ++dx) {
    for (int dy = 0; dy < kBrailleDotRows; ++dy) {
      const int x = col * kBrailleDotColumns + dx;
      const int y = row * kBrailleDotRows + dy;
      int color = screen.pixel(x, y);
      if (color <= 0) continue;  // background, or off the plane
      // A label's strokes are shown as its text instead.
      if (screen.label_ink(x, y)) continue;
      cell.dots |= kDotBit[dx][dy];
      ++count[color];
    }
  }
  for (int color = 15; color > 0; --color) {
    if (count[color] > count[cell.color]) cell.color = static_cast<std::uint8_t>(color);
  }
  return cell;
}

}  // namespace verdan
