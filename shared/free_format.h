// The free number format of every screen and text file: a blank or "-",
// the digits, a blank. Single precision keeps 6 significant digits, double
// precision and integers 15, the last kept digit rounded half up from the
// exact next one. Fixed-point without a zero before the point; exponent form
// ("E" single, "D" double) when the integer part would need more digits than
// that, or when the magnitude is below 0.001.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace verdan {

// 10^0 .. 10^19, the powers of ten an unsigned 64-bit integer holds.
inline constexpr std::uint64_t kPowersOfTen[20] = {
    1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL, 100000000ULL,
    1000000000ULL, 10000000000ULL, 100000000000ULL, 1000000000000ULL, 10000000000000ULL,
    100000000000000ULL, 1000000000000000ULL, 10000000000000000ULL, 100000000000000000ULL,
    1000000000000000000ULL, 10000000000000000000ULL};

inline constexpr int kSingleDigits = 6;
inline constexpr int kDoubleDigits = 15;

// A positive value rounded to `n` significant digits:
// value = digits * 10^(exponent - n + 1), 10^(n-1) <= digits < 10^n.
struct SignificantDigits {
  std::uint64_t digits;
  int exponent;  // decimal exponent of the first digit
};

// Rounds a finite `magnitude` > 0 to `n` (1..17) significant digits, half up
// on its exact binary value.
SignificantDigits round_significant(double magnitude, int n);

// "00" to "99", two digits for each number below 100.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The decimal digits of `value` written at `out` (at most 20); returns the
// end. Inline: the plot devices write millions of them.
inline char* write_decimal(char* out, std::uint64_t value) {
  if (value < 10) {
    *out = static_cast<char>('0' + value);
    return out + 1;
  }
  // log10 from log2: 1233 / 4096 is just above log10(2), so `t` is the
  // count of digits or one less.
  const int t = std::bit_width(value) * 1233 >> 12;
  const int count = t + (value >= kPowersOfTen[t] ? 1 : 0);
  char* const end = out + count;
  char* p = end;
  for (; value >= 100; value /= 100) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (value % 100), 2);
  }
  if (value >= 10) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * value, 2);
  } else {
    *--p = static_cast<char>('0' + value);
  }
  return end;
}

// Buffer size that any free-format text fits into.
inline constexpr int kFreeFormatMax = 32;

// Writes the free format of `value` into `out` (at least kFreeFormatMax
// bytes), with the trailing blank when `trailing_blank`; returns the length.
int write_free(char* out, float value, bool trailing_blank = true);
int write_free(char* out, double value, bool trailing_blank = true);
int write_free(char* out, long long value, bool trailing_blank = true);

// The free format as a text, with its trailing blank.
std::string free_format(float value);
std::string free_format(double value);
std::string free_format(long long value);

// The number-to-text conversion: the free format without its trailing blank
// (labels, file names, command texts).
std::string number_text(float value);
std::string number_text(double value);
std::string number_text(long long value);

}  // namespace verdan
