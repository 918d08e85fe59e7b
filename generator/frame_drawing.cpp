#include "generator/frame_drawing.h"

#include <algorithm>
#include <charconv>
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

// A line's bytes in a reused array with appends the compiler sees through:
// the drawing's cells are a few bytes each, and a 2000-span frame has
// millions of them.
class Line {
 public:
  void clear() { size_ = 0; }
  Line& operator+=(char c) {
    *room(1) = c;
    ++size_;
    return *this;
  }
  Line& operator+=(std::string_view text) {
    std::memcpy(room(text.size()), text.data(), text.size());
    size_ += text.size();
    return *this;
  }
  void field(long long value, int width) {
    char* end = put_integer_field(room(static_cast<std::size_t>(width) + 24), value, width);
    size_ = static_cast<std::size_t>(end - bytes_.data());
  }
  std::string_view text() const { return {bytes_.data(), size_}; }

 private:
  char* room(std::size_t more) {
    if (size_ + more > bytes_.size()) grow(more);
    return bytes_.data() + size_;
  }
  [[gnu::noinline]] void grow(std::size_t more) { bytes_.resize(std::max(2 * bytes_.size(), size_ + more)); }
  std::vector<char> bytes_ = std::vector<char>(1024);
  std::size_t size_ = 0;
};

// A node's number after "-- " or "   " cut to fill three characters
// (nothing to fill for three digits and more); three blanks for no node.
void append_node_label(Line& line, int node, bool beam_from_left) {
  if (node <= 0) {
    line += "   ";
    return;
  }
  char plain[24];
  std::string exponent_form;
  std::string_view digits;
  if (node <= kPlainSingleMax) {
    digits = std::string_view(plain, static_cast<std::size_t>(std::to_chars(plain, plain + sizeof plain, node).ptr - plain));
  } else {
    exponent_form = number_text(static_cast<float>(node)).substr(1);
    digits = exponent_form;
  }
  const std::size_t fill = digits.size() < 3 ? 3 - digits.size() : 0;
  line += std::string_view(beam_from_left ? "-- " : "   ").substr(3 - fill);
  line += digits;
}

// The drawing's lines are put together in one buffer and written whole:
// a 2000-span frame has millions of cells, and the output goes to the file
// as it is made.
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
    line_.clear();
    line_.field(l, 2);
    line_ += "FL +-  ";
    for (int k = c_; k < e_; ++k) {
      const bool b = beam(l, k + 1);
      append_node_label(line_, f_.node_use(l, k), beam(l, k));
      line_ += b ? " --" : "   ";
      if (b) {
        line_.field(f_.beam_on(l, k + 1), 3);
      } else {
        line_ += "   ";
      }
      line_ += b ? "--" : "  ";
    }
    if (f_.node_use(l, e_) > 0) append_node_label(line_, f_.node_use(l, e_), beam(l, e_));
    end_line();
  }

  // Lines 2 to 6 of level l show storey l - 1 below it.
  void storey_line(int l, int line) {
    const int s = l - 1;
    line_.clear();
    if (line == 4) {
      print(heights_, Using(" ###.### ", {(f_.node_y(l, 0) - f_.node_y(s, 0)) / 100}), stay);
      line_ += heights_.text();
      heights_.clear();
    } else {
      line_ += "     |   ";
    }
    for (int k = c_; k < e_; ++k) {
      const int column = f_.column_on(s, k);
      const int rising = f_.brace_on(s, k, 1);
      const int falling = f_.brace_on(s, k, 2);
      const char* C = column > 0 ? "  | " : "    ";
      const char R = rising > 0 ? '*' : ' ';
      const char F = falling > 0 ? '*' : ' ';
      switch (line) {
        case 2:
          line_ += C;
          line_ += F;
          line_ += "     ";
          line_ += R;
          break;
        case 3:
          line_ += C;
          numbered(falling, 3, "     ");
          line_ += R;
          line_ += ' ';
          break;
        case 4:
          numbered(column, 3, "       ", "    ");
          line_ += F;
          line_ += R;
          line_ += "  ";
          break;
        case 5:
          line_ += C;
          numbered(rising, 3, "     ");
          line_ += F;
          line_ += ' ';
          break;
        case 6:
          line_ += C;
          line_ += R;
          line_ += "     ";
          line_ += F;
          break;
      }
    }
    const int last_column = f_.column_on(s, e_);
    if (last_column > 0) {
      if (line == 4) {
        line_.field(last_column, 3);
      } else {
        line_ += "  |";
      }
    }
    end_line();
  }

  // A member's number in a field of `width` digits followed by `after`
  // (two blanks unless given), or `blank` where there is no member.
  void numbered(int member, int width, const char* blank, const char* after = "  ") {
    if (member > 0) {
      line_.field(member, width);
      line_ += after;
    } else {
      line_ += blank;
    }
  }

  void end_line() {
    sink_.write(line_.text());
    sink_.end_line();
  }

  TextSink& sink_;
  const FrameModel& f_;
  int c_, e_;
  Line line_;
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
