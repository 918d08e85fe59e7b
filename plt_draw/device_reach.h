// How far a plot device's number fields reach. The primitives check every
// number of a call against its device before anything is written, so a
// refused call leaves no byte in the plot file, and every device refuses
// the same calls' numbers with the same failure (6).
#pragma once

#include <string_view>

#include "plt_draw/plot_state.h"

namespace verdan {

// The largest magnitude, in device units, of a coordinate or size that the
// state's device writes in its number fields. Unknown devices write
// nothing; only numbers that are not finite are beyond them.
float device_reach(const PlotState& state);

// Failure 6 unless `value` is a finite number.
void require_finite_number(float value, std::string_view what);

// Failure 6 unless the point (millimetres) is finite and lands within the
// device's reach: origin + floor(v * scale) on each axis.
void require_point_within_reach(const PlotState& state, float x, float y);

// Failure 6 unless a size (millimetres, scaled along x as radii and text
// heights are) or a plain number such as an angle is within reach.
void require_size_within_reach(const PlotState& state, float size);
void require_number_within_reach(const PlotState& state, float value, std::string_view what);

}  // namespace verdan
