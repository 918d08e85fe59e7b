// Reads a PNG back as RGB for the picture checks of the tests.
#pragma once

#include <png.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace verdan::testing {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, row by row
  // "R G B" of the pixel at (x, y), for readable comparisons.
  std::string at(int x, int y) const {
    std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return std::to_string(rgb[i]) + " " + std::to_string(rgb[i + 1]) + " " +
           std::to_string(rgb[i + 2]);
  }
};

// False when the file is not a readable PNG.
inline bool read_png_rgb(const std::string& path, RgbImage& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.rgb.assign(PNG_IMAGE_SIZE(image), 0);
  if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  return true;
}

}  // namespace verdan::testing
