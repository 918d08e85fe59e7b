#include "generator/frame_drawing.h"

#include <algorithm>
#include <string>

#include "shared/free_format.h"
#include "shared/print.h"

namespace verdan {
namespace {

constexpr int kBlockSpans = 20;

// A node's number after "-- " or "   " cut to fill three characters
// (nothing to fill for three digits and more); three blanks for no node.
std::string node_label(int node, bool beam_from_left) {
  if (node <= 0) return "   ";
  std::string digits = number_text(static_cast<float>(node)).substr(1);
  std::string prefix = beam_from_left ? "-- " : "   ";
  std::size_t fill = digits.size() < 3 ? 3 - digits.size() : 0;
  return prefix.substr(3 - fill) + digits;
}

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

  void level_line(int l) {
    print(sink_, Using("##FL +-  ", {l}), stay);
    for (int k = c_; k < e_; ++k) {
      const bool b = beam(l, k + 1);
      print(sink_, node_label(f_.node_use(l, k), beam(l, k)), " ", b ? "--" : "  ", stay);
      if (b) {
        print(sink_, Using("###", {f_.beam_on(l, k + 1)}), stay);
      } else {
        print(sink_, "   ", stay);
      }
      print(sink_, b ? "--" : "  ", stay);
    }
    if (f_.node_use(l, e_) > 0) print(sink_, node_label(f_.node_use(l, e_), beam(l, e_)), stay);
    print(sink_);
  }

  // Lines 2 to 6 of level l show storey l - 1 below it.
  void storey_line(int l, int line) {
    const int s = l - 1;
    if (line == 4) {
      print(sink_, Using(" ###.### ", {(f_.node_y(l, 0) - f_.node_y(s, 0)) / 100}), stay);
    } else {
      print(sink_, "     |   ", stay);
    }
    for (int k = c_; k < e_; ++k) {
      const int column = f_.column_on(s, k);
      const int rising = f_.brace_on(s, k, 1);
      const int falling = f_.brace_on(s, k, 2);
      const char* C = column > 0 ? "  | " : "    ";
      const char* R = rising > 0 ? "*" : " ";
      const char* F = falling > 0 ? "*" : " ";
      switch (line) {
        case 2:
          print(sink_, C, F, "     ", R, stay);
          break;
        case 3:
          print(sink_, C, stay);
          numbered(falling, "###  ", "     ");
          print(sink_, R, " ", stay);
          break;
        case 4:
          numbered(column, "###    ", "       ");
          print(sink_, F, R, "  ", stay);
          break;
        case 5:
          print(sink_, C, stay);
          numbered(rising, "###  ", "     ");
          print(sink_, F, " ", stay);
          break;
        case 6:
          print(sink_, C, R, "     ", F, stay);
          break;
      }
    }
    const int last_column = f_.column_on(s, e_);
    if (last_column > 0) {
      if (line == 4) {
        print(sink_, Using("###", {last_column}), stay);
      } else {
        print(sink_, "  |", stay);
      }
    }
    print(sink_);
  }

  void numbered(int member, const char* mask, const char* blank) {
    if (member > 0) {
      print(sink_, Using(mask, {member}), stay);
    } else {
      print(sink_, blank, stay);
    }
  }

  TextSink& sink_;
  const FrameModel& f_;
  int c_, e_;
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
