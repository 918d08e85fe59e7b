#include "platform/console/png_picture.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/host/host_error.h"

namespace verdan {
namespace {

constexpr int kCellWidth = kPictureWidth / ScreenModel::kColumns;
constexpr int kCellHeight = kPictureHeight / ScreenModel::kRows;
constexpr char32_t kReplacement = 0xFFFD;

// Calls visit(row, col, cells, code point, colour) for each visible
// character of the text; `cells` is 2 for a double-byte character.
template <typename Visit>
void for_each_character(const ScreenModel& screen, Visit&& visit) {
  for (int row = 0; row < ScreenModel::kRows; ++row) {
    for (int col = 0; col < ScreenModel::kColumns; ++col) {
      Cell cell = screen.cell(row, col);
      if (cell.kind == CellKind::trail) continue;  // drawn with its lead byte
      std::string bytes(1, cell.byte);
      int cells = 1;
      if (cell.kind == CellKind::lead && screen.cell(row, col + 1).kind == CellKind::trail) {
        bytes.push_back(screen.cell(row, col + 1).byte);
        cells = 2;
      } else {
        auto b = static_cast<unsigned char>(cell.byte);
        if (b <= 0x20 || b == 0x7F) continue;
      }
      std::size_t length = 0;
      // A lead byte that lost its trail decodes as a lone byte: U+FFFD.
      char32_t cp = cells == 2 ? decode_char(bytes, 0, length)
                               : decode_char(std::string_view(bytes).substr(0, 1), 0, length);
      visit(row, col, cells, cp, cell.color);
    }
  }
}

}  // namespace

Rgb palette_color(int index) {
  index &= 15;
  const int bright = (index & 8) != 0 ? 0x55 : 0;
  auto channel = [&](int bit) {
    return static_cast<std::uint8_t>(((index & bit) != 0 ? 0xAA : 0) + bright);
  };
  return Rgb{channel(2), channel(4), channel(1)};
}

std::set<char32_t> code_points_on(const ScreenModel& screen) {
  std::set<char32_t> code_points{kReplacement};
  for_each_character(screen, [&](int, int, int, char32_t cp, int) { code_points.insert(cp); });
  return code_points;
}

std::vector<std::uint8_t> render_picture(const ScreenModel& screen, const Unifont& font) {
  std::vector<std::uint8_t> picture(static_cast<std::size_t>(kPictureWidth) * kPictureHeight, 0);
  const int plane_w = screen.plane_width();
  const int plane_h = screen.plane_height();
  if (plane_w > 0 && plane_h > 0) {
    for (int y = 0; y < kPictureHeight; ++y) {
      for (int x = 0; x < kPictureWidth; ++x) {
        picture[static_cast<std::size_t>(y) * kPictureWidth + x] = static_cast<std::uint8_t>(
            screen.pixel(x * plane_w / kPictureWidth, y * plane_h / kPictureHeight));
      }
    }
  }
  const Glyph* fallback = font.find(kReplacement);
  for_each_character(screen, [&](int row, int col, int cells, char32_t cp, int color) {
    const Glyph* glyph = font.find(cp);
    if (glyph == nullptr) glyph = fallback;
    if (glyph == nullptr) return;
    // A glyph wider than its cells is cut, so it never paints a neighbour.
    const int width = std::min(glyph->width, cells * kCellWidth);
    const int left = col * kCellWidth;
    const int top = row * kCellHeight;
    for (int gy = 0; gy < kCellHeight; ++gy) {
      for (int gx = 0; gx < width; ++gx) {
        if (glyph->ink(gx, gy)) {
          picture[static_cast<std::size_t>(top + gy) * kPictureWidth + left + gx] =
              static_cast<std::uint8_t>(color);
        }
      }
    }
  });
  return picture;
}


void write_png_picture(const ScreenModel& screen, const std::string& path,
                       const std::string& font_path) {
  Unifont font = Unifont::load(font_path, code_points_on(screen));
  write_indexed_png(path, kPictureWidth, kPictureHeight, render_picture(screen, font));
}

}  // namespace verdan
