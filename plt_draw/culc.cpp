#include "plt_draw/culc.h"

#include <cmath>

#include "platform/failure.h"
#include "shared/rounding.h"

namespace verdan {

std::string CULC(float v) {
  char code[3];
  return std::string(code, write_culc(code, v));
}

char* write_culc(char* out, float v) {
  double whole = floor_value(v);
  // Beyond 16 bits the leading byte would leave the encoding's range and the
  // printer would read another command; refuse rather than wrap.
  if (!(std::fabs(whole) < 65536)) fail(kOverflow, "CULC: value outside the LIPS integer range");
  auto m = static_cast<unsigned>(std::fabs(whole));
  const char last_base = v < 0 ? 32 : 48;
  if (m >= 1024) *out++ = static_cast<char>(64 + (m >> 10));
  if (m >= 16) *out++ = static_cast<char>(64 + ((m >> 4) & 63));
  *out++ = static_cast<char>(last_base + (m & 15));
  return out;
}

}  // namespace verdan
