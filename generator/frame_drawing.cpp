#include "generator/frame_drawing.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "shared/free_format.h"
#include "shared/integer_field.h"
#include "shared/print.h"

namespace verdan {
namespace {

constexpr int kBlockSpans = 20;

// Every cell of the drawing fits this many bytes, a node's or member's
// number in exponent form included.
constexpr std::size_t kCellRoom = 64;

char* put(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// A node's number after "-- " or "   " cut to fill three characters
// (nothing to fill for three digits and more); three blanks for no node.
char* put_node_label(char* out, int node, bool beam_from_left) {
  if (node <= 0) return put(out, "   ");
  if (node > kPlainSingleMax) {
    const std::string digits = number_text(static_cast<float>(node)).substr(1);
    return put(out, digits);
  }
  const int length = decimal_length(static_cast<unsigned>(node));
  for (int i = length; i < 3; ++i) *out++ = (beam_from_left && i < 2) ? '-' : ' ';
  put_digits_before(out + length, static_cast<unsigned>(node));
  return out + length;
}

// The drawing of spans first to last, level by level down, then the axes.
class BlockWriter {
 public:
  BlockWriter(TextSink& sink, const FrameModel& f, int first_axis, int last_axis)
      : sink_(sink), f_(f), c_(first_axis), e_(last_axis) {}

  void write() {
    const int ns = f_.storey_count();
    for (int l = ns + 1; l >= 1; --l) {
      level_line(l);
      if (l > 1) {
        for (int line = 2; line <= 6; ++line) storey_line(l, line);
      }
    }
    print(sink_);
    print(sink_, std::string(11, ' '), stay);
    for (int k = c_; k < e_; ++k) print(sink_, "|          ", stay);
    print(sink_, "|");
    print(sink_, std::string(11, ' '), stay);
    for (int k = c_; k < e_; ++k) {
      print(sink_, Using("+-###.### -", {(f_.node_x(0, k + 1) - f_.node_x(0, k)) / 100}), stay);
    }
    print(sink_, "+");
    print(sink_, std::string(10, ' '), stay);
    for (int k = c_; k < e_; ++k) print(sink_, Using("##         ", {k}), stay);
    print(sink_, Using("##", {e_}));
    print(sink_);
    print(sink_);
  }

 private:
  bool beam(int l, int span) const { return span >= 1 && span <= f_.span_count() && f_.beam_on(l, span) > 0; }

  // Room for the whole line in the sink, the cells written straight into it.
  char* start_line() { return sink_.line_room(static_cast<std::size_t>(e_ - c_ + 2) * kCellRoom); }

  void level_line(int l) {
    char* p = put_integer_field(start_line(), l, 2);
    p = put(p, "FL +-  ");
    bool from_left = beam(l, c_);
    for (int k = c_; k < e_; ++k) {
      const bool b = beam(l, k + 1);
      p = put_node_label(p, f_.node_use(l, k), from_left);
      if (b) {
        p = put(p, " --");
        p = put_integer_field(p, f_.beam_on(l, k + 1), 3);
        p = put(p, "--");
      } else {
        p = put(p, "        ");
      }
      from_left = b;
    }
    if (f_.node_use(l, e_) > 0) p = put_node_label(p, f_.node_use(l, e_), from_left);
    sink_.end_line_at(p);
  }

  // Lines 2 to 6 of level l show storey l - 1 below it.
  void storey_line(int l, int line) {
    const int s = l - 1;
    char* p = start_line();
    if (line == 4) {
      print(heights_, Using(" ###.### ", {(f_.node_y(l, 0) - f_.node_y(s, 0)) / 100}), stay);
      p = put(p, heights_.text());
      heights_.clear();
    } else {
      p = put(p, "     |   ");
    }
    for (int k = c_; k < e_; ++k) {
      const int column = f_.column_on(s, k);
      const int rising = f_.brace_on(s, k, 1);
      const int falling = f_.brace_on(s, k, 2);
      const std::string_view C = column > 0 ? "  | " : "    ";
      const char R = rising > 0 ? '*' : ' ';
      const char F = falling > 0 ? '*' : ' ';
      switch (line) {
        case 2:
          p = put(p, C);
          *p++ = F;
          p = put(p, "     ");
          *p++ = R;
          break;
        case 3:
          p = put(p, C);
          p = numbered(p, falling, "     ");
          *p++ = R;
          *p++ = ' ';
          break;
        case 4:
          p = numbered(p, column, "       ", "    ");
          *p++ = F;
          *p++ = R;
          p = put(p, "  ");
          break;
        case 5:
          p = put(p, C);
          p = numbered(p, rising, "     ");
          *p++ = F;
          *p++ = ' ';
          break;
        case 6:
          p = put(p, C);
          *p++ = R;
          p = put(p, "     ");
          *p++ = F;
          break;
      }
    }
    const int last_column = f_.column_on(s, e_);
    if (last_column > 0) p = line == 4 ? put_integer_field(p, last_column, 3) : put(p, "  |");
    sink_.end_line_at(p);
  }

  // A member's number in a field of three digits followed by `after` (two
  // blanks unless given), or `blank` where there is no member.
  static char* numbered(char* p, int member, std::string_view blank, std::string_view after = "  ") {
    if (member <= 0) return put(p, blank);
    return put(put_integer_field(p, member, 3), after);
  }

  TextSink& sink_;
  const FrameModel& f_;
  int c_, e_;
  StringSink heights_;
};

}  // namespace

void write_frame_drawing(TextSink& sink, const FrameModel& frame) {
  const int nx = frame.span_count();
  for (int p = 0; p <= 1 + nx / kBlockSpans; ++p) {
    const int first = kBlockSpans * p;
    const int last = std::min(first + kBlockSpans, nx);
    if (last > first) BlockWriter(sink, frame, first, last).write();
  }
}

}  // namespace verdan
