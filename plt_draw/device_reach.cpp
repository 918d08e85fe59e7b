#include "plt_draw/device_reach.h"

#include <cmath>
#include <limits>
#include <string>

#include "platform/failure.h"
#include "plt_draw/device_table.h"

namespace verdan {

void refuse_value(const PlotState& s, float value, std::string_view what) {
  if (!std::isfinite(value)) fail(kOverflow, std::string(what) + " is no finite number");
  fail(kOverflow, std::string(what) + " lies beyond the number fields of plot device " +
                      std::to_string(plot_device_code(s)));
}

void refuse_point(const PlotState& s, float x, float y) {
  // Only a refused point comes here: with x within reach, y is beyond it.
  require_number_within_reach(s, device_x(s, x), "plot x");
  refuse_value(s, device_y(s, y), "plot y");
}

}  // namespace verdan
