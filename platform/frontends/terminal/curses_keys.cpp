#include "platform/frontends/terminal/curses_keys.h"

// Last: curses defines macros with common names.
#define NCURSES_WIDECHAR 1
#include <curses.h>

namespace verdan {

Key curses_key(bool function_key, std::uint32_t value) {
  if (!function_key) return typed_character(value);
  const int code = static_cast<int>(value);
  if (code >= KEY_F(1) && code <= KEY_F(63)) return Key::function(code - KEY_F0);
  switch (code) {
    case KEY_UP: return Key::named(KeyName::up);
    case KEY_DOWN: return Key::named(KeyName::down);
    case KEY_LEFT: return Key::named(KeyName::left);
    case KEY_RIGHT: return Key::named(KeyName::right);
    case KEY_HOME: return Key::named(KeyName::home);
    case KEY_END: return Key::named(KeyName::end);
    case KEY_IC: return Key::named(KeyName::insert);
    case KEY_DC: return Key::named(KeyName::del);
    case KEY_BACKSPACE: return Key::named(KeyName::backspace);
    case KEY_ENTER: return Key::named(KeyName::enter);
    case KEY_PPAGE: return Key::named(KeyName::page_up);
    case KEY_NPAGE: return Key::named(KeyName::page_down);
    default: return Key::named(KeyName::other);
  }
}

}  // namespace verdan
