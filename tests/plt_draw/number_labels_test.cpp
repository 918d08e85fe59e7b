// Runs of number labels against N2A and MOJI one label after another: the
// same bytes, pen and plot_cmd on every device, the printers' made on two
// threads, a failure in either thread's pieces included.
#include "plt_draw/number_labels.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "plt_draw/plot_device.h"
#include "plt_draw/primitives.h"
#include "shared/plot_numbers.h"
#include "tests/platform/failure_code.h"
#include "tests/plt_draw/plotter.h"

namespace verdan {
namespace {

using test::expect_same;
using test::Plotter;

// The points of `count` labels over a grid, the `bad`th beyond every
// device's reach.
struct Points {
  Points(std::size_t count, std::optional<std::size_t> bad = std::nullopt) {
    for (std::size_t i = 0; i < count; ++i) {
      x.push_back(10.25f + static_cast<float>(i % 97) * 3.5f);
      y.push_back(15.5f + static_cast<float>(i / 97) * 0.75f);
    }
    if (bad) x[*bad] = 1e9f;
  }
  NumberLabels labels(std::int64_t first, float angle) const {
    return {x.data(), y.data(), x.size(), first, 2.5f, angle};
  }
  std::vector<float> x, y;
};

// The labels as a caller draws them one by one; the failure's code, or -1.
int one_by_one(PlotState& s, const NumberLabels& l) {
  return test::failure_code_of([&] {
    for (std::size_t i = 0; i < l.count; ++i) {
      s.plot_cmd = N2A(static_cast<float>(l.first + static_cast<std::int64_t>(i)));
      MOJI(s, l.x[i], l.y[i], l.height, l.angle);
    }
  });
}

TEST(NumberLabels, EveryDeviceLeavesWhatTheLabelsOneByOneLeave) {
  // Runs ending in a piece of each thread, and one of a single piece.
  for (std::size_t count : {std::size_t{5 * 2048 + 17}, std::size_t{4 * 2048 + 3}, std::size_t{700}}) {
    const Points points(count);
    for (float device : {1.f, 2.f, 3.f, 4.f, 5.f, 6.f, 7.f}) {
      for (float angle : {0.f, 30.f}) {
        const std::string what = "device " + std::to_string(device) + ", " + std::to_string(count) + " labels";
        Plotter expected(device), got(device);
        // Numbers past a million are written in the exponent form.
        const NumberLabels labels = points.labels(device == 4 ? 999990 : 1, angle);
        ASSERT_EQ(one_by_one(expected.state, labels), -1) << what;
        number_labels(got.state, labels);
        expect_same(expected, got, what);
      }
    }
  }
}

TEST(NumberLabels, AFailureLeavesWhatTheLabelsBeforeItLeft) {
  // In the caller's first piece, in the other thread's, and in the last.
  for (std::size_t bad : {std::size_t{100}, std::size_t{2048 + 100}, std::size_t{5 * 2048 + 16}}) {
    const Points points(5 * 2048 + 17, bad);
    for (float device : {1.f, 3.f, 4.f}) {
      const std::string what = "device " + std::to_string(device) + ", label " + std::to_string(bad);
      Plotter expected(device), got(device);
      const int code = one_by_one(expected.state, points.labels(1, 0));
      ASSERT_EQ(code, kOverflow) << what;
      EXPECT_EQ(test::failure_code_of([&] { number_labels(got.state, points.labels(1, 0)); }), code) << what;
      expect_same(expected, got, what);
    }
  }
}

}  // namespace
}  // namespace verdan
