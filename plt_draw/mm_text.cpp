#include "plt_draw/mm_text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/failure.h"
#include "shared/free_format.h"

namespace verdan {
namespace {

__extension__ typedef unsigned __int128 Wide;

// Magnitudes below this take the integer road: times 10^4 they stay below
// 2^64.
constexpr double kIntegerRoadLimit = 1e14;

// |value| * 10^4 rounded half to even on the exact binary value, for
// magnitudes below kIntegerRoadLimit.
std::uint64_t ten_thousandths(double magnitude) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const auto biased = static_cast<int>(bits >> 52);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased != 0) mantissa |= std::uint64_t{1} << 52;
  const int e = (biased != 0 ? biased : 1) - 1075;  // magnitude = mantissa * 2^e
  const Wide scaled = static_cast<Wide>(mantissa) * 10000;
  if (e >= 0) return static_cast<std::uint64_t>(scaled << e);
  const int shift = -e;
  // Below 2^-60 the value is far under half a ten-thousandth.
  if (shift > 113) return 0;
  const Wide half = static_cast<Wide>(1) << (shift - 1);
  std::uint64_t q = static_cast<std::uint64_t>(scaled >> shift);
  const Wide rest = scaled & ((half << 1) - 1);
  if (rest > half || (rest == half && (q & 1) != 0)) ++q;
  return q;
}

// The general road: fixed with four decimals, trailing zeros cut.
char* write_by_to_chars(char* out, double value) {
  auto [end, ec] = std::to_chars(out, out + kMmTextMax, value, std::chars_format::fixed, 4);
  if (ec != std::errc()) fail(kOverflow, "drawing coordinate is too large");
  while (end[-1] == '0') --end;
  if (end[-1] == '.') --end;
  if (end - out == 2 && out[0] == '-' && out[1] == '0') {
    out[0] = '0';
    --end;
  }
  return end;
}

}  // namespace

std::string mm_text(double value) {
  char text[kMmTextMax];
  return std::string(text, write_mm(text, value));
}

char* write_mm(char* out, double value) {
  if (!std::isfinite(value)) fail(kOverflow, "drawing coordinate is no finite number");
  const double magnitude = std::fabs(value);
  if (!(magnitude < kIntegerRoadLimit)) return write_by_to_chars(out, value);
  const std::uint64_t q = magnitude == 0 ? 0 : ten_thousandths(magnitude);
  if (q != 0 && std::signbit(value)) *out++ = '-';
  out = write_decimal(out, q / 10000);
  std::uint64_t decimals = q % 10000;
  if (decimals == 0) return out;
  *out++ = '.';
  int places = 4;
  while (decimals % 10 == 0) {
    decimals /= 10;
    --places;
  }
  for (int i = places - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + decimals % 10);
    decimals /= 10;
  }
  return out + places;
}

}  // namespace verdan
