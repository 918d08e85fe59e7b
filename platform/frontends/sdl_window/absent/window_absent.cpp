// Built instead of the window front end when SDL2 was missing at build time.
#include "platform/frontends/sdl_window/window_front.h"

namespace verdan {

std::unique_ptr<Console> open_window_console(std::string& problem) {
  problem = "this build has no window front end (SDL2 was missing)";
  return nullptr;
}

}  // namespace verdan
