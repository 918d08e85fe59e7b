// Pieces of the printers' and plotters' command streams (ESC/Page, HP-GL,
// LIPS): the control-byte prefixes and coordinates in device units.
#pragma once

#include <string>
#include <string_view>

#include "plt_draw/plot_state.h"

namespace verdan {

// A command after GS (ESC/Page) or ESC.
std::string gs_command(std::string_view command);
std::string esc_command(std::string_view command);

// A point's device coordinate, origin included: origin + floor(v * scale)
// in the free format.
std::string device_x(const PlotState& state, float x);
std::string device_y(const PlotState& state, float y);

// The table row for a whole paper code 1..count, or -1.
int paper_row(float paper, int count);

}  // namespace verdan
