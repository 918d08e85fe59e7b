// This system's own names for keys: every front end reports what was typed
// in these, and the key rules (terminal_keys) read nothing else. The cursor
// and editing keys by name, anything else as the CP932 bytes it types.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace verdan {

enum class KeyName : std::uint8_t {
  character,  // `Key::text` holds its CP932 bytes (control characters too)
  up, down, left, right, home, end, insert, del, backspace, enter, escape, tab,
  page_up, page_down,
  function,   // F1, F2, ...: `Key::number`
  other,      // a key with no meaning here
};

struct Key {
  KeyName name = KeyName::other;
  std::string text;
  int number = 0;

  static Key named(KeyName name) { return {name, {}, 0}; }
  static Key function(int number) { return {KeyName::function, {}, number}; }
  static Key character(std::string cp932) { return {KeyName::character, std::move(cp932), 0}; }

  friend bool operator==(const Key& a, const Key& b) {
    return a.name == b.name && a.text == b.text && a.number == b.number;
  }
  friend bool operator!=(const Key& a, const Key& b) { return !(a == b); }
};

// A character a keyboard typed: CR and LF are Enter, DEL (what terminals
// send for Backspace) is Backspace, ESC and TAB their keys; anything else
// its CP932 bytes, "?" (or the full-width one) for what CP932 lacks. Past
// the last code point there is no character: `other`.
Key typed_character(char32_t cp);

}  // namespace verdan
