#include <gtest/gtest.h>

#include "generator/data_file.h"
#include "generator/frame_drawing.h"
#include "generator/numbering.h"
#include "platform/codec/cp932.h"
#include "shared/print.h"
#include "tests/generator/generator_fixture.h"

namespace verdan {
namespace {

// A frame as the input dialogue leaves it: spans and heights in cm.
FrameModel frame(std::vector<double> spans, std::vector<double> heights) {
  FrameModel f;
  f.size(static_cast<int>(spans.size()), static_cast<int>(heights.size()));
  for (std::size_t i = 0; i < spans.size(); ++i) f.node_x(0, static_cast<int>(i) + 1) = spans[i];
  for (std::size_t s = 0; s < heights.size(); ++s) f.node_y(static_cast<int>(s) + 2, 0) = heights[s];
  f.accumulate_coordinates();
  f.place_initial_members();
  return f;
}

TEST(Numbering, WideFrameNumbersNodesAxisByAxisColumnsThenBeams) {
  FrameModel f = frame({600, 600, 600}, {350, 350});
  NumberedFrame n = number_frame(f, {});
  ASSERT_EQ(n.data.node_x.size(), 12u);
  EXPECT_EQ(f.node_use(1, 0), 1);
  EXPECT_EQ(f.node_use(2, 0), 2);
  EXPECT_EQ(f.node_use(3, 0), 3);
  EXPECT_EQ(f.node_use(1, 1), 4);
  EXPECT_EQ(n.data.node_x[3], 600);
  EXPECT_EQ(n.data.node_y[2], 700);
  EXPECT_EQ(n.columns.first, 1);
  EXPECT_EQ(n.columns.last, 8);
  EXPECT_EQ(n.beams.first, 9);
  EXPECT_EQ(n.beams.last, 17);
  EXPECT_TRUE(n.braces.empty());
  // Column 1: storey 1, axis 0, from node 1 up to node 2; beam 9 on the ground.
  EXPECT_EQ(n.data.end_a[0], 1);
  EXPECT_EQ(n.data.end_b[0], 2);
  EXPECT_EQ(n.data.end_a[8], 1);
  EXPECT_EQ(n.data.end_b[8], 4);
  EXPECT_EQ(n.data.kind[8], 1);
}

TEST(Numbering, TallFrameNumbersLevelByLevel) {
  FrameModel f = frame({600}, {350, 350, 350});
  number_frame(f, {});
  EXPECT_EQ(f.node_use(1, 0), 1);
  EXPECT_EQ(f.node_use(1, 1), 2);
  EXPECT_EQ(f.node_use(2, 0), 3);
}

TEST(Numbering, PointsWithoutMembersGetNoNumber) {
  FrameModel f = frame({600, 600}, {350});
  f.toggle(MemberKind::column, 1, 2);
  f.toggle(MemberKind::beam, 1, 2);  // (1, 2) has nothing left
  NumberedFrame n = number_frame(f, {});
  EXPECT_EQ(f.node_use(1, 2), 0);
  EXPECT_EQ(n.data.node_x.size(), 5u);
}

TEST(Numbering, DirectionsAndGroupsLeftOut) {
  FrameModel f = frame({600, 600}, {350, 350});
  f.toggle(MemberKind::rising_brace, 1, 0);
  f.toggle(MemberKind::falling_brace, 1, 1);
  f.toggle(MemberKind::rising_brace, 2, 0);
  NumberedFrame n = number_frame(f, {1, 1, 0});
  // Columns axis by axis: axis 0 storeys 1, 2 are 1, 2.
  EXPECT_EQ(f.column_on(1, 0), 1);
  EXPECT_EQ(f.column_on(2, 0), 2);
  EXPECT_EQ(f.column_on(1, 1), 3);
  // Beams span by span: span 1 levels 1..3 are 7, 8, 9.
  EXPECT_EQ(f.beam_on(3, 1), 9);
  EXPECT_EQ(f.beam_on(1, 2), 10);
  // Braces storey by storey, rising before falling at one place.
  EXPECT_EQ(f.brace_on(1, 0, 1), 13);
  EXPECT_EQ(f.brace_on(1, 1, 2), 14);
  EXPECT_EQ(f.brace_on(2, 0, 1), 15);
  EXPECT_EQ(n.data.kind[12], 4);
  // A falling brace runs from the upper left to the lower right.
  EXPECT_EQ(n.data.end_a[13], f.node_use(2, 1));
  EXPECT_EQ(n.data.end_b[13], f.node_use(1, 2));

  FrameModel g = frame({600, 600}, {350, 350});
  NumberedFrame m = number_frame(g, {2, 0, 1});
  EXPECT_TRUE(m.columns.empty());
  EXPECT_EQ(m.beams.first, 1);
  EXPECT_EQ(g.column_on(1, 0), 0);  // shown as no column, not as member 1
}

TEST(DataFile, LinesInTheFreeFormatAndZones) {
  DataFileContent<double> d;
  d.node_x = {630, 630.1, 0};
  d.node_y = {350, 0, 1e-9 * 0};
  d.end_a = {1, 1000};
  d.end_b = {2, 3};
  d.kind = {1, 4};
  StringSink s;
  write_data_file(s, d);
  EXPECT_EQ(s.text(),
            "VERDAN V2.50\r\n"
            " 3             2             1             0 \r\n"
            " 630           350 \r\n"
            " 630.1         0 \r\n"
            " 0             0 \r\n"
            "  1   2   1   -1             0             0             0             0 \r\n"
            // A number too wide for its field pushes the zones on, never cut.
            "%1000   3   4   -1           0             0             0             0 \r\n"
            " 1            -1             0             0             0 \r\n");
}

TEST(DataFile, CoordinateThatIsNoNumberIsAnOverflowBeforeAnyLine) {
  DataFileContent<float> grid;
  grid.node_x = {1, __builtin_inff()};
  grid.node_y = {1, 2};
  DataFileContent<double> frame;
  frame.node_x = {1};
  frame.node_y = {__builtin_nan("")};
  StringSink s;
  EXPECT_EQ(test::failure_code_of([&] { write_data_file(s, grid); }), kOverflow);
  EXPECT_EQ(test::failure_code_of([&] { write_data_file(s, frame); }), kOverflow);
  EXPECT_EQ(s.text(), "");
}

TEST(DataFile, GridBeamCoordinatesAreSinglePrecision) {
  DataFileContent<float> d;
  d.node_x = {1100.12345f};
  d.node_y = {200};
  StringSink s;
  write_data_file(s, d);
  EXPECT_NE(s.text().find(" 1100.12       200 \r\n"), std::string::npos);
}

TEST(FrameDrawing, TwoSpansTwoStoreysWithBraces) {
  FrameModel f = frame({600, 660}, {350, 350});
  int node = 0;
  for (int l = 1; l <= 3; ++l)
    for (int a = 0; a <= 2; ++a) f.node_use(l, a) = ++node;
  f.beam_on(1, 1) = -1;
  f.beam_on(1, 2) = -1;
  f.beam_on(2, 1) = 1;
  f.beam_on(2, 2) = 2;
  f.beam_on(3, 1) = 3;
  f.beam_on(3, 2) = 4;
  int column = 4;
  for (int s = 1; s <= 2; ++s)
    for (int a = 0; a <= 2; ++a) f.column_on(s, a) = ++column;
  f.brace_on(1, 0, 2) = 11;
  f.brace_on(2, 1, 1) = 12;
  StringSink s;
  write_frame_drawing(s, f);
  EXPECT_EQ(s.text(),
            " 3FL +-    7 --  3--- 8 --  4--- 9\r\n"
            "     |     |          |       *  |\r\n"
            "     |     |          |      *   |\r\n"
            "   3.500   8          9     *   10\r\n"
            "     |     |          |  12      |\r\n"
            "     |     |          | *        |\r\n"
            " 2FL +-    4 --  1--- 5 --  2--- 6\r\n"
            "     |     | *        |          |\r\n"
            "     |     |  11      |          |\r\n"
            "   3.500   5    *     6          7\r\n"
            "     |     |      *   |          |\r\n"
            "     |     |       *  |          |\r\n"
            " 1FL +-    1          2          3\r\n"
            "\r\n"
            "           |          |          |\r\n"
            "           +-  6.000 -+-  6.600 -+\r\n"
            "           0          1          2\r\n"
            "\r\n"
            "\r\n");
}

TEST(FrameDrawing, TwentyOneSpansMakeTwoBlocks) {
  FrameModel f = frame(std::vector<double>(21, 500), {300});
  number_frame(f, {});
  StringSink s;
  write_frame_drawing(s, f);
  const std::string& t = s.text();
  EXPECT_NE(t.find("           +-  5.000 -+-"), std::string::npos);
  // The second block: axes 20 and 21 only.
  EXPECT_NE(t.find("\r\n          20         21\r\n"), std::string::npos);
  EXPECT_NE(t.find("\r\n           |          |\r\n           +-  5.000 -+\r\n"), std::string::npos);
}

// Numbers of a frame with millions of members: wider than their fields,
// whole after "%"; node numbers past six digits in the exponent form.
TEST(FrameDrawing, NumbersOfTheLargestFramesStayWhole) {
  FrameModel f = frame({600}, {350});
  f.node_use(1, 0) = 999999;
  f.node_use(1, 1) = 1000000;
  f.node_use(2, 0) = 12;
  f.node_use(2, 1) = 1234567;
  f.beam_on(1, 1) = 15988002;
  f.beam_on(2, 1) = -1;
  f.column_on(1, 0) = 4000;
  f.column_on(1, 1) = 999;
  f.brace_on(1, 0, 1) = 1000;
  f.brace_on(1, 0, 2) = 12345;
  StringSink s;
  write_frame_drawing(s, f);
  EXPECT_EQ(s.text(),
            " 2FL +-   12        1.23457E+06\r\n"
            "     |     | *     *  |\r\n"
            "     |     | %12345  *   |\r\n"
            "   3.500 %4000    **  999\r\n"
            "     |     | %1000  *   |\r\n"
            "     |     | *     *  |\r\n"
            " 1FL +-  999999 --%15988002--1E+06\r\n"
            "\r\n"
            "           |          |\r\n"
            "           +-  6.000 -+\r\n"
            "           0          1\r\n"
            "\r\n"
            "\r\n");
}

TEST(FrameDrawing, NodeLabelsAndRemovedColumns) {
  FrameModel f = frame({500, 500}, {300});
  f.toggle(MemberKind::column, 1, 2);
  NumberedFrame n = number_frame(f, {});
  ASSERT_EQ(n.columns.last, 2);
  StringSink s;
  write_frame_drawing(s, f);
  // Level 2 (nodes axis by axis): node 2 without a beam from the left,
  // nodes 4 and 6 with one.
  EXPECT_NE(s.text().find(" 2FL +-    2 --  5--- 4 --  6--- 6\r\n"), std::string::npos) << s.text();
  // No column on axis 2: nothing closes the storey lines.
  EXPECT_NE(s.text().find("   3.000   1          2        \r\n"), std::string::npos) << s.text();
}

}  // namespace
}  // namespace verdan
