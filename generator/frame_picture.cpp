// The frame's line picture on the drawing plane, with axis and level
// numbers in stroke digits; member editing draws on it with its transform.
#include <algorithm>
#include <cmath>

#include "generator/generator_program.h"
#include "shared/rounding.h"

namespace verdan {

float GeneratorProgram::screen_x(double x) const {
  return static_cast<float>(x - diagram_mid_x_) * diagram_scale_ + diagram_cx_;
}

float GeneratorProgram::screen_y(double y) const {
  return -static_cast<float>(y - diagram_mid_y_) * diagram_scale_ + diagram_cy_;
}

namespace {

// Within +-1e8 a float plus or minus a half is exact in double, so the
// cast rounds half away from zero as to_int does, without its library call.
int pixel(float v) {
  const double c = std::clamp(v, -1e8f, 1e8f);
  if (std::isnan(c)) return to_int(c);  // the overflow failure
  return static_cast<int>(c + (c < 0 ? -0.5 : 0.5));
}

}  // namespace

// Brace editing on a large frame draws millions of lines: their ends come
// from the pixel places worked out once per axis and level.
void GeneratorProgram::draw_member_line(GridPoint a, GridPoint b, int color, std::optional<PlaneLine>& last) {
  const PlaneLine line{axis_px_[static_cast<std::size_t>(a.axis)], level_py_[static_cast<std::size_t>(a.level)],
                       axis_px_[static_cast<std::size_t>(b.axis)], level_py_[static_cast<std::size_t>(b.level)], color};
  if (last == line) return;
  console_.line(line.x1, line.y1, line.x2, line.y2, line.color);
  last = line;
}

void GeneratorProgram::draw_frame_picture() {
  const int nx = frame_.span_count();
  const int ns = frame_.storey_count();
  const double x_range = frame_.node_x(0, nx);
  const double y_range = frame_.node_y(ns + 1, 0);
  diagram_mid_x_ = static_cast<float>(x_range / 2);
  diagram_mid_y_ = static_cast<float>(y_range / 2);
  const float w = static_cast<float>(console_.plane_width());
  const float h = static_cast<float>(console_.plane_height());
  const float horizontal = (w - diagram_left_) * 0.9f / static_cast<float>(x_range);
  const float vertical = (h - diagram_top_) * 0.9f / static_cast<float>(y_range);
  diagram_scale_ = std::min(horizontal, vertical);
  axis_px_.resize(static_cast<std::size_t>(nx) + 1);
  for (int a = 0; a <= nx; ++a) axis_px_[static_cast<std::size_t>(a)] = pixel(screen_x(frame_.node_x(1, a)));
  level_py_.assign(static_cast<std::size_t>(ns) + 2, 0);
  for (int l = 1; l <= ns + 1; ++l) level_py_[static_cast<std::size_t>(l)] = pixel(screen_y(frame_.node_y(l, 0)));

  constexpr int kFrameColor = 13;
  for (int a = 0; a <= nx; ++a) {
    draw_number_label(console_, pen_, static_cast<float>(a), glyph_unit_,
                      screen_x(frame_.node_x(1, a)) - 2 * glyph_unit_,
                      screen_y(frame_.node_y(1, a)) + 10 * glyph_unit_);
    std::optional<PlaneLine> last;
    for (int s = 1; s <= ns; ++s) draw_member_line({s, a}, {s + 1, a}, kFrameColor, last);
  }
  for (int l = 1; l <= ns + 1; ++l) {
    draw_number_label(console_, pen_, static_cast<float>(l), glyph_unit_,
                      screen_x(frame_.node_x(l, 0)) - 14 * glyph_unit_, screen_y(frame_.node_y(l, 0)) + glyph_unit_);
    std::optional<PlaneLine> last;
    for (int k = 1; k <= nx; ++k) draw_member_line({l, k - 1}, {l, k}, kFrameColor, last);
  }
}

}  // namespace verdan
