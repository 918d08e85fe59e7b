#include "plt_draw/primitives.h"

#include <cmath>
#include <string>
#include <utility>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "plt_draw/device_reach.h"
#include "plt_draw/device_table.h"

namespace verdan {
namespace {

// The single-precision pi the text directions are computed with.
constexpr float kPi = 3.1415927f;

[[noreturn]] void refuse_pen() { fail(kIllegalFunctionCall, "plot pen must be 1, 2 or 3"); }

// Pens 1-3; anything else would leave a stale command to be written.
// Inline, the refusal out of line: every line asks.
int checked_pen(float pen) {
  if (pen == 1.0f) return 1;
  if (pen == 2.0f) return 2;
  if (pen == 3.0f) return 3;
  refuse_pen();
}

// The numbers of a line or circle: the pen number, where the pen stands
// (the line's start; LIPS places a circle relative to it) and the point.
void require_drawable(const PlotState& s, float x, float y, float pen) {
  if (!std::isfinite(pen)) refuse_value(s, pen, "plot pen");
  require_point_within_reach(s, s.pen.pen_x, s.pen.pen_y);
  require_point_within_reach(s, x, y);
}

// Where the printers' pen ends after `text`: moved on character by
// character, as MOJI moves it.
std::pair<float, float> printed_end(const std::string& text, float x, float y, float dx, float dy) {
  // A label is mostly ASCII: a step each byte, the same sums without
  // stepping through the text by its characters.
  unsigned char high = 0;
  for (char c : text) high |= static_cast<unsigned char>(c);
  if (high < 0x80) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      x += dx;
      y += dy;
    }
    return {x, y};
  }
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = char_length(text, i);
    x += dx * static_cast<float>(n);
    y += dy * static_cast<float>(n);
    i += n;
  }
  return {x, y};
}

void line(PlotState& s, float x, float y, float pen, bool dashed) {
  if (const PlotDevice* device = table_device(s)) {
    device->line(s, {s.pen.pen_x, s.pen.pen_y, x, y, checked_pen(pen), dashed});
  }
  s.pen.pen_x = x;
  s.pen.pen_y = y;
}

}  // namespace

void PLOT(PlotState& s, float x, float y, float pen) {
  require_drawable(s, x, y, pen);
  line(s, x, y, pen, false);
}

void DASH(PlotState& s, float x, float y, float pen) {
  require_drawable(s, x, y, pen);
  line(s, x, y, pen, true);
}

void CIR(PlotState& s, float x, float y, float r, float pen) {
  require_drawable(s, x, y, pen);
  require_size_within_reach(s, r);
  if (const PlotDevice* device = table_device(s)) device->circle(s, {x, y, r, checked_pen(pen)});
  s.pen.pen_x = x;
  s.pen.pen_y = y;
}

void MOVE(PlotState& s, float x, float y) {
  require_point_within_reach(s, x, y);
  if (const PlotDevice* device = table_device(s); device != nullptr && device->move != nullptr) {
    device->move(s, x, y);
  }
  s.pen.pen_x = x;
  s.pen.pen_y = y;
}

void line_between(PlotState& s, float x0, float y0, float x1, float y1, float pen, bool dashed) {
  MOVE(s, x0, y0);
  // PLOT's and DASH's checks but the pen's place, which the move has just
  // checked, in their order.
  if (!std::isfinite(pen)) refuse_value(s, pen, "plot pen");
  require_point_within_reach(s, x1, y1);
  line(s, x1, y1, pen, dashed);
}

void MOJI(PlotState& s, float x, float y, float height, float angle) {
  const std::string text = s.plot_cmd;
  require_point_within_reach(s, x, y);
  require_size_within_reach(s, height);
  // ESC/Page writes the angle as it is.
  require_number_within_reach(s, angle, "text angle");
  if (angle < 0) angle += 360;
  // The angle is held in single precision; its sine and cosine are taken in
  // double, so 90 degrees gives a cosine a hair below zero (direction -1,99).
  const float a = angle / 180 * kPi;
  if (!same_bits(a, s.trig_angle)) {
    s.trig_cos = std::cos(static_cast<double>(a));
    s.trig_sin = std::sin(static_cast<double>(a));
    s.trig_angle = a;
  }
  const double cos_a = s.trig_cos;
  const double sin_a = s.trig_sin;
  const auto dx = static_cast<float>(height / 2 * cos_a);
  const auto dy = static_cast<float>(height / 2 * sin_a);
  // Every character lies between the text's start and its end, so with both
  // ends within reach no character is refused half-way through the text.
  const auto [end_x, end_y] = printed_end(text, x, y, dx, dy);
  require_point_within_reach(s, end_x, end_y);
  const auto length = static_cast<float>(text.size());
  require_point_within_reach(s, x + dx * length, y + dy * length);
  s.pen.pen_x = x;
  s.pen.pen_y = y;
  if (text.empty()) return;

  if (const PlotDevice* device = table_device(s)) {
    device->text(s, {x, y, height, angle, text, cos_a, sin_a, dx, dy});
  }
}

}  // namespace verdan
