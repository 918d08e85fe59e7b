// Device set-up, end-of-plot sequences and the LIPS integer code.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/failure.h"
#include "plt_draw/culc.h"
#include "plt_draw/plot_device.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

using namespace std::string_literals;
using test::failure_code_of;

PlotState set_up(float device, float paper, float scale = 1) {
  PlotState s;
  s.plot_device = device;
  INIT(s, paper, scale);
  return s;
}

TEST(Culc, EncodesSignAndMagnitudeInSixAndFourBitBytes) {
  EXPECT_EQ(CULC(0), "0");
  EXPECT_EQ(CULC(5), "5");
  EXPECT_EQ(CULC(-5), "%");
  EXPECT_EQ(CULC(100), "\x46\x34");
  EXPECT_EQ(CULC(2000), "\x41\x7D\x30");
  EXPECT_EQ(CULC(-0.5f), "\x21");  // floor gives -1
  EXPECT_EQ(CULC(65535), "\x7F\x7F?");
}

TEST(Culc, ValuesBeyondSixteenBitsAreOverflowNotWrapped) {
  EXPECT_EQ(failure_code_of([] { CULC(65536); }), kOverflow);
  EXPECT_EQ(failure_code_of([] { CULC(-65535.5f); }), kOverflow);  // floor -65536
  EXPECT_EQ(failure_code_of([] { CULC(std::nextafter(-65535.0f, -70000.0f)); }), kOverflow);
  EXPECT_EQ(failure_code_of([] { CULC(__builtin_nanf("")); }), kOverflow);
  EXPECT_EQ(failure_code_of([] { CULC(__builtin_inff()); }), kOverflow);
  EXPECT_EQ(CULC(-65535), "\x7F\x7F/");
  EXPECT_EQ(CULC(std::nextafter(65536.0f, 0.0f)), "\x7F\x7F?");
}

// The code's floor, taken for every quarter and around every whole number
// of the range, against the C library's.
TEST(Culc, TakesTheFloorOfEveryValueInRange) {
  const auto expected = [](float v) {
    const double whole = std::floor(static_cast<double>(v));
    const auto m = static_cast<unsigned>(std::fabs(whole));
    std::string code;
    if (m >= 1024) code += static_cast<char>(64 + (m >> 10));
    if (m >= 16) code += static_cast<char>(64 + ((m >> 4) & 63));
    code += static_cast<char>((v < 0 ? 32 : 48) + (m & 15));
    return code;
  };
  for (int quarter = -4 * 65535; quarter < 4 * 65536; ++quarter) {
    const float v = static_cast<float>(quarter) / 4;
    ASSERT_EQ(CULC(v), expected(v)) << v;
    if (quarter % 4 == 0) {
      for (const float near : {std::nextafter(v, -1e9f), std::nextafter(v, 1e9f)}) {
        if (near >= -65535 && near < 65536) {
          ASSERT_EQ(CULC(near), expected(near)) << near;
        }
      }
    }
  }
  EXPECT_EQ(CULC(-0.0f), "0");
}

TEST(Init, HpglWindowIsThePaperAroundTheOrigin) {
  PlotState lower_left = set_up(3, 1);
  EXPECT_EQ(lower_left.plot_reset, "\x1b.K");
  EXPECT_EQ(lower_left.plot_setup, "DF;IP 0, 0,3200,2400;IW 0, 0, 7721, 11040;PA;CM1;CS6;CA101;");
  EXPECT_EQ(set_up(2, 1).plot_setup, "DF;IP 0, 0,3200,2400;IW-3860.5,-5520, 3860.5, 5520;PA;CM1;CS6;CA101;");
  EXPECT_EQ(set_up(-3, 4).plot_setup, "DF;IP 0, 0,3200,2400;IW 0, 0, 16158, 11040;PA;CM1;CS6;CA101;");
}

TEST(Init, CentredHpglParksThePenAtTheRoundedDownOrigin) {
  PlotState s = set_up(2, 2);
  EXPECT_EQ(s.origin_x, -5520);
  EXPECT_EQ(s.origin_y, -3860.5f);
  StringSink file;
  s.plot_file = &file;
  PLT_END(s);
  EXPECT_EQ(file.text(), "SP0;PU-5520,-3861;");
}

TEST(Init, EscPageCountsYUpFromTheBottomEdge) {
  PlotState s = set_up(1, 3);
  EXPECT_EQ(s.scale_y, -23.622f);
  EXPECT_EQ(s.origin_y, 9680);
  EXPECT_EQ(s.plot_reset, "\x1bS\x1b\x1bS\x1c\x1bz\0\0\x1drpE\x1d" "1mmE\x1d" "0;0.12muE\x1d" "0affP"s);
  EXPECT_EQ(s.plot_setup, "\x1d" "13;;psE\x1d" "0poE\x1d" "0X\x1d" "0Y");
}

TEST(Init, LipsSetUpCarriesThePaperInItsIntegerCode) {
  PlotState s = set_up(4, 1);
  EXPECT_EQ(s.plot_reset, "\x1b%@\x1bP31;300;1J\x1b\\");
  EXPECT_EQ(s.plot_setup,
            "\x1b<\x1b[14p\x1b[0q\x1b[0&} <Mincho-Medium-H\x1fMincho-Medium\x1e"
            " ;1J\x1f" "1I\x1f" "2B\x1e@\"\x1e#\x1e!0#\x1e"
            "$\x1e(00BS8CS;\x1e"  // origin 0, 0 and paper 2360 x 3387
            "U2\x1eT1\x1e]1\x1em1\x1e'2\x1en2\x1e" "a3\x1e");
}

TEST(Init, JwCadScaleFollowsThePaperLength) {
  PlotState s = set_up(5, 1, 2);
  EXPECT_EQ(s.scale_x, 1356.0f / 420);
  EXPECT_EQ(s.scale_y, s.scale_x);
  EXPECT_EQ(s.paper_w, 678);
  EXPECT_EQ(s.plot_setup, "i2.00,0,3,\n");
  const std::string title = "i" + std::string(32, ' ') + "\n";
  EXPECT_EQ(s.plot_reset, title + title);
  EXPECT_EQ(set_up(5, 2, 1).plot_setup, "i1.00,0,4,\n");
}

TEST(Init, PaperOutsideTheTableKeepsThePaperAndLeavesItsPartEmpty) {
  PlotState hpgl = set_up(3, 1);
  INIT(hpgl, 9, 1);
  EXPECT_EQ(hpgl.plot_setup, "DF;IP 0, 0,3200,2400;IW 0, 0, 7721, 11040;PA;CM1;CS6;CA101;");

  PlotState esc_page = set_up(1, 1);
  INIT(esc_page, 1.5f, 1);
  EXPECT_EQ(esc_page.paper_h, 6676);
  EXPECT_EQ(esc_page.origin_y, 0);  // the origin moves to the edge only with a known paper
  EXPECT_EQ(esc_page.plot_setup, "\x1d" "0X\x1d" "0Y");

  PlotState jw = set_up(5, 1, 1);
  INIT(jw, 0, 2);
  EXPECT_EQ(jw.scale_x, 678.0f / 420);  // the previous paper's scale stays
  EXPECT_EQ(jw.paper_w, 1356);
  EXPECT_EQ(jw.paper_h, 964);
  EXPECT_EQ(jw.plot_setup, "i2.00,0,,\n");
}

TEST(PltEnd, EachDeviceClosesItsOwnWay) {
  struct Case {
    float device;
    std::string end;
  };
  for (const Case& c : {Case{1, "\x0c\x1drpE\x1d" "1pmE\x1bS\x1b\x1bSK"}, Case{3, "SP0;PU0,0;"},
                        Case{4, "%\x1e}p\x1e\x0c\x1bP0J\x1b\\"}, Case{5, "t"}, Case{8, ""}}) {
    SCOPED_TRACE(c.device);
    PlotState s = set_up(c.device, 1);
    EXPECT_EQ(failure_code_of([&] { PLT_END(s); }), c.end.empty() ? -1 : kBadFileNumber);  // no plot file yet
    StringSink file;
    s.plot_file = &file;
    PLT_END(s);
    EXPECT_EQ(file.text(), c.end);
  }
}

}  // namespace
}  // namespace verdan
