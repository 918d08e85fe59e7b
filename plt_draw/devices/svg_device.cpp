#include "plt_draw/devices/svg_device.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/codec/cp932.h"
#include "plt_draw/devices/device_command.h"
#include "plt_draw/mm_text.h"

namespace verdan {
namespace {

// Line widths of pens 1-3 in millimetres, as on the page printer.
std::string_view pen_width(int pen) {
  constexpr std::string_view widths[] = {"0.12", "0.36", "0.72"};
  return widths[pen - 1];
}

constexpr const char* kFonts =
    "'Noto Sans CJK JP', 'Source Han Sans JP', 'IPAexGothic', 'IPAGothic', 'Hiragino Sans', "
    "'Yu Gothic', 'Meiryo', 'MS Gothic', sans-serif";

// An attribute: blank, name, value in double quotes.
std::string attr(const char* name, const std::string& value) { return std::string(" ") + name + "=\"" + value + '"'; }

// The text as XML character data: markup characters escaped, and control
// characters, which XML does not allow, as blanks.
void character_data(DeviceCommand& out, std::string_view cp932) {
  // ASCII, as node numbers are, is the same in UTF-8: no converted copy.
  std::string converted;
  std::string_view utf8 = cp932;
  if (std::any_of(cp932.begin(), cp932.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
    converted = to_utf8(cp932);
    utf8 = converted;
  }
  for (char c : utf8) {
    switch (c) {
      case '&':
        out << "&amp;";
        break;
      case '<':
        out << "&lt;";
        break;
      case '>':
        out << "&gt;";
        break;
      default:
        out << (static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? ' ' : c);
    }
  }
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


double x_mm(const PlotState& s, float x) { return static_cast<double>(x) * s.scale_x; }
double y_mm(const PlotState& s, float y) { return s.paper_h - static_cast<double>(y) * s.scale_y; }

// Attributes go with their blank, name, "=" and quotes as one piece: a
// drawing has millions.
void line(PlotState& s, const DeviceLine& l) {
  DeviceCommand e(s, in_plot_cmd);
  e << "<line x1=\"";
  e.mm(x_mm(s, l.x0)) << "\" y1=\"";
  e.mm(y_mm(s, l.y0)) << "\" x2=\"";
  e.mm(x_mm(s, l.x1)) << "\" y2=\"";
  e.mm(y_mm(s, l.y1)) << "\" stroke-width=\"" << pen_width(l.pen) << '"';
  // 2 mm dashes with 1 mm gaps; butt ends keep the gaps open.
  if (l.dashed) e << " stroke-dasharray=\"2 1\" stroke-linecap=\"butt\"";
  e << "/>\n";
  e.emit();
}

void circle(PlotState& s, const DeviceCircle& c) {
  DeviceCommand e(s, in_plot_cmd);
  e << "<circle cx=\"";
  e.mm(x_mm(s, c.x)) << "\" cy=\"";
  e.mm(y_mm(s, c.y)) << "\" r=\"";
  e.mm(static_cast<double>(c.r) * s.scale_x) << "\" stroke-width=\"" << pen_width(c.pen) << "\"/>\n";
  e.emit();
}

void text(PlotState& s, const DeviceText& t) {
  const double x = x_mm(s, t.x);
  const double y = y_mm(s, t.y);
  DeviceCommand e(s);
  e << "<text x=\"";
  e.mm(x) << "\" y=\"";
  e.mm(y) << "\" font-size=\"";
  e.mm(t.height * s.scale_x) << "\" fill=\"black\" stroke=\"none\"";
  // Angles run anticlockwise on the paper, clockwise in SVG.
  if (t.angle != 0) {
    e << " transform=\"rotate(";
    e.mm(-t.angle) << ' ';
    e.mm(x) << ' ';
    e.mm(y) << ")\"";
  }
  e << '>';
  character_data(e, t.text);
  e << "</text>\n";
  e.emit();
  pen_behind_text(s, t);
}

void end(PlotState& s) { plot_write(s, "</g>\n</svg>\n"); }

}  // namespace

const PlotDevice& svg_device() {
  static const PlotDevice device{7, kWholeSingleReach, init, nullptr, line, circle, text, end, false};
  return device;
}

}  // namespace verdan
