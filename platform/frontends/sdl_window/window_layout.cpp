#include "platform/frontends/sdl_window/window_layout.h"

#include <algorithm>
#include <charconv>

namespace verdan {

int fitting_scale(int width, int height) {
  return std::max(1, std::min(width / kWindowWidth, height / kWindowHeight));
}

std::string position_text(WindowPosition position) {
  return std::to_string(position.x) + "," + std::to_string(position.y);
}

std::optional<WindowPosition> parse_position(std::string_view text) {
  WindowPosition position;
  const char* end = text.data() + text.size();
  auto [comma, error] = std::from_chars(text.data(), end, position.x);
  if (error != std::errc() || comma == end || *comma != ',') return std::nullopt;
  auto [last, error2] = std::from_chars(comma + 1, end, position.y);
  if (error2 != std::errc() || last != end) return std::nullopt;
  return position;
}

}  // namespace verdan
