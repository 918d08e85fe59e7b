#include "plt_draw/devices/jw_cad_device.h"

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "platform/failure.h"
#include "plt_draw/devices/command_text.h"
#include "plt_draw/devices/device_command.h"
#include "plt_draw/record_reader.h"
#include "shared/plot_numbers.h"
#include "shared/rounding.h"

namespace verdan {
namespace {

using namespace plot_byte;

void init(PlotState& s, float paper, float scale) {
  struct JwPaper {
    const char* code;
    float length;  // the paper length the scale divides by
    bool half;     // paper_w is half the base
  };
  static const std::array<JwPaper, 8> table = {{{"3", 420, true},
                                                {"4", 297, false},
                                                {"2", 594, true},
                                                {"3", 420, false},
                                                {"1", 841, true},
                                                {"2", 594, false},
                                                {"0", 1188, true},
                                                {"1", 841, false}}};
  const float base = 678 * scale;
  s.paper_w = base;
  s.paper_h = 482 * scale;
  std::string code;
  int row = paper_row(paper, 8);
  if (row >= 0) {
    code = table[row].code;
    s.scale_x = base / table[row].length;
    if (table[row].half) s.paper_w = base / 2;
  }
  s.scale_y = s.scale_x;
  const std::string title = "i" + std::string(32, ' ') + kLf;
  s.plot_reset = title + title;
  s.plot_setup = "i" + MAR(scale, 2).substr(1) + ",0," + code + "," + kLf;
}

// A record's coordinates: the intermediate file's readers take the bytes as
// numbers, so a value that is none is refused, before the record is begun.
[[noreturn]] void refuse_coordinate() { fail(kOverflow, "plot coordinate is no finite number"); }

// Inline, the refusal out of line: every line checks four.
template <std::size_t N>
void require_coordinates(const float (&values)[N]) {
  for (float v : values) {
    if (!std::isfinite(v)) refuse_coordinate();
  }
}

// One byte of a record; a value without a byte is refused, not wrapped.
char b(float n) {
  double r = round_half_away(n);
  if (!(r >= 0 && r <= 255)) fail(kIllegalFunctionCall, "record byte out of range");
  return static_cast<char>(static_cast<unsigned char>(r));
}

// The layer byte: the conversion adds 16 per layer group, so a layer beyond
// 15 would land in the next group's layers.
char rounded_layer_byte(float layer) {
  if (!(layer >= 0 && round_half_away(layer) <= 15)) fail(kIllegalFunctionCall, "plot layer must be 0 to 15");
  return b(layer);
}

// Inline for a whole layer, as nearly always; the rounding out of line.
char layer_byte(const PlotState& s) {
  const float layer = s.plot_layer;
  if (layer >= 0 && layer <= 15 && layer == static_cast<float>(static_cast<int>(layer))) {
    return static_cast<char>(static_cast<int>(layer));
  }
  return rounded_layer_byte(layer);
}

// The end of a line or circle record of the intermediate file: the line
// style (1 or 4), pen (1-3) and layer bytes, three zero bytes and the LF.
char* shape_end(char* out, int style, int pen, char layer) {
  *out++ = static_cast<char>(style);
  *out++ = static_cast<char>(pen);
  *out++ = layer;
  std::memcpy(out, "\0\0\0\n", 4);
  return out + 4;
}

// Written into room of fixed size without a check each byte: a drawing has
// millions of lines.
void line(PlotState& s, const DeviceLine& l) {
  const float points[] = {l.x0 * s.scale_x, l.y0 * s.scale_y, l.x1 * s.scale_x, l.y1 * s.scale_y};
  require_coordinates(points);
  const char layer = layer_byte(s);
  DeviceCommand command(s, in_plot_cmd);
  char* out = command.room(1 + kLineBody + 1);
  *out++ = 's';
  for (float v : points) out = write_f2x(out, v);
  command.written_to(shape_end(out, l.dashed ? 4 : 1, l.pen, layer));
  command.emit();
}

void circle(PlotState& s, const DeviceCircle& c) {
  const float numbers[] = {c.x * s.scale_x, c.y * s.scale_y, c.r * s.scale_x};
  require_coordinates(numbers);
  const char layer = layer_byte(s);
  DeviceCommand record(s, in_plot_cmd);
  record << 'e';
  for (float v : numbers) record.single(v);
  record << I2X(10000);
  record.whole32(0).whole32(0).whole32(0);
  record.written_to(shape_end(record.room(7), 1, c.pen, layer));
  record.emit();
}

// The whole text is one record, from its start to where the printers' pen
// would end; the pen stays at the start. Text bytes that would end or cut
// the record become blanks.
void text(PlotState& s, const DeviceText& t) {
  const auto length = static_cast<float>(t.text.size());
  const float ends[] = {t.x * s.scale_x, t.y * s.scale_y, (t.x + t.dx * length) * s.scale_x,
                        (t.y + t.dy * length) * s.scale_y};
  require_coordinates(ends);
  // The fixed part in one piece: kind, ends, a zero whole number, height,
  // layer and two zero bytes.
  char fixed[1 + kTextBody] = {'m'};
  char* out = fixed + 1;
  for (float v : ends) out = write_f2x(out, v);
  out[4] = b(t.height);
  out[5] = layer_byte(s);
  DeviceCommand record(s);
  record << std::string_view(fixed, sizeof fixed);
  for (char c : t.text) record << (c == '\0' || c == kLf || c == 26 ? ' ' : c);
  record << '\0' << kLf;
  record.emit();
}

void end(PlotState& s) { plot_write(s, "t"); }

}  // namespace

const PlotDevice& jw_cad_device() {
  // The intermediate file's coordinates are singles.
  static const PlotDevice device{5, kWholeSingleReach, init, nullptr, line, circle, text, end, true};
  return device;
}

}  // namespace verdan
