#include "plt_draw/tool/frame_data.h"

#include <charconv>
#include <cmath>

#include "platform/files.h"

namespace verdan::plot_tool {
namespace {

class Lines {
 public:
  explicit Lines(std::string_view dos_path) : file_(File::open_input(dos_path)) {}

  // The next line, or a DataFileError naming what was expected.
  std::string next(const std::string& expected) {
    ++number_;
    if (file_.eof()) throw DataFileError(number_, "the file ends where " + expected + " should be");
    return file_.read_line();
  }
  int number() const { return number_; }

 private:
  File file_;
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
      throw DataFileError(line_number, "'" + line.substr(i, end - i) + "' is not a number");
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
int whole(double value, int low, int high, int line_number, const std::string& what) {
  if (value != std::floor(value) || value < low || value > high) {
    throw DataFileError(line_number, what + " must be a whole number from " + std::to_string(low) + " to " +
                                         std::to_string(high));
  }
  return static_cast<int>(value);
}

}  // namespace

FrameData read_frame_data(std::string_view dos_path) {
  Lines lines(dos_path);
  std::string header = lines.next("the header \"VERDAN V2.50\"");
  while (!header.empty() && (header.back() == ' ' || header.back() == '\r')) header.pop_back();
  if (header != "VERDAN V2.50") throw DataFileError(1, "not a VERDAN data file: the header is not \"VERDAN V2.50\"");

  // Counts beyond these are not a generator's frame but a damaged line.
  constexpr int kMaxCount = 1000000;
  const std::string count_line = lines.next("the counts");
  std::vector<double> counts = at_least(4, count_line, lines.number(), "four counts");
  const int nodes = whole(counts[0], 1, kMaxCount, lines.number(), "the number of nodes");
  const int members = whole(counts[1], 0, kMaxCount, lines.number(), "the number of members");
  const int closing = whole(counts[2], 0, kMaxCount, lines.number(), "the number of closing lines");

  FrameData frame;
  for (int n = 1; n <= nodes; ++n) {
    const std::string line = lines.next("node " + std::to_string(n));
    std::vector<double> xy = at_least(2, line, lines.number(), "the two coordinates of node " + std::to_string(n));
    frame.node_x.push_back(xy[0]);
    frame.node_y.push_back(xy[1]);
  }
  for (int m = 1; m <= members; ++m) {
    const std::string what = "member " + std::to_string(m);
    const std::string line = lines.next(what);
    std::vector<double> v = at_least(3, line, lines.number(), "the two ends and the code of " + what);
    frame.members.push_back({whole(v[0], 1, nodes, lines.number(), "the first end of " + what),
                             whole(v[1], 1, nodes, lines.number(), "the second end of " + what),
                             whole(v[2], 1, 4, lines.number(), "the connection code of " + what)});
  }
  for (int c = 0; c < closing; ++c) lines.next("the closing line");
  return frame;
}

}  // namespace verdan::plot_tool
