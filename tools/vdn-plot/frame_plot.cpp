#include "tools/vdn-plot/frame_plot.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/failure.h"
#include "verdan/verdan.h"

namespace verdan::plot_tool {
namespace {

constexpr double kMargin = 20;       // mm around the drawing, room for the numbers
constexpr float kLabelHeight = 2.5;  // mm
constexpr float kLabelOffset = 1;    // mm right of and above the node
constexpr float kMemberLayer = 9;
constexpr float kNodeLayer = 8;

// Centimetres of the frame to millimetres on the paper.
struct Fit {
  double scale = 1;  // mm per cm
  double x0 = 0, y0 = 0;
  double min_x = 0, min_y = 0;

  float x(double cm) const { return static_cast<float>(x0 + (cm - min_x) * scale); }
  float y(double cm) const { return static_cast<float>(y0 + (cm - min_y) * scale); }
};

Fit fit(const vdn_state& state, const FrameData& frame) {
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

void plot_frame(FrameData& frame) {
  vdn_state& state = *VDN_STATE();
  const Fit f = fit(state, frame);
  state.plot_layer = kMemberLayer;
  frame.members.for_each([&](const Member& m) {
    const auto a = static_cast<std::size_t>(m.end_a - 1);
    const auto b = static_cast<std::size_t>(m.end_b - 1);
    check(VDN_MOVE(f.x(frame.node_x[a]), f.y(frame.node_y[a])));
    // Pinned members (braces, ties) dashed and thin, the others solid.
    if (m.kind == 4) {
      check(VDN_DASH(f.x(frame.node_x[b]), f.y(frame.node_y[b]), 1));
    } else {
      check(VDN_PLOT(f.x(frame.node_x[b]), f.y(frame.node_y[b]), 2));
    }
  });
  state.plot_layer = kNodeLayer;
  for (std::size_t n = 0; n < frame.node_x.size(); ++n) {
    if (VDN_N2A(static_cast<float>(n + 1), state.plot_cmd, sizeof state.plot_cmd) == VDN_ERROR) {
      check(VDN_FAILURE());
    }
    check(VDN_MOJI(f.x(frame.node_x[n]) + kLabelOffset, f.y(frame.node_y[n]) + kLabelOffset, kLabelHeight, 0));
  }
}

}  // namespace verdan::plot_tool
