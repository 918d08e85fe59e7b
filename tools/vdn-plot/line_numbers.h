// The numbers of a data file's line: the free format, blank separated, as
// the generator writes nodes, members and counts.
#pragma once

#include <cstddef>
#include <string_view>

namespace verdan::plot_tool {

// How many numbers a line has, and the first few.
struct LineNumbers {
  static constexpr std::size_t kKept = 4;
  double value[kKept] = {};
  std::size_t count = 0;
};

// The numbers of `line`; a token that is no number is a DataFileError of
// line `line_number`. A mask field too narrow for its value starts with "%";
// "D" marks a double exponent.
LineNumbers line_numbers(std::string_view line, int line_number);

}  // namespace verdan::plot_tool
