#include "plt_draw/plot_state.h"

#include <cmath>

#include "platform/failure.h"

namespace verdan {

void plot_write(PlotState& state, std::string_view bytes) {
  if (state.plot_file == nullptr) fail(kBadFileNumber, "plot file is not open");
  state.plot_file->write(bytes);
}

int plot_device_code(const PlotState& state) {
  const float d = std::fabs(state.plot_device);
  if (!(d >= 1 && d <= 7)) return 0;
  // Codes are compared whole: a fraction selects no device.
  const auto code = static_cast<int>(d);
  return d == static_cast<float>(code) ? code : 0;
}

}  // namespace verdan
