#include "control/register_entry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/codec/cp932.h"
#include "shared/mask.h"

namespace verdan {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

constexpr std::size_t kGridPlaceColumns = 12;
constexpr std::size_t kNumberColumns = 5;
constexpr float kWidestInMask = 99999;
constexpr std::size_t kEchoColumns = 8;

// The number as the mask "#####" shows it. An employee number wider than
// that shows whole instead, without the mask's "%" and with all its seven
// digits (a single's free format keeps six).
std::string number_field(float number) {
  const float size = std::fabs(number);
  if (size > kWidestInMask && size <= kLargestEmployeeNumber && number == std::floor(number)) {
    return std::to_string(static_cast<long>(number));
  }
  return apply_mask("#####", {number});
}

}  // namespace

GridPlace grid_place(int n) { return {(n - 1) / 6 + 2, ((n - 1) % 6) * 13}; }

std::optional<float> register_number(std::string_view entry) {
  std::string_view text = trimmed(entry);
  if (text.empty()) return 0.0f;
  std::size_t i = 0;
  if (text[0] == '+' || text[0] == '-') ++i;
  std::size_t digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (is_digit(text[i])) {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  double value = std::strtod(std::string(text).c_str(), nullptr);
  if (value < 0) return static_cast<float>(value);
  if (value != std::floor(value) || value > kLargestEmployeeNumber) return std::nullopt;
  return static_cast<float>(value);
}

std::string name_entry(std::string_view entry) {
  std::size_t comma = find_char(entry, ',');
  return without_char(trimmed(entry.substr(0, comma)), '"');
}

std::string padded_name(std::string_view name) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < name.size(); i += char_length(name, i)) {
    std::size_t n = char_length(name, i);
    width += (n == 2 && static_cast<unsigned char>(name[i]) == 0x85) ? 1 : n;
  }
  std::string result(name);
  if (width < 6) result.append(6 - width, ' ');
  return result;
}

char yes_no(std::string_view answer) {
  if (answer.empty()) return 0;
  char first = answer[0];
  if (first == sj("ﾐ")[0]) first = 'N';
  if (first == sj("ﾝ")[0]) first = 'Y';
  if (first == 'y') first = 'Y';
  if (first == 'n') first = 'N';
  return first == 'Y' || first == 'N' ? first : 0;
}

GridText grid_text(const RegisterEntry& entry) {
  GridText text{number_field(entry.number) + " ", entry.name};
  // Five digits leave the name as it is, however wide, as they always did.
  if (text.number.size() > kNumberColumns + 1) {
    const std::size_t left = kGridPlaceColumns - std::min(text.number.size(), kGridPlaceColumns);
    text.name = std::string(cut_to_width(entry.name, left));
  }
  return text;
}

std::string number_echo(float number) {
  std::string echo = number_field(number);
  if (echo.size() < kEchoColumns) echo.append(kEchoColumns - echo.size(), ' ');
  return echo;
}

std::string register_line(const RegisterEntry& entry) {
  return std::to_string(static_cast<long long>(entry.number)) + ",\"" + entry.name + "\"";
}

}  // namespace verdan
