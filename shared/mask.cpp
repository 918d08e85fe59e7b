#include "shared/mask.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "platform/cp932.h"
#include "platform/failure.h"
#include "shared/free_format.h"

namespace verdan {
namespace {

struct NumericField {
  std::size_t length = 0;  // mask bytes the field takes
  int digit_positions = 0;  // "#" before the point
  int decimals = 0;         // "#" after the point
  bool has_point = false;
  char leading_sign = 0;    // '+' or 0
  char trailing_sign = 0;   // '+', '-' or 0
};

constexpr std::uint64_t kPow10Digits[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000,
                                          1000000000, 10000000000, 100000000000, 1000000000000,
                                          10000000000000, 100000000000000, 1000000000000000};

bool is_digit_mark(std::string_view mask, std::size_t i) { return i < mask.size() && mask[i] == '#'; }

// A numeric field starts at "#", at "." before "#", or at "+" before either.
bool numeric_field_at(std::string_view mask, std::size_t i, NumericField& field) {
  std::size_t p = i;
  if (mask[p] == '+') ++p;
  bool starts = is_digit_mark(mask, p) || (p < mask.size() && mask[p] == '.' && is_digit_mark(mask, p + 1));
  if (!starts) return false;
  field = NumericField{};
  if (p > i) field.leading_sign = '+';
  while (is_digit_mark(mask, p)) ++field.digit_positions, ++p;
  if (p < mask.size() && mask[p] == '.') {
    field.has_point = true;
    ++p;
    while (is_digit_mark(mask, p)) ++field.decimals, ++p;
  }
  if (!field.leading_sign && p < mask.size() && (mask[p] == '+' || mask[p] == '-')) {
    field.trailing_sign = mask[p++];
  }
  field.length = p - i;
  return true;
}

// Width of a fixed text field "&  &" at `i`, or 0 for a lone "&".
std::size_t text_field_width(std::string_view mask, std::size_t i) {
  std::size_t p = i + 1;
  while (p < mask.size() && mask[p] == ' ') ++p;
  return p < mask.size() && mask[p] == '&' ? p - i + 1 : 0;
}

// Decimal digits of |value| rounded half up to `decimals` places, after its
// free-format rounding: whole part without leading zeros, then the fraction.
void rounded_digits(const MaskValue& value, int decimals, std::string& whole, std::string& fraction,
                    bool& is_zero) {
  double magnitude = value.number() < 0 ? -value.number() : value.number();
  whole.clear();
  fraction.assign(static_cast<std::size_t>(decimals), '0');
  is_zero = true;
  if (magnitude == 0 || !(magnitude < 1e300)) return;
  int n = value.kind() == MaskValue::Kind::single ? kSingleDigits : kDoubleDigits;
  // Whole numbers that the free format keeps exactly (node and member
  // numbers, the bulk of every data file) need no rounding.
  if (magnitude < static_cast<double>(kPow10Digits[n]) && magnitude == std::floor(magnitude)) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, static_cast<std::uint64_t>(magnitude)).ptr;
    whole.assign(digits, end);
    is_zero = false;
    return;
  }
  SignificantDigits d = round_significant(magnitude, n);
  std::string digits = std::to_string(d.digits);
  // Position of the decimal point within `digits` (may lie outside it).
  int point = d.exponent + 1;
  int keep = point + decimals;  // digits that survive the rounding
  if (keep < 0) return;
  std::string kept;
  for (int i = 0; i < keep; ++i) kept += i < n ? digits[static_cast<std::size_t>(i)] : '0';
  if (keep < n && digits[static_cast<std::size_t>(keep)] >= '5') {
    int i = keep - 1;
    for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i) kept[static_cast<std::size_t>(i)] = '0';
    if (i >= 0) {
      ++kept[static_cast<std::size_t>(i)];
    } else {
      kept.insert(kept.begin(), '1');
      ++point;
    }
  }
  // kept holds the digits from 10^(point-1) down to 10^-decimals.
  int whole_count = static_cast<int>(kept.size()) - decimals;
  std::string all = whole_count < 0 ? std::string(static_cast<std::size_t>(-whole_count), '0') + kept : kept;
  whole_count = whole_count < 0 ? 0 : whole_count;
  whole = all.substr(0, static_cast<std::size_t>(whole_count));
  fraction = all.substr(static_cast<std::size_t>(whole_count));
  std::size_t first = whole.find_first_not_of('0');
  whole = first == std::string::npos ? std::string() : whole.substr(first);
  is_zero = whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
}

void write_numeric(std::string& out, const NumericField& field, const MaskValue& value) {
  std::string whole, fraction;
  bool is_zero = true;
  rounded_digits(value, field.decimals, whole, fraction, is_zero);
  bool negative = value.number() < 0 && !is_zero;

  int width = field.digit_positions + (field.has_point ? 1 + field.decimals : 0) +
              (field.leading_sign || field.trailing_sign ? 1 : 0);
  // Without a sign position, a minus takes one of the digit positions.
  int room_for_whole = field.digit_positions - (negative && !field.leading_sign && !field.trailing_sign ? 1 : 0);
  if (whole.empty() && room_for_whole > 0) whole.push_back('0');

  std::string body;
  if (field.leading_sign) body += negative ? '-' : '+';
  else if (negative && !field.trailing_sign) body += '-';
  body += whole;
  if (field.has_point) {
    body.push_back('.');
    body.append(fraction);
  }
  if (field.trailing_sign) body += negative ? '-' : (field.trailing_sign == '+' ? '+' : ' ');

  if (static_cast<int>(body.size()) > width) {
    out += '%';
  } else {
    out.append(static_cast<std::size_t>(width) - body.size(), ' ');
  }
  out += body;
}

void write_text(std::string& out, std::size_t width, std::string_view text) {
  if (width == 0) {
    out += text;
    return;
  }
  std::string_view cut = cut_to_width(text, width);
  out += cut;
  out.append(width - cut.size(), ' ');
}

}  // namespace

void apply_mask(std::string& out, std::string_view mask, const MaskValue* values, std::size_t count) {
  std::size_t next = 0;
  for (;;) {
    bool any_field = false;
    for (std::size_t i = 0; i < mask.size();) {
      char c = mask[i];
      NumericField numeric;
      if (c == '_' && i + 1 < mask.size()) {
        std::size_t len = char_length(mask, i + 1);
        out.append(mask.substr(i + 1, len));
        i += 1 + len;
      } else if (c == '&' || numeric_field_at(mask, i, numeric)) {
        if (next == count) return;
        any_field = true;
        const MaskValue& value = values[next++];
        if (c == '&') {
          if (value.kind() != MaskValue::Kind::text) fail(kTypeMismatch, "number for a text field");
          std::size_t width = text_field_width(mask, i);
          write_text(out, width, value.text());
          i += width == 0 ? 1 : width;
        } else {
          if (value.kind() == MaskValue::Kind::text) fail(kTypeMismatch, "text for a numeric field");
          write_numeric(out, numeric, value);
          i += numeric.length;
        }
      } else {
        std::size_t len = char_length(mask, i);
        out.append(mask.substr(i, len));
        i += len;
      }
    }
    if (next == count) return;
    if (!any_field) fail(kIllegalFunctionCall, "mask without fields");
  }
}

}  // namespace verdan
