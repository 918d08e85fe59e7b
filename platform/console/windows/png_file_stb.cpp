#include "platform/console/png_picture.h"

#include <cerrno>
#include <cstdio>

#include "platform/failure.h"
#include "platform/host/host_error.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

#include "platform/host/file_calls.h"

#include <fcntl.h>

namespace verdan {
namespace {

void append_bytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(context);
  const auto* bytes = static_cast<const unsigned char*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

// Where libpng is not at hand: the same picture as RGB, written whole.
void write_indexed_png(const std::string& path, int width, int height,
                       const std::vector<std::uint8_t>& indices) {
  if (width <= 0 || height <= 0 ||
      indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    fail(kIllegalFunctionCall, "picture size does not match its pixels");
  }
  std::vector<unsigned char> rgb;
  rgb.reserve(indices.size() * 3);
  for (std::uint8_t index : indices) {
    Rgb c = palette_color(index);
    rgb.insert(rgb.end(), {c.r, c.g, c.b});
  }
  std::vector<unsigned char> encoded;
  if (stbi_write_png_to_func(append_bytes, &encoded, width, height, 3, rgb.data(), width * 3) == 0) {
    fail(kDeviceIoError, "cannot encode picture " + path);
  }
  int fd = host::open_file(path, O_WRONLY | O_CREAT | O_TRUNC);
  if (fd < 0) fail_from_errno(errno, "cannot create picture", path);
  long written = host::write_file(fd, encoded.data(), encoded.size());
  int err = written < 0 ? errno : 0;
  if (host::close_file(fd) != 0 && err == 0) err = errno;
  if (err != 0 || written != static_cast<long>(encoded.size())) {
    host::delete_file(path);
    fail_from_errno(err != 0 ? err : ENOSPC, "cannot write picture", path);
  }
}

}  // namespace verdan
