#include "shared/free_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

namespace verdan {
namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr double kLog10Of2 = 0.30102999566398119521;

// Exponent forms for magnitudes below this power of ten.
constexpr int kSmallestFixedExponent = -3;

int bit_width(Wide x) {
  std::uint64_t high = static_cast<std::uint64_t>(x >> 64);
  return high ? 64 + std::bit_width(high) : std::bit_width(static_cast<std::uint64_t>(x));
}

Wide pow5(int p) {
  Wide r = 1;
  for (int i = 0; i < p; ++i) r *= 5;
  return r;
}

Wide pow10_wide(int p) {
  Wide r = 1;
  for (int i = 0; i < p; ++i) r *= 10;
  return r;
}

// floor(M * 2^e * 10^s) and whether the dropped fraction is at least one
// half, in exact integer arithmetic. False when the numbers would not fit
// 128 bits; the caller then takes the slow road.
bool scale_exact(std::uint64_t mantissa, int e, int s, std::uint64_t& q, bool& round_up) {
  Wide quotient;
  if (s >= 0) {
    if (s > 55) return false;
    // log2(5) < 2.33: M * 5^s stays below 2^127.
    if (bit_width(static_cast<Wide>(mantissa)) + (s * 233 + 99) / 100 > 127) return false;
    Wide x = static_cast<Wide>(mantissa) * pow5(s);
    int t = e + s;  // remaining power of two
    if (t >= 0) {
      if (bit_width(x) + t > 127) return false;
      quotient = x << t;
      round_up = false;
    } else {
      int u = -t;
      if (u >= 127) return false;
      quotient = x >> u;
      Wide rem = x & ((static_cast<Wide>(1) << u) - 1);
      round_up = rem >= (static_cast<Wide>(1) << (u - 1));
    }
  } else {
    int p = -s;
    if (p > 38) return false;
    Wide d = pow10_wide(p);
    if (e >= 0) {
      if (bit_width(static_cast<Wide>(mantissa)) + e > 127) return false;
      Wide a = static_cast<Wide>(mantissa) << e;
      quotient = a / d;
      round_up = 2 * (a % d) >= d;
    } else {
      if (bit_width(d) + (-e) > 126) return false;
      Wide den = d << (-e);
      quotient = static_cast<Wide>(mantissa) / den;
      round_up = 2 * (static_cast<Wide>(mantissa) % den) >= den;
    }
  }
  if (quotient >= static_cast<Wide>(kPowersOfTen[19])) return false;
  q = static_cast<std::uint64_t>(quotient);
  return true;
}

// Slow but exact: every binary double has a finite decimal expansion of at
// most 767 significant digits, so 800 digits after the first are exact.
SignificantDigits round_significant_slow(double magnitude, int n) {
  static thread_local char buf[1000];
  auto result = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 800);
  const char* e = static_cast<const char*>(std::memchr(buf, 'e', result.ptr - buf));
  int exponent = 0;
  std::from_chars(e[1] == '+' ? e + 2 : e + 1, result.ptr, exponent);
  std::uint64_t digits = static_cast<std::uint64_t>(buf[0] - '0');
  const char* p = buf + 2;  // first digit after the point
  for (int i = 1; i < n; ++i, ++p) digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
  if (*p >= '5') ++digits;
  if (digits == kPowersOfTen[n]) {
    digits = kPowersOfTen[n - 1];
    ++exponent;
  }
  return {digits, exponent};
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                          1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Six significant digits by one multiplication: magnitude * 10^p with an
// exact power errs by half a unit of the product's last place, below 1e-9
// for a product under 10^6, so its fraction decides the rounding unless it
// lies that close to one half. Nothing there, and for powers a double does
// not hold.
std::optional<SignificantDigits> single_by_product(double magnitude) {
  constexpr int n = kSingleDigits;
  // A single's value is a normal double: 2^(E-1) <= magnitude < 2^E, so
  // the decimal exponent is k or k + 1.
  const int binary_exponent = static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7FF) - 1022;
  int k = static_cast<int>(std::floor((binary_exponent - 1) * kLog10Of2));
  for (int attempt = 0; attempt < 2; ++attempt, ++k) {
    const int p = n - 1 - k;
    if (p > 22 || p < -22) return std::nullopt;
    const double scaled = p >= 0 ? magnitude * kExactPowersOfTen[p] : magnitude / kExactPowersOfTen[-p];
    if (scaled >= static_cast<double>(kPowersOfTen[n])) continue;  // k was one too small
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6) return std::nullopt;
    const auto q = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    if (q == kPowersOfTen[n]) return SignificantDigits{kPowersOfTen[n - 1], k + 1};
    return SignificantDigits{q, k};
  }
  return std::nullopt;
}

int write_real(char* out, double value, int n, char exponent_char, bool trailing_blank) {
  char* p = out;
  *p++ = std::signbit(value) && value != 0 ? '-' : ' ';
  double magnitude = std::fabs(value);
  if (magnitude == 0 || !std::isfinite(magnitude)) {
    // Infinities and NaNs never come from the system's own arithmetic; they
    // are shown rather than crashing the output.
    const char* text = magnitude == 0 ? "0" : std::isnan(magnitude) ? "NaN" : "Inf";
    std::size_t len = std::strlen(text);
    std::memcpy(p, text, len);
    p += len;
  } else if (magnitude < static_cast<double>(kPowersOfTen[n]) && magnitude == static_cast<double>(static_cast<std::uint64_t>(magnitude))) {
    // A whole number within the digits kept is its own rounding.
    p = write_decimal(p, static_cast<std::uint64_t>(magnitude));
  } else {
    const std::optional<SignificantDigits> shortcut =
        n == kSingleDigits ? single_by_product(magnitude) : std::nullopt;
    const SignificantDigits d = shortcut ? *shortcut : round_significant(magnitude, n);
    char digits[20];
    int count = static_cast<int>(write_decimal(digits, d.digits) - digits);
    while (count > 1 && digits[count - 1] == '0') --count;
    int k = d.exponent;
    if (k >= n || k < kSmallestFixedExponent) {
      *p++ = digits[0];
      if (count > 1) {
        *p++ = '.';
        std::memcpy(p, digits + 1, count - 1);
        p += count - 1;
      }
      *p++ = exponent_char;
      *p++ = k < 0 ? '-' : '+';
      int ak = k < 0 ? -k : k;
      if (ak < 10) *p++ = '0';
      p = write_decimal(p, static_cast<std::uint64_t>(ak));
    } else if (k >= 0) {
      int whole = k + 1;
      for (int i = 0; i < whole; ++i) *p++ = i < count ? digits[i] : '0';
      if (count > whole) {
        *p++ = '.';
        std::memcpy(p, digits + whole, count - whole);
        p += count - whole;
      }
    } else {
      *p++ = '.';
      for (int i = 0; i < -k - 1; ++i) *p++ = '0';
      std::memcpy(p, digits, count);
      p += count;
    }
  }
  if (trailing_blank) *p++ = ' ';
  return static_cast<int>(p - out);
}

}  // namespace

SignificantDigits round_significant(double magnitude, int n) {
  int binary_exponent = 0;
  double fraction = std::frexp(magnitude, &binary_exponent);  // magnitude = fraction * 2^E
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  int e = binary_exponent - 53;
  int zeros = std::countr_zero(mantissa);
  mantissa >>= zeros;
  e += zeros;

  // 2^(E-1) <= magnitude < 2^E, so the decimal exponent is k0 or k0 + 1.
  int k = static_cast<int>(std::floor((binary_exponent - 1) * kLog10Of2));
  for (int attempt = 0; attempt < 2; ++attempt, ++k) {
    std::uint64_t q = 0;
    bool round_up = false;
    if (!scale_exact(mantissa, e, n - 1 - k, q, round_up)) break;
    if (q >= kPowersOfTen[n]) continue;  // k was one too small
    q += round_up ? 1 : 0;
    if (q == kPowersOfTen[n]) return {kPowersOfTen[n - 1], k + 1};
    return {q, k};
  }
  return round_significant_slow(magnitude, n);
}

int write_free(char* out, float value, bool trailing_blank) {
  return write_real(out, static_cast<double>(value), kSingleDigits, 'E', trailing_blank);
}

int write_free(char* out, double value, bool trailing_blank) {
  return write_real(out, value, kDoubleDigits, 'D', trailing_blank);
}

int write_free(char* out, long long value, bool trailing_blank) {
  unsigned long long magnitude =
      value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  if (magnitude >= kPowersOfTen[kDoubleDigits]) {
    return write_real(out, static_cast<double>(value), kDoubleDigits, 'D', trailing_blank);
  }
  char* p = out;
  *p++ = value < 0 ? '-' : ' ';
  p = write_decimal(p, magnitude);
  if (trailing_blank) *p++ = ' ';
  return static_cast<int>(p - out);
}

namespace {
template <typename Number>
std::string to_text(Number value, bool trailing_blank) {
  char buf[kFreeFormatMax];
  return std::string(buf, static_cast<std::size_t>(write_free(buf, value, trailing_blank)));
}
}  // namespace

std::string free_format(float value) { return to_text(value, true); }
std::string free_format(double value) { return to_text(value, true); }
std::string free_format(long long value) { return to_text(value, true); }
std::string number_text(float value) { return to_text(value, false); }
std::string number_text(double value) { return to_text(value, false); }
std::string number_text(long long value) { return to_text(value, false); }

}  // namespace verdan
