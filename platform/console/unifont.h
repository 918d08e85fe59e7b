// Bitmap glyphs from a font in the unifont .hex format (one glyph a line,
// 8 x 16 or 16 x 16 pixels), for drawing the text of a screen picture.
// Only the glyphs asked for are kept.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>

namespace verdan {

struct Glyph {
  int width = 0;  // 8 or 16
  std::array<std::uint16_t, 16> rows{};  // leftmost pixel in the highest bit used
  // Whether pixel (x, y) of the glyph is ink.
  bool ink(int x, int y) const { return ((rows[y] >> (width - 1 - x)) & 1) != 0; }
};

class Unifont {
 public:
  // The font to draw with, chosen at run time: VERDAN_FONT when set, else
  // the first readable of the usual unifont places (Japanese glyphs first).
  // When none is readable, the first place, so that loading it fails.
  static std::string default_path();

  // Reads the glyphs of `code_points` from the .hex file at `path`.
  // Failure 63 when the file cannot be read.
  static Unifont load(const std::string& path, const std::set<char32_t>& code_points);

  // The glyph of `cp`, or null when the font has none.
  const Glyph* find(char32_t cp) const;

 private:
  std::unordered_map<char32_t, Glyph> glyphs_;
};

}  // namespace verdan
