// A run of lines, each a MOVE to its start and a PLOT, or a DASH where it
// is dashed, to its end: a frame's members by the million, in one call of
// the C interface instead of two each.
#pragma once

#include <cstddef>

#include "plt_draw/plot_state.h"
#include "plt_draw/primitives.h"

namespace verdan {

// Leaves the plot file, the pen and plot_cmd as MOVE to each line's start
// and PLOT or DASH to its end would, one line after another, a failure
// included. `Line` has the members x0, y0, x1, y1, pen and dashed.
template <typename Line>
void line_run(PlotState& s, const Line* lines, std::size_t count) {
  for (const Line* l = lines; l != lines + count; ++l) {
    line_between(s, l->x0, l->y0, l->x1, l->y1, l->pen, l->dashed != 0);
  }
}

}  // namespace verdan
