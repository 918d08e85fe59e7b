// The drawing plane shown in text cells as Unicode braille: 2 x 4 dots a
// cell, so a plane of 160 x 96 pixels covers the 80 x 24 text cells.
#pragma once

#include <cstdint>

#include "platform/console/screen_model.h"

namespace verdan {

struct BrailleCell {
  std::uint8_t dots = 0;   // bit n is braille dot n + 1, as in U+2800 + bits
  std::uint8_t color = 0;  // the colour most of the lit dots have
  friend bool operator==(const BrailleCell&, const BrailleCell&) = default;
};

inline constexpr int kBrailleDotColumns = 2;
inline constexpr int kBrailleDotRows = 4;

// The dots of the pixels under text cell (row, col). Colour 0 is the
// background and lights no dot; a tie between colours goes to the higher
// palette index, so a bright line keeps its colour where it meets a dark one.
// Pixels of a label's strokes light no dot: the label is shown as text.
BrailleCell braille_cell(const ScreenModel& screen, int row, int col);

constexpr char32_t braille_char(std::uint8_t dots) { return U'\u2800' + dots; }

}  // namespace verdan
