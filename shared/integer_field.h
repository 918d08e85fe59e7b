// The integer fields that fill the bulk of the generator's large outputs,
// written straight into a line: "###"-style digit fields and the free format
// of small whole numbers. They give the same bytes as the general mask and
// free-format writers, without parsing the mask for every number.
#pragma once

#include <charconv>
#include <cstddef>
#include <string>

namespace verdan {

// A mask field of `width` "#" holding `value`: right-aligned, a minus taking
// a digit position, or the whole number after "%" when it is too wide.
inline void append_integer_field(std::string& line, long long value, int width) {
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const auto length = static_cast<std::size_t>(end - digits);
  const auto room = static_cast<std::size_t>(width);
  if (length > room) {
    line += '%';
  } else {
    line.append(room - length, ' ');
  }
  line.append(digits, length);
}

// The largest whole number the single-precision free format shows in
// plain digits (6 significant digits); above it comes the exponent form.
inline constexpr long long kPlainSingleMax = 999'999;

}  // namespace verdan
