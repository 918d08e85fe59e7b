#include "platform/console/unifont.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <string_view>

#include "platform/failure.h"

namespace verdan {
namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "XXXX:<32 or 64 hex digits>"; false for any other line.
bool parse_glyph(std::string_view bits, Glyph& glyph) {
  if (bits.size() != 32 && bits.size() != 64) return false;
  glyph.width = bits.size() == 32 ? 8 : 16;
  const std::size_t per_row = bits.size() / 16;
  for (std::size_t row = 0; row < 16; ++row) {
    std::uint16_t value = 0;
    for (std::size_t i = 0; i < per_row; ++i) {
      int d = hex_digit(bits[row * per_row + i]);
      if (d < 0) return false;
      value = static_cast<std::uint16_t>((value << 4) | d);
    }
    glyph.rows[row] = value;
  }
  return true;
}

}  // namespace

std::string Unifont::default_path() {
  const char* chosen = std::getenv("VERDAN_FONT");
  if (chosen != nullptr && *chosen != '\0') return chosen;
  static constexpr const char* kPlaces[] = {
      "/usr/share/unifont/unifont_jp.hex",
      "/usr/local/share/unifont/unifont_jp.hex",
      "/usr/share/unifont/unifont.hex",
      "/usr/local/share/unifont/unifont.hex",
  };
  for (const char* place : kPlaces) {
    if (std::ifstream(place)) return place;
  }
  return kPlaces[0];
}

Unifont Unifont::load(const std::string& path, const std::set<char32_t>& code_points) {
  std::ifstream in(path);
  if (!in) fail(kFileNotFound, "glyph file " + path + " cannot be read");
  Unifont font;
  std::string line;
  while (font.glyphs_.size() < code_points.size() && std::getline(in, line)) {
    std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::uint32_t cp = 0;
    auto [end, error] = std::from_chars(line.data(), line.data() + colon, cp, 16);
    if (error != std::errc() || end != line.data() + colon) continue;
    if (code_points.count(cp) == 0) continue;
    std::string_view bits(line);
    bits.remove_prefix(colon + 1);
    while (!bits.empty() && (bits.back() == '\r' || bits.back() == ' ')) bits.remove_suffix(1);
    Glyph glyph;
    if (parse_glyph(bits, glyph)) font.glyphs_.emplace(cp, glyph);
  }
  if (in.bad()) fail(kDeviceIoError, "glyph file " + path + " cannot be read");
  return font;
}

const Glyph* Unifont::find(char32_t cp) const {
  auto it = glyphs_.find(cp);
  return it == glyphs_.end() ? nullptr : &it->second;
}

}  // namespace verdan
