// Drawing a frame onto the plot device that INIT has set up, through the
// exported library.
#pragma once

#include <cstddef>

#include "tools/vdn-plot/frame_data.h"

namespace verdan::plot_tool {

// Turns a failed library call's code into the Failure the tool reports.
void check(int code);

// Centimetres of the frame to millimetres on the paper.
struct Fit {
  double scale = 1;  // mm per cm
  double x0 = 0, y0 = 0;
  double min_x = 0, min_y = 0;

  float x(double cm) const { return static_cast<float>(x0 + (cm - min_x) * scale); }
  float y(double cm) const { return static_cast<float>(y0 + (cm - min_y) * scale); }
};

// The frame, scaled to fit the paper within a margin and centred: members as
// lines (pinned ones dashed), a run at a time as they come, and then each
// node's number beside it. On JW_CAD the members lie in layer 9 (ELEM) and
// the numbers in layer 8 (NODE).
class FramePlot {
 public:
  // After INIT: the nodes, which must outlive the plot, fitted to its paper.
  explicit FramePlot(const FrameNodes& nodes);
  void members(const Member* first, std::size_t count);
  void labels();

 private:
  const FrameNodes& nodes_;
  Fit fit_;
};

}  // namespace verdan::plot_tool
