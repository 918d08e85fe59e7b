// The integer fields that fill the bulk of the generator's large outputs,
// written straight into a line: "###"-style digit fields and the free format
// of small whole numbers. They give the same bytes as the general mask and
// free-format writers, without parsing the mask for every number.
#pragma once

#include <cstddef>
#include <string>

namespace verdan {

// Decimal digits of `value`, at least one.
inline int decimal_length(unsigned long long value) {
  int length = 1;
  for (;;) {
    if (value < 10) return length;
    if (value < 100) return length + 1;
    if (value < 1000) return length + 2;
    if (value < 10000) return length + 3;
    value /= 10000;
    length += 4;
  }
}

// Writes the digits of `value` so that they end just before `end`, two at a
// time: one division by a hundred gives two digits.
inline void put_digits_before(char* end, unsigned long long value) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  while (value >= 100) {
    const auto pair = static_cast<std::size_t>(value % 100) * 2;
    value /= 100;
    *--end = kPairs[pair + 1];
    *--end = kPairs[pair];
  }
  if (value >= 10) {
    const auto pair = static_cast<std::size_t>(value) * 2;
    *--end = kPairs[pair + 1];
    *--end = kPairs[pair];
  } else {
    *--end = static_cast<char>('0' + value);
  }
}

// A mask field of `width` "#" holding `value`: right-aligned, a minus taking
// a digit position, or the whole number after "%" when it is too wide.
// Written at `out`, which has room for width + 21 bytes; returns the end.
// The fields are a few bytes each and there are tens of millions of them in
// a large frame, so the digits go straight into place.
inline char* put_integer_field(char* out, long long value, int width) {
  const bool negative = value < 0;
  // The magnitude as unsigned, so that the most negative value has one too.
  const unsigned long long magnitude =
      negative ? 0 - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  const int digits = decimal_length(magnitude);
  const int length = digits + (negative ? 1 : 0);
  if (length > width) {
    *out++ = '%';
  } else {
    for (int i = length; i < width; ++i) *out++ = ' ';
  }
  if (negative) *out++ = '-';
  char* const end = out + digits;
  put_digits_before(end, magnitude);
  return end;
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
