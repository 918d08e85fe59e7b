// Setting up a plot device and ending its plot.
#pragma once

#include "plt_draw/plot_state.h"

namespace verdan {

// Sets the device's scales, paper size, origin, start and set-up sequences
// for paper code `paper` (`scale` counts for JW_CAD only). Writes nothing:
// the caller writes plot_reset, then plot_setup. A paper code outside the
// device's table leaves the paper size as it was and the paper part empty.
void INIT(PlotState& state, float paper, float scale);

// Writes the device's end-of-plot sequence to the plot file.
void PLT_END(PlotState& state);

}  // namespace verdan
