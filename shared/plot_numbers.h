// Numbers as the texts and binary fields of plot command streams and of the
// intermediate drawing file. All arguments are single-precision values; a
// value without a representation, infinities and NaN included, is an
// overflow failure (code 6).
#pragma once

#include <bit>
#include <cstdint>
#include <string>

namespace verdan {

// `value` rounded half away from zero to `decimals` places, as standard text
// (leading blank or "-") with exactly that many digits after the point.
std::string MAR(float value, float decimals);

// Standard text of `value` without the leading blank of a non-negative value.
std::string N2A(float value);

// Decimal text of floor(value) with its first character (blank or "-") removed.
std::string S2X(float value);

// The IEEE 754 single of `value`, least significant byte first.
std::string F2X(float value);

// floor(value) as a 32-bit two's-complement integer, least significant byte first.
std::string L2X(float value);

// floor(value) as a 16-bit two's-complement integer, least significant byte first.
std::string I2X(float value);

// The same written at `out`, for commands built in place: each returns the
// end of what it wrote (N2A at most kFreeFormatMax bytes, the fields 4 or 2).
char* write_n2a(char* out, float value);
char* write_l2x(char* out, float value);
char* write_i2x(char* out, float value);

// The low `bytes` bytes of `bits`, least significant first, as the binary
// fields are written; returns the end.
inline char* little_endian(char* out, std::uint32_t bits, int bytes) {
  for (int i = 0; i < bytes; ++i) *out++ = static_cast<char>((bits >> (8 * i)) & 0xFF);
  return out;
}

// Inline: a drawing file's every line has four.
inline char* write_f2x(char* out, float value) { return little_endian(out, std::bit_cast<std::uint32_t>(value), 4); }

}  // namespace verdan
