#include "plt_draw/devices/command_text.h"

#include <cmath>

#include "shared/plot_numbers.h"

namespace verdan {

std::string gs_command(std::string_view command) { return plot_byte::kGs + std::string(command); }
std::string esc_command(std::string_view command) { return plot_byte::kEsc + std::string(command); }

std::string device_x(const PlotState& s, float x) { return N2A(s.origin_x + std::floor(x * s.scale_x)); }
std::string device_y(const PlotState& s, float y) { return N2A(s.origin_y + std::floor(y * s.scale_y)); }

int paper_row(float paper, int count) {
  for (int code = 1; code <= count; ++code) {
    if (paper == static_cast<float>(code)) return code - 1;
  }
  return -1;
}

}  // namespace verdan
