#include "tools/vdn-plot/line_numbers.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/codec/cp932.h"
#include "tools/vdn-plot/frame_data.h"

namespace verdan::plot_tool {
namespace {

// Whole numbers up to this many digits are exact in a double.
constexpr std::ptrdiff_t kExactDigits = 15;

// A short piece of a damaged text to quote: cut on a character, control
// bytes shown as "?".
std::string excerpt(std::string_view text) {
  constexpr std::size_t kQuoted = 24;
  std::string out(cut_to_width(text, kQuoted));
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return out.size() < text.size() ? out + "..." : out;
}

// Any number of the free format; false when the token is none.
bool parse_number(std::string_view token, double& value) {
  if (!token.empty() && token[0] == '%') token.remove_prefix(1);
  std::string with_e;
  if (token.find_first_of("Dd") != std::string_view::npos) {
    with_e.assign(token);
    for (char& c : with_e) {
      if (c == 'D' || c == 'd') c = 'E';
    }
    token = with_e;
  }
  const char* end = token.data() + token.size();
  auto [at, ec] = std::from_chars(token.data(), end, value);
  return ec == std::errc() && at == end && !token.empty() && std::isfinite(value);
}

constexpr std::uint64_t kEightBlanks = 0x2020202020202020;

bool is_separator(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Fields are padded with runs of blanks: they are passed eight bytes at a
// time, the first byte that is no blank found from the bits.
const char* past_blanks(const char* p, const char* end) {
  while (end - p >= 8) {
    std::uint64_t eight = 0;
    std::memcpy(&eight, p, sizeof eight);
    const std::uint64_t other = eight ^ kEightBlanks;
    if (other != 0) {
      const int bits = std::endian::native == std::endian::little ? std::countr_zero(other) : std::countl_zero(other);
      return p + bits / 8;
    }
    p += 8;
  }
  while (p != end && *p == ' ') ++p;
  return p;
}

}  // namespace

LineNumbers any_line_numbers(std::string_view line, int line_number) {
  LineNumbers out;
  const char* p = line.data();
  const char* const end = p + line.size();
  while (p != end) {
    p = past_blanks(p, end);
    if (p == end) break;
    if (is_separator(*p)) {
      ++p;
      continue;
    }
    // Nearly every token is a whole number, "%" and "-" before it at most:
    // read in the same pass that finds its end.
    const char* const token = p;
    if (*p == '%') ++p;
    const bool negative = p != end && *p == '-';
    if (negative) ++p;
    const char* const digits = p;
    std::uint64_t whole = 0;
    // Past 15 digits `whole` may wrap; such a token takes the general road.
    for (unsigned digit; p != end && (digit = static_cast<unsigned>(*p - '0')) <= 9; ++p) whole = whole * 10 + digit;
    double value = 0;
    if (p != digits && p - digits <= kExactDigits && (p == end || is_separator(*p))) {
      value = negative ? -static_cast<double>(whole) : static_cast<double>(whole);
    } else {
      while (p != end && !is_separator(*p)) ++p;
      const std::string_view text(token, static_cast<std::size_t>(p - token));
      if (!parse_number(text, value)) throw DataFileError(line_number, "'" + excerpt(text) + "' is not a number");
    }
    if (out.count < LineNumbers::kKept) out.value[out.count] = value;
    ++out.count;
  }
  return out;
}

}  // namespace verdan::plot_tool
