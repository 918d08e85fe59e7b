#include "plt_draw/devices/lips_device.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "plt_draw/culc.h"
#include "plt_draw/devices/command_text.h"
#include "plt_draw/devices/device_command.h"
#include "plt_draw/devices/printed_text.h"

namespace verdan {
namespace {

using namespace plot_byte;

// CULC holds 16 bits of magnitude. LIPS draws lines and circles relative to
// the pen, so a coordinate keeps half of it and the distance between any two
// still fits.
constexpr float kLipsReach = 32767;

// The line attribute of pens 1-3.
std::string_view line_attribute(int pen) {
  constexpr std::string_view attributes[] = {"F11", "F13", "F15"};
  return attributes[pen - 1];
}

void init(PlotState& s, float paper, float /*scale*/) {
  s.scale_x = 11.811f;
  s.scale_y = 11.811f;
  struct Paper {
    float width, height;
    const char* part;
  };
  static const std::array<Paper, 4> table = {
      {{2360, 3387, "[14p"}, {3387, 2360, "[15p"}, {3387, 4840, "[12p"}, {4840, 3387, "[13p"}}};
  std::string paper_part;
  int row = paper_row(paper, 4);
  if (row >= 0) {
    s.paper_w = table[row].width;
    s.paper_h = table[row].height;
    paper_part = esc_command("<") + esc_command(table[row].part);
  }
  s.plot_reset = esc_command("%@") + esc_command("P31;300;1J") + esc_command("\\");
  s.plot_setup = paper_part + esc_command("[0q") + esc_command("[0&} <Mincho-Medium-H") + kUs + "Mincho-Medium" + kRs;
  s.plot_setup += std::string(" ;1J") + kUs + "1I" + kUs + "2B" + kRs + "@" + '"' + kRs + "#" + kRs + "!0#" + kRs;
  s.plot_setup += std::string("$") + kRs + "(" + CULC(s.origin_x) + CULC(s.origin_y) + CULC(s.paper_w) +
                  CULC(s.paper_h) + kRs;
  s.plot_setup += std::string("U2") + kRs + "T1" + kRs + "]1" + kRs + "m1" + kRs + "'2" + kRs + "n2" + kRs + "a3" + kRs;
}

void line(PlotState& s, const DeviceLine& l) {
  // Line type, attribute of the pen and the polyline's start: one piece of
  // fixed size, copied without a call.
  static constexpr char kStarts[2][3][10] = {
      {"E10\x1e" "F11\x1e" "1", "E10\x1e" "F13\x1e" "1", "E10\x1e" "F15\x1e" "1"},
      {"E11\x1e" "F11\x1e" "1", "E11\x1e" "F13\x1e" "1", "E11\x1e" "F15\x1e" "1"}};
  DeviceCommand c(s, in_plot_cmd);
  char* out = c.room(9 + 4 * 3 + 1);
  std::memcpy(out, kStarts[l.dashed ? 1 : 0][l.pen - 1], 9);
  out = write_culc(out + 9, l.x0 * s.scale_x);
  out = write_culc(out, l.y0 * s.scale_y);
  out = write_culc(out, (l.x1 - l.x0) * s.scale_x);
  out = write_culc(out, (l.y1 - l.y0) * s.scale_y);
  *out++ = kRs;
  c.written_to(out);
  c.emit();
}

// Placed relative to where the pen stands.
void circle(PlotState& s, const DeviceCircle& c) {
  DeviceCommand command(s, in_plot_cmd);
  command << "E10" << kRs << line_attribute(c.pen) << kRs << '5';
  command.culc((c.x - s.pen.pen_x) * s.scale_x).culc((c.y - s.pen.pen_y) * s.scale_y).culc(c.r * s.scale_x) << kRs;
  command.emit();
}

// One character, square and nine tenths of the height high, along the
// text's direction; a double-byte one in the kanji set.
void character(PlotState& s, const DeviceText& t, const PrintedCharacter& c) {
  DeviceCommand command(s, in_plot_cmd);
  command << c.head(s, [&](DeviceCommand& head) {
    const float h = 0.9f * t.height * s.scale_x;
    const float w = h;
    const float ratio = h / w;
    head << 'Z';
    head.culc(static_cast<float>(-100 * t.sin_a * ratio))
        .culc(static_cast<float>(100 * t.cos_a * ratio))
        .culc(static_cast<float>(100 * t.cos_a))
        .culc(static_cast<float>(100 * t.sin_a))
        << kRs << 'Y';
    head.culc(h) << kRs << "40";
  });
  // The place, the shift into the character's set, its bytes: at most 12.
  char* out = command.room(12);
  out = write_culc(out, s.pen.pen_x * s.scale_x);
  out = write_culc(out, s.pen.pen_y * s.scale_y);
  *out++ = '1';
  if (c.width == 1) {
    *out++ = kSi;
  } else {
    *out++ = kEsc;
    *out++ = 'n';
  }
  for (char b : c.bytes) *out++ = b;
  *out++ = kRs;
  command.written_to(out);
  command.emit();
}

void text(PlotState& s, const DeviceText& t) { write_printed_text(s, t, character); }

void end(PlotState& s) {
  plot_write(s, std::string("%") + kRs + "}p" + kRs + kFf + esc_command("P0J") + esc_command("\\"));
}

}  // namespace

const PlotDevice& lips_device() {
  static const PlotDevice device{4, kLipsReach, init, nullptr, line, circle, text, end, true};
  return device;
}

}  // namespace verdan
