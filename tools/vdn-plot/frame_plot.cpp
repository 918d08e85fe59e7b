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

Fit fit(const vdn_state& state, const FrameNodes& frame) {
  const double paper_w = std::fabs(state.paper_w / state.scale_x);
  const double paper_h = std::fabs(state.paper_h / state.scale_y);
  const double span_x = frame.node_x.max() - frame.node_x.min();
  const double span_y = frame.node_y.max() - frame.node_y.min();
  const double room_x = std::max(paper_w - 2 * kMargin, 1.0);
  const double room_y = std::max(paper_h - 2 * kMargin, 1.0);
  Fit f;
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

FramePlot::FramePlot(const FrameNodes& nodes) : nodes_(nodes), fit_(fit(*VDN_STATE(), nodes)) {}

void FramePlot::members(const Member* first, std::size_t count) {
  const NodeCoordinates& x = nodes_.node_x;
  const NodeCoordinates& y = nodes_.node_y;
  VDN_STATE()->plot_layer = kMemberLayer;
  for (const Member* m = first; m != first + count; ++m) {
    const auto a = static_cast<std::size_t>(m->end_a - 1);
    const auto b = static_cast<std::size_t>(m->end_b - 1);
    check(VDN_MOVE(fit_.x(x[a]), fit_.y(y[a])));
    // Pinned members (braces, ties) dashed and thin, the others solid.
    if (m->kind == 4) {
      check(VDN_DASH(fit_.x(x[b]), fit_.y(y[b]), 1));
    } else {
      check(VDN_PLOT(fit_.x(x[b]), fit_.y(y[b]), 2));
    }
  }
}

void FramePlot::labels() {
  VDN_STATE()->plot_layer = kNodeLayer;
  // The points a run at a time, up to 2 MB of them: the library takes the
  // labels in runs.
  constexpr std::size_t kRun = std::size_t{1} << 18;
  std::vector<float> x, y;
  for (std::size_t first = 0; first < nodes_.node_x.size(); first += kRun) {
    const std::size_t count = std::min(kRun, nodes_.node_x.size() - first);
    x.resize(count);
    y.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      x[i] = fit_.x(nodes_.node_x[first + i]) + kLabelOffset;
      y[i] = fit_.y(nodes_.node_y[first + i]) + kLabelOffset;
    }
    check(vdn_plot_number_labels(x.data(), y.data(), count, static_cast<long long>(first + 1), kLabelHeight, 0));
  }
}

}  // namespace verdan::plot_tool
