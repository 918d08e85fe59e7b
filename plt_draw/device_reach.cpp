#include "plt_draw/device_reach.h"

#include <cmath>
#include <limits>
#include <string>

#include "platform/failure.h"
#include "plt_draw/device_table.h"

namespace verdan {
namespace {

[[noreturn]] void refuse(const PlotState& s, float value, std::string_view what) {
  if (!std::isfinite(value)) fail(kOverflow, std::string(what) + " is no finite number");
  fail(kOverflow, std::string(what) + " lies beyond the number fields of plot device " +
                      std::to_string(plot_device_code(s)));
}

// The messages are made only for a value refused.
void require_within(const PlotState& s, float value, float reach, std::string_view what) {
  if (!(std::fabs(value) <= reach)) refuse(s, value, what);
}

void require_within(const PlotState& s, float value, std::string_view what) {
  require_within(s, value, device_reach(s), what);
}

}  // namespace

void require_finite_number(float value, std::string_view what) {
  if (!std::isfinite(value)) fail(kOverflow, std::string(what) + " is no finite number");
}

void refuse_point(const PlotState& s, float x, float y) {
  // Only a refused point comes here: with x within reach, y is beyond it.
  require_within(s, device_x(s, x), device_reach(s), "plot x");
  refuse(s, device_y(s, y), "plot y");
}

void require_size_within_reach(const PlotState& s, float size) {
  // The reach is whole, so the floor of a size within it is within it too.
  require_within(s, size * s.scale_x, "plot size");
}

void require_number_within_reach(const PlotState& s, float value, std::string_view what) {
  require_within(s, value, what);
}

}  // namespace verdan
