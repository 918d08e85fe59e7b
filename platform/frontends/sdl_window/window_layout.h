// Where the window goes and how big it is drawn: pure rules, no SDL.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace verdan {

// The screen is drawn at whole multiples of its 640 x 384 pixels.
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 384;

// The largest whole scale (at least 1) at which the screen fits `width` x
// `height` pixels.
int fitting_scale(int width, int height);

// The hand-over's window position, "x,y" in kPositionVariable.
struct WindowPosition {
  int x = 0;
  int y = 0;
  friend bool operator==(const WindowPosition&, const WindowPosition&) = default;
};
std::string position_text(WindowPosition position);
// Null for anything but two integers with a comma between them.
std::optional<WindowPosition> parse_position(std::string_view text);

}  // namespace verdan
