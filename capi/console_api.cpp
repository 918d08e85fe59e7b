// The console and the routines that read from it and draw on it.
#include "capi/boundary.h"
#include "capi/library.h"
#include "control/dsp2l.h"
#include "platform/failure.h"
#include "platform/console/front_end.h"
#include "plt_draw/load_symbols.h"
#include "shared/console_routines.h"
#include "shared/screen_draw.h"

using namespace verdan;
using namespace verdan::capi;

namespace {

// Runs a drawing routine on the open console with the shared pen.
template <typename Draw>
int draw(Draw&& routine) {
  return guarded([&] {
    Console& console = open_console();
    initialised();  // a device changed meanwhile is noticed as at any call
    routine(console, library().plot.pen);
  });
}

}  // namespace

extern "C" {

int VDN_CONSOLE_OPEN(void) {
  return guarded([] {
    Library& lib = library();
    if (lib.console) fail(kIllegalFunctionCall, "the console is already open");
    lib.console = make_console();
  });
}

int VDN_CONSOLE_CLOSE(void) {
  return guarded([] {
    Library& lib = library();
    if (!lib.console) fail(kIllegalFunctionCall, "no console is open");
    std::unique_ptr<Console> console = std::move(lib.console);
    console->hand_back();
  });
}

float VDN_INN(const char* prompt) {
  return guarded_number([&] {
    require(prompt, "prompt");
    return INN(open_console(), prompt);
  });
}

int VDN_DRAW(float x, float y) {
  return draw([&](Console& console, PenState& pen) { DRAW(console, pen, x, y); });
}

int VDN_DSPN(float digit, float size, float x, float y) {
  return draw([&](Console& console, PenState& pen) {
    for (float v : {digit, size, x, y}) require_finite(v);
    DSPN(console, pen, digit, size, x, y);
  });
}

int VDN_DRAW_DKI(float unit_x, float unit_y, float visible) {
  return draw([&](Console& console, PenState& pen) {
    for (float v : {unit_x, unit_y, visible}) require_finite(v);
    DRAW_DKI(console, pen, unit_x, unit_y, visible);
  });
}

int VDN_DRAW_SYU(float unit_x, float unit_y, float visible) {
  return draw([&](Console& console, PenState& pen) {
    for (float v : {unit_x, unit_y, visible}) require_finite(v);
    DRAW_SYU(console, pen, unit_x, unit_y, visible);
  });
}

int VDN_DRAW_CMQ(float unit_x, float unit_y, float visible) {
  return draw([&](Console& console, PenState& pen) {
    for (float v : {unit_x, unit_y, visible}) require_finite(v);
    DRAW_CMQ(console, pen, unit_x, unit_y, visible);
  });
}

int VDN_DSP2L(int x, int y, const char* text) {
  return guarded([&] {
    require(text, "text");
    if (x < 0 || x > 79 || y < 0 || y > 23) fail(kIllegalFunctionCall, "position off the screen");
    DSP2L(open_console(), x, y, text);
  });
}

}  // extern "C"
