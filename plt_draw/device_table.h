// The plot devices, one row each in one table, each language in a file of
// its own under devices/. INIT, the primitives and PLT_END check the pen and
// the device's reach, then hand the row's device the drawing in
// millimetres, so adding a device adds a file and a row, not a branch in
// every primitive.
#pragma once

#include <string>
#include <string_view>

#include "plt_draw/plot_state.h"

namespace verdan {

struct DeviceLine {
  float x0, y0, x1, y1;  // from (where the pen stands), to
  int pen;               // 1-3
  bool dashed;
};

struct DeviceCircle {
  float x, y, r;
  int pen;
};

struct DeviceText {
  float x, y;  // start of the base line
  float height;
  float angle;            // degrees, 0 to 360
  std::string_view text;  // CP932, not empty
  // The direction's cosine and sine, taken in double from the single
  // angle, and the step of half the height along it that each byte of the
  // text moves the printers' pen.
  double cos_a, sin_a;
  float dx, dy;
};

// Whole units up to 2^24 are exact in a single, the precision every
// coordinate arrives in; beyond it a drawing file's numbers lose whole
// units, so the drawing files reach no further.
inline constexpr float kWholeSingleReach = 16777216;

// The printers and plotters read their numbers as N2A writes them: six
// significant digits, and from a million on the exponent form, which no
// device reads as a number.
inline constexpr float kFreeFormatReach = 999999;

struct PlotDevice {
  int code;
  // The largest magnitude of a coordinate or size in the device's units
  // that its number fields hold (see device_reach.h).
  float reach;
  // Sets scales, paper, origin, plot_reset and plot_setup; writes nothing.
  // `scale` is the drawing scale that only JW_CAD's paper takes.
  void (*init)(PlotState& state, float paper, float scale);
  // Writes what lifting the pen to (x, y) takes; nullptr where that is
  // nothing. The primitive moves the pen.
  void (*move)(PlotState& state, float x, float y);
  void (*line)(PlotState& state, const DeviceLine& line);
  void (*circle)(PlotState& state, const DeviceCircle& circle);
  // The pen stands at the text's start; the device leaves it where its
  // text ends.
  void (*text)(PlotState& state, const DeviceText& text);
  void (*end)(PlotState& state);
  // A text's commands carry nothing from the texts before it but the pen
  // and plot_cmd, which each text sets first: a run of texts may be made in
  // pieces apart (number_labels.h). The printers' one command a character,
  // and JW_CAD's record a text.
  bool texts_apart;
};

// The table row of the state's device; nullptr for unknown codes. Looked
// up again only when plot_device has changed since.
const PlotDevice* look_up_device(const PlotState& state);
inline const PlotDevice* table_device(const PlotState& state) {
  return state.plot_device == state.looked_up_code ? state.looked_up_device : look_up_device(state);
}

// For a device that writes a text as one piece: the pen ends behind it,
// where the printers' pen ends.
void pen_behind_text(PlotState& state, const DeviceText& text);

// The whole sheet in millimetres for paper codes 1-4 (A4 portrait, A4
// landscape, A3 portrait, A3 landscape): a drawing file has no printer
// margins. False for any other code.
bool sheet_size(float paper, float& width, float& height);

}  // namespace verdan
