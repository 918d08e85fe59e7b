#include "plt_draw/devices/dxf_device.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <string_view>

#include "platform/failure.h"
#include "plt_draw/devices/device_command.h"
#include "plt_draw/mm_text.h"
#include "shared/rounding.h"

namespace verdan {
namespace {

// Colour numbers of the pens' layers: a plot style in the CAD program maps
// colours to line weights, so each pen has a colour of its own that shows
// on a light and on a dark background.
int pen_colour(int pen) {
  constexpr int colours[] = {1, 7, 5};  // red, black or white, blue
  return colours[pen - 1];
}

// Texts have no pen; they go with pen 2, the pen the plotter writes with.
constexpr int kTextPen = 2;

// The code lines of codes 0-999, made when compiled: an entity has eight
// or more groups.
struct CodeLines {
  char line[1000][5] = {};
  constexpr CodeLines() {
    for (int code = 0; code < 1000; ++code) {
      char* l = line[code];
      l[0] = code >= 100 ? static_cast<char>('0' + code / 100) : ' ';
      l[1] = code >= 10 ? static_cast<char>('0' + code / 10 % 10) : ' ';
      l[2] = static_cast<char>('0' + code % 10);
      l[3] = '\r';
      l[4] = '\n';
    }
  }
};
constexpr CodeLines kCodeLines;

// A group's code line: the code right-aligned in three places.
template <typename Out>
void code_line(Out& out, int code) {
  if (code >= 0 && code < 1000) {
    out.append(std::string_view(kCodeLines.line[code], 5));
    return;
  }
  char line[16];
  const char* digits_end = std::to_chars(line + 3, line + sizeof line - 2, code).ptr;
  const auto digits = static_cast<std::size_t>(digits_end - (line + 3));
  const std::size_t start = std::min<std::size_t>(digits, 3);
  std::memset(line + start, ' ', 3 - start);
  std::memcpy(line + 3 + digits, "\r\n", 2);
  out.append(std::string_view(line + start, 3 - start + digits + 2));
}

// One group: its code line, then its value. `Out` is a std::string or a
// DeviceCommand.
template <typename Out>
void group(Out& out, int code, std::string_view value) {
  code_line(out, code);
  out.append(value);
  out.append("\r\n");
}

void number(std::string& out, int code, double value) {
  char text[kMmTextMax];
  group(out, code, std::string_view(text, static_cast<std::size_t>(write_mm(text, value) - text)));
}

void number(DeviceCommand& out, int code, double value) {
  code_line(out, code);
  out.mm(value) << "\r\n";
}

void point(std::string& out, int first_code, double x, double y) {
  number(out, first_code, x);
  number(out, first_code + 10, y);
  // The drawing is plane: z is always the millimetres' "0".
  group(out, first_code + 20, "0");
}

// An entity's point: its x, y and z groups, the text between the numbers
// (line ends, the next code lines, the plane's z) as whole pieces, since
// a drawing has millions.
struct PointCodes {
  std::string_view before_x, before_y, after_y;
};
constexpr PointCodes kFirstPoint{" 10\r\n", "\r\n 20\r\n", "\r\n 30\r\n0\r\n"};
constexpr PointCodes kSecondPoint{" 11\r\n", "\r\n 21\r\n", "\r\n 31\r\n0\r\n"};

void point(DeviceCommand& out, const PointCodes& codes, double x, double y) {
  out << codes.before_x;
  out.mm(x) << codes.before_y;
  out.mm(y) << codes.after_y;
}

// A layer's name: "PEN2", or "L9-PEN2" where plot_layer is set; its
// length.
std::size_t layer_name(float plot_layer, int pen, char (&name)[16]) {
  if (!(plot_layer >= 0 && round_half_away(plot_layer) <= 32767)) {
    fail(kIllegalFunctionCall, "plot layer must be 0 to 32767");
  }
  const auto layer = static_cast<int>(round_half_away(plot_layer));
  char* out = name;
  if (layer != 0) {
    *out++ = 'L';
    out = std::to_chars(out, name + sizeof name, layer).ptr;
    *out++ = '-';
  }
  std::memcpy(out, "PEN", 3);
  out = std::to_chars(out + 3, name + sizeof name, pen).ptr;
  return static_cast<std::size_t>(out - name);
}

// The layer of a pen, named again only when plot_layer or the pen changes.
PlotState::DxfLayer& layer_of(PlotState& s, int pen) {
  PlotState::DxfLayer& last = s.dxf_layer;
  if (last.pen == pen && same_bits(last.plot_layer, s.plot_layer)) {
    return last;
  }
  PlotState::DxfLayer named;
  named.size = layer_name(s.plot_layer, pen, named.name);
  named.plot_layer = s.plot_layer;
  named.pen = pen;
  named.held = s.held_layers.find(std::string_view(named.name, named.size)) != s.held_layers.end();
  last = named;
  return last;
}

// Forgets the drawing: its entities, its layers with their table, and
// where the plot file has them.
void forget_drawing(PlotState& s) {
  s.held_entities.clear();
  s.held_layers.clear();
  s.dxf_layer = {};
  dxf_plot_file_gone(s);
}

bool go_straight(PlotState& s);

// The bytes of the tables made ahead and the entities since, which must
// be all the plot file has taken since the tables began.
std::int64_t straight_size(PlotState& s) {
  const std::int64_t size = s.dxf_tables_size + s.dxf_straight;
  if (!s.plot_file || s.plot_file->rewritable_size() != s.dxf_tables_at + size) {
    fail(kIllegalFunctionCall, "the plot file took other bytes among the DXF entities");
  }
  return size;
}

// An entity being built on its pen's layer; a line or circle in plot_cmd
// itself (it fits, and the layer is settled before its first byte).
class Entity {
 public:
  Entity(PlotState& s, const char* type, int pen) : text(s), s_(s) { begin(type, pen); }
  Entity(PlotState& s, const char* type, int pen, InPlotCmd) : text(s, in_plot_cmd), s_(s) { begin(type, pen); }

  // Keeps the finished entity, and its layer for the table; an entity that
  // failed half-way leaves neither.
  void hold() {
    PlotState::DxfLayer& layer = s_.dxf_layer;
    if (!layer.held) {
      s_.held_layers.emplace(std::string(layer.name, layer.size), pen_colour(layer.pen));
      layer.held = true;
    }
    if (s_.dxf_tables_at < 0 && !straight_from_here()) {
      text.keep();
      s_.held_entities.append_padded(text.view());
      return;
    }
    text.emit();
    s_.dxf_straight += static_cast<std::int64_t>(text.view().size());
  }

  DeviceCommand text;

 private:
  void begin(const char* type, int pen) {
    PlotState::DxfLayer& layer = layer_of(s_, pen);
    if (layer.head_type != type) {
      std::string head;
      group(head, 0, type);
      group(head, 8, std::string_view(layer.name, layer.size));
      if (head.size() > sizeof layer.head) fail(kOverflow, "DXF entity head too long");
      std::memcpy(layer.head, head.data(), head.size());
      layer.head_size = head.size();
      layer.head_type = type;
    }
    char* out = text.room(sizeof layer.head);
    std::memcpy(out, layer.head, sizeof layer.head);
    text.written_to(out + layer.head_size);
  }

  // Whether this entity is the first that goes straight into the plot
  // file: the one that would take the held text past its memory.
  bool straight_from_here() {
    const HeldText& held = s_.held_entities;
    return !s_.expected_layers.empty() && !held.spooled() &&
           held.memory_size() + text.view().size() >= HeldText::kMemoryLimit && go_straight(s_);
  }

  PlotState& s_;
};

// A text is one line of the file: control bytes become blanks. CP932
// trail bytes are 0x40 or above, so a byte-wise look is safe.
void one_line(DeviceCommand& out, std::string_view text) {
  for (char c : text) out << (static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? ' ' : c);
  out << "\r\n";
}

void init(PlotState& s, float paper, float /*scale*/) {
  s.scale_x = 1;
  s.scale_y = 1;
  sheet_size(paper, s.paper_w, s.paper_h);
  // A drawing begun again drops what went straight, as a held one drops
  // its entities.
  if (s.dxf_tables_at >= 0) {
    const std::int64_t size = straight_size(s);
    s.plot_file->rewrite(s.dxf_tables_at, size, {});
  }
  forget_drawing(s);
  s.expected_layers.clear();
  std::string out;
  group(out, 0, "SECTION");
  group(out, 2, "HEADER");
  group(out, 9, "$ACADVER");
  group(out, 1, "AC1009");
  group(out, 9, "$DWGCODEPAGE");
  group(out, 3, "ANSI_932");
  group(out, 9, "$INSBASE");
  point(out, 10, 0, 0);
  group(out, 9, "$EXTMIN");
  point(out, 10, 0, 0);
  group(out, 9, "$EXTMAX");
  point(out, 10, s.paper_w, s.paper_h);
  group(out, 9, "$LIMMIN");
  number(out, 10, 0);
  number(out, 20, 0);
  group(out, 9, "$LIMMAX");
  number(out, 10, s.paper_w);
  number(out, 20, s.paper_h);
  group(out, 9, "$LTSCALE");
  number(out, 40, 1);
  group(out, 9, "$TEXTSTYLE");
  group(out, 7, "STANDARD");
  group(out, 0, "ENDSEC");
  s.plot_reset = std::move(out);
  s.plot_setup.clear();
}

void line(PlotState& s, const DeviceLine& l) {
  Entity e(s, "LINE", l.pen, in_plot_cmd);
  if (l.dashed) e.text << "  6\r\nDASHED\r\n";
  point(e.text, kFirstPoint, l.x0 * s.scale_x, l.y0 * s.scale_y);
  point(e.text, kSecondPoint, l.x1 * s.scale_x, l.y1 * s.scale_y);
  e.hold();
}

void circle(PlotState& s, const DeviceCircle& c) {
  Entity e(s, "CIRCLE", c.pen, in_plot_cmd);
  point(e.text, kFirstPoint, c.x * s.scale_x, c.y * s.scale_y);
  number(e.text, 40, c.r * s.scale_x);
  e.hold();
}

void text(PlotState& s, const DeviceText& t) {
  Entity e(s, "TEXT", kTextPen);
  point(e.text, kFirstPoint, t.x * s.scale_x, t.y * s.scale_y);
  number(e.text, 40, t.height * s.scale_x);
  e.text << "  1\r\n";
  one_line(e.text, t.text);
  if (t.angle != 0) number(e.text, 50, t.angle);
  group(e.text, 7, "STANDARD");
  e.hold();
  pen_behind_text(s, t);
}

void table_head(std::string& out, const char* name, std::size_t entries) {
  group(out, 0, "TABLE");
  group(out, 2, name);
  group(out, 70, std::to_string(entries));
}

// The tables with the given layers, and the head of the entities.
std::string tables(const std::map<std::string, int, std::less<>>& layers) {
  std::string out;
  group(out, 0, "SECTION");
  group(out, 2, "TABLES");

  table_head(out, "LTYPE", 2);
  group(out, 0, "LTYPE");
  group(out, 2, "CONTINUOUS");
  group(out, 70, "0");
  group(out, 3, "Solid line");
  group(out, 72, "65");
  group(out, 73, "0");
  number(out, 40, 0);
  // 2 mm dashes with 1 mm gaps, as the printers' dashed lines.
  group(out, 0, "LTYPE");
  group(out, 2, "DASHED");
  group(out, 70, "0");
  group(out, 3, "__ __ __ __");
  group(out, 72, "65");
  group(out, 73, "2");
  number(out, 40, 3);
  number(out, 49, 2);
  number(out, 49, -1);
  group(out, 0, "ENDTAB");

  table_head(out, "LAYER", layers.size() + 1);
  auto layer = [&out](const std::string& name, int colour) {
    group(out, 0, "LAYER");
    group(out, 2, name);
    group(out, 70, "0");
    group(out, 62, std::to_string(colour));
    group(out, 6, "CONTINUOUS");
  };
  layer("0", 7);
  for (const auto& [name, colour] : layers) layer(name, colour);
  group(out, 0, "ENDTAB");

  // A Japanese font, so that CAD programs show the texts' kanji and kana.
  table_head(out, "STYLE", 1);
  group(out, 0, "STYLE");
  group(out, 2, "STANDARD");
  group(out, 70, "0");
  number(out, 40, 0);
  number(out, 41, 1);
  number(out, 50, 0);
  group(out, 71, "0");
  number(out, 42, 2.5);
  group(out, 3, "msgothic.ttc");
  group(out, 4, "");
  group(out, 0, "ENDTAB");
  group(out, 0, "ENDSEC");

  group(out, 0, "SECTION");
  group(out, 2, "ENTITIES");
  return out;
}

// The tables made for the layers used so far and those expected go into
// the plot file, then what was held; false where the file cannot write
// over its bytes later.
bool go_straight(PlotState& s) {
  const std::int64_t at = s.plot_file ? s.plot_file->rewritable_size() : -1;
  if (at < 0) return false;
  std::map<std::string, int, std::less<>> layers = s.expected_layers;
  layers.insert(s.held_layers.begin(), s.held_layers.end());
  const std::string ahead = tables(layers);
  plot_write(s, ahead);
  s.dxf_tables_at = at;
  s.dxf_tables_size = static_cast<std::int64_t>(ahead.size());
  s.dxf_straight = static_cast<std::int64_t>(s.held_entities.memory_size());
  s.held_entities.write_to(*s.plot_file);
  s.held_entities.clear();
  return true;
}

void end(PlotState& s) {
  const std::string made = tables(s.held_layers);
  if (s.dxf_tables_at >= 0) {
    // The table made ahead is put right, in its place.
    straight_size(s);
    s.plot_file->rewrite(s.dxf_tables_at, s.dxf_tables_size, made);
  } else {
    plot_write(s, made);
    // The plot file is open: plot_write found it.
    s.held_entities.write_to(*s.plot_file);
  }
  std::string out;
  group(out, 0, "ENDSEC");
  group(out, 0, "EOF");
  plot_write(s, out);
  forget_drawing(s);
}

}  // namespace

void dxf_expect_layer(PlotState& s, float plot_layer, int pen) {
  if (pen < 0 || pen > 3) fail(kIllegalFunctionCall, "an expected layer's pen must be 0 to 3");
  if (pen == 0) pen = kTextPen;
  char name[16];
  const std::size_t size = layer_name(plot_layer, pen, name);
  s.expected_layers.emplace(std::string(name, size), pen_colour(pen));
}

void dxf_plot_file_gone(PlotState& s) {
  s.dxf_tables_at = -1;
  s.dxf_tables_size = 0;
  s.dxf_straight = 0;
}

const PlotDevice& dxf_device() {
  static const PlotDevice device{6, kWholeSingleReach, init, nullptr, line, circle, text, end, false};
  return device;
}

}  // namespace verdan
