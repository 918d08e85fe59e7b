// How far a plot device's number fields reach. The primitives check every
// number of a call against its device before anything is written, so a
// refused call leaves no byte in the plot file, and every device refuses
// the same calls' numbers with the same failure (6).
#pragma once

#include <cmath>
#include <limits>
#include <string_view>

#include "plt_draw/device_table.h"
#include "plt_draw/plot_state.h"

namespace verdan {

// The largest magnitude, in device units, of a coordinate or size that the
// state's device writes in its number fields. Unknown devices write
// nothing; only numbers that are not finite are beyond them.
inline float device_reach(const PlotState& state) {
  if (const PlotDevice* device = table_device(state)) return device->reach;
  return std::numeric_limits<float>::max();
}

// Failure 6 for a point that require_point_within_reach() refuses.
[[noreturn]] void refuse_point(const PlotState& state, float x, float y);

// Failure 6 unless the point (millimetres) is finite and lands within the
// device's reach: device_x() and device_y() (plot_state.h).
// Inline, as every primitive checks two or three points: only a refused
// point leaves it.
// A scaled coordinate `v` a whole unit inside the reach about `origin`:
// floor(v) lies in (v - 1, v], so origin + floor(v), rounded or not, is
// within the reach without taking the floor. Not a number is never inside.
inline bool well_within_reach(float v, float origin, float reach) {
  const double d = v;
  return d >= 1 - static_cast<double>(reach) - origin && d <= static_cast<double>(reach) - origin - 1;
}

inline void require_point_within_reach(const PlotState& state, float x, float y) {
  // What the printers and plotters write; the other devices write
  // v * scale, or the sheet's height less it, which their reach has room for.
  const float reach = device_reach(state);
  if (well_within_reach(x * state.scale_x, state.origin_x, reach) &&
      well_within_reach(y * state.scale_y, state.origin_y, reach)) {
    return;
  }
  // Near the edge or beyond: exactly as the device commands compute it.
  if (!(std::fabs(device_x(state, x)) <= reach && std::fabs(device_y(state, y)) <= reach)) {
    refuse_point(state, x, y);
  }
}

// Failure 6 for a value that is no finite number, or one in device units
// that require_number_within_reach() refuses.
[[noreturn]] void refuse_value(const PlotState& state, float value, std::string_view what);

// Failure 6 unless a size (millimetres, scaled along x as radii and text
// heights are) or a plain number such as an angle is within reach. Inline,
// as every text checks both: only a refused one leaves.
inline void require_number_within_reach(const PlotState& state, float value, std::string_view what) {
  if (!(std::fabs(value) <= device_reach(state))) refuse_value(state, value, what);
}
inline void require_size_within_reach(const PlotState& state, float size) {
  // The reach is whole, so the floor of a size within it is within it too.
  require_number_within_reach(state, size * state.scale_x, "plot size");
}

}  // namespace verdan
