// Drawing a frame onto the plot device that INIT has set up, through the
// exported library.
#pragma once

#include "tools/vdn-plot/frame_data.h"

namespace verdan::plot_tool {

// Turns a failed library call's code into the Failure the tool reports.
void check(int code);

// The frame, scaled to fit the paper within a margin and centred: members as
// lines (pinned ones dashed) and each node's number beside it. On JW_CAD the
// members lie in layer 9 (ELEM) and the numbers in layer 8 (NODE).
void plot_frame(FrameData& frame);

}  // namespace verdan::plot_tool
