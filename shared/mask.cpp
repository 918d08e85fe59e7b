#include "shared/mask.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/codec/cp932.h"
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
void rounded_digits(const MaskValue& value, int decimals, std::string& whole, std::string& fraction) {
  double magnitude = value.number() < 0 ? -value.number() : value.number();
  whole.clear();
  fraction.assign(static_cast<std::size_t>(decimals), '0');
  if (magnitude == 0 || !(magnitude < 1e300)) return;
  int n = value.kind() == MaskValue::Kind::single ? kSingleDigits : kDoubleDigits;
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
}

// Lays the digits into the field: sign, whole part ("0" when empty and
// there is room), point and fraction, right-aligned, or whole after "%".
void compose_numeric(ByteBuffer& out, const NumericField& field, std::string_view whole, std::string_view fraction,
                     bool negative) {
  const bool sign_position = field.leading_sign || field.trailing_sign;
  const std::size_t width =
      static_cast<std::size_t>(field.digit_positions + (field.has_point ? 1 + field.decimals : 0) + (sign_position ? 1 : 0));
  // Without a sign position, a minus takes one of the digit positions.
  const int room_for_whole = field.digit_positions - (negative && !sign_position ? 1 : 0);
  const bool zero_whole = whole.empty() && room_for_whole > 0;
  const bool leading_minus = negative && !sign_position;
  const std::size_t length = (field.leading_sign || leading_minus ? 1 : 0) + (zero_whole ? 1 : whole.size()) +
                             (field.has_point ? 1 + fraction.size() : 0) + (field.trailing_sign ? 1 : 0);
  const bool overflow = length > width;
  const std::size_t pad = overflow ? 0 : width - length;
  // One resize and plain stores: this runs for every number of a data file.
  char* p = out.extend((overflow ? 1 : 0) + pad + length);
  if (overflow) *p++ = '%';
  for (std::size_t i = 0; i < pad; ++i) *p++ = ' ';
  if (field.leading_sign) {
    *p++ = negative ? '-' : '+';
  } else if (leading_minus) {
    *p++ = '-';
  }
  if (zero_whole) *p++ = '0';
  for (char c : whole) *p++ = c;
  if (field.has_point) {
    *p++ = '.';
    for (char c : fraction) *p++ = c;
  }
  if (field.trailing_sign) *p++ = negative ? '-' : (field.trailing_sign == '+' ? '+' : ' ');
}

void write_numeric(ByteBuffer& out, const NumericField& field, const MaskValue& value) {
  const double magnitude = value.number() < 0 ? -value.number() : value.number();
  const int n = value.kind() == MaskValue::Kind::single ? kSingleDigits : kDoubleDigits;
  // Whole numbers that the free format keeps exactly (node and member
  // numbers, the bulk of every data file) need no rounding.
  std::uint64_t whole_number = 0;
  bool exact = false;
  if (value.kind() == MaskValue::Kind::integer) {
    whole_number = value.integer() < 0 ? 0ULL - static_cast<std::uint64_t>(value.integer())
                                       : static_cast<std::uint64_t>(value.integer());
    exact = whole_number < kPowersOfTen[n];
  } else if (magnitude < static_cast<double>(kPowersOfTen[n])) {
    whole_number = static_cast<std::uint64_t>(magnitude);
    exact = magnitude == static_cast<double>(whole_number);
  }
  if (exact && whole_number > 0 && field.decimals <= 16) {
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, whole_number).ptr;
    static constexpr char kZeros[] = "0000000000000000";
    compose_numeric(out, field, std::string_view(digits, static_cast<std::size_t>(end - digits)),
                    std::string_view(kZeros, static_cast<std::size_t>(field.decimals)), value.number() < 0);
    return;
  }
  std::string whole, fraction;
  rounded_digits(value, field.decimals, whole, fraction);
  const bool is_zero = whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
  compose_numeric(out, field, whole, fraction, value.number() < 0 && !is_zero);
}

void write_text(ByteBuffer& out, std::size_t width, std::string_view text) {
  if (width == 0) {
    out.append(text);
    return;
  }
  std::string_view cut = cut_to_width(text, width);
  out.append(cut);
  out.fill(width - cut.size(), ' ');
}

// A mask cut into its literal runs and fields, parsed once and kept: the
// same few masks are applied to every line of a large file.
struct MaskToken {
  enum class Kind { literal, numeric, text } kind;
  std::string literal;
  NumericField numeric;
  std::size_t text_width = 0;  // 0 for a field as long as its text
};

struct ParsedMask {
  std::string mask;
  std::vector<MaskToken> tokens;
  bool has_fields = false;
};

void parse_mask(std::string_view mask, ParsedMask& parsed) {
  parsed.mask.assign(mask);
  parsed.tokens.clear();
  parsed.has_fields = false;
  auto literal = [&](std::string_view bytes) {
    if (parsed.tokens.empty() || parsed.tokens.back().kind != MaskToken::Kind::literal) {
      parsed.tokens.push_back({MaskToken::Kind::literal, {}, {}, 0});
    }
    parsed.tokens.back().literal.append(bytes);
  };
  for (std::size_t i = 0; i < mask.size();) {
    char c = mask[i];
    NumericField numeric;
    if (c == '_' && i + 1 < mask.size()) {
      std::size_t len = char_length(mask, i + 1);
      literal(mask.substr(i + 1, len));
      i += 1 + len;
    } else if (c == '&') {
      std::size_t width = text_field_width(mask, i);
      parsed.tokens.push_back({MaskToken::Kind::text, {}, {}, width});
      parsed.has_fields = true;
      i += width == 0 ? 1 : width;
    } else if (numeric_field_at(mask, i, numeric)) {
      parsed.tokens.push_back({MaskToken::Kind::numeric, {}, numeric, 0});
      parsed.has_fields = true;
      i += numeric.length;
    } else {
      std::size_t len = char_length(mask, i);
      literal(mask.substr(i, len));
      i += len;
    }
  }
}

const ParsedMask& parsed_mask(std::string_view mask) {
  static thread_local std::array<ParsedMask, 8> cache;
  static thread_local std::size_t next_slot = 0;
  for (const ParsedMask& entry : cache) {
    // An unused slot holds the empty mask, which is its own correct parse.
    if (entry.mask == mask) return entry;
  }
  ParsedMask& slot = cache[next_slot++ % cache.size()];
  parse_mask(mask, slot);
  return slot;
}

}  // namespace

void apply_mask(ByteBuffer& out, std::string_view mask, const MaskValue* values, std::size_t count) {
  const ParsedMask& parsed = parsed_mask(mask);
  std::size_t next = 0;
  for (;;) {
    for (const MaskToken& token : parsed.tokens) {
      if (token.kind == MaskToken::Kind::literal) {
        out.append(token.literal);
        continue;
      }
      if (next == count) return;
      const MaskValue& value = values[next++];
      if (token.kind == MaskToken::Kind::text) {
        if (value.kind() != MaskValue::Kind::text) fail(kTypeMismatch, "number for a text field");
        write_text(out, token.text_width, value.text());
      } else {
        if (value.kind() == MaskValue::Kind::text) fail(kTypeMismatch, "text for a numeric field");
        write_numeric(out, token.numeric, value);
      }
    }
    if (next == count) return;
    if (!parsed.has_fields) fail(kIllegalFunctionCall, "mask without fields");
  }
}

}  // namespace verdan
