#include "plt_draw/devices/command_text.h"

namespace verdan {

std::string gs_command(std::string_view command) { return plot_byte::kGs + std::string(command); }
std::string esc_command(std::string_view command) { return plot_byte::kEsc + std::string(command); }

int paper_row(float paper, int count) {
  for (int code = 1; code <= count; ++code) {
    if (paper == static_cast<float>(code)) return code - 1;
  }
  return -1;
}

}  // namespace verdan
