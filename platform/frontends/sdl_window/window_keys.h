// Keys of the window, as SDL reports them, turned into what the programs
// expect: the one-byte codes of one-key reads and the edits of a line entry,
// the same as the terminal gives. Characters come as text input, not here.
#pragma once

#include <SDL_keycode.h>

#include <optional>

#include "platform/console/terminal_keys.h"

namespace verdan {

// The code of a pressed key for a one-key read (Up 30, Down 31, Left 29,
// Right 28, Home 11, Insert 18, Delete 127, Backspace 8, RETURN 13, ESC 27,
// Tab 9, Ctrl-letter 1-26); -1 for keys whose character comes as text.
int window_key_code(SDL_Keycode key, Uint16 modifiers);

// What a pressed key does in a line entry (as entry_key does for the
// terminal); `none` for keys whose character comes as text.
EntryKey window_entry_key(SDL_Keycode key, Uint16 modifiers);

// Ctrl-V: the clipboard's text goes into the entry.
bool is_paste_key(SDL_Keycode key, Uint16 modifiers);

}  // namespace verdan
