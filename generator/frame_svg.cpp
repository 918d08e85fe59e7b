#include "generator/frame_svg.h"

#include <algorithm>
#include <string>

#include "plt_draw/plot_device.h"
#include "plt_draw/primitives.h"

namespace verdan {
namespace {

constexpr float kSvgDevice = 7;
constexpr float kA4Landscape = 2;
constexpr double kMargin = 20;     // mm around the frame, room for the numbers
constexpr float kLabelHeight = 2.5f;  // mm

}  // namespace

void write_frame_svg(TextSink& sink, const FrameModel& frame) {
  PlotState s;
  s.plot_device = kSvgDevice;
  s.plot_file = &sink;
  INIT(s, kA4Landscape, 1);
  plot_write(s, s.plot_reset);
  plot_write(s, s.plot_setup);
  const int nx = frame.span_count(), ns = frame.storey_count();
  const double width = frame.node_x(1, nx), height = frame.node_y(ns + 1, 0);
  const double scale = std::min((s.paper_w - 2 * kMargin) / width, (s.paper_h - 2 * kMargin) / height);
  auto x = [&](int axis) { return static_cast<float>(kMargin + frame.node_x(1, axis) * scale); };
  auto y = [&](int level) { return static_cast<float>(kMargin + frame.node_y(level, 0) * scale); };
  auto member = [&](int level_a, int axis_a, int level_b, int axis_b, bool brace) {
    MOVE(s, x(axis_a), y(level_a));
    if (brace) {
      DASH(s, x(axis_b), y(level_b), 1);
    } else {
      PLOT(s, x(axis_b), y(level_b), 2);
    }
  };
  for (int a = 0; a <= nx; ++a) {
    for (int l = 1; l <= ns; ++l) {
      if (frame.column_on(l, a) == 1) member(l, a, l + 1, a, false);
    }
  }
  for (int l = 1; l <= ns + 1; ++l) {
    for (int i = 1; i <= nx; ++i) {
      if (frame.beam_on(l, i) == 1) member(l, i - 1, l, i, false);
    }
  }
  for (int l = 1; l <= ns; ++l) {
    for (int k = 0; k < nx; ++k) {
      if (frame.brace_on(l, k, 1) == 1) member(l, k, l + 1, k + 1, true);
      if (frame.brace_on(l, k, 2) == 1) member(l + 1, k, l, k + 1, true);
    }
  }
  for (int a = 0; a <= nx; ++a) {
    s.plot_cmd = std::to_string(a);
    MOJI(s, x(a) - kLabelHeight / 3, y(1) - 2 * kLabelHeight, kLabelHeight, 0);
  }
  for (int l = 1; l <= ns + 1; ++l) {
    s.plot_cmd = std::to_string(l);
    MOJI(s, x(0) - 3 * kLabelHeight, y(l) - kLabelHeight / 3, kLabelHeight, 0);
  }
  PLT_END(s);
}

}  // namespace verdan
