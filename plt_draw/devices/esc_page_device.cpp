#include "plt_draw/devices/esc_page_device.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "plt_draw/devices/command_text.h"
#include "plt_draw/devices/device_command.h"
#include "plt_draw/devices/printed_text.h"

namespace verdan {
namespace {

using namespace plot_byte;

// The line width of pens 1-3.
std::string_view pen_width(int pen) {
  constexpr std::string_view widths[] = {"1;1;1lwG", "3;1;1lwG", "6;1;1lwG"};
  return widths[pen - 1];
}

void init(PlotState& s, float paper, float /*scale*/) {
  s.scale_x = 23.622f;
  s.scale_y = -23.622f;
  struct Paper {
    float width, height;
    const char* part;
  };
  static const std::array<Paper, 4> table = {{{4720, 6676, "14;;psE"},
                                              {6676, 4720, "14;;psE"},
                                              {6676, 9680, "13;;psE"},
                                              {9680, 6676, "13;;psE"}}};
  static const std::array<const char*, 4> orientation = {"0poE", "1poE", "0poE", "1poE"};
  std::string paper_part;
  int row = paper_row(paper, 4);
  if (row >= 0) {
    s.paper_w = table[row].width;
    s.paper_h = table[row].height;
    s.origin_y = s.paper_h;  // y runs upwards from the bottom edge
    paper_part = gs_command(table[row].part) + gs_command(orientation[row]);
  }
  s.plot_reset = esc_command("S") + esc_command("") + esc_command("S") + kFs + esc_command("z") +
                 std::string(2, '\0') + gs_command("rpE") + gs_command("1mmE") + gs_command("0;0.12muE") +
                 gs_command("0affP");
  s.plot_setup = paper_part + gs_command("0X") + gs_command("0Y");
}

void line(PlotState& s, const DeviceLine& l) {
  DeviceCommand c(s, in_plot_cmd);
  c << kGs << (l.dashed ? std::string_view("0;1lpG") : "0;0lpG") << kGs << pen_width(l.pen) << kGs;
  c.x(l.x0) << ';';
  c.y(l.y0) << ';';
  c.x(l.x1) << ';';
  c.y(l.y1) << "lG";
  c.emit();
}

void circle(PlotState& s, const DeviceCircle& c) {
  DeviceCommand command(s, in_plot_cmd);
  command << kGs << "0;0lpG" << kGs << pen_width(c.pen) << kGs;
  command.x(c.x) << ';';
  command.y(c.y) << ';';
  command.number(c.r * s.scale_x) << "cG";
  command.emit();
}

// A character in the printer's font: half as wide as high, a double-byte
// one square and nine tenths high, turned to the text's angle.
void character(PlotState& s, const DeviceText& t, const PrintedCharacter& c) {
  DeviceCommand command(s, in_plot_cmd);
  command << c.head(s, [&](DeviceCommand& head) {
    float w = std::floor(t.height * s.scale_x / 2);
    float h = std::floor(t.height * s.scale_x);
    if (c.width == 2) {
      w = h = std::floor(0.9f * t.height * s.scale_x);
      head << kGs << ";2ssF" << kGs << "9tfF";
    } else {
      head << kGs << "264ssF" << kGs << "1tfF";
    }
    head << kGs;
    head.number(w) << "wmF" << kGs;
    head.number(h) << "hmF" << kGs;
    head.number(t.angle) << "roF" << kGs << "0slF" << kGs;
  });
  command.x(s.pen.pen_x) << "X\x1D";
  (command.y(s.pen.pen_y) << 'Y').character_bytes(c.bytes) << "\x1D" "0X\x1D" "0Y";
  command.emit();
}

void text(PlotState& s, const DeviceText& t) { write_printed_text(s, t, character); }

void end(PlotState& s) {
  plot_write(s, std::string(1, kFf) + gs_command("rpE") + gs_command("1pmE") + esc_command("S") + esc_command("") +
                    esc_command("SK"));
}

}  // namespace

const PlotDevice& esc_page_device() {
  static const PlotDevice device{1, kFreeFormatReach, init, nullptr, line, circle, text, end, true};
  return device;
}

}  // namespace verdan
