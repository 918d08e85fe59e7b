// The numbers of a data file's line: the free format, blank separated, as
// the generator writes nodes, members and counts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace verdan::plot_tool {

// How many numbers a line has, and the first few.
struct LineNumbers {
  static constexpr std::size_t kKept = 4;
  double value[kKept] = {};
  std::size_t count = 0;
};

// The end of a line past its kept numbers, as checked last: the generator
// closes every member line with the same fixed numbers, so the lines of a
// file read through one are checked there by a comparison.
struct CheckedTail {
  static constexpr std::size_t kLongest = 128;
  std::size_t kept = LineNumbers::kKept;  // numbers before the tail, at most kKept
  std::size_t size = 0;   // bytes of `text`
  std::size_t count = 0;  // numbers in them
  char text[kLongest];
};

// Bytes past a line that the fast road may look at, a word at a time.
inline constexpr std::size_t kReadablePastLine = 8;

// The fast road: the numbers of `line` into `out` when every token is a
// whole number of at most 15 digits, "%" and "-" before it at most, the
// tokens separated by blanks and the line at most 128 bytes, as nearly every
// line of a file. False for any other line, `out` then of no use. The line
// is read in place: the byte past it must be neither a blank nor a digit
// (its line end), and kReadablePastLine bytes past it must be readable, as
// they are after a LineReader's line.
bool plain_line_numbers_in_place(std::string_view line, LineNumbers& out, CheckedTail& tail);

// A faster road for the lines read through `tail`: their first tail.kept
// numbers as whole numbers into `out` when they are plain as above and the
// rest of the line is the tail's text. False for any other line, which the
// roads above then read (and which may set the tail anew).
bool plain_wholes_in_place(std::string_view line, const CheckedTail& tail, std::int64_t (&out)[LineNumbers::kKept]);

// The numbers of any line, a token at a time.
LineNumbers any_line_numbers(std::string_view line, int line_number);

// The numbers of a LineReader's `line`, read in place; a token that is no
// number is a DataFileError of line `line_number`. A mask field too narrow
// for its value starts with "%"; "D" marks a double exponent.
inline LineNumbers read_line_numbers(std::string_view line, int line_number, CheckedTail& tail) {
  LineNumbers out;
  if (plain_line_numbers_in_place(line, out, tail)) return out;
  return any_line_numbers(line, line_number);
}

inline LineNumbers read_line_numbers(std::string_view line, int line_number) {
  CheckedTail tail;
  return read_line_numbers(line, line_number, tail);
}

}  // namespace verdan::plot_tool
