#include "platform/frontends/sdl_window/window_keys.h"

namespace verdan {
namespace {

bool control_only(Uint16 modifiers) {
  return (modifiers & KMOD_CTRL) != 0 && (modifiers & (KMOD_ALT | KMOD_GUI)) == 0;
}

}  // namespace

int window_key_code(SDL_Keycode key, Uint16 modifiers) {
  switch (key) {
    case SDLK_UP: return 30;
    case SDLK_DOWN: return 31;
    case SDLK_LEFT: return 29;
    case SDLK_RIGHT: return 28;
    case SDLK_HOME: return 11;
    case SDLK_INSERT: return 18;
    case SDLK_DELETE: return 127;
    case SDLK_BACKSPACE: return 8;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 13;
    case SDLK_ESCAPE: return 27;
    case SDLK_TAB: return 9;
    default: break;
  }
  if (control_only(modifiers) && key >= SDLK_a && key <= SDLK_z) return key - SDLK_a + 1;
  return -1;
}

EntryKey window_entry_key(SDL_Keycode key, Uint16 modifiers) {
  switch (key) {
    case SDLK_BACKSPACE: return {EntryAction::backspace, ""};
    case SDLK_DELETE: return {EntryAction::erase, ""};
    case SDLK_LEFT: return {EntryAction::left, ""};
    case SDLK_RIGHT: return {EntryAction::right, ""};
    case SDLK_HOME: return {EntryAction::home, ""};
    case SDLK_END: return {EntryAction::end, ""};
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return {EntryAction::enter, ""};
    default: break;
  }
  if (control_only(modifiers)) {
    switch (key) {
      case SDLK_a: return {EntryAction::home, ""};
      case SDLK_e: return {EntryAction::end, ""};
      case SDLK_u: return {EntryAction::erase_to_start, ""};
      case SDLK_k: return {EntryAction::erase_to_end, ""};
      case SDLK_w: return {EntryAction::erase_word, ""};
      case SDLK_h: return {EntryAction::backspace, ""};
      case SDLK_m: return {EntryAction::enter, ""};
      default: break;
    }
  }
  return {EntryAction::none, ""};
}

bool is_paste_key(SDL_Keycode key, Uint16 modifiers) {
  return key == SDLK_v && control_only(modifiers);
}

}  // namespace verdan
