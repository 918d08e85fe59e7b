// CP932 (Shift-JIS) texts: the codec to and from UTF-8 and stepping by
// character. Every text inside the programs is CP932 bytes; UTF-8 appears
// only at the edges (terminal, keyboard, host file names, dumps).
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace verdan {

// Lead bytes 0x81-0x9F and 0xE0-0xFC start a double-byte character;
// 0xA1-0xDF are single-byte half-width katakana.
constexpr bool is_lead_byte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Bytes taken by the character at `pos`: 2 for a lead byte with a byte after
// it, else 1. A lead byte at the very end counts as one byte of its own.
inline std::size_t char_length(std::string_view text, std::size_t pos) {
  return (pos + 1 < text.size() && is_lead_byte(static_cast<unsigned char>(text[pos]))) ? 2 : 1;
}

// Position of the first character at or after `from` that is the single
// byte `c`; second bytes of double-byte characters never match.
// Returns std::string_view::npos when there is none.
std::size_t find_char(std::string_view text, char c, std::size_t from = 0);

// True when the last character of `text` is the single byte `c` (the
// second byte of a double-byte character never counts).
bool ends_with_char(std::string_view text, char c);

// `text` without the single-byte characters `c` (second bytes of double-byte
// characters are kept).
std::string without_char(std::string_view text, char c);

// The longest prefix of `text` of at most `width` bytes that ends on a
// character boundary.
std::string_view cut_to_width(std::string_view text, std::size_t width);

// Unicode code point of the character at `pos` (its length in `length`);
// U+FFFD when the bytes have no character.
char32_t decode_char(std::string_view text, std::size_t pos, std::size_t& length);

// UTF-8 to CP932. A character CP932 lacks becomes "?" (narrow) or the
// full-width "？" (wide); malformed UTF-8 bytes become "?" one each.
std::string to_cp932(std::string_view utf8);

// CP932 to UTF-8. A byte or pair without a character becomes U+FFFD.
std::string to_utf8(std::string_view cp932);

// Position of the first character that CP932 does not define (a lone or
// last lead byte, a lead byte before a byte that ends no character, an
// unassigned code), npos when there is none. Such bytes all become U+FFFD,
// so only a text without them converts to UTF-8 one-to-one.
std::size_t undefined_char_at(std::string_view cp932);

// Appends the UTF-8 form of one code point.
void append_utf8(std::string& out, char32_t cp);

// A UTF-8 source literal as CP932, converted once and kept for the run.
// Only for literals: the cache is keyed by the literal's address.
const std::string& sj(const char* utf8_literal);

// Lines of UTF-8 source literals as CP932, as a help page holds them.
std::vector<std::string> cp932_lines(std::initializer_list<const char*> utf8_literals);

}  // namespace verdan
