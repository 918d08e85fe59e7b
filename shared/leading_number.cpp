#include "shared/leading_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace verdan {
namespace {

float prefixed_number(std::string_view digits, int base) {
  double value = 0;
  for (char c : digits) {
    int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : 99;
    if (d >= base) break;
    value = value * base + d;
  }
  return static_cast<float>(std::fmin(value, std::numeric_limits<float>::max()));
}

}  // namespace

float leading_number(std::string_view entry) {
  std::size_t i = entry.find_first_not_of(' ');
  if (i == std::string_view::npos) return 0;
  entry.remove_prefix(i);

  if (entry.size() >= 2 && entry[0] == '&') {
    char kind = static_cast<char>(entry[1] & ~0x20);  // ASCII upper case
    if (kind == 'H') return prefixed_number(entry.substr(2), 16);
    if (kind == 'O') return prefixed_number(entry.substr(2), 8);
    return prefixed_number(entry.substr(1), 8);
  }
  return leading_decimal(entry);
}

float leading_decimal(std::string_view entry) {
  std::size_t i = entry.find_first_not_of(' ');
  if (i == std::string_view::npos) return 0;
  entry.remove_prefix(i);

  std::string number;
  std::size_t p = 0;
  if (p < entry.size() && (entry[p] == '+' || entry[p] == '-')) {
    if (entry[p] == '-') number += '-';
    ++p;
  }
  bool digits = false, point = false;
  for (; p < entry.size(); ++p) {
    char c = entry[p];
    if (c >= '0' && c <= '9') {
      digits = true;
      number += c;
    } else if (c == '.' && !point) {
      point = true;
      number += c;
    } else {
      break;
    }
  }
  if (!digits) return 0;
  float value = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Out of range either way: many zeros after the point, or too large.
    bool tiny = number.find_first_of("123456789") > number.find('.');
    if (tiny) return 0;
    return number[0] == '-' ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
  }
  return value;
}

}  // namespace verdan
