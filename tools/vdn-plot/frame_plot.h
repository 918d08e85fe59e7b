// Drawing a frame onto the plot device that INIT has set up, through the
// exported library.
#pragma once

#include <cstddef>
#include <vector>

#include "tools/vdn-plot/member_list.h"
#include "tools/vdn-plot/fitted_nodes.h"
#include "verdan/verdan.h"

namespace verdan::plot_tool {

// Turns a failed library call's code into the Failure the tool reports.
void check(int code);

// The frame, scaled to fit the paper within a margin and centred: members as
// lines (pinned ones dashed), a run at a time as they come, and then each
// node's number beside it. On JW_CAD the members lie in layer 9 (ELEM) and
// the numbers in layer 8 (NODE).
class FramePlot {
 public:
  // After INIT: the nodes fitted to its paper, once, in their own memory,
  // or page by page as they are read back from a large frame's spool file;
  // `nodes` keeps no coordinate.
  explicit FramePlot(FrameNodes& nodes);
  void members(const Member* first, std::size_t count);
  void labels();

 private:
  std::vector<vdn_plot_line> lines_;  // the members' lines, a run at a time
  FittedNodes nodes_;  // element 0 is node 1
};

}  // namespace verdan::plot_tool
