#include "shared/plot_numbers.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/failure.h"
#include "shared/free_format.h"
#include "shared/rounding.h"

namespace verdan {
namespace {

// A field's bytes as a text.
template <typename Write>
std::string field_text(float value, Write write) {
  char bytes[4];
  return std::string(bytes, write(bytes, value));
}

// floor(value) when it lies within [low, high], else an overflow failure.
long long whole_part_within(float value, long long low, long long high, const char* what) {
  double whole = floor_value(value);
  if (!(whole >= static_cast<double>(low) && whole <= static_cast<double>(high))) {
    fail(kOverflow, std::string(what) + ": value out of range");
  }
  return static_cast<long long>(whole);
}

// A plot command with "Inf" or "NaN" in it would draw somewhere else or
// stop the device; such a value is refused.
void require_finite(float value, const char* what) {
  if (!std::isfinite(value)) fail(kOverflow, std::string(what) + ": value is no finite number");
}

// `whole` (10^6 to below 10^8) as the free format writes it: "1.23457E+06".
char* write_whole_in_exponent_form(char* out, bool negative, std::uint32_t whole) {
  int exponent = whole >= 10000000 ? 7 : 6;
  const std::uint32_t cut = exponent == 7 ? 100 : 10;
  std::uint32_t digits = whole / cut;
  if (2 * (whole % cut) >= cut) ++digits;
  if (digits == 1000000) {
    digits = 100000;
    ++exponent;
  }
  while (digits % 10 == 0) digits /= 10;
  char text[8];
  const auto count = static_cast<std::size_t>(write_decimal(text, digits) - text);
  if (negative) *out++ = '-';
  *out++ = text[0];
  if (count > 1) {
    *out++ = '.';
    std::memcpy(out, text + 1, count - 1);
    out += count - 1;
  }
  std::memcpy(out, "E+0", 3);
  out[3] = static_cast<char>('0' + exponent);
  return out + 4;
}

}  // namespace

std::string MAR(float value, float decimals) {
  float power = std::pow(10.0f, decimals);
  float scaled = std::floor(std::fabs(value) * power + 0.5f);
  float rounded = (value < 0 ? -scaled : scaled) / power;
  if (!std::isfinite(power) || !std::isfinite(rounded) || power == 0) {
    fail(kOverflow, "MAR: decimals out of range");
  }
  std::string text = number_text(rounded);
  if (decimals <= 0) return text;
  std::size_t places = static_cast<std::size_t>(to_int(decimals));
  std::size_t point = text.find('.');
  if (point == std::string::npos) {
    point = text.size();
    text.push_back('.');
  }
  text.append(places, '0');
  text.resize(point + 1 + places);
  return text;
}

std::string N2A(float value) {
  char text[kFreeFormatMax];
  return std::string(text, write_n2a(text, value));
}

char* write_n2a(char* out, float value) {
  // Device coordinates and labels' numbers are whole numbers, or halves
  // about a centred origin, of six digits at most, which the free format
  // writes as they are: the whole part (none below 1), and ".5". A half
  // keeps six digits below 10^5 only. A single's fraction below 10^6 is
  // exact.
  const float magnitude = std::fabs(value);
  if (magnitude < 1000000.0f) {
    const auto whole = static_cast<std::uint32_t>(magnitude);
    const float fraction = magnitude - static_cast<float>(whole);
    if (fraction == 0 || (fraction == 0.5f && whole < 100000)) {
      if (value < 0) *out++ = '-';
      if (fraction == 0) return write_decimal(out, whole);
      if (whole != 0) out = write_decimal(out, whole);
      std::memcpy(out, ".5", 2);
      return out + 2;
    }
  } else if (magnitude < 100000000.0f) {
    // Seven or eight digits, every single there whole (labels of millions
    // of nodes): six significant digits in the exponent form, the rest
    // rounded half up as the free format rounds.
    return write_whole_in_exponent_form(out, value < 0, static_cast<std::uint32_t>(magnitude));
  }
  require_finite(value, "N2A");
  const int length = write_free(out, value, false);
  // A non-negative value goes without its leading blank.
  if (value < 0) return out + length;
  std::memmove(out, out + 1, static_cast<std::size_t>(length - 1));
  return out + length - 1;
}

std::string S2X(float value) {
  require_finite(value, "S2X");
  return number_text(floor_value(value)).substr(1);
}

std::string F2X(float value) { return field_text(value, write_f2x); }
std::string L2X(float value) { return field_text(value, write_l2x); }
std::string I2X(float value) { return field_text(value, write_i2x); }

char* write_l2x(char* out, float value) {
  long long n = whole_part_within(value, INT32_MIN, INT32_MAX, "L2X");
  return little_endian(out, static_cast<std::uint32_t>(n), 4);
}

char* write_i2x(char* out, float value) {
  long long n = whole_part_within(value, INT16_MIN, INT16_MAX, "I2X");
  return little_endian(out, static_cast<std::uint32_t>(n), 2);
}

}  // namespace verdan
