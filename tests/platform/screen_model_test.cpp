#include "platform/console/screen_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <utility>

#include "platform/codec/cp932.h"

namespace verdan {
namespace {

// The plane as rows of hex digits, '.' for 0: readable in a failure.
std::string plane_picture(const ScreenModel& m) {
  std::string out;
  for (int y = 0; y < m.plane_height(); ++y) {
    for (int x = 0; x < m.plane_width(); ++x) {
      int p = m.pixel(x, y);
      out += p == 0 ? '.' : "0123456789ABCDEF"[p];
    }
    out += '\n';
  }
  return out;
}

// Each row 0-23 labelled "row N" at column 0.
void label_rows(ScreenModel& m) {
  for (int r = 0; r < ScreenModel::kRows; ++r) {
    m.locate(r, 0);
    m.put_text("row " + std::to_string(r));
  }
}

TEST(ScreenModelText, TextPastColumn79WrapsToTheNextRow) {
  ScreenModel m(640, 384);
  m.locate(0, 75);
  m.put_text("ABCDEFG");
  EXPECT_EQ(m.row_text(0), std::string(75, ' ') + "ABCDE");
  EXPECT_EQ(m.row_text(1), "FG");
  EXPECT_EQ(m.cursor_row(), 1);
  EXPECT_EQ(m.cursor_col(), 2);
}

TEST(ScreenModelText, FillingARowToColumn79DoesNotAddALine) {
  ScreenModel m(640, 384);
  label_rows(m);
  // Rows filled to their end on the last row must not scroll the screen,
  // and the line end that follows must not leave an empty row.
  m.locate(23, 0);
  m.put_text(std::string(80, 'x'));
  EXPECT_EQ(m.cursor_row(), 23);
  EXPECT_EQ(m.cursor_col(), 79);
  EXPECT_EQ(m.output_column(), 80);
  EXPECT_EQ(m.row_text(0), "row 0");
  m.locate(5, 70);
  m.put_text(std::string(10, 'y'));
  m.line_end();
  EXPECT_EQ(m.cursor_row(), 6);
  EXPECT_EQ(m.cursor_col(), 0);
}

TEST(ScreenModelText, DoubleByteCharacterNeverStartsInColumn79) {
  ScreenModel m(640, 384);
  m.locate(0, 0);
  m.put_text(std::string(80, 'Z'));
  m.locate(0, 78);
  m.put_text(sj("aあ"));
  EXPECT_EQ(m.cell(0, 78).byte, 'a');
  EXPECT_EQ(m.cell(0, 79), (Cell{' ', 7, CellKind::single}));
  EXPECT_EQ(m.cell(1, 0), (Cell{'\x82', 7, CellKind::lead}));
  EXPECT_EQ(m.cell(1, 1), (Cell{'\xA0', 7, CellKind::trail}));
  EXPECT_EQ(m.row_text(1), "あ");
  EXPECT_EQ(m.cursor_col(), 2);
}

TEST(ScreenModelText, OverwritingHalfACharacterBlanksItsOtherHalf) {
  ScreenModel m(640, 384);
  m.put_text(sj("あい"));
  m.locate(0, 1);
  m.put_text(sj("う"));  // over the trail of あ and the lead of い
  EXPECT_EQ(m.row_text(0), " う");
  EXPECT_EQ(m.cell(0, 0).kind, CellKind::single);
  EXPECT_EQ(m.cell(0, 3), (Cell{' ', 7, CellKind::single}));

  m.locate(2, 0);
  m.put_text(sj("表示"));
  m.locate(2, 2);
  m.put_text("x");  // a single byte over the lead of 示
  EXPECT_EQ(m.row_text(2), "表x");
}

TEST(ScreenModelText, CellsKeepTheColourTheyWereWrittenIn) {
  ScreenModel m(640, 384);
  m.set_color(6);
  m.put_text(sj("ｱ"));  // half-width kana: one cell
  m.set_color(18);      // taken modulo 16
  m.put_text(sj("表"));
  EXPECT_EQ(m.cell(0, 0), (Cell{'\xB1', 6, CellKind::single}));
  EXPECT_EQ(m.cell(0, 1), (Cell{'\x95', 2, CellKind::lead}));
  EXPECT_EQ(m.cell(0, 2), (Cell{'\x5C', 2, CellKind::trail}));
  EXPECT_EQ(m.cursor_col(), 3);
}

TEST(ScreenModelText, PositionsOffTheScreenAreClipped) {
  ScreenModel m(640, 384);
  m.locate(-3, 200);
  EXPECT_EQ(m.cursor_row(), 0);
  EXPECT_EQ(m.cursor_col(), 79);
  m.locate(99, -1);
  EXPECT_EQ(m.cursor_row(), 23);
  EXPECT_EQ(m.cursor_col(), 0);
  EXPECT_EQ(m.cell(24, 0), Cell{});
  EXPECT_EQ(m.row_text(-1), "");
}

TEST(ScreenModelScroll, LineEndOnTheWindowBottomScrollsOnlyTheWindow) {
  ScreenModel m(640, 384);
  label_rows(m);
  m.set_window(2, 5);
  m.locate(5, 3);
  m.line_end();
  EXPECT_EQ(m.row_text(1), "row 1");
  EXPECT_EQ(m.row_text(2), "row 3");
  EXPECT_EQ(m.row_text(4), "row 5");
  EXPECT_EQ(m.row_text(5), "");
  EXPECT_EQ(m.row_text(6), "row 6");
  EXPECT_EQ(m.row_text(23), "row 23");
  EXPECT_EQ(m.cursor_row(), 5);
  EXPECT_EQ(m.cursor_col(), 0);
}

TEST(ScreenModelScroll, WrapOnTheLastRowScrollsTheWindow) {
  ScreenModel m(640, 384);
  label_rows(m);
  m.set_window(1, 23);
  m.locate(23, 78);
  m.put_text("abc");
  EXPECT_EQ(m.row_text(0), "row 0");
  EXPECT_EQ(m.row_text(1), "row 2");
  EXPECT_EQ(m.row_text(22), "row 23" + std::string(72, ' ') + "ab");
  EXPECT_EQ(m.row_text(23), "c");
}

TEST(ScreenModelScroll, LineEndBelowTheWindowStaysOnTheLastRow) {
  ScreenModel m(640, 384);
  label_rows(m);
  m.set_window(0, 10);
  m.locate(23, 5);
  m.line_end();
  EXPECT_EQ(m.cursor_row(), 23);
  EXPECT_EQ(m.row_text(0), "row 0");
  EXPECT_EQ(m.row_text(10), "row 10");
}

TEST(ScreenModelScroll, WindowIsClippedAndPutInOrder) {
  ScreenModel m(640, 384);
  m.set_window(9, 3);
  EXPECT_EQ(m.window_top(), 3);
  EXPECT_EQ(m.window_bottom(), 9);
  m.set_window(-5, 40);
  EXPECT_EQ(m.window_top(), 0);
  EXPECT_EQ(m.window_bottom(), 23);
}

TEST(ScreenModelClear, ClearingTheTextLeavesTheDrawingAndTheOtherWay) {
  ScreenModel m(640, 384);
  label_rows(m);
  m.line(0, 0, 10, 0, 13);
  m.clear_text();
  for (int r = 0; r < ScreenModel::kRows; ++r) EXPECT_EQ(m.row_text(r), "") << "row " << r;
  EXPECT_EQ(m.cursor_row(), 0);
  EXPECT_EQ(m.cursor_col(), 0);
  EXPECT_EQ(m.pixel(5, 0), 13);

  m.put_text("kept");
  m.clear_drawing();
  EXPECT_EQ(m.pixel(5, 0), 0);
  EXPECT_EQ(m.row_text(0), "kept");
}

TEST(ScreenModelClear, ClearingWithAWindowBlanksOnlyItsRows) {
  ScreenModel m(640, 384);
  label_rows(m);
  m.set_color(2);
  m.set_window(1, 23);
  m.clear_text();
  EXPECT_EQ(m.row_text(0), "row 0");
  EXPECT_EQ(m.row_text(1), "");
  EXPECT_EQ(m.cell(5, 0), (Cell{' ', 7, CellKind::single}));
  EXPECT_EQ(m.cursor_row(), 1);
}

TEST(ScreenModelRows, SavedRowComesBackByteForByte) {
  ScreenModel m(640, 384);
  m.locate(23, 0);
  m.set_color(6);
  m.put_text("A");
  m.set_color(2);
  m.put_text(sj("表ｿ"));
  const ScreenModel::Row saved = m.save_row(23);
  m.locate(23, 0);
  m.set_color(7);
  m.put_text("  ERROR : CODE = 63");
  m.restore_row(23, saved);
  EXPECT_EQ(m.save_row(23), saved);
  EXPECT_EQ(m.cell(23, 0), (Cell{'A', 6, CellKind::single}));
  EXPECT_EQ(m.cell(23, 2), (Cell{'\x5C', 2, CellKind::trail}));
  EXPECT_EQ(m.cell(23, 3), (Cell{'\xBF', 2, CellKind::single}));
  EXPECT_EQ(m.row_text(23), "A表ｿ");
  // Rows off the screen: nothing saved, nothing written.
  m.restore_row(24, saved);
  EXPECT_EQ(m.save_row(-1), ScreenModel::Row{});
}

TEST(ScreenModelLine, SetsBothEndsAndTheSamePixelsEitherWay) {
  ScreenModel a(6, 4);
  a.line(0, 0, 4, 2, 5);
  EXPECT_EQ(plane_picture(a),
            "5.....\n"
            ".55...\n"
            "...55.\n"
            "......\n");
  ScreenModel b(6, 4);
  b.line(4, 2, 0, 0, 5);
  EXPECT_EQ(plane_picture(b), plane_picture(a));

  ScreenModel steep(4, 6);
  steep.line(3, 5, 1, 0, 9);
  EXPECT_EQ(plane_picture(steep),
            ".9..\n"
            ".9..\n"
            "..9.\n"
            "..9.\n"
            "...9\n"
            "...9\n");
}

TEST(ScreenModelLine, PointsAndLinesOffThePlaneAreClipped) {
  ScreenModel m(5, 3);
  m.line(2, 1, 2, 1, 3);
  m.line(-10, 2, 100, 2, 4);
  m.line(-1000000000, -5, -3, -5, 7);        // wholly off: nothing
  m.line(2000000000, 0, -2000000000, 0, 1);  // far ends, no overflow
  EXPECT_EQ(plane_picture(m),
            "11111\n"
            "..3..\n"
            "44444\n");
}

// The pixels of a line in closed form: at each step along the longer axis
// the other place is step * rise / run, rounded half away from zero.
ScreenModel closed_form_line(int width, int height, int x1, int y1, int x2, int y2) {
  ScreenModel m(width, height);
  const bool steep = std::abs(y2 - y1) > std::abs(x2 - x1);
  if (steep) std::swap(x1, y1), std::swap(x2, y2);
  if (x1 > x2) std::swap(x1, x2), std::swap(y1, y2);
  for (int major = x1; major <= x2; ++major) {
    const double exact = x2 == x1 ? 0.0 : static_cast<double>(major - x1) * (y2 - y1) / (x2 - x1);
    const int minor = y1 + static_cast<int>(exact < 0 ? -std::floor(-exact + 0.5) : std::floor(exact + 0.5));
    steep ? m.set_pixel(minor, major, 1) : m.set_pixel(major, minor, 1);
  }
  return m;
}

// The drawing carries the rounding from step to step; every slope, either
// direction and lines entering the plane from outside must still land on
// the closed form's pixels.
TEST(ScreenModelLine, EveryPixelAsTheClosedFormGivesIt) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> place(-40, 70);
  for (int i = 0; i < 3000; ++i) {
    const int x1 = place(random), y1 = place(random), x2 = place(random), y2 = place(random);
    ScreenModel drawn(31, 23);
    drawn.line(x1, y1, x2, y2, 1);
    ASSERT_EQ(plane_picture(drawn), plane_picture(closed_form_line(31, 23, x1, y1, x2, y2)))
        << x1 << "," << y1 << " to " << x2 << "," << y2;
  }
}

TEST(ScreenModelLine, BoxDrawsTheOutlineOnly) {
  ScreenModel m(7, 5);
  m.box(5, 3, 1, 1, 12);
  EXPECT_EQ(plane_picture(m),
            ".......\n"
            ".CCCCC.\n"
            ".C...C.\n"
            ".CCCCC.\n"
            ".......\n");
}

TEST(ScreenModelFill, StopsAtItsBorder) {
  ScreenModel m(8, 6);
  m.box(1, 1, 6, 4, 4);
  m.set_pixel(3, 2, 2);  // another colour inside is painted over too
  m.fill(3, 3, 6, 4);
  EXPECT_EQ(plane_picture(m),
            "........\n"
            ".444444.\n"
            ".466664.\n"
            ".466664.\n"
            ".444444.\n"
            "........\n");
}

TEST(ScreenModelFill, SeedOnTheBorderOrOffThePlanePaintsNothing) {
  ScreenModel m(8, 6);
  m.box(1, 1, 6, 4, 4);
  const std::string before = plane_picture(m);
  m.fill(1, 1, 6, 4);
  m.fill(-1, 2, 6, 4);
  m.fill(8, 2, 6, 4);
  EXPECT_EQ(plane_picture(m), before);
}

TEST(ScreenModelFill, DoesNotLeakThroughADiagonal) {
  ScreenModel m(5, 5);
  m.line(0, 3, 3, 0, 1);
  m.fill(0, 0, 2, 1);
  EXPECT_EQ(plane_picture(m),
            "2221.\n"
            "221..\n"
            "21...\n"
            "1....\n"
            ".....\n");
}

TEST(ScreenModelFill, PaintsAWholeOpenPlaneWithoutDeepRecursion) {
  ScreenModel m(640, 384);
  // A comb of vertical strokes makes a long winding region.
  for (int x = 2; x < 640; x += 4) m.line(x, x % 8 == 2 ? 0 : 1, x, x % 8 == 2 ? 382 : 383, 15);
  m.fill(0, 0, 3, 15);
  EXPECT_EQ(m.pixel(0, 383), 3);
  EXPECT_EQ(m.pixel(637, 200), 3);
  EXPECT_EQ(m.pixel(639, 0), 3);
  EXPECT_EQ(m.pixel(2, 100), 15);
}

}  // namespace
}  // namespace verdan
