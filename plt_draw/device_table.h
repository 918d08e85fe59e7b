// The plot devices that live in files of their own (DXF, SVG). Each is a
// row of one table; INIT, the primitives and PLT_END hand a row's device
// the drawing in millimetres once they have checked the pen, so adding a
// device adds a file and a row, not a branch in every primitive.
#pragma once

#include <string_view>

#include "plt_draw/plot_state.h"

namespace verdan {

struct DeviceLine {
  float x0, y0, x1, y1;  // from, to
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
};

// Whole units up to 2^24 are exact in a single, the precision every
// coordinate arrives in; beyond it a drawing file's numbers lose whole
// units, so the drawing files reach no further.
inline constexpr float kWholeSingleReach = 16777216;

struct PlotDevice {
  int code;
  // The largest magnitude of a coordinate or size in the device's units
  // that its number fields hold (see device_reach.h).
  float reach;
  // Sets scales, paper, origin, plot_reset and plot_setup; writes nothing.
  void (*init)(PlotState& state, float paper);
  void (*line)(PlotState& state, const DeviceLine& line);
  void (*circle)(PlotState& state, const DeviceCircle& circle);
  void (*text)(PlotState& state, const DeviceText& text);
  void (*end)(PlotState& state);
};

// The table row of the state's device; nullptr for the devices the
// primitives build themselves (1-5) and for unknown codes.
const PlotDevice* table_device(const PlotState& state);

// The whole sheet in millimetres for paper codes 1-4 (A4 portrait, A4
// landscape, A3 portrait, A3 landscape): a drawing file has no printer
// margins. False for any other code.
bool sheet_size(float paper, float& width, float& height);

}  // namespace verdan
