#include "shared/screen_draw.h"

#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "platform/failure.h"
#include "shared/free_format.h"
#include "shared/leading_number.h"
#include "shared/rounding.h"

namespace verdan {
namespace {

using Point = std::pair<int, int>;
using Polyline = std::vector<Point>;
using Glyph = std::vector<Polyline>;

// Codes 0-9: the small set; 10-19: the large set.
const std::array<Glyph, 20>& glyphs() {
  static const std::array<Glyph, 20> table = {{
      {{{0, 1}, {1, 0}, {2, 0}, {3, 1}, {3, 4}, {2, 5}, {1, 5}, {0, 4}, {0, 1}, {3, 4}}},
      {{{0, 0}, {2, 0}}, {{1, 0}, {1, 5}, {0, 4}}},
      {{{3, 0}, {0, 0}, {3, 3}, {3, 4}, {2, 5}, {1, 5}, {0, 4}}},
      {{{0, 1}, {1, 0}, {2, 0}, {3, 1}, {3, 2}, {2, 3}, {1, 3}}, {{2, 3}, {3, 4}, {2, 5}, {1, 5}, {0, 4}}},
      {{{2, 0}, {2, 5}, {0, 3}, {0, 2}, {3, 2}}},
      {{{0, 1}, {1, 0}, {2, 0}, {3, 1}, {3, 2}, {2, 3}, {0, 3}, {0, 5}, {3, 5}}},
      {{{3, 4}, {2, 5}, {1, 5}, {0, 4}, {0, 1}, {1, 0}, {2, 0}, {3, 1}, {3, 2}, {2, 3}, {1, 3}, {0, 2}}},
      {{{0, 0}, {3, 3}, {3, 5}, {0, 5}}},
      {{{1, 3}, {0, 2}, {0, 1}, {1, 0}, {2, 0}, {3, 1}, {3, 2}, {2, 3}, {1, 3}, {0, 4}, {1, 5}, {2, 5}, {3, 4}, {2, 3}}},
      {{{0, 1}, {1, 0}, {2, 0}, {3, 1}, {3, 4}, {2, 5}, {1, 5}, {0, 4}, {0, 3}, {1, 2}, {2, 2}, {3, 3}}},
      {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {4, 5}}},
      {{{1, 0}, {3, 0}}, {{2, 0}, {2, 6}, {1, 5}}},
      {{{4, 0}, {0, 0}, {4, 4}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}},
      {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {2, 3}}, {{3, 3}, {4, 4}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}},
      {{{3, 0}, {3, 6}, {0, 3}, {0, 2}, {4, 2}}},
      {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 3}, {3, 4}, {0, 4}, {0, 6}, {4, 6}}},
      {{{4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {1, 3}, {0, 2}}},
      {{{0, 0}, {4, 4}, {4, 6}, {0, 6}}},
      {{{1, 3}, {0, 2}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {1, 3}, {0, 4}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3}}},
      {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 4}, {1, 3}, {3, 3}, {4, 4}}},
  }};
  return table;
}

int pixel(float v) {
  // Coordinates far off the plane are clipped by the console; keep them
  // within int range first.
  return to_int(std::fmax(std::fmin(v, 1e8f), -1e8f));
}

// The strokes of one digit, without the label.
void draw_digit(Console& console, PenState& pen, float digit, float glyph_size, float x, float y) {
  // A negative digit must not reach the small glyphs through the large
  // set's offset.
  if (!(digit >= 0)) return;
  float unit = 1;
  float code = digit;
  if (glyph_size >= 0.9f) {
    unit = glyph_size;
    code = digit + 10;
  }
  if (!(code <= 19 && code == std::floor(code))) return;
  for (const Polyline& line : glyphs()[static_cast<std::size_t>(code)]) {
    pen.pen_x = x + static_cast<float>(line[0].first) * unit;
    pen.pen_y = y - static_cast<float>(line[0].second) * unit;
    for (std::size_t i = 1; i < line.size(); ++i) {
      DRAW(console, pen, x + static_cast<float>(line[i].first) * unit, y - static_cast<float>(line[i].second) * unit);
    }
  }
}

int pen_color(const PenState& pen) {
  int color = to_int(pen.line_color);
  return ((color % 16) + 16) % 16;
}

}  // namespace

void DRAW(Console& console, PenState& pen, float x, float y) {
  // A place that is no number would be drawn at the edge of the plane.
  for (float v : {pen.pen_x, pen.pen_y, x, y}) {
    if (!std::isfinite(v)) fail(kOverflow, "DRAW: a position that is no finite number");
  }
  console.line(pixel(pen.pen_x), pixel(pen.pen_y), pixel(x), pixel(y), pen_color(pen));
  pen.pen_x = x;
  pen.pen_y = y;
}

void DSPN(Console& console, PenState& pen, float digit, float glyph_size, float x, float y) {
  // The strokes are also a label, so a coarse screen can show the digit.
  console.begin_label();
  draw_digit(console, pen, digit, glyph_size, x, y);
  const char text[2] = {static_cast<char>('0' + (digit >= 0 && digit <= 9 ? static_cast<int>(digit) : 0)), '\0'};
  console.end_label(text, pen_color(pen));
}

void draw_number_label(Console& console, PenState& pen, float number, float glyph_size, float x, float y) {
  std::string text = number_text(number);
  // One label for the whole number: its digits belong together.
  console.begin_label();
  for (std::size_t i = 1; i < text.size(); ++i) {
    draw_digit(console, pen, leading_number(std::string_view(&text[i], 1)), glyph_size, x, y);
    x += 6 * glyph_size;
  }
  console.end_label(std::string_view(text).substr(1), pen_color(pen));
}

}  // namespace verdan
