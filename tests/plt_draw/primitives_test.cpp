// Command strings of the drawing primitives on every device.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "plt_draw/devices/device_command.h"
#include "plt_draw/devices/printed_text.h"
#include "plt_draw/device_reach.h"
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

// The state's texts are the C caller's fixed buffers: a text that does not
// fit is refused, never written cut short as another command.
TEST(PlotStateTexts, ATextBeyondItsBufferIsRefusedNotCut) {
  PlotState state;
  state.plot_cmd = std::string(kCommandSize - 1, 'x');
  EXPECT_EQ(state.plot_cmd.size(), kCommandSize - 1);
  EXPECT_EQ(test::failure_code_of([&] { state.plot_cmd = std::string(kCommandSize, 'x'); }), kOverflow);
  state.plot_cmd = "LB";
  EXPECT_EQ(test::failure_code_of([&] { state.plot_cmd += std::string(kCommandSize - 2, 'y'); }), kOverflow);
  EXPECT_EQ(test::failure_code_of([&] { state.plot_setup = std::string(kSequenceSize, 'z'); }), kOverflow);
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
  // Lines and circles are built in plot_cmd itself: one refused leaves the
  // last command there whole.
  Plotter jw = jw_cad(16);  // would fall into the next layer group
  jw.state.plot_cmd = "last";
  EXPECT_EQ(failure_code_of([&] { PLOT(jw.state, 3, 4, 1); }), kIllegalFunctionCall);
  EXPECT_EQ(failure_code_of([&] { CIR(jw.state, 3, 4, 1, 1); }), kIllegalFunctionCall);
  jw.state.plot_layer = 1;
  jw.state.scale_x = 1e38f;  // a coordinate no single holds
  EXPECT_EQ(failure_code_of([&] { PLOT(jw.state, 3, 4, 1); }), kOverflow);
  EXPECT_EQ(failure_code_of([&] { CIR(jw.state, 3, 4, 1, 1); }), kOverflow);
  EXPECT_EQ(jw.take(), "");
  EXPECT_EQ(jw.state.plot_cmd, "last");
  Plotter dxf(6);
  dxf.state.plot_layer = 40000;
  dxf.state.plot_cmd = "last";
  EXPECT_EQ(failure_code_of([&] { DASH(dxf.state, 3, 4, 1); }), kIllegalFunctionCall);
  EXPECT_EQ(dxf.state.held_entities.all(), "");
  EXPECT_EQ(dxf.state.plot_cmd, "last");
}

// Everything a call can leave behind: the bytes written, the entities DXF
// holds, the command buffer and the pen.
struct Trace {
  std::string written, held, command;
  float pen_x, pen_y;
  bool operator==(const Trace& o) const {
    // A pen the caller put at no number stays there.
    auto same = [](float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    return written == o.written && held == o.held && command == o.command && same(pen_x, o.pen_x) &&
           same(pen_y, o.pen_y);
  }
};

Trace trace(Plotter& p) {
  return {p.take(), p.state.held_entities.all(), p.state.plot_cmd, p.state.pen.pen_x, p.state.pen.pen_y};
}

// A number that is no number, or one far beyond any device's fields, is
// refused by every primitive on every device with the same failure, and the
// call leaves nothing: the device carries on as if it had not been made.
TEST(Reach, NumbersNoDeviceHoldsAreRefusedAlikeAndLeaveNothing) {
  const float inf = __builtin_inff();
  const float nan = __builtin_nanf("");
  using Call = std::function<void(PlotState&, float)>;
  const std::vector<Call> coordinate_calls = {
      [](PlotState& s, float v) { PLOT(s, v, 40, 1); },   [](PlotState& s, float v) { PLOT(s, 30, v, 1); },
      [](PlotState& s, float v) { DASH(s, v, 40, 2); },   [](PlotState& s, float v) { DASH(s, 30, v, 2); },
      [](PlotState& s, float v) { CIR(s, v, 40, 5, 1); }, [](PlotState& s, float v) { CIR(s, 30, v, 5, 1); },
      [](PlotState& s, float v) { CIR(s, 30, 40, v, 1); }, [](PlotState& s, float v) { MOVE(s, v, 0); },
      [](PlotState& s, float v) { MOVE(s, 0, v); },       [](PlotState& s, float v) { MOJI(s, v, 20, 5, 0); },
      [](PlotState& s, float v) { MOJI(s, 10, v, 5, 0); }, [](PlotState& s, float v) { MOJI(s, 10, 20, v, 0); },
      [](PlotState& s, float v) { MOJI(s, 10, 20, 5, v); }};
  // A pen number that is no number at all is no pen either.
  const std::vector<Call> pen_calls = {[](PlotState& s, float v) { PLOT(s, 30, 40, v); },
                                       [](PlotState& s, float v) { DASH(s, 30, 40, v); },
                                       [](PlotState& s, float v) { CIR(s, 30, 40, 5, v); }};
  // The pen's own place is where a line starts.
  const std::vector<Call> from_the_pen = {[](PlotState& s, float) { PLOT(s, 30, 40, 1); },
                                          [](PlotState& s, float) { DASH(s, 30, 40, 1); },
                                          [](PlotState& s, float) { CIR(s, 30, 40, 5, 1); }};
  for (float device : {1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f}) {
    Plotter p(device);
    p.state.plot_cmd = "A";
    const Trace before = trace(p);
    auto expect_refused = [&](const Call& call, float v, const Trace& unchanged) {
      EXPECT_EQ(failure_code_of([&] { call(p.state, v); }), kOverflow) << "device " << device << ", " << v;
      EXPECT_EQ(trace(p), unchanged) << "device " << device << ", " << v;
    };
    for (float v : {nan, inf, -inf, 1e30f, -1e30f}) {
      for (const Call& call : coordinate_calls) expect_refused(call, v, before);
      p.state.pen.pen_x = v;
      Trace off_the_sheet = trace(p);
      for (const Call& call : from_the_pen) expect_refused(call, v, off_the_sheet);
      p.state.pen = {10, 20, 15};
      p.state.pen.pen_y = v;
      off_the_sheet = trace(p);
      for (const Call& call : from_the_pen) expect_refused(call, v, off_the_sheet);
      p.state.pen = {10, 20, 15};
    }
    for (float v : {nan, inf, -inf}) {
      for (const Call& call : pen_calls) expect_refused(call, v, before);
    }

    // What follows is drawn exactly as on a device that refused nothing.
    Plotter fresh(device);
    for (Plotter* q : {&p, &fresh}) {
      PLOT(q->state, 30, 40, 1);
      q->state.plot_cmd = "A";
      MOJI(q->state, 10, 20, 5, 0);
    }
    const Trace drawn = trace(p);
    EXPECT_EQ(drawn, trace(fresh)) << "device " << device;
    EXPECT_NE(drawn.written + drawn.held, "") << "device " << device;
  }
  // Nor a window corner of the plotter's set-up.
  PlotState s;
  s.plot_device = 2;
  s.paper_w = __builtin_inff();
  EXPECT_EQ(failure_code_of([&] { INIT(s, 9, 1); }), kOverflow);
}

// One device unit a millimetre, from the origin, so that the numbers written
// are the numbers given.
void one_unit_a_millimetre(Plotter& p) {
  p.state.scale_x = 1;
  p.state.scale_y = 1;
  p.state.origin_x = 0;
  p.state.origin_y = 0;
  p.state.pen = {0, 0, 15};
}

// Each device takes the largest number its fields hold and refuses the next:
// six digits of the free format on the printers and plotters, half of
// LIPS's 16 bits (so that a step between two places fits), and the whole
// units of a single in the drawing files.
TEST(Reach, EachDeviceWritesTheLargestNumbersItsFieldsHold) {
  Plotter esc_page(1);
  one_unit_a_millimetre(esc_page);
  // The printers write floor(v): 999999.5 is 999999, -999999.5 is -1000000.
  PLOT(esc_page.state, 999999.5f, -999999, 1);
  EXPECT_EQ(esc_page.take(), "\x1d" "0;0lpG\x1d" "1;1;1lwG\x1d" "0;0;999999;-999999lG");
  for (float x : {1000000.0f, -999999.5f}) {
    EXPECT_EQ(failure_code_of([&] { PLOT(esc_page.state, x, 0, 1); }), kOverflow) << x;
  }
  CIR(esc_page.state, 0, 0, 999999, 1);
  EXPECT_EQ(esc_page.take(), "\x1d" "0;0lpG\x1d" "1;1;1lwG\x1d" "0;0;999999cG");
  EXPECT_EQ(failure_code_of([&] { CIR(esc_page.state, 0, 0, 1000000, 1); }), kOverflow);
  EXPECT_EQ(esc_page.take(), "");

  Plotter hpgl(3);
  one_unit_a_millimetre(hpgl);
  PLOT(hpgl.state, 999999, -999999, 1);
  EXPECT_EQ(hpgl.take(), "SP3;LT;PD999999,-999999;");
  EXPECT_EQ(failure_code_of([&] { MOVE(hpgl.state, 0, 1000000); }), kOverflow);
  EXPECT_EQ(hpgl.take(), "");

  Plotter lips(4);
  one_unit_a_millimetre(lips);
  lips.state.pen = {-32767, 0, 15};
  // From -32767 (95 127 47) a step of 65534 (127 127 62) to 32767.5.
  PLOT(lips.state, 32767.5f, 0, 1);
  EXPECT_EQ(lips.take(), "E10\x1e" "F11\x1e" "1_\x7f/0\x7f\x7f>0\x1e");
  for (float y : {32768.0f, -32768.0f}) {
    EXPECT_EQ(failure_code_of([&] { PLOT(lips.state, 0, y, 1); }), kOverflow) << y;
  }
  EXPECT_EQ(lips.take(), "");

  Plotter jw = jw_cad(0);
  one_unit_a_millimetre(jw);
  PLOT(jw.state, 16777216, -16777216, 1);  // 2^24: 4B800000 and CB800000
  EXPECT_EQ(jw.take(), "s" + std::string(8, '\0') + "\0\0\x80\x4B\0\0\x80\xCB\x01\x01\0\0\0\0\n"s);
  EXPECT_EQ(failure_code_of([&] { PLOT(jw.state, 0, 16777218, 1); }), kOverflow);  // the next single
  EXPECT_EQ(jw.take(), "");

  Plotter dxf(6);
  one_unit_a_millimetre(dxf);
  PLOT(dxf.state, 16777216, 0, 1);
  EXPECT_NE(dxf.state.held_entities.all().find(" 11\r\n16777216\r\n"), std::string::npos)
      << dxf.state.held_entities.all();
  const std::string held = dxf.state.held_entities.all();
  EXPECT_EQ(failure_code_of([&] { PLOT(dxf.state, 16777218, 0, 1); }), kOverflow);
  EXPECT_EQ(dxf.state.held_entities.all(), held);

  Plotter svg(7);
  one_unit_a_millimetre(svg);
  PLOT(svg.state, 16777216, 0, 1);
  EXPECT_NE(svg.take().find(" x2=\"16777216\""), std::string::npos);
  EXPECT_EQ(failure_code_of([&] { CIR(svg.state, 0, 0, 16777218, 1); }), kOverflow);
  EXPECT_EQ(svg.take(), "");
}

// The check takes a short cut for points well inside the reach; near the
// edges, with whole and half origins and odd scales, it must still decide
// as origin + floor(v * scale) does on every device.
TEST(Reach, PointsNearTheEdgesAreDecidedAsTheDeviceCommandsComputeThem) {
  for (float device : {1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f}) {
    Plotter p(device);
    for (float origin : {0.0f, -7999.5f, 12.25f}) {
      for (float scale : {1.0f, 23.622f, -3.5f}) {
        p.state.origin_x = origin;
        p.state.scale_x = scale;
        const float reach = device_reach(p.state);
        for (float edge : {reach, -reach}) {
          for (int step = -12; step <= 12; ++step) {
            const float x = (edge - origin) / scale + static_cast<float>(step) * 0.25f;
            const bool inside = std::fabs(origin + std::floor(x * scale)) <= reach;
            EXPECT_EQ(failure_code_of([&] { require_point_within_reach(p.state, x, 0); }), inside ? -1 : kOverflow)
                << device << " " << origin << " " << scale << " " << x;
          }
        }
      }
    }
  }
}

// A text is refused whole when its last character would leave the fields,
// never cut after the characters already written.
TEST(Reach, TextsAreCheckedToTheirEndAndTheirAngle) {
  Plotter p(1);
  one_unit_a_millimetre(p);
  p.state.plot_cmd = "ABC";  // 2 units a byte at height 4
  MOJI(p.state, 999992, 0, 4, 0);
  const std::string three = p.take();
  EXPECT_NE(three.find("\x1d" "999996X\x1d" "0YC"), std::string::npos) << three;
  EXPECT_EQ(p.state.pen.pen_x, 999998);
  p.state.plot_cmd = "ABCD";  // would end at 1000000
  EXPECT_EQ(failure_code_of([&] { MOJI(p.state, 999992, 0, 4, 0); }), kOverflow);
  EXPECT_EQ(p.take(), "");
  EXPECT_EQ(p.state.pen.pen_x, 999998);

  p.state.plot_cmd = "A";
  MOJI(p.state, 0, 0, 4, 999999);
  EXPECT_NE(p.take().find("\x1d" "999999roF"), std::string::npos);
  EXPECT_EQ(failure_code_of([&] { MOJI(p.state, 0, 0, 4, 1000000); }), kOverflow);
  EXPECT_EQ(p.take(), "");

  // JW_CAD writes the end of the text into its record.
  Plotter jw = jw_cad(0);
  one_unit_a_millimetre(jw);
  jw.state.plot_cmd = std::string(8, 'A');
  MOJI(jw.state, 16777200, 0, 4, 0);  // ends at 2^24
  EXPECT_NE(jw.take(), "");
  jw.state.plot_cmd = std::string(9, 'A');
  EXPECT_EQ(failure_code_of([&] { MOJI(jw.state, 16777200, 0, 4, 0); }), kOverflow);
  EXPECT_EQ(jw.take(), "");
}

// The longest text plot_cmd takes makes commands a little longer than it on
// the drawing files: each is refused whole, plot_cmd left as it was, and
// nothing is written past the command's own buffer.
TEST(Moji, ATextTooLongForItsCommandIsRefusedWhole) {
  for (float device : {1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f}) {
    Plotter p(device);
    p.state.plot_layer = 1;
    const std::string text(kCommandSize - 1, 'A');
    p.state.plot_cmd = text;
    const int code = failure_code_of([&] { MOJI(p.state, 1, 1, 0.01f, 0); });
    if (device <= 4) {
      // The printers write a command a character.
      EXPECT_EQ(code, -1) << device;
      EXPECT_GT(p.take().size(), text.size()) << device;
      continue;
    }
    EXPECT_EQ(code, kOverflow) << device;
    EXPECT_EQ(p.take(), "") << device;
    EXPECT_TRUE(p.state.plot_cmd.view() == text) << device;
  }
}

// A part of bounded size written without a check each byte: it gets its
// room, or the command is refused before a byte of it is written.
TEST(DeviceCommandRoom, APartGetsItsRoomOrTheCommandIsRefused) {
  Plotter p(4);
  p.state.plot_cmd = "last";
  DeviceCommand command(p.state);
  command << std::string(kCommandSize - 12, 'x');
  char* out = command.room(12);
  for (int i = 0; i < 12; ++i) *out++ = 'y';
  command.written_to(out);
  EXPECT_EQ(command.view().size(), kCommandSize);
  EXPECT_EQ(command.view().substr(kCommandSize - 13), "x" + std::string(12, 'y'));
  EXPECT_EQ(failure_code_of([&] { command.room(1); }), kOverflow);
  EXPECT_EQ(failure_code_of([&] { command.emit(); }), kOverflow);  // too long for plot_cmd
  EXPECT_EQ(p.state.plot_cmd, "last");
  EXPECT_EQ(p.take(), "");
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

// Characters of one width share their size and direction; each text has its
// own, a double-byte character in between included.
TEST(Moji, EachCharacterHasTheSizeOfItsWidthAndEachTextItsOwn) {
  Plotter hpgl(3);
  hpgl.state.plot_cmd = to_cp932("A亜B");
  MOJI(hpgl.state, 10, 20, 5, 0);
  hpgl.state.plot_cmd = "C";
  MOJI(hpgl.state, 0, 0, 10, 0);
  EXPECT_EQ(hpgl.take(),
            "PU400,800;SP2;DI100,0;SI.15,.35;SS;LBA\x03"
            "PU500,800;SP2;DI100,0;SI.45,.45;SA;LB0!\x03"
            "PU700,800;SP2;DI100,0;SI.15,.35;SS;LBB\x03"
            "PU0,0;SP2;DI100,0;SI.3,.7;SS;LBC\x03");

  Plotter lips(4);
  lips.state.plot_cmd = "A";
  MOJI(lips.state, 10, 20, 5, 0);
  lips.state.plot_cmd = "C";
  MOJI(lips.state, 0, 0, 10, 0);
  EXPECT_EQ(lips.take(), "Z0F4F40\x1eYC5\x1e" "40G6N<1\x0f" "A\x1e" "Z0F4F40\x1eYF:\x1e" "40001\x0f" "C\x1e");
}

// What a text's characters carry of its size and direction is kept from
// one text to the next; a text after another of another height, angle,
// scale or device is written as on a device just set up.
TEST(Moji, ATextAfterAnotherIsWrittenAsInAFreshState) {
  struct Label {
    float device, height, angle, scale;  // scale: device units per mm
    const char* text;
  };
  const std::vector<Label> labels = {
      {1, 5, 0, 20, "A1"},   {1, 5, 0, 20, "B"},    {1, 2.5f, 0, 20, "C"}, {1, 2.5f, 90, 20, "D"},
      {1, 2.5f, 90, 40, "E"}, {2, 2.5f, 90, 40, "F"}, {3, 2.5f, 90, 40, "G"}, {3, 2.5f, 45, 40, "H"},
      {4, 2.5f, 45, 40, "I"}, {4, 2.5f, 45, 20, "J"}, {4, 3, 45, 20, "K"},   {1, 3, 45, 20, "L"}};
  const auto set_up = [](Plotter& p, const Label& l) {
    p.state.plot_device = l.device;
    INIT(p.state, 1, 1);
    p.state.scale_x = l.scale;
    p.state.plot_cmd = to_cp932(std::string(l.text) + "亜");
  };
  Plotter one(1);
  for (const Label& l : labels) {
    set_up(one, l);
    MOJI(one.state, 10, 20, l.height, l.angle);
    Plotter fresh(l.device);
    set_up(fresh, l);
    MOJI(fresh.state, 10, 20, l.height, l.angle);
    EXPECT_EQ(one.take(), fresh.take()) << l.text;
  }
}

// plot_cmd keeps a text's last character command, and a failure part-way
// through a text leaves the characters before it written.
TEST(Moji, TheLastCharacterStaysInPlotCmdAndAFailureWritesTheCharactersBefore) {
  for (float device : {1.0f, 3.0f, 4.0f}) {
    Plotter p(device);
    p.state.plot_cmd = to_cp932("A亜B");
    MOJI(p.state, 10, 20, 5, 0);
    const std::string out = p.take();
    const std::string last(p.state.plot_cmd);
    ASSERT_FALSE(last.empty());
    EXPECT_LT(last.size(), out.size() / 2) << device;
    EXPECT_EQ(out.substr(out.size() - last.size()), last) << device;
    EXPECT_NE(last.find('B'), std::string::npos) << device;
  }
  Plotter p(1);
  const std::string text = "AB";
  const DeviceText t{10, 20, 5, 0, text, 1, 0, 2.5f, 0};
  const auto first_only = [](PlotState& s, const DeviceText&, const PrintedCharacter& c) {
    if (c.bytes == "B") fail(kOverflow, "refused");
    DeviceCommand command(s);
    command << "char " << c.bytes;
    command.emit();
  };
  EXPECT_EQ(failure_code_of([&] { write_printed_text(p.state, t, first_only); }), kOverflow);
  EXPECT_EQ(p.take(), "char A");
  EXPECT_EQ(std::string(p.state.plot_cmd), "char A");
  // Nothing stays gathered for the next command.
  PLOT(p.state, 11, 21, 1);
  EXPECT_NE(p.take(), "");
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
