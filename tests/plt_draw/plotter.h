// A plot state on a device, writing into memory, for tests that set a run
// drawn in one call against the same drawn call by call.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/text_sink.h"
#include "plt_draw/plot_device.h"

namespace verdan::test {

struct Plotter {
  explicit Plotter(float device) {
    state.plot_device = device;
    INIT(state, 1, 1);
    state.plot_file = &file;
  }
  PlotState state;
  StringSink file;
};

// The same bytes, pen and plot_cmd.
inline void expect_same(Plotter& expected, Plotter& got, const std::string& what) {
  EXPECT_TRUE(got.file.text() == expected.file.text()) << what << ": " << got.file.text().size() << " bytes against "
                                                       << expected.file.text().size();
  EXPECT_EQ(got.state.pen.pen_x, expected.state.pen.pen_x) << what;
  EXPECT_EQ(got.state.pen.pen_y, expected.state.pen.pen_y) << what;
  EXPECT_EQ(std::string(got.state.plot_cmd), std::string(expected.state.plot_cmd)) << what;
}

}  // namespace verdan::test
