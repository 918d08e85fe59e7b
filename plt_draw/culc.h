// The integer code of LIPS III command parameters.
#pragma once

#include <string>

namespace verdan {

// floor(v) in the LIPS III integer encoding: up to two bytes 64 + six bits of
// the magnitude, then 48 (32 when negative) + its low four bits. Failure 6
// when |floor(v)| is 65536 or more, or v is not a number.
std::string CULC(float v);

// Failure 6 for a value CULC cannot write.
[[noreturn]] void refuse_culc();

// The same written at `out` (at most 3 bytes); returns the end. Inline and
// without a table: LIPS writes four for every line, and computing the code
// takes less than looking it up.
inline char* write_culc(char* out, float v) {
  // floor(v) within +-65535: from -65535 up to below 65536, and a number.
  // Beyond 16 bits the leading byte would leave the encoding's range and
  // the printer would read another command; refuse rather than wrap.
  if (!(v >= -65535.0f && v < 65536.0f)) refuse_culc();
  // The floor by truncation, one less where it cut a fraction below zero,
  // not by the library call that plain x86-64 makes of std::floor.
  auto whole = static_cast<int>(v);
  if (static_cast<float>(whole) > v) --whole;
  const auto m = static_cast<unsigned>(whole < 0 ? -whole : whole);
  const char last_base = v < 0 ? 32 : 48;
  if (m >= 1024) *out++ = static_cast<char>(64 + (m >> 10));
  if (m >= 16) *out++ = static_cast<char>(64 + ((m >> 4) & 63));
  *out++ = static_cast<char>(last_base + (m & 15));
  return out;
}

}  // namespace verdan
