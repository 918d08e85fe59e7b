#include "tools/vdn-plot/line_numbers.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace verdan::plot_tool {
namespace {

constexpr std::size_t kLongest = 128;
// Whole numbers up to this many digits are exact in a double.
constexpr std::ptrdiff_t kExactDigits = 15;
// Each byte of a word.
constexpr std::uint64_t kEach = 0x0101010101010101;

// Eight bytes from `p`, the first in the lowest bits on any machine.
std::uint64_t eight_at(const char* p) {
  std::uint64_t eight = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&eight, p, sizeof eight);
  } else {
    for (int i = 7; i >= 0; --i) eight = eight << 8 | static_cast<unsigned char>(p[i]);
  }
  return eight;
}

unsigned digit_of(char c) { return static_cast<unsigned>(static_cast<unsigned char>(c) - '0'); }

// The digit of a token of one digit and a blank at `p`, or more than 9:
// most tokens are such.
unsigned lone_digit(const char* p) {
  const unsigned two = static_cast<unsigned char>(p[0]) | static_cast<unsigned>(static_cast<unsigned char>(p[1])) << 8;
  return two - ('0' | ' ' << 8);
}

// Past the blanks from `p`, in a text that a byte other than a blank ends:
// fields are padded with runs of them.
const char* past_blanks(const char* p) {
  for (;; p += 8) {
    if (const std::uint64_t other = eight_at(p) ^ (kEach * ' '); other != 0) return p + std::countr_zero(other) / 8;
  }
}

// The token at `at`, a whole number followed by a blank or the end, into
// `whole` and `negative`; false for any other token.
inline bool plain_whole(const char*& at, const char* end, std::uint64_t& whole, bool& negative) {
  const char* p = at;
  if (*p == '%') ++p;
  negative = *p == '-';
  if (negative) ++p;
  // A digit's byte holds its value, any other byte 10 or more; then the high
  // bit marks the bytes of 10 or more, without a carry between bytes.
  const std::uint64_t values = eight_at(p) ^ (kEach * '0');
  const std::uint64_t others = (((values & (kEach * 0x7F)) + kEach * (0x80 - 10)) | values) & (kEach * 0x80);
  whole = 0;
  const char* after = p;
  if (const unsigned digit = lone_digit(p); digit <= 9) {
    // The members' "-1".
    whole = digit;
    ++after;
  } else if (others != 0) {
    const int digits = std::countr_zero(others) / 8;
    if (digits == 0) return false;
    after = p + digits;
    // The digits to the top, zeros before them; then neighbours are joined
    // into pairs, fours and the eight: the members' node numbers have
    // several digits.
    std::uint64_t v = values << (64 - 8 * digits);
    v = (v * (1 + (10 << 8)) >> 8) & 0x00FF00FF00FF00FF;
    v = (v * (1 + (100 << 16)) >> 16) & 0x0000FFFF0000FFFF;
    whole = v * (1 + (std::uint64_t{10000} << 32)) >> 32;
  } else {
    // Eight digits or more, rare: one at a time.
    for (unsigned digit; (digit = digit_of(*after)) <= 9; ++after) whole = whole * 10 + digit;
    if (after - p > kExactDigits) return false;
  }
  if (*after != ' ' && after != end) return false;
  at = after;
  return true;
}

bool plain_number(const char*& at, const char* end, double& value) {
  std::uint64_t whole = 0;
  bool negative = false;
  if (!plain_whole(at, end, whole, negative)) return false;
  const auto exact = static_cast<double>(static_cast<std::int64_t>(whole));
  value = negative ? -exact : exact;
  return true;
}

}  // namespace

bool plain_line_numbers_in_place(std::string_view line, LineNumbers& out, CheckedTail& tail) {
  static_assert(CheckedTail::kLongest >= kLongest);
  if (line.size() > kLongest) return false;
  // The byte past the line is neither blank nor digit: every step stops at
  // the end without looking for it.
  const char* p = line.data();
  const char* const end = p + line.size();
  const char* rest = nullptr;  // past the kept numbers
  std::size_t count = 0;
  for (;; ++count) {
    if (count == tail.kept) {
      // Past those kept, the numbers are only counted, each still checked.
      const auto size = static_cast<std::size_t>(end - p);
      if (size == tail.size && std::memcmp(p, tail.text, size) == 0) {
        out.count = count + tail.count;
        return true;
      }
      rest = p;
    }
    p = past_blanks(p);
    double value = 0;
    if (const unsigned digit = lone_digit(p); digit <= 9) {
      value = digit;
      p += 2;
    } else if (p == end) {
      break;
    } else if (!plain_number(p, end, value)) {
      return false;
    }
    if (count < tail.kept) out.value[count] = value;
  }
  if (rest != nullptr) {
    tail.size = static_cast<std::size_t>(end - rest);
    tail.count = count - tail.kept;
    std::memcpy(tail.text, rest, tail.size);
  }
  out.count = count;
  return true;
}

bool plain_wholes_in_place(std::string_view line, const CheckedTail& tail, std::int64_t (&out)[LineNumbers::kKept]) {
  if (line.size() > kLongest) return false;
  const char* p = line.data();
  const char* const end = p + line.size();
  for (std::size_t count = 0; count < tail.kept; ++count) {
    p = past_blanks(p);
    // A digit and a blank, as most codes are, before the general token:
    // without it the members took 1.7 times as long.
    if (const unsigned digit = lone_digit(p); digit <= 9) {
      out[count] = digit;
      p += 2;
      continue;
    }
    std::uint64_t whole = 0;
    bool negative = false;
    // "-0" is a number of its own to the other roads.
    if (p == end || !plain_whole(p, end, whole, negative) || (negative && whole == 0)) return false;
    out[count] = negative ? -static_cast<std::int64_t>(whole) : static_cast<std::int64_t>(whole);
  }
  const auto size = static_cast<std::size_t>(end - p);
  return size == tail.size && std::memcmp(p, tail.text, size) == 0;
}

}  // namespace verdan::plot_tool
