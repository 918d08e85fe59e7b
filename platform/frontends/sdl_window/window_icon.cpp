#include "platform/frontends/sdl_window/window_icon.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "platform/frontends/sdl_window/sdl_calls.h"

namespace verdan {

void set_window_icon(SDL_Window* window) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, kWindowIconPng, kWindowIconPngSize)) return;
  image.format = PNG_FORMAT_RGBA;
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
  const int stride = static_cast<int>(PNG_IMAGE_ROW_STRIDE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), stride, nullptr)) {
    png_image_free(&image);
    return;
  }
  SDL_Surface* icon = sdl_calls().create_surface_from(pixels.data(), static_cast<int>(image.width),
                                                      static_cast<int>(image.height), 32, stride,
                                                      SDL_PIXELFORMAT_RGBA32);
  if (icon == nullptr) return;
  sdl_calls().set_window_icon(window, icon);
  sdl_calls().free_surface(icon);
}

}  // namespace verdan
