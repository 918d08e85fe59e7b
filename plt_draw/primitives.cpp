#include "plt_draw/primitives.h"

#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "plt_draw/culc.h"
#include "plt_draw/device_reach.h"
#include "plt_draw/device_table.h"
#include "plt_draw/sj2j.h"
#include "shared/plot_numbers.h"
#include "shared/rounding.h"

namespace verdan {
namespace {

using namespace plot_byte;

// The single-precision pi the text directions are computed with.
constexpr float kPi = 3.1415927f;


// 0-2 for pens 1-3; anything else would leave a stale command to be written.
int pen_index(float pen) {
  for (int p = 1; p <= 3; ++p) {
    if (pen == static_cast<float>(p)) return p - 1;
  }
  fail(kIllegalFunctionCall, "plot pen must be 1, 2 or 3");
}

// A coordinate of the intermediate file: its readers take the bytes as a
// number, so a value that is none is refused here.
std::string coordinate(float value) {
  if (!std::isfinite(value)) fail(kOverflow, "plot coordinate is no finite number");
  return F2X(value);
}

// One byte of a record; a value without a byte is refused, not wrapped.
char b(float n) {
  double r = round_half_away(n);
  if (!(r >= 0 && r <= 255)) fail(kIllegalFunctionCall, "record byte out of range");
  return static_cast<char>(static_cast<unsigned char>(r));
}

// The layer byte: the conversion adds 16 per layer group, so a layer beyond
// 15 would land in the next group's layers.
char layer_byte(const PlotState& s) {
  if (!(s.plot_layer >= 0 && round_half_away(s.plot_layer) <= 15)) {
    fail(kIllegalFunctionCall, "plot layer must be 0 to 15");
  }
  return b(s.plot_layer);
}

void emit(PlotState& s, std::string command) {
  s.plot_cmd = std::move(command);
  plot_write(s, s.plot_cmd);
}

// A line or circle record of the intermediate file: its fields, then the
// line style, pen and layer bytes, three zero bytes and the LF.
void emit_shape_record(PlotState& s, std::string record, int style, float pen) {
  record += b(static_cast<float>(style));
  record += b(pen);
  record += layer_byte(s);
  record.append(3, '\0');
  record.push_back(kLf);
  emit(s, std::move(record));
}

// Lifts the pen to (x, y): only HP-GL writes a command.
void lift(PlotState& s, float x, float y) {
  if (const PlotDevice* device = table_device(s); device != nullptr && device->move != nullptr) {
    device->move(s, x, y);
  }
  s.pen.pen_x = x;
  s.pen.pen_y = y;
}

// The numbers of a line or circle: the pen number, where the pen stands
// (the line's start; LIPS places a circle relative to it) and the point.
void require_drawable(const PlotState& s, float x, float y, float pen) {
  require_finite_number(pen, "plot pen");
  require_point_within_reach(s, s.pen.pen_x, s.pen.pen_y);
  require_point_within_reach(s, x, y);
}

// Where the printers' pen ends after `text`: moved on character by
// character, as MOJI moves it.
std::pair<float, float> printed_end(const std::string& text, float x, float y, float dx, float dy) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = char_length(text, i);
    x += dx * static_cast<float>(n);
    y += dy * static_cast<float>(n);
    i += n;
  }
  return {x, y};
}

void line(PlotState& s, float x, float y, float pen, bool dashed) {
  const int d = plot_device_code(s);
  if (const PlotDevice* device = table_device(s)) {
    device->line(s, {s.pen.pen_x, s.pen.pen_y, x, y, pen_index(pen) + 1, dashed});
  } else if (d >= 1 && d <= 5) {
    pen_index(pen);
    const float px = s.pen.pen_x;
    const float py = s.pen.pen_y;
    switch (d) {
      case 5: {
        emit_shape_record(s,
                          "s" + coordinate(px * s.scale_x) + coordinate(py * s.scale_y) + coordinate(x * s.scale_x) +
                              coordinate(y * s.scale_y),
                          dashed ? 4 : 1, pen);
        break;
      }
    }
  }
  s.pen.pen_x = x;
  s.pen.pen_y = y;
}

// Record text bytes that would end or cut the record become blanks.
std::string record_text(std::string text) {
  for (char& c : text) {
    if (c == '\0' || c == kLf || c == 26) c = ' ';
  }
  return text;
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
  const int d = plot_device_code(s);
  if (const PlotDevice* device = table_device(s)) {
    device->circle(s, {x, y, r, pen_index(pen) + 1});
  } else if (d >= 1 && d <= 5) {
    pen_index(pen);
    switch (d) {
      case 5: {
        emit_shape_record(s,
                          "e" + coordinate(x * s.scale_x) + coordinate(y * s.scale_y) + coordinate(r * s.scale_x) +
                              I2X(10000) + L2X(0) + L2X(0) + L2X(0),
                          1, pen);
        break;
      }
    }
  }
  s.pen.pen_x = x;
  s.pen.pen_y = y;
}

void MOVE(PlotState& s, float x, float y) {
  require_point_within_reach(s, x, y);
  lift(s, x, y);
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
  const double cos_a = std::cos(static_cast<double>(a));
  const double sin_a = std::sin(static_cast<double>(a));
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
    return;
  }
  const int d = plot_device_code(s);
  if (d == 5) {
    std::string record = "m" + coordinate(x * s.scale_x) + coordinate(y * s.scale_y) +
                         coordinate((x + dx * length) * s.scale_x) + coordinate((y + dy * length) * s.scale_y) +
                         L2X(0) + b(height) + layer_byte(s);
    record.append(2, '\0');
    record += record_text(text);
    record.push_back('\0');
    record.push_back(kLf);
    emit(s, std::move(record));
    return;
  }
}

}  // namespace verdan
