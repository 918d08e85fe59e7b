// The whole screen as a picture: the drawing plane in the console palette
// with the text cells drawn over it in unifont glyphs, written as PNG.
// Used for snapshots of headless runs and, cell by cell, by the window.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/console/screen_model.h"
#include "platform/console/unifont.h"

namespace verdan {

// 8 x 16 pixels a text cell.
constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 384;
constexpr int kCellPictureWidth = kPictureWidth / ScreenModel::kColumns;
constexpr int kCellPictureHeight = kPictureHeight / ScreenModel::kRows;

struct Rgb {
  std::uint8_t r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour of palette index 0-15: bit 0 blue, bit 1 red, bit 2 green,
// bit 3 bright.
Rgb palette_color(int index);

// Code points of the characters on the screen's text, for loading glyphs.
std::set<char32_t> code_points_on(const ScreenModel& screen);

// The picture as palette indices, row by row: the plane stretched to
// 640 x 384, then the ink of each character's glyph in the cell's colour
// (blank parts of a cell let the drawing show).
std::vector<std::uint8_t> render_picture(const ScreenModel& screen, const Unifont& font);

// The part of the picture under text cell (row, col), row by row: the plane
// under it, then its half of a double-byte character's glyph or a whole
// single-byte one.
using CellPicture = std::array<std::uint8_t, kCellPictureWidth * kCellPictureHeight>;
CellPicture render_cell(const ScreenModel& screen, const Unifont& font, int row, int col);

// Writes palette indices (`width` x `height`) as a PNG with the console palette.
// Failures carry the code of the file error.
void write_indexed_png(const std::string& path, int width, int height,
                       const std::vector<std::uint8_t>& indices);

// Renders the screen with glyphs from `font_path` and writes it to `path`.
void write_png_picture(const ScreenModel& screen, const std::string& path,
                       const std::string& font_path = Unifont::default_path());

}  // namespace verdan
