#include "platform/frontends/terminal/ansi_keys.h"

#include "platform/codec/cp932.h"

// Last: curses defines macros with common names.
#define NCURSES_WIDECHAR 1
#include <curses.h>

namespace verdan {
namespace {

constexpr char kEscape = '\033';
// Longer escape sequences are not keys; they are dropped whole.
constexpr std::size_t kLongestSequence = 16;

TerminalKey function_key(int code) { return {true, static_cast<std::uint32_t>(code)}; }

// The key of a final letter of CSI or SS3 sequences; 0 for others.
int letter_key(char final) {
  switch (final) {
    case 'A': return KEY_UP;
    case 'B': return KEY_DOWN;
    case 'C': return KEY_RIGHT;
    case 'D': return KEY_LEFT;
    case 'H': return KEY_HOME;
    case 'F': return KEY_END;
    case 'M': return KEY_ENTER;  // keypad Enter in application mode
    default: return 0;
  }
}

// "ESC [ n ~" keys by their number.
int numbered_key(std::string_view parameters) {
  int number = 0;
  for (char c : parameters) {
    if (c < '0' || c > '9') break;
    number = number * 10 + (c - '0');
  }
  switch (number) {
    case 1: case 7: return KEY_HOME;
    case 2: return KEY_IC;
    case 3: return KEY_DC;
    case 4: case 8: return KEY_END;
    default: return 0;
  }
}

// ESC at the front: a sequence's key, its length, or 0 while incomplete.
ScannedKey scan_escape(std::string_view bytes) {
  if (bytes.size() < 2) return {};
  if (bytes[1] == 'O') {
    if (bytes.size() < 3) return {};
    return {3, function_key(letter_key(bytes[2]))};
  }
  if (bytes[1] != '[') return {1, {false, 0x1B}};
  for (std::size_t i = 2; i < bytes.size() && i < kLongestSequence; ++i) {
    auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x40 || c > 0x7E) continue;
    int code = c == '~' ? numbered_key(bytes.substr(2, i - 2)) : letter_key(static_cast<char>(c));
    return {i + 1, function_key(code)};
  }
  if (bytes.size() >= kLongestSequence) return {bytes.size(), function_key(0)};
  return {};
}

std::size_t character_length(unsigned char lead, CodeSet set) {
  switch (set) {
    case CodeSet::utf8:
      return lead >= 0xF0 && lead <= 0xF7 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    case CodeSet::euc_jp:
      return lead == 0x8F ? 3 : (lead == 0x8E || (lead >= 0xA1 && lead <= 0xFE)) ? 2 : 1;
    case CodeSet::shift_jis:
      return is_lead_byte(lead) ? 2 : 1;
    case CodeSet::other:
      break;
  }
  return 1;
}

char32_t code_point(std::string_view character, CodeSet set) {
  std::string utf8 =
      set == CodeSet::utf8 ? std::string(character) : to_utf8(decode_from_terminal(character, set));
  if (utf8.empty()) return U'?';
  auto lead = static_cast<unsigned char>(utf8[0]);
  std::size_t length = character_length(lead, CodeSet::utf8);
  if (length == 1 || utf8.size() < length) return lead;
  char32_t cp = lead & (0xFF >> (length + 1));
  for (std::size_t i = 1; i < length; ++i) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
  return cp;
}

}  // namespace

ScannedKey scan_key(std::string_view bytes, CodeSet set, bool more_may_come) {
  if (bytes.empty()) return {};
  ScannedKey scanned;
  if (bytes[0] == kEscape) {
    scanned = scan_escape(bytes);
  } else {
    std::size_t length = character_length(static_cast<unsigned char>(bytes[0]), set);
    if (length <= bytes.size()) scanned = {length, {false, code_point(bytes.substr(0, length), set)}};
  }
  if (scanned.used == 0 && !more_may_come) {
    scanned = {1, {false, static_cast<unsigned char>(bytes[0])}};
  }
  return scanned;
}

}  // namespace verdan
