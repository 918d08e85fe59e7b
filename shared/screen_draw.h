// Line and stroke-digit drawing on the console's drawing plane, with the
// pen position and line colour shared by every routine that draws through
// DRAW (the frame picture labels and the load symbols).
#pragma once

#include "platform/console/console.h"

namespace verdan {

// The shared drawing state: pen position in pixels (y down) and the colour
// of DRAW's lines, rounded half away from zero to an index 0-15.
struct PenState {
  float pen_x = 0;
  float pen_y = 0;
  float line_color = 15;
};

// A solid line from the pen to (x, y) in the pen's colour; the pen moves there.
// Failure 6, with nothing drawn, when the pen or (x, y) is not finite.
void DRAW(Console& console, PenState& pen, float x, float y);

// One decimal digit as a stroke glyph with its left edge at x and its
// baseline at y. Below 0.9 the small 3 x 5 glyphs (codes 0-9; 10-19 reach
// the large ones) at one pixel per unit, else the large 4 x 6 glyphs at
// `glyph_size` pixels per unit. Negative, fractional and larger digits draw
// nothing. The pen ends on the glyph's last point.
void DSPN(Console& console, PenState& pen, float digit, float glyph_size, float x, float y);

// A non-negative whole number's digits from x onwards, 6 units apart, the
// way the frame picture labels axes and levels.
void draw_number_label(Console& console, PenState& pen, float number, float glyph_size, float x, float y);

}  // namespace verdan
