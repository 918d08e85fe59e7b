#include "tools/vdn-plot/frame_reader.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "tools/vdn-plot/line_numbers.h"

namespace verdan::plot_tool {
namespace {

static_assert(LineReader::kReadablePastLine >= kReadablePastLine, "lines are read in place");

// The generator's lines are below a hundred bytes; one of kilobytes is damage.
constexpr std::size_t kLongestLine = 4096;
// Counts beyond this are not a generator's frame (at most 4,000,000 grid
// points) but a damaged line.
constexpr std::int64_t kMaxCount = 100'000'000;
constexpr int kLargestGeneratedFrame = 4'000'000;

LineNumbers at_least(std::size_t count, std::string_view line, int line_number, const char* what) {
  LineNumbers values = read_line_numbers(line, line_number);
  if (values.count < count) throw DataFileError(line_number, std::string("expected ") + what);
  return values;
}

bool is_whole_within(double value, std::int64_t low, std::int64_t high) {
  // Within the range (NaN is not), the cut to a whole number is exact, and
  // cheaper than floor for the millions of member numbers.
  return value >= static_cast<double>(low) && value <= static_cast<double>(high) &&
         static_cast<double>(static_cast<std::int64_t>(value)) == value;
}

// A whole number within [low, high]; `what` is only made for the message.
template <typename What>
int whole(double value, std::int64_t low, std::int64_t high, int line_number, What what) {
  if (!is_whole_within(value, low, high)) {
    throw DataFileError(line_number, std::string(what()) + " must be a whole number from " + std::to_string(low) +
                                         " to " + std::to_string(high));
  }
  return static_cast<int>(value);
}

// The counts a count line's number may stand for. Counts are singles written
// with six significant digits, so 1,048,576 members are "1.04858E+06": such a
// number covers every count that rounds (half up) to it.
struct CountRange {
  int low, high;
};

CountRange count_range(double value, std::int64_t low, int line_number, const char* what) {
  const auto count = static_cast<std::int64_t>(whole(value, low, kMaxCount, line_number, [what] { return what; }));
  std::int64_t step = 1;
  while (count / step >= 1'000'000) step *= 10;
  if (count % step != 0) return {static_cast<int>(count), static_cast<int>(count)};
  return {static_cast<int>(std::max(low, count - step / 2)), static_cast<int>(count + (step - 1) / 2)};
}

// Whether a line's numbers name a member of a frame of `nodes` nodes.
bool names_member(const LineNumbers& v, int nodes) {
  return v.count >= 3 && is_whole_within(v.value[0], 1, nodes) && is_whole_within(v.value[1], 1, nodes) &&
         is_whole_within(v.value[2], 1, 4);
}

// The same for a line's first three numbers read as whole numbers.
bool names_member(const std::int64_t (&v)[LineNumbers::kKept], int nodes) {
  return v[0] >= 1 && v[0] <= nodes && v[1] >= 1 && v[1] <= nodes && v[2] >= 1 && v[2] <= 4;
}

}  // namespace

FrameReader::FrameReader(std::string_view dos_path) : reader_(dos_path, kLongestLine) {}

FrameReader::FrameReader(FromStandardInput) : reader_(LineReader::standard_input(kLongestLine)) {}

FrameReader FrameReader::standard_input() { return FrameReader(FromStandardInput{}); }

inline bool FrameReader::next(std::string_view& line) {
  ++number_;
  if (held_) {
    held_ = false;
    line = last_;
    return true;
  }
  switch (reader_.next(last_)) {
    case LineReader::Result::end:
      --number_;
      return false;
    case LineReader::Result::too_long:
      too_long();
    case LineReader::Result::line:
      break;
  }
  line = last_;
  return true;
}

void FrameReader::too_long() const {
  throw DataFileError(number_, "longer than " + std::to_string(kLongestLine) + " bytes, no line of a data file");
}

std::string_view FrameReader::next(const char* expected) {
  std::string_view line;
  if (!next(line)) ended(expected);
  return line;
}

void FrameReader::ended(const std::string& expected) const {
  throw DataFileError(number_ + 1, "the file ends where " + expected + " should be");
}

void FrameReader::hold() {
  --number_;
  held_ = true;
}

void FrameReader::read_nodes(FrameNodes& frame) {
  std::string_view header = next("the header \"VERDAN V2.50\"");
  while (!header.empty() && (header.back() == ' ' || header.back() == '\r')) header.remove_suffix(1);
  if (header != "VERDAN V2.50") throw DataFileError(1, "not a VERDAN data file: the header is not \"VERDAN V2.50\"");

  const LineNumbers counts = at_least(4, next("the counts"), number_, "four counts");
  const CountRange nodes = count_range(counts.value[0], 1, number_, "the number of nodes");
  const CountRange members = count_range(counts.value[1], 0, number_, "the number of members");
  members_low_ = members.low;
  members_high_ = members.high;
  closing_ = whole(counts.value[2], 0, kMaxCount, number_, [] { return "the number of closing lines"; });

  // Beyond the lowest count a rounded count may stand for, a node line is one
  // of two numbers, a member line one that names a member.
  // Room for as many nodes as the count may stand for, at once: no copy of
  // millions while they are read (a damaged count reserves little more
  // than the largest frame).
  const auto room = static_cast<std::size_t>(std::min(nodes.high, 2 * kLargestGeneratedFrame));
  frame.reserve(room);
  CheckedTail node_tail;
  node_tail.kept = 2;
  for (int n = 1; n <= nodes.high; ++n) {
    std::string_view line;
    if (!next(line)) {
      if (n > nodes.low) break;
      ended("node " + std::to_string(n));
    }
    // Nearly every node: two plain whole numbers, the tail of the line
    // before and nothing in it.
    std::int64_t whole_xy[LineNumbers::kKept];
    if (node_tail.count == 0 && plain_wholes_in_place(line, node_tail, whole_xy)) {
      frame.push_back(static_cast<double>(whole_xy[0]), static_cast<double>(whole_xy[1]));
      continue;
    }
    const LineNumbers xy = read_line_numbers(line, number_, node_tail);
    if (xy.count < 2) throw DataFileError(number_, "expected the two coordinates of node " + std::to_string(n));
    if (n > nodes.low && xy.count != 2) {
      hold();
      break;
    }
    frame.push_back(xy.value[0], xy.value[1]);
  }
  node_count_ = static_cast<int>(frame.size());
}

void FrameReader::read_members(MemberSink& sink) {
  // A member is its two ends and its code; the rest of its line is checked.
  tail_.kept = 3;
  for (int m = 1; m <= members_high_; ++m) {
    std::string_view line;
    if (!next(line)) {
      if (m > members_low_) break;
      ended("member " + std::to_string(m));
    }
    // Nearly every line: three plain whole numbers that name a member, then
    // the tail of the line before.
    std::int64_t ends_and_code[LineNumbers::kKept];
    if (plain_wholes_in_place(line, tail_, ends_and_code) && names_member(ends_and_code, node_count_)) {
      sink.add({static_cast<int>(ends_and_code[0]), static_cast<int>(ends_and_code[1]),
                static_cast<int>(ends_and_code[2])});
      continue;
    }
    const LineNumbers v = read_line_numbers(line, number_, tail_);
    const bool names_one = names_member(v, node_count_);
    if (m > members_low_ && !names_one) {
      hold();
      break;
    }
    if (names_one) {
      sink.add({static_cast<int>(v.value[0]), static_cast<int>(v.value[1]), static_cast<int>(v.value[2])});
      continue;
    }
    // A line that names no member: say which of its numbers is wrong.
    const int at = number_;
    const auto of_member = [m](const char* part) {
      return [m, part] { return std::string(part) + " of member " + std::to_string(m); };
    };
    if (v.count < 3) throw DataFileError(at, of_member("expected the two ends and the code")());
    sink.add({whole(v.value[0], 1, node_count_, at, of_member("the first end")),
              whole(v.value[1], 1, node_count_, at, of_member("the second end")),
              whole(v.value[2], 1, 4, at, of_member("the connection code"))});
  }
  for (int c = 0; c < closing_; ++c) next("the closing line");
}

}  // namespace verdan::plot_tool
