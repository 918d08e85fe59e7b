// Drawing on the plot device: lines, dashed lines, circles, pen moves and
// text. Coordinates and sizes are millimetres on the paper; each routine
// writes its command (for JW_CAD one record of the intermediate file) to the
// plot file, leaves it in plot_cmd and moves the pen. DXF holds its entities
// for PLT_END instead (see devices/dxf_device.h); SVG writes one element each.
//
// Pens 1-3 choose the line weight; any other pen is Failure 5 and nothing is
// written. A number that is not finite, or a point or size beyond what the
// device's number fields hold (device_reach.h), is Failure 6 on every device:
// nothing is written and the pen stays. The pen's own place counts for
// PLOT, DASH and CIR. Unknown devices write nothing; the pen still moves.
#pragma once

#include "plt_draw/plot_state.h"

namespace verdan {

// A solid line from the pen to (x, y); the pen moves there.
void PLOT(PlotState& state, float x, float y, float pen);

// A dashed line from the pen to (x, y); the pen moves there.
void DASH(PlotState& state, float x, float y, float pen);

// A circle of radius r around (x, y); the pen moves to the centre.
void CIR(PlotState& state, float x, float y, float r, float pen);

// Lifts the pen and moves it to (x, y) (only HP-GL writes a command).
void MOVE(PlotState& state, float x, float y);

// MOVE to (x0, y0), then PLOT, or DASH where dashed, to (x1, y1): the
// bytes, pen, plot_cmd and failures of the two calls, a check fewer.
void line_between(PlotState& state, float x0, float y0, float x1, float y1, float pen, bool dashed);

// Writes the text in plot_cmd from (x, y), `height` mm high, in direction
// `angle` degrees. Double-byte characters go to the device as JIS. The pen
// ends behind the text, except on JW_CAD, where the whole text is one record
// and the pen stays at (x, y). DXF and SVG write the text as one piece too.
void MOJI(PlotState& state, float x, float y, float height, float angle);

}  // namespace verdan
