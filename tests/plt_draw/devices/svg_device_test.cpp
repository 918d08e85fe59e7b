// Device 7: the SVG picture's page, elements and text, and what xmllint and
// rsvg-convert make of it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "plt_draw/plot_device.h"
#include "plt_draw/primitives.h"
#include "tests/platform/host_fixtures.h"
#include "tests/platform/png_reader.h"
#include "tests/plt_draw/outside_readers.h"

namespace verdan {
namespace {

using test::failure_code_of;

// SVG on A4 portrait, the pen at (10, 20) mm.
struct Svg {
  Svg() {
    state.plot_device = 7;
    INIT(state, 1, 1);
    state.plot_file = &file;
    state.pen = {10, 20, 15};
  }
  void draw() {
    PLOT(state, 30, 40, 2);
    DASH(state, 50, 40, 1);
    CIR(state, 5, 6, 2.5f, 3);
    state.plot_cmd = sj("表<&>");
    MOJI(state, 1, 2, 3.5f, 90);
  }
  PlotState state;
  StringSink file;
};

TEST(SvgDevice, AWhiteSheetInMillimetresWithYTurnedOverAtItsHeight) {
  Svg s;
  EXPECT_EQ(s.state.plot_reset,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"210mm\" height=\"297mm\" viewBox=\"0 0 210 297\">\n");
  EXPECT_EQ(s.state.plot_setup.rfind("<rect width=\"210\" height=\"297\" fill=\"white\"/>\n<g fill=\"none\" "
                                     "stroke=\"black\" stroke-linecap=\"round\" font-family=\"'Noto Sans CJK JP', ",
                                     0),
            0u);
  s.draw();
  EXPECT_EQ(s.file.text(),
            "<line x1=\"10\" y1=\"277\" x2=\"30\" y2=\"257\" stroke-width=\"0.36\"/>\n"
            "<line x1=\"30\" y1=\"257\" x2=\"50\" y2=\"257\" stroke-width=\"0.12\" stroke-dasharray=\"2 1\" "
            "stroke-linecap=\"butt\"/>\n"
            "<circle cx=\"5\" cy=\"291\" r=\"2.5\" stroke-width=\"0.72\"/>\n"
            "<text x=\"1\" y=\"295\" font-size=\"3.5\" fill=\"black\" stroke=\"none\" transform=\"rotate(-90 1 295)\">"
            "\xE8\xA1\xA8&lt;&amp;&gt;</text>\n");  // 表 in UTF-8
  EXPECT_NEAR(s.state.pen.pen_y, 2 + 5 * 1.75, 1e-5);
  s.file.clear();
  PLT_END(s.state);
  EXPECT_EQ(s.file.text(), "</g>\n</svg>\n");
}

TEST(SvgDevice, RefusedPensAndNumbersWriteNothing) {
  Svg s;
  const float nan = __builtin_nanf("");
  EXPECT_EQ(failure_code_of([&] { DASH(s.state, 1, 2, 0); }), kIllegalFunctionCall);
  EXPECT_EQ(failure_code_of([&] { PLOT(s.state, nan, 2, 1); }), kOverflow);
  s.state.plot_cmd = "A";
  EXPECT_EQ(failure_code_of([&] { MOJI(s.state, 1, nan, 3, 0); }), kOverflow);
  EXPECT_EQ(s.file.text(), "");
}

TEST(SvgDevice, XmllintAcceptsItAndRsvgDrawsItOnTheSheet) {
  VERDAN_SKIP_WITHOUT("xmllint", "libxml2-utils");
  VERDAN_SKIP_WITHOUT("rsvg-convert", "librsvg2-bin");
  test::TempDir dir;
  Svg s;
  s.file.write(s.state.plot_reset);
  s.file.write(s.state.plot_setup);
  s.draw();
  PLT_END(s.state);
  test::write_bytes(dir / "drawing.svg", s.file.text());
  const std::string cd = "cd '" + dir.path() + "' && ";
  EXPECT_EQ(std::system((cd + "xmllint --noout drawing.svg").c_str()), 0);
  // 127 dots an inch: five pixels a millimetre.
  ASSERT_EQ(std::system((cd + "rsvg-convert -d 127 -p 127 -o drawing.png drawing.svg").c_str()), 0);
  testing::RgbImage picture;
  ASSERT_TRUE(testing::read_png_rgb(dir / "drawing.png", picture));
  EXPECT_EQ(picture.width, 1050);
  EXPECT_EQ(picture.height, 1485);
  EXPECT_EQ(picture.at(600, 100), "255 255 255");
  EXPECT_EQ(picture.at(5 * 5 + 12, 291 * 5), "0 0 0");  // the circle's right edge, the thick pen
}

}  // namespace
}  // namespace verdan
