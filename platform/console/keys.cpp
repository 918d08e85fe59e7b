#include "platform/console/keys.h"

#include "platform/codec/cp932.h"

namespace verdan {

Key typed_character(char32_t cp) {
  switch (cp) {
    case U'\r':
    case U'\n': return Key::named(KeyName::enter);
    case 0x7F: return Key::named(KeyName::backspace);
    case 0x1B: return Key::named(KeyName::escape);
    case U'\t': return Key::named(KeyName::tab);
    default: break;
  }
  if (cp > 0x10FFFF) return Key::named(KeyName::other);
  if (cp < 0x80) return Key::character(std::string(1, static_cast<char>(cp)));
  std::string utf8;
  append_utf8(utf8, cp);
  return Key::character(to_cp932(utf8));
}

}  // namespace verdan
