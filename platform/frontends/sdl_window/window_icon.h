// The programs' icon on their window: the desktop icon, rendered to a PNG
// at build time and kept in the program.
#pragma once

#include <SDL.h>

#include <cstddef>

namespace verdan {

// The rendered icon (made by the build).
extern const unsigned char kWindowIconPng[];
extern const std::size_t kWindowIconPngSize;

// Gives `window` the icon; a window without one is no failure.
void set_window_icon(SDL_Window* window);

}  // namespace verdan
