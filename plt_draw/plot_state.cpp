#include "plt_draw/plot_state.h"

#include <cmath>

#include "platform/failure.h"

namespace verdan {

void plot_write(PlotState& state, std::string_view bytes) {
  if (state.plot_file == nullptr) fail(kBadFileNumber, "plot file is not open");
  state.plot_file->write(bytes);
}

int plot_device_code(const PlotState& state) {
  float d = std::fabs(state.plot_device);
  // Codes are compared whole: a fraction selects no device.
  for (int code = 1; code <= 7; ++code) {
    if (d == static_cast<float>(code)) return code;
  }
  return 0;
}

}  // namespace verdan
