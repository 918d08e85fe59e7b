#include "tools/vdn-plot/frame_plot.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "verdan/verdan.h"

namespace verdan::plot_tool {
namespace {

constexpr double kMargin = 20;       // mm around the drawing, room for the numbers
constexpr float kLabelHeight = 2.5;  // mm
constexpr float kLabelOffset = 1;    // mm right of and above the node
constexpr float kMemberLayer = 9;
constexpr float kNodeLayer = 8;

PaperFit fit(const vdn_state& state, const FrameNodes& frame) {
  const double paper_w = std::fabs(state.paper_w / state.scale_x);
  const double paper_h = std::fabs(state.paper_h / state.scale_y);
  const double span_x = frame.node_x.max() - frame.node_x.min();
  const double span_y = frame.node_y.max() - frame.node_y.min();
  const double room_x = std::max(paper_w - 2 * kMargin, 1.0);
  const double room_y = std::max(paper_h - 2 * kMargin, 1.0);
  PaperFit f;
  f.min_x = frame.node_x.min();
  f.min_y = frame.node_y.min();
  if (span_x > 0 && span_y > 0) {
    f.scale = std::min(room_x / span_x, room_y / span_y);
  } else if (span_x > 0) {
    f.scale = room_x / span_x;
  } else if (span_y > 0) {
    f.scale = room_y / span_y;
  }
  f.x0 = (paper_w - span_x * f.scale) / 2;
  f.y0 = (paper_h - span_y * f.scale) / 2;
  return f;
}

}  // namespace

void check(int code) {
  if (code != VDN_OK) fail(code, vdn_failure_text());
}

// Each node is fitted once (a large frame's each time its page is read),
// not at each of its members' ends.
FramePlot::FramePlot(FrameNodes& nodes) {
  nodes_ = FittedNodes(nodes, fit(*VDN_STATE(), nodes));
  // A DXF drawing's layers, told ahead so that its entities go straight
  // into the file: solid and dashed members, and the labels, which are
  // texts. A frame without braces has its table put right at the end.
  check(vdn_plot_dxf_expect_layer(kMemberLayer, 2));
  check(vdn_plot_dxf_expect_layer(kMemberLayer, 1));
  check(vdn_plot_dxf_expect_layer(kNodeLayer, 0));
}

void FramePlot::members(const Member* first, std::size_t count) {
  VDN_STATE()->plot_layer = kMemberLayer;
  lines_.clear();
  for (const Member* m = first; m != first + count; ++m) {
    const PaperPoint a = nodes_[static_cast<std::size_t>(m->end_a - 1)];
    const PaperPoint b = nodes_[static_cast<std::size_t>(m->end_b - 1)];
    // Pinned members (braces, ties) dashed and thin, the others solid.
    const bool pinned = m->kind == 4;
    lines_.push_back({a.x, a.y, b.x, b.y, pinned ? 1.0f : 2.0f, pinned ? 1 : 0});
  }
  check(vdn_plot_lines(lines_.data(), lines_.size()));
}

void FramePlot::labels() {
  VDN_STATE()->plot_layer = kNodeLayer;
  // The points a run at a time, up to 2 MB of them: the library takes the
  // labels in runs.
  constexpr std::size_t kRun = std::size_t{1} << 18;
  std::vector<float> x, y;
  for (std::size_t first = 0; first < nodes_.size(); first += kRun) {
    const std::size_t count = std::min(kRun, nodes_.size() - first);
    x.resize(count);
    y.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      const PaperPoint p = nodes_[first + i];
      x[i] = p.x + kLabelOffset;
      y[i] = p.y + kLabelOffset;
    }
    check(vdn_plot_number_labels(x.data(), y.data(), count, static_cast<long long>(first + 1), kLabelHeight, 0));
  }
}

}  // namespace verdan::plot_tool
