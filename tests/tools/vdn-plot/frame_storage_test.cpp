// How VDN-PLOT holds a frame of millions of nodes and members: every value
// and member comes back as it was read, in order.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tools/vdn-plot/member_list.h"
#include "tools/vdn-plot/fitted_nodes.h"
#include "tools/vdn-plot/frame_nodes.h"
#include "tools/vdn-plot/node_coordinates.h"

namespace verdan::plot_tool {
namespace {

// Past the members held in memory the rest wait in a spool file, whose
// blocks end in the middle of a member.
TEST(FrameStorage, MembersPastTheMemoryComeBackInOrder) {
  MemberList members;
  const int count = static_cast<int>(3 * MemberList::kHeld + 5);
  for (int i = 0; i < count; ++i) members.push_back({i + 1, 2 * i + 1, 1 + i % 4});
  ASSERT_EQ(members.size(), static_cast<std::size_t>(count));
  EXPECT_EQ(members.back().end_a, count);
  for (int pass = 0; pass < 2; ++pass) {
    int seen = 0;
    members.for_each([&](const Member& m) {
      ASSERT_EQ(m.end_a, seen + 1);
      ASSERT_EQ(m.end_b, 2 * seen + 1);
      ASSERT_EQ(m.kind, 1 + seen % 4);
      ++seen;
    });
    EXPECT_EQ(seen, count);
  }
}

// Singles are held as singles; one value that is none turns the list into
// doubles without changing a value. The extremes are found as
// std::minmax_element finds them, the first smallest and the last largest.
TEST(FrameStorage, CoordinatesReadBackExactlyWhateverTheyAre) {
  const std::vector<double> values = {600, -0.0, 0.0, 350.5, 0.1, -12.25, 1e7 + 0.5, 600, 0.0};
  NodeCoordinates coordinates;
  for (std::size_t i = 0; i < values.size(); ++i) {
    coordinates.push_back(values[i]);
    for (std::size_t j = 0; j <= i; ++j) {
      ASSERT_EQ(coordinates[j], values[j]) << i << " " << j;
      ASSERT_EQ(std::signbit(coordinates[j]), std::signbit(values[j]));
    }
  }
  EXPECT_EQ(coordinates.size(), values.size());
  EXPECT_EQ(coordinates.min(), -12.25);
  EXPECT_EQ(coordinates.max(), 1e7 + 0.5);

  NodeCoordinates zeros;
  for (double v : {0.0, -0.0, 5.0, -0.0}) zeros.push_back(v);
  EXPECT_FALSE(std::signbit(zeros.min()));
  NodeCoordinates tops;
  for (double v : {-1.0, 0.0, -0.0}) tops.push_back(v);
  EXPECT_TRUE(std::signbit(tops.max()));

  // Taken as singles, from singles and from doubles alike: every value
  // turned, in order; none left behind, the extremes kept.
  NodeCoordinates singles;
  for (double v : {600.0, -0.0, 1200.0}) singles.push_back(v);
  for (NodeCoordinates* held : {&singles, &coordinates}) {
    std::vector<double> before;
    for (std::size_t i = 0; i < held->size(); ++i) before.push_back((*held)[i]);
    const double low = held->min(), high = held->max();
    const NodeCoordinates::Singles taken = held->take_as_singles([](double v) { return static_cast<float>(v / 2 + 1); });
    ASSERT_EQ(taken.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(taken[i], static_cast<float>(before[i] / 2 + 1)) << i;
    EXPECT_EQ(held->size(), 0u);
    EXPECT_EQ(held->min(), low);
    EXPECT_EQ(held->max(), high);
  }
}

// Past the nodes held in memory every node goes to a spool file, and comes
// back fitted a page at a time, read alone or with the pages after it,
// whichever page is asked for and whatever pages held its place before.
TEST(FrameStorage, NodesPastTheMemoryComeBackFitted) {
  using Spooled = SpooledNodes;
  const std::size_t count = FrameNodes::kHeld + 3 * Spooled::kPageNodes * Spooled::kSets * Spooled::kWays + 7;
  // Singles, one double among those held, and one among those spooled.
  const auto value = [](std::size_t i) {
    const double whole = static_cast<double>(i % 9973);
    return i == 1000 || i == FrameNodes::kHeld + 5 ? static_cast<double>(i) + 0.1 : whole;
  };
  FrameNodes nodes;  // no room told: the nodes held move to the spool
  for (std::size_t i = 0; i < count; ++i) nodes.push_back(value(i), -value(i));
  EXPECT_TRUE(nodes.spooled());
  EXPECT_EQ(nodes.size(), count);
  EXPECT_EQ(nodes.node_x.max(), static_cast<double>(FrameNodes::kHeld + 5) + 0.1);
  EXPECT_EQ(nodes.node_y.min(), -(static_cast<double>(FrameNodes::kHeld + 5) + 0.1));

  PaperFit fit;
  fit.scale = 0.37;
  fit.min_x = -5;
  fit.y0 = 12;
  FittedNodes fitted(nodes, fit);
  ASSERT_NE(fitted.spooled(), nullptr);
  ASSERT_EQ(fitted.size(), count);
  const auto right = [&](std::size_t i) {
    const PaperPoint p = fitted[i];
    return p.x == fit.x(value(i)) && p.y == fit.y(-value(i));
  };
  // In order, each page is read once, a run of them at a time.
  for (std::size_t i = 0; i < count; ++i) ASSERT_TRUE(right(i)) << i;
  const std::size_t pages = (count + Spooled::kPageNodes - 1) / Spooled::kPageNodes;
  EXPECT_EQ(fitted.spooled()->pages_read(), pages);
  EXPECT_EQ(fitted.spooled()->reads(), (pages + Spooled::kRun - 1) / Spooled::kRun);
  // Five pages of one set, used in turn and then again: the one used
  // longest ago gives way.
  const std::size_t set_apart = Spooled::kPageNodes * Spooled::kSets;
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t k = 0; k < 5; ++k) EXPECT_TRUE(right(k * set_apart + 11)) << k;
  }
  for (std::size_t i : {count - 1, std::size_t{1000}, FrameNodes::kHeld + 5, FrameNodes::kHeld - 1}) {
    EXPECT_TRUE(right(i)) << i;
  }
}

}  // namespace
}  // namespace verdan::plot_tool
