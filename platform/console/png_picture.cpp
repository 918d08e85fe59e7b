#include "platform/console/png_picture.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/host/host_error.h"

namespace verdan {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct ShownCharacter {
  char32_t cp;
  int cells;  // 2 for a double-byte character
  int color;
};

// The visible character that starts at (row, col), if any.
std::optional<ShownCharacter> character_at(const ScreenModel& screen, int row, int col) {
  const Cell cell = screen.cell(row, col);
  if (cell.kind == CellKind::trail) return std::nullopt;  // drawn with its lead byte
  std::string bytes(1, cell.byte);
  int cells = 1;
  if (cell.kind == CellKind::lead && screen.cell(row, col + 1).kind == CellKind::trail) {
    bytes.push_back(screen.cell(row, col + 1).byte);
    cells = 2;
  } else {
    auto b = static_cast<unsigned char>(cell.byte);
    if (b <= 0x20 || b == 0x7F) return std::nullopt;
  }
  std::size_t length = 0;
  // A lead byte that lost its trail decodes as a lone byte: U+FFFD.
  char32_t cp = cells == 2 ? decode_char(bytes, 0, length)
                           : decode_char(std::string_view(bytes).substr(0, 1), 0, length);
  return ShownCharacter{cp, cells, cell.color};
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
  for (int row = 0; row < ScreenModel::kRows; ++row) {
    for (int col = 0; col < ScreenModel::kColumns; ++col) {
      if (std::optional<ShownCharacter> shown = character_at(screen, row, col)) code_points.insert(shown->cp);
    }
  }
  return code_points;
}

CellPicture render_cell(const ScreenModel& screen, const Unifont& font, int row, int col) {
  CellPicture cell{};
  const int left = col * kCellPictureWidth;
  const int top = row * kCellPictureHeight;
  const int plane_w = screen.plane_width();
  const int plane_h = screen.plane_height();
  if (plane_w > 0 && plane_h > 0) {
    for (int y = 0; y < kCellPictureHeight; ++y) {
      for (int x = 0; x < kCellPictureWidth; ++x) {
        cell[static_cast<std::size_t>(y * kCellPictureWidth + x)] = static_cast<std::uint8_t>(
            screen.pixel((left + x) * plane_w / kPictureWidth, (top + y) * plane_h / kPictureHeight));
      }
    }
  }
  // The right half of a double-byte character shows its glyph's right half.
  int half = 0;
  std::optional<ShownCharacter> shown = character_at(screen, row, col);
  if (!shown && col > 0 && screen.cell(row, col).kind == CellKind::trail) {
    shown = character_at(screen, row, col - 1);
    half = 1;
    if (shown && shown->cells != 2) shown.reset();
  }
  if (!shown) return cell;
  const Glyph* glyph = font.find(shown->cp);
  if (glyph == nullptr) glyph = font.find(kReplacement);
  if (glyph == nullptr) return cell;
  // A glyph wider than its cells is cut, so it never paints a neighbour.
  const int width = std::min(glyph->width, shown->cells * kCellPictureWidth);
  for (int y = 0; y < kCellPictureHeight; ++y) {
    for (int x = 0; x < kCellPictureWidth; ++x) {
      const int gx = half * kCellPictureWidth + x;
      if (gx < width && glyph->ink(gx, y)) {
        cell[static_cast<std::size_t>(y * kCellPictureWidth + x)] = static_cast<std::uint8_t>(shown->color);
      }
    }
  }
  return cell;
}

std::vector<std::uint8_t> render_picture(const ScreenModel& screen, const Unifont& font) {
  std::vector<std::uint8_t> picture(static_cast<std::size_t>(kPictureWidth) * kPictureHeight, 0);
  for (int row = 0; row < ScreenModel::kRows; ++row) {
    for (int col = 0; col < ScreenModel::kColumns; ++col) {
      const CellPicture cell = render_cell(screen, font, row, col);
      for (int y = 0; y < kCellPictureHeight; ++y) {
        std::copy_n(cell.begin() + y * kCellPictureWidth, kCellPictureWidth,
                    picture.begin() + (row * kCellPictureHeight + y) * kPictureWidth + col * kCellPictureWidth);
      }
    }
  }
  return picture;
}

void write_png_picture(const ScreenModel& screen, const std::string& path,
                       const std::string& font_path) {
  Unifont font = Unifont::load(font_path, code_points_on(screen));
  write_indexed_png(path, kPictureWidth, kPictureHeight, render_picture(screen, font));
}

}  // namespace verdan
