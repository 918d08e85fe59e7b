#include "plt_draw/devices/hpgl_device.h"

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "platform/failure.h"
#include "plt_draw/devices/command_text.h"
#include "plt_draw/devices/device_command.h"
#include "plt_draw/devices/printed_text.h"
#include "shared/free_format.h"
#include "shared/plot_numbers.h"
#include "shared/rounding.h"

namespace verdan {
namespace {

using namespace plot_byte;

// The pen select of pens 1-3: the plotter's pen 1 is the widest.
std::string_view pen_select(int pen) {
  constexpr std::string_view pens[] = {"SP3;", "SP2;", "SP1;"};
  return pens[pen - 1];
}

void init(PlotState& s, float paper, bool centred) {
  s.scale_x = 40;
  s.scale_y = 40;
  struct Paper {
    float width, height;
  };
  static const std::array<Paper, 4> table = {{{7721, 11040}, {11040, 7721}, {11040, 16158}, {16158, 11040}}};
  int row = paper_row(paper, 4);
  if (row >= 0) {
    s.paper_w = table[row].width;
    s.paper_h = table[row].height;
  }
  if (centred) {
    s.origin_x = -s.paper_w / 2;
    s.origin_y = -s.paper_h / 2;
  }
  const float ox = s.origin_x;
  const float oy = s.origin_y;
  s.plot_reset = esc_command(".K");
  // The window's corners in the free format; a corner that is no number
  // would leave the plotter without a window.
  auto corner = [](float v) {
    if (!std::isfinite(v)) fail(kOverflow, "HP-GL window corner is no finite number");
    return number_text(v);
  };
  s.plot_setup = "DF;IP 0, 0,3200,2400;IW" + corner(ox) + "," + corner(oy) + "," + corner(ox + s.paper_w) + "," +
                 corner(oy + s.paper_h) + ";PA;CM1;CS6;CA101;";
}

void init_centred(PlotState& s, float paper, float /*scale*/) { init(s, paper, true); }
void init_corner(PlotState& s, float paper, float /*scale*/) { init(s, paper, false); }

void move(PlotState& s, float x, float y) {
  DeviceCommand command(s, in_plot_cmd);
  command << "PU";
  command.x(x) << ',';
  command.y(y) << ';';
  command.emit();
}

void line(PlotState& s, const DeviceLine& l) {
  // Pen select, line type and pen down for each line type and pen, padded
  // to be copied as one piece of fixed size.
  struct Start {
    char text[16];
    std::size_t size;
  };
  static constexpr Start kStarts[2][3] = {{{"SP3;LT;PD", 9}, {"SP2;LT;PD", 9}, {"SP1;LT;PD", 9}},
                                          {{"SP3;LT2,2;PD", 12}, {"SP2;LT2,2;PD", 12}, {"SP1;LT2,2;PD", 12}}};
  const Start& start = kStarts[l.dashed ? 1 : 0][l.pen - 1];
  DeviceCommand command(s, in_plot_cmd);
  char* out = command.room(sizeof start.text);
  std::memcpy(out, start.text, sizeof start.text);
  command.written_to(out + start.size);
  command.x(l.x1) << ',';
  command.y(l.y1) << ';';
  command.emit();
}

void circle(PlotState& s, const DeviceCircle& c) {
  // The plotter draws the circle around where the pen stands.
  move(s, c.x, c.y);
  s.pen.pen_x = c.x;
  s.pen.pen_y = c.y;
  DeviceCommand command(s, in_plot_cmd);
  command << pen_select(c.pen) << "LT;CI";
  command.number(std::floor(c.r * s.scale_x)) << ';';
  command.emit();
}

// A label of one character in pen 2, its size in centimetres: a double-byte
// character from the plotter's second character set.
void character(PlotState& s, const DeviceText& t, const PrintedCharacter& c) {
  move(s, s.pen.pen_x, s.pen.pen_y);
  DeviceCommand command(s, in_plot_cmd);
  command << c.head(s, [&](DeviceCommand& head) {
    head << "SP2;DI";
    head.number(static_cast<float>(std::floor(100 * t.cos_a))) << ',';
    head.number(static_cast<float>(std::floor(100 * t.sin_a))) << ";SI";
    if (c.width == 1) {
      head.number(std::floor(6 * t.height + 0.5f) / 200) << ',';
      head.number(std::floor(7 * t.height + 0.5f) / 100) << ";SS;LB";
    } else {
      const float size = std::floor(9 * t.height + 0.5f) / 100;
      head.number(size) << ',';
      head.number(size) << ";SA;LB";
    }
  });
  command.character_bytes(c.bytes) << kEtx;
  command.emit();
}

void text(PlotState& s, const DeviceText& t) { write_printed_text(s, t, character); }

void end(PlotState& s) {
  plot_write(s, "SP0;PU" + N2A(static_cast<float>(floor_value(s.origin_x))) + "," +
                    N2A(static_cast<float>(floor_value(s.origin_y))) + ";");
}

}  // namespace

const PlotDevice& hpgl_centred_device() {
  static const PlotDevice device{2, kFreeFormatReach, init_centred, move, line, circle, text, end, true};
  return device;
}

const PlotDevice& hpgl_corner_device() {
  static const PlotDevice device{3, kFreeFormatReach, init_corner, move, line, circle, text, end, true};
  return device;
}

}  // namespace verdan
