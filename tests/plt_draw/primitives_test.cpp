// Command strings of the drawing primitives on every device.
#include <gtest/gtest.h>

#include <string>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "plt_draw/plot_device.h"
#include "plt_draw/primitives.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

using namespace std::string_literals;
using test::failure_code_of;

// A device set up with paper 1, its output collected, the pen at (10, 20) mm.
struct Plotter {
  explicit Plotter(float device) {
    state.plot_device = device;
    INIT(state, 1, 1);
    state.plot_file = &file;
    state.pen = {10, 20, 15};
  }
  // What was written since the last take.
  std::string take() {
    std::string out = file.text();
    file.clear();
    return out;
  }
  PlotState state;
  StringSink file;
};

// JW_CAD at two device units a millimetre, so that the singles are exact.
Plotter jw_cad(float layer) {
  Plotter p(5);
  p.state.scale_x = 2;
  p.state.scale_y = 2;
  p.state.plot_layer = layer;
  p.state.pen = {1, 2, 15};
  return p;
}

TEST(PlotAndDash, EscPageDrawsBetweenAbsoluteDots) {
  Plotter p(1);
  PLOT(p.state, 30, 40, 1);
  EXPECT_EQ(p.take(), "\x1d" "0;0lpG\x1d" "1;1;1lwG\x1d" "236;6203;708;5731lG");
  p.state.pen = {10, 20, 15};
  DASH(p.state, 30, 40, 3);
  EXPECT_EQ(p.take(), "\x1d" "0;1lpG\x1d" "6;1;1lwG\x1d" "236;6203;708;5731lG");
  EXPECT_EQ(p.state.pen.pen_x, 30);
  EXPECT_EQ(p.state.pen.pen_y, 40);
}

TEST(PlotAndDash, HpglWritesOnlyThePenDownMove) {
  Plotter centred(2);
  PLOT(centred.state, 30, 40, 2);
  EXPECT_EQ(centred.take(), "SP2;LT;PD-2660.5,-3920;");
  DASH(centred.state, 30, 40, 1);
  EXPECT_EQ(centred.take(), "SP3;LT2,2;PD-2660.5,-3920;");
  Plotter lower_left(3);
  PLOT(lower_left.state, 30, 40, 3);
  EXPECT_EQ(lower_left.take(), "SP1;LT;PD1200,1600;");
}

TEST(PlotAndDash, LipsWritesTheStartAndTheRelativeEnd) {
  Plotter p(4);
  PLOT(p.state, 30, 40, 1);
  EXPECT_EQ(p.take(), "E10\x1e" "F11\x1e" "1G6N<N<N<\x1e");
  DASH(p.state, 10, 20, 2);  // back again: negative steps
  EXPECT_EQ(p.take(), "E11\x1e" "F13\x1e" "1V2]8N-N-\x1e");
}

TEST(PlotAndDash, JwCadRecordsCarryLineTypePenAndLayer) {
  Plotter p = jw_cad(3);
  PLOT(p.state, 3, 4, 2);
  EXPECT_EQ(p.take(), "s\0\0\0\x40\0\0\x80\x40\0\0\xC0\x40\0\0\0\x41\x01\x02\x03\0\0\0\n"s);
  DASH(p.state, 1, 2, 1);
  EXPECT_EQ(p.take(), "s\0\0\xC0\x40\0\0\0\x41\0\0\0\x40\0\0\x80\x40\x04\x01\x03\0\0\0\n"s);
}

TEST(PlotAndDash, UnknownPensAndLayersAreRefusedInsteadOfRepeatingTheLastCommand) {
  Plotter p(3);
  PLOT(p.state, 30, 40, 1);
  p.take();
  for (float pen : {0.0f, 4.0f, 1.5f}) {
    EXPECT_EQ(failure_code_of([&] { PLOT(p.state, 50, 60, pen); }), kIllegalFunctionCall);
  }
  EXPECT_EQ(p.take(), "");
  EXPECT_EQ(p.state.pen.pen_x, 30);
  Plotter jw = jw_cad(16);  // would fall into the next layer group
  EXPECT_EQ(failure_code_of([&] { PLOT(jw.state, 3, 4, 1); }), kIllegalFunctionCall);
  EXPECT_EQ(jw.take(), "");
}

TEST(PlotAndDash, NoNumberBeyondTheSinglesReachesAnyDevice) {
  const float inf = __builtin_inff();
  const float nan = __builtin_nanf("");
  for (float device : {1.0f, 2.0f, 3.0f, 4.0f, 5.0f}) {
    Plotter p(device);
    EXPECT_EQ(failure_code_of([&] { PLOT(p.state, 3e38f, 40, 1); }), kOverflow) << device;
    EXPECT_EQ(failure_code_of([&] { DASH(p.state, 30, nan, 1); }), kOverflow) << device;
    EXPECT_EQ(failure_code_of([&] { CIR(p.state, 30, 40, inf, 1); }), kOverflow) << device;
    p.state.plot_cmd = "A";
    EXPECT_EQ(failure_code_of([&] { MOJI(p.state, inf, 40, 5, 0); }), kOverflow) << device;
    const std::string written = p.take();
    EXPECT_EQ(written.find("Inf"), std::string::npos) << device;
    EXPECT_EQ(written.find("NaN"), std::string::npos) << device;
    if (device == 5) {
      EXPECT_EQ(written, "");
    }
  }
  // Nor a window corner of the plotter's set-up.
  PlotState s;
  s.plot_device = 2;
  s.paper_w = __builtin_inff();
  EXPECT_EQ(failure_code_of([&] { INIT(s, 9, 1); }), kOverflow);
}

TEST(PlotAndDash, UnknownDevicesWriteNothing) {
  for (float device : {8.0f, 0.0f, 2.5f}) {
    Plotter p(device);
    PLOT(p.state, 30, 40, 9);
    CIR(p.state, 1, 2, 3, 1);
    MOVE(p.state, 5, 6);
    EXPECT_EQ(p.take(), "");
    EXPECT_EQ(p.state.pen.pen_x, 5);
  }
}

TEST(Cir, HpglLiftsThePenToTheCentreBeforeChoosingThePen) {
  Plotter p(3);
  CIR(p.state, 10, 20, 5, 1);
  EXPECT_EQ(p.take(), "PU400,800;SP3;LT;CI200;");
}

TEST(Cir, OtherDevices) {
  Plotter esc_page(1);
  CIR(esc_page.state, 10, 20, 5, 2);
  EXPECT_EQ(esc_page.take(), "\x1d" "0;0lpG\x1d" "3;1;1lwG\x1d" "236;6203;118.11cG");
  Plotter lips(4);
  CIR(lips.state, 30, 40, 5, 1);  // centre relative to the pen at (10, 20)
  EXPECT_EQ(lips.take(), "E10\x1e" "F11\x1e" "5N<N<C;\x1e");
  Plotter jw = jw_cad(0);
  CIR(jw.state, 1, 2, 0.5f, 3);
  EXPECT_EQ(jw.take(), "e\0\0\0\x40\0\0\x80\x40\0\0\x80\x3F\x10\x27"s + std::string(12, '\0') + "\x01\x03\0\0\0\0\n"s);
}

TEST(Moji, HpglDirectionsAndCharacterSizes) {
  Plotter p(3);
  p.state.plot_cmd = "A";
  // 90 degrees in single precision lies a hair past the right angle.
  MOJI(p.state, 10, 20, 5, 90);
  EXPECT_EQ(p.take(), "PU400,800;SP2;DI-1,99;SI.15,.35;SS;LBA\x03");
  p.state.plot_cmd = to_cp932("亜");
  MOJI(p.state, 10, 20, 5, 0);
  EXPECT_EQ(p.take(), "PU400,800;SP2;DI100,0;SI.45,.45;SA;LB0!\x03");
  EXPECT_EQ(p.state.pen.pen_x, 15);
}

TEST(Moji, NegativeAngleTurnsOnceAround) {
  Plotter p(1);
  p.state.plot_cmd = "A";
  MOJI(p.state, 10, 20, 5, -90);
  EXPECT_NE(p.take().find("\x1d" "270roF"), std::string::npos);
  EXPECT_NEAR(p.state.pen.pen_x, 10, 1e-5);
  EXPECT_NEAR(p.state.pen.pen_y, 17.5, 1e-5);
}

TEST(Moji, EscPageWritesOneBlockACharacterWithDoubleByteAsJis) {
  Plotter p(1);
  p.state.plot_cmd = to_cp932("A亜");
  MOJI(p.state, 10, 20, 5, 0);
  EXPECT_EQ(p.take(),
            "\x1d" "264ssF\x1d" "1tfF\x1d" "59wmF\x1d" "118hmF\x1d" "0roF\x1d" "0slF\x1d"
            "236X\x1d" "6203YA\x1d" "0X\x1d" "0Y"
            "\x1d;2ssF\x1d" "9tfF\x1d" "106wmF\x1d" "106hmF\x1d" "0roF\x1d" "0slF\x1d"
            "295X\x1d" "6203Y0!\x1d" "0X\x1d" "0Y");
  EXPECT_EQ(p.state.pen.pen_x, 10 + 3 * 5 / 2.0f);  // half a height per byte
}

TEST(Moji, LipsSetsDirectionSizeAndPosition) {
  Plotter p(4);
  p.state.plot_cmd = "A";
  MOJI(p.state, 10, 20, 5, 0);
  EXPECT_EQ(p.take(), "Z0F4F40\x1eYC5\x1e" "40G6N<1\x0f" "A\x1e");
}

TEST(Moji, JwCadWritesTheWholeTextAsOneRecordAndKeepsThePen) {
  Plotter p = jw_cad(1);
  p.state.plot_cmd = "AB";
  MOJI(p.state, 1, 2, 3, 0);
  EXPECT_EQ(p.take(), "m\0\0\0\x40\0\0\x80\x40\0\0\0\x41\0\0\x80\x40\0\0\0\0\x03\x01\0\0" "AB\0\n"s);
  EXPECT_EQ(p.state.pen.pen_x, 1);
  // Bytes that would end the record early become blanks; an empty text writes nothing.
  p.state.plot_cmd = "A\nB\x1a" "C"s + '\0';
  MOJI(p.state, 0, 0, 3, 0);
  EXPECT_EQ(p.take().substr(25), "A B C \0\n"s);
  p.state.plot_cmd = "";
  MOJI(p.state, 4, 5, 3, 0);
  EXPECT_EQ(p.take(), "");
}

}  // namespace
}  // namespace verdan
