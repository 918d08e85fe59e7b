#include "tools/vdn-plot/frame_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "platform/codec/cp932.h"
#include "platform/host/line_reader.h"

namespace verdan::plot_tool {
namespace {

// The generator's lines are below a hundred bytes; one of kilobytes is damage.
constexpr std::size_t kLongestLine = 4096;
// Counts beyond this are not a generator's frame (at most 4,000,000 grid
// points) but a damaged line.
constexpr std::int64_t kMaxCount = 100'000'000;

// A short piece of a damaged text to quote: cut on a character, control
// bytes shown as "?".
std::string excerpt(std::string_view text) {
  constexpr std::size_t kQuoted = 24;
  std::string out(cut_to_width(text, kQuoted));
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return out.size() < text.size() ? out + "..." : out;
}

class Lines {
 public:
  explicit Lines(LineReader& reader) : reader_(reader) {}

  // The next line, or a DataFileError naming what was expected.
  std::string next(const std::string& expected) {
    std::optional<std::string> line = next_if_any();
    if (!line) throw DataFileError(number_ + 1, "the file ends where " + expected + " should be");
    return *std::move(line);
  }
  // The next line, or nothing at the end of the file.
  std::optional<std::string> next_if_any() {
    ++number_;
    if (held_) return std::exchange(held_, std::nullopt);
    std::string line;
    switch (reader_.next(line)) {
      case LineReader::Result::end:
        --number_;
        return std::nullopt;
      case LineReader::Result::too_long:
        throw DataFileError(number_, "longer than " + std::to_string(kLongestLine) + " bytes, no line of a data file");
      case LineReader::Result::line:
        break;
    }
    return line;
  }
  // Gives the line just read back, to be read again as something else.
  void hold(std::string line) {
    --number_;
    held_ = std::move(line);
  }
  int number() const { return number_; }

 private:
  LineReader& reader_;
  std::optional<std::string> held_;
  int number_ = 0;
};

// The numbers of a line in the free format, blank separated. A mask field
// too narrow for its value starts with "%"; "D" marks a double exponent.
std::vector<double> numbers(const std::string& line, int line_number) {
  std::vector<double> out;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
      continue;
    }
    std::size_t end = line.find_first_of(" \t\r", i);
    if (end == std::string::npos) end = line.size();
    std::string token = line.substr(i, end - i);
    if (token[0] == '%') token.erase(0, 1);
    for (char& c : token) {
      if (c == 'D' || c == 'd') c = 'E';
    }
    double value = 0;
    auto [at, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc() || at != token.data() + token.size() || token.empty() || !std::isfinite(value)) {
      throw DataFileError(line_number, "'" + excerpt(std::string_view(line).substr(i, end - i)) + "' is not a number");
    }
    out.push_back(value);
    i = end;
  }
  return out;
}

std::vector<double> at_least(std::size_t count, const std::string& line, int line_number, const std::string& what) {
  std::vector<double> values = numbers(line, line_number);
  if (values.size() < count) throw DataFileError(line_number, "expected " + what);
  return values;
}

// A whole number within [low, high].
int whole(double value, std::int64_t low, std::int64_t high, int line_number, const std::string& what) {
  if (value != std::floor(value) || value < static_cast<double>(low) || value > static_cast<double>(high)) {
    throw DataFileError(line_number, what + " must be a whole number from " + std::to_string(low) + " to " +
                                         std::to_string(high));
  }
  return static_cast<int>(value);
}

// The counts a count line's number may stand for. Counts are singles written
// with six significant digits, so 1,048,576 members are "1.04858E+06": such a
// number covers every count that rounds (half up) to it.
struct CountRange {
  int low, high;
};

CountRange count_range(double value, std::int64_t low, int line_number, const std::string& what) {
  const auto count = static_cast<std::int64_t>(whole(value, low, kMaxCount, line_number, what));
  std::int64_t step = 1;
  while (count / step >= 1'000'000) step *= 10;
  if (count % step != 0) return {static_cast<int>(count), static_cast<int>(count)};
  return {static_cast<int>(std::max(low, count - step / 2)), static_cast<int>(count + (step - 1) / 2)};
}

// A line's member, or nothing when it is none of a frame of `nodes` nodes.
std::optional<Member> member_of(const std::vector<double>& v, int nodes) {
  const auto within = [](double x, int high) { return x == std::floor(x) && x >= 1 && x <= high; };
  if (v.size() < 3 || !within(v[0], nodes) || !within(v[1], nodes) || !within(v[2], 4)) return std::nullopt;
  return Member{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2])};
}

FrameData read_frame(LineReader& reader) {
  Lines lines(reader);
  std::string header = lines.next("the header \"VERDAN V2.50\"");
  while (!header.empty() && (header.back() == ' ' || header.back() == '\r')) header.pop_back();
  if (header != "VERDAN V2.50") throw DataFileError(1, "not a VERDAN data file: the header is not \"VERDAN V2.50\"");

  const std::string count_line = lines.next("the counts");
  std::vector<double> counts = at_least(4, count_line, lines.number(), "four counts");
  const CountRange nodes = count_range(counts[0], 1, lines.number(), "the number of nodes");
  const CountRange members = count_range(counts[1], 0, lines.number(), "the number of members");
  const int closing = whole(counts[2], 0, kMaxCount, lines.number(), "the number of closing lines");

  // Beyond the lowest count a rounded count may stand for, a node line is one
  // of two numbers, a member line one that names a member.
  FrameData frame;
  for (int n = 1; n <= nodes.high; ++n) {
    const std::string what = "node " + std::to_string(n);
    std::optional<std::string> line = n > nodes.low ? lines.next_if_any() : lines.next(what);
    if (!line) break;
    std::vector<double> xy = at_least(2, *line, lines.number(), "the two coordinates of " + what);
    if (n > nodes.low && xy.size() != 2) {
      lines.hold(*std::move(line));
      break;
    }
    frame.node_x.push_back(xy[0]);
    frame.node_y.push_back(xy[1]);
  }
  const int node_count = static_cast<int>(frame.node_x.size());
  for (int m = 1; m <= members.high; ++m) {
    const std::string what = "member " + std::to_string(m);
    std::optional<std::string> line = m > members.low ? lines.next_if_any() : lines.next(what);
    if (!line) break;
    std::vector<double> v = numbers(*line, lines.number());
    if (m > members.low && !member_of(v, node_count)) {
      lines.hold(*std::move(line));
      break;
    }
    if (v.size() < 3) throw DataFileError(lines.number(), "expected the two ends and the code of " + what);
    frame.members.push_back({whole(v[0], 1, node_count, lines.number(), "the first end of " + what),
                             whole(v[1], 1, node_count, lines.number(), "the second end of " + what),
                             whole(v[2], 1, 4, lines.number(), "the connection code of " + what)});
  }
  for (int c = 0; c < closing; ++c) lines.next("the closing line");
  return frame;
}

}  // namespace

FrameData read_frame_data(std::string_view dos_path) {
  LineReader reader(dos_path, kLongestLine);
  return read_frame(reader);
}

FrameData read_frame_data_from_standard_input() {
  LineReader reader = LineReader::standard_input(kLongestLine);
  return read_frame(reader);
}

}  // namespace verdan::plot_tool
