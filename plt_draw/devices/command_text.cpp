#include "plt_draw/devices/command_text.h"

#include <cmath>
#include <cstring>

#include "platform/failure.h"
#include "shared/free_format.h"

#include "shared/plot_numbers.h"

namespace verdan {

std::string gs_command(std::string_view command) { return plot_byte::kGs + std::string(command); }
std::string esc_command(std::string_view command) { return plot_byte::kEsc + std::string(command); }

std::string device_x(const PlotState& s, float x) { return N2A(s.origin_x + std::floor(x * s.scale_x)); }
std::string device_y(const PlotState& s, float y) { return N2A(s.origin_y + std::floor(y * s.scale_y)); }

ShortCommand& ShortCommand::operator<<(std::string_view text) {
  if (text.size() > sizeof bytes_ - size_) fail(kOverflow, "plot command is too long");
  std::memcpy(bytes_ + size_, text.data(), text.size());
  size_ += text.size();
  return *this;
}

ShortCommand& ShortCommand::number(float value) {
  if (!std::isfinite(value)) fail(kOverflow, "N2A: value is no finite number");
  char text[kFreeFormatMax];
  const int length = write_free(text, value, false);
  // A non-negative value goes without its leading blank, as N2A writes it.
  const int skip = value < 0 ? 0 : 1;
  return *this << std::string_view(text + skip, static_cast<std::size_t>(length - skip));
}

ShortCommand& ShortCommand::x(const PlotState& s, float x) { return number(s.origin_x + std::floor(x * s.scale_x)); }
ShortCommand& ShortCommand::y(const PlotState& s, float y) { return number(s.origin_y + std::floor(y * s.scale_y)); }

int paper_row(float paper, int count) {
  for (int code = 1; code <= count; ++code) {
    if (paper == static_cast<float>(code)) return code - 1;
  }
  return -1;
}

}  // namespace verdan
