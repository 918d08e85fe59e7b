#include "platform/frontends/sdl_window/window_layout.h"

#include <algorithm>
#include <charconv>

#include "platform/console/screen_model.h"

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

std::vector<CellBox> changed_cells(const std::vector<unsigned char>& before,
                                   const std::vector<unsigned char>& now) {
  std::vector<CellBox> changed;
  const bool all = before.size() != now.size();
  for (int row = 0; row < ScreenModel::kRows; ++row) {
    for (int col = 0; col < ScreenModel::kColumns; ++col) {
      bool differs = all;
      for (int y = 0; y < kCellPixelsHigh && !differs; ++y) {
        const std::size_t at = static_cast<std::size_t>(row * kCellPixelsHigh + y) * kWindowWidth +
                               static_cast<std::size_t>(col * kCellPixelsWide);
        differs = !std::equal(now.begin() + static_cast<long>(at),
                              now.begin() + static_cast<long>(at + kCellPixelsWide),
                              before.begin() + static_cast<long>(at));
      }
      if (differs) changed.push_back({row, col});
    }
  }
  return changed;
}

}  // namespace verdan
