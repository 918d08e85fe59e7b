#include "platform/frontends/sdl_window/window_keys.h"

#include <string>

namespace verdan {
namespace {

bool control_only(Uint16 modifiers) {
  return (modifiers & KMOD_CTRL) != 0 && (modifiers & (KMOD_ALT | KMOD_GUI)) == 0;
}

}  // namespace

std::optional<Key> window_key(SDL_Keycode key, Uint16 modifiers) {
  switch (key) {
    case SDLK_UP: return Key::named(KeyName::up);
    case SDLK_DOWN: return Key::named(KeyName::down);
    case SDLK_LEFT: return Key::named(KeyName::left);
    case SDLK_RIGHT: return Key::named(KeyName::right);
    case SDLK_HOME: return Key::named(KeyName::home);
    case SDLK_END: return Key::named(KeyName::end);
    case SDLK_INSERT: return Key::named(KeyName::insert);
    case SDLK_DELETE: return Key::named(KeyName::del);
    case SDLK_BACKSPACE: return Key::named(KeyName::backspace);
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return Key::named(KeyName::enter);
    case SDLK_ESCAPE: return Key::named(KeyName::escape);
    case SDLK_TAB: return Key::named(KeyName::tab);
    case SDLK_PAGEUP: return Key::named(KeyName::page_up);
    case SDLK_PAGEDOWN: return Key::named(KeyName::page_down);
    default: break;
  }
  if (key >= SDLK_F1 && key <= SDLK_F12) return Key::function(key - SDLK_F1 + 1);
  if (control_only(modifiers) && key >= SDLK_a && key <= SDLK_z) {
    return Key::character(std::string(1, static_cast<char>(key - SDLK_a + 1)));
  }
  return std::nullopt;
}

}  // namespace verdan
