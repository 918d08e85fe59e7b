// Keys of the window, as SDL reports them, in this system's keys (keys.h),
// which the key rules turn into what the programs expect, as for every
// front end. Characters come as text input, not here.
#pragma once

#include <SDL_keycode.h>

#include <optional>

#include "platform/console/keys.h"

namespace verdan {

// The cursor and editing keys, Escape, Tab, the page and function keys by
// name; Ctrl with a letter as its control character (Ctrl-A 1 ... Ctrl-Z
// 26; Ctrl-V, 22, pastes in an entry). Nothing for keys whose character
// comes as text.
std::optional<Key> window_key(SDL_Keycode key, Uint16 modifiers);

}  // namespace verdan
