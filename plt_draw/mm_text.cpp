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

// Magnitudes of at most 43 significant bits (singles, and their sums and
// differences with a sheet's size) times 10^4 = 625 * 2^4 need at most 53:
// the product is exact, and below 2^52 adding and taking away 2^52 rounds
// it half to even.
constexpr std::uint64_t kBeyond43Bits = (std::uint64_t{1} << 10) - 1;
constexpr double kExactProductLimit = 0x1p52 / 10000;

// |value| * 10^4 rounded half to even on the exact binary value, for
// magnitudes below kIntegerRoadLimit.
std::uint64_t ten_thousandths(double magnitude) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  if ((bits & kBeyond43Bits) == 0 && magnitude < kExactProductLimit) {
    const double product = magnitude * 10000;
    return static_cast<std::uint64_t>((product + 0x1p52) - 0x1p52);
  }
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
  const auto decimals = static_cast<std::size_t>(q % 10000);
  if (decimals == 0) return out;
  *out++ = '.';
  std::memcpy(out, kDigitPairs + 2 * (decimals / 100), 2);
  std::memcpy(out + 2, kDigitPairs + 2 * (decimals % 100), 2);
  int places = 4;
  while (out[places - 1] == '0') --places;
  return out + places;
}

}  // namespace verdan
