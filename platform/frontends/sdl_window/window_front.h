// The window front end, when this build has one: the console in a desktop
// window of its own.
#pragma once

#include <memory>
#include <string>

#include "platform/console/console.h"

namespace verdan {

// The window console, or null with the reason in `problem` (no display, a
// build without the window front end, no glyph file).
std::unique_ptr<Console> open_window_console(std::string& problem);

}  // namespace verdan
