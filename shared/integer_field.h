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
// Written at `out`, which has room for width + 21 bytes; returns the end.
// Digits go straight into the field from its right end: the fields are a
// few bytes each and there are tens of millions of them in a large frame.
inline char* put_integer_field(char* out, long long value, int width) {
  if (value >= 0) {
    auto rest = static_cast<unsigned long long>(value);
    int length = 1;
    for (unsigned long long t = rest; t >= 10; t /= 10) ++length;
    char* start = out;
    if (length > width) {
      *start++ = '%';
    } else {
      for (int i = length; i < width; ++i) *start++ = ' ';
    }
    char* const end = start + length;
    char* p = end;
    do {
      *--p = static_cast<char>('0' + rest % 10);
      rest /= 10;
    } while (rest != 0);
    return end;
  }
  char digits[24];
  const auto length = static_cast<int>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
  if (length > width) {
    *out++ = '%';
  } else {
    for (int i = length; i < width; ++i) *out++ = ' ';
  }
  return std::to_chars(out, out + length, value).ptr;
}

inline void append_integer_field(std::string& line, long long value, int width) {
  char field[48];
  if (width < 0) width = 0;
  if (width > 24) {
    line.append(static_cast<std::size_t>(width - 24), ' ');
    width = 24;
  }
  line.append(field, static_cast<std::size_t>(put_integer_field(field, value, width) - field));
}

// The largest whole number the single-precision free format shows in
// plain digits (6 significant digits); above it comes the exponent form.
inline constexpr long long kPlainSingleMax = 999'999;

}  // namespace verdan
