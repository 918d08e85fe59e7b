#include "platform/console/png_picture.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/failure.h"
#include "platform/host/host_error.h"

namespace verdan {

void write_indexed_png(const std::string& path, int width, int height,
                       const std::vector<std::uint8_t>& indices) {
  if (width <= 0 || height <= 0 ||
      indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    fail(kIllegalFunctionCall, "picture size does not match its pixels");
  }
  std::vector<png_byte> colormap;
  for (int i = 0; i < 16; ++i) {
    Rgb c = palette_color(i);
    colormap.insert(colormap.end(), {c.r, c.g, c.b});
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB_COLORMAP;
  image.colormap_entries = 16;

  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) fail_from_errno(errno, "cannot create picture", path);
  int ok = png_image_write_to_stdio(&image, file, 0, indices.data(), 0, colormap.data());
  std::string message = image.message;
  png_image_free(&image);
  int write_error = std::ferror(file) ? errno : 0;
  if (std::fclose(file) != 0 && write_error == 0) write_error = errno;
  if (!ok || write_error != 0) {
    std::remove(path.c_str());
    if (write_error != 0) fail_from_errno(write_error, "cannot write picture", path);
    fail(kDeviceIoError, "cannot write " + path + (message.empty() ? "" : ": " + message));
  }
}

}  // namespace verdan
