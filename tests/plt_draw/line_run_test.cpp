// Runs of lines against MOVE and PLOT or DASH one line after another: the
// same bytes, pen and plot_cmd on every device, a failure part-way included.
#include "plt_draw/line_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "plt_draw/plot_device.h"
#include "tests/platform/failure_code.h"
#include "tests/plt_draw/plotter.h"

namespace verdan {
namespace {

using test::expect_same;
using test::Plotter;

struct Line {
  float x0, y0, x1, y1, pen;
  int dashed;
};

// Columns, beams and braces over a grid, every pen, some dashed.
std::vector<Line> grid_lines(std::size_t count) {
  std::vector<Line> lines;
  for (std::size_t i = 0; i < count; ++i) {
    const float x = 10.5f + static_cast<float>(i % 37) * 4.25f;
    const float y = 12.25f + static_cast<float>(i / 37) * 3.5f;
    const int kind = static_cast<int>(i % 3);
    lines.push_back({x, y, kind == 1 ? x : x + 4.25f, kind == 0 ? y : y + 3.5f, static_cast<float>(1 + i % 3),
                     kind == 2 ? 1 : 0});
  }
  return lines;
}

// The lines as a caller draws them; the failure's code, or -1.
int one_by_one(PlotState& s, const std::vector<Line>& lines) {
  return test::failure_code_of([&] {
    for (const Line& l : lines) {
      MOVE(s, l.x0, l.y0);
      if (l.dashed) {
        DASH(s, l.x1, l.y1, l.pen);
      } else {
        PLOT(s, l.x1, l.y1, l.pen);
      }
    }
  });
}

TEST(LineRun, EveryDeviceLeavesWhatTheLinesOneByOneLeave) {
  const std::vector<Line> lines = grid_lines(1000);
  for (float device : {1.f, 2.f, 3.f, 4.f, 5.f, 6.f, 7.f}) {
    const std::string what = "device " + std::to_string(device);
    Plotter expected(device), got(device);
    ASSERT_EQ(one_by_one(expected.state, lines), -1) << what;
    line_run(got.state, lines.data(), lines.size());
    expect_same(expected, got, what);
  }
}

// A start beyond reach fails the move; a pen that is no number or not 1-3,
// or an end beyond reach, fails the line after the move has been made.
TEST(LineRun, AFailureLeavesWhatTheLinesBeforeItLeft) {
  for (int fault = 0; fault < 4; ++fault) {
    std::vector<Line> lines = grid_lines(50);
    Line& bad = lines[31];
    if (fault == 0) bad.x0 = 1e9f;
    if (fault == 1) bad.pen = NAN;
    if (fault == 2) bad.pen = 4;
    if (fault == 3) bad.y1 = -1e9f;
    for (float device : {2.f, 4.f, 5.f}) {
      const std::string what = "device " + std::to_string(device) + ", fault " + std::to_string(fault);
      Plotter expected(device), got(device);
      const int code = one_by_one(expected.state, lines);
      ASSERT_NE(code, -1) << what;
      EXPECT_EQ(test::failure_code_of([&] { line_run(got.state, lines.data(), lines.size()); }), code) << what;
      expect_same(expected, got, what);
    }
  }
}

}  // namespace
}  // namespace verdan
