#include "plt_draw/devices/svg_device.h"

#include <string>
#include <string_view>

#include "platform/codec/cp932.h"
#include "plt_draw/mm_text.h"

namespace verdan {
namespace {

// Line widths of pens 1-3 in millimetres, as on the page printer.
const char* pen_width(int pen) {
  constexpr const char* widths[] = {"0.12", "0.36", "0.72"};
  return widths[pen - 1];
}

constexpr const char* kFonts =
    "'Noto Sans CJK JP', 'Source Han Sans JP', 'IPAexGothic', 'IPAGothic', 'Hiragino Sans', "
    "'Yu Gothic', 'Meiryo', 'MS Gothic', sans-serif";

std::string x_text(const PlotState& s, float x) { return mm_text(static_cast<double>(x) * s.scale_x); }
std::string y_text(const PlotState& s, float y) {
  return mm_text(s.paper_h - static_cast<double>(y) * s.scale_y);
}

// An attribute: blank, name, value in double quotes.
std::string attr(const char* name, const std::string& value) { return std::string(" ") + name + "=\"" + value + '"'; }

// The text as XML character data: markup characters escaped, and control
// characters, which XML does not allow, as blanks.
std::string character_data(std::string_view cp932) {
  std::string out;
  for (char c : to_utf8(cp932)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? ' ' : c;
    }
  }
  return out;
}

void init(PlotState& s, float paper, float /*scale*/) {
  s.scale_x = 1;
  s.scale_y = 1;
  sheet_size(paper, s.paper_w, s.paper_h);
  const std::string w = mm_text(s.paper_w);
  const std::string h = mm_text(s.paper_h);
  s.plot_reset = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"" +
                 attr("width", w + "mm") + attr("height", h + "mm") + attr("viewBox", "0 0 " + w + " " + h) + ">\n";
  s.plot_setup = "<rect" + attr("width", w) + attr("height", h) + attr("fill", "white") + "/>\n<g" +
                 attr("fill", "none") + attr("stroke", "black") + attr("stroke-linecap", "round") +
                 attr("font-family", kFonts) + ">\n";
}

void line(PlotState& s, const DeviceLine& l) {
  std::string e = "<line" + attr("x1", x_text(s, l.x0)) + attr("y1", y_text(s, l.y0)) + attr("x2", x_text(s, l.x1)) +
                  attr("y2", y_text(s, l.y1)) + attr("stroke-width", pen_width(l.pen));
  // 2 mm dashes with 1 mm gaps; butt ends keep the gaps open.
  if (l.dashed) e += attr("stroke-dasharray", "2 1") + attr("stroke-linecap", "butt");
  emit_command(s, e + "/>\n");
}

void circle(PlotState& s, const DeviceCircle& c) {
  emit_command(s, "<circle" + attr("cx", x_text(s, c.x)) + attr("cy", y_text(s, c.y)) +
              attr("r", mm_text(static_cast<double>(c.r) * s.scale_x)) + attr("stroke-width", pen_width(c.pen)) +
              "/>\n");
}

void text(PlotState& s, const DeviceText& t) {
  const std::string x = x_text(s, t.x);
  const std::string y = y_text(s, t.y);
  std::string e = "<text" + attr("x", x) + attr("y", y) + attr("font-size", mm_text(t.height * s.scale_x)) +
                  attr("fill", "black") + attr("stroke", "none");
  // Angles run anticlockwise on the paper, clockwise in SVG.
  if (t.angle != 0) e += attr("transform", "rotate(" + mm_text(-t.angle) + " " + x + " " + y + ")");
  emit_command(s, e + ">" + character_data(t.text) + "</text>\n");
  pen_behind_text(s, t);
}

void end(PlotState& s) { plot_write(s, "</g>\n</svg>\n"); }

}  // namespace

const PlotDevice& svg_device() {
  static const PlotDevice device{7, kWholeSingleReach, init, nullptr, line, circle, text, end};
  return device;
}

}  // namespace verdan
