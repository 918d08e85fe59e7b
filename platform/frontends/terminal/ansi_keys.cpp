#include "platform/frontends/terminal/ansi_keys.h"

#include "platform/codec/cp932.h"

namespace verdan {
namespace {

constexpr char kEscape = '\033';
// Longer escape sequences are not keys; they are dropped whole.
constexpr std::size_t kLongestSequence = 16;

// The key of a final letter of CSI or SS3 sequences.
Key letter_key(char final) {
  switch (final) {
    case 'A': return Key::named(KeyName::up);
    case 'B': return Key::named(KeyName::down);
    case 'C': return Key::named(KeyName::right);
    case 'D': return Key::named(KeyName::left);
    case 'H': return Key::named(KeyName::home);
    case 'F': return Key::named(KeyName::end);
    case 'M': return Key::named(KeyName::enter);  // keypad Enter in application mode
    case 'P': case 'Q': case 'R': case 'S': return Key::function(final - 'P' + 1);
    default: return Key::named(KeyName::other);
  }
}

// "ESC [ n ~" keys by their number.
Key numbered_key(std::string_view parameters) {
  int number = 0;
  for (char c : parameters) {
    if (c < '0' || c > '9') break;
    number = number * 10 + (c - '0');
  }
  switch (number) {
    case 1: case 7: return Key::named(KeyName::home);
    case 2: return Key::named(KeyName::insert);
    case 3: return Key::named(KeyName::del);
    case 4: case 8: return Key::named(KeyName::end);
    case 11: case 12: case 13: case 14: case 15: return Key::function(number - 10);
    case 17: case 18: case 19: case 20: case 21: return Key::function(number - 11);
    case 23: case 24: return Key::function(number - 12);
    default: return Key::named(KeyName::other);
  }
}

// ESC at the front: a sequence's key, its length, or 0 while incomplete.
ScannedKey scan_escape(std::string_view bytes) {
  if (bytes.size() < 2) return {};
  if (bytes[1] == 'O') {
    if (bytes.size() < 3) return {};
    return {3, letter_key(bytes[2])};
  }
  if (bytes[1] != '[') return {1, Key::named(KeyName::escape)};
  // The Linux console's F1-F5: ESC [ [ A to E.
  if (bytes.size() >= 3 && bytes[2] == '[') {
    if (bytes.size() < 4) return {};
    const bool f1_to_f5 = bytes[3] >= 'A' && bytes[3] <= 'E';
    return {4, f1_to_f5 ? Key::function(bytes[3] - 'A' + 1) : Key::named(KeyName::other)};
  }
  for (std::size_t i = 2; i < bytes.size() && i < kLongestSequence; ++i) {
    auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x40 || c > 0x7E) continue;
    return {i + 1, c == '~' ? numbered_key(bytes.substr(2, i - 2)) : letter_key(static_cast<char>(c))};
  }
  if (bytes.size() >= kLongestSequence) return {bytes.size(), Key::named(KeyName::other)};
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
    if (length <= bytes.size()) scanned = {length, typed_character(code_point(bytes.substr(0, length), set))};
  }
  if (scanned.used == 0 && !more_may_come) {
    scanned = {1, typed_character(static_cast<unsigned char>(bytes[0]))};
  }
  return scanned;
}

}  // namespace verdan
