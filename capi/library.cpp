#include "capi/library.h"

#include <cstddef>

#include "platform/failure.h"

namespace verdan::capi {

// The C struct and the C++ fields must be one layout, field by field.
static_assert(sizeof(vdn_state) == sizeof(PlotFields));
static_assert(alignof(vdn_state) == alignof(PlotFields));
static_assert(offsetof(vdn_state, plot_device) == offsetof(PlotFields, plot_device));
static_assert(offsetof(vdn_state, plot_layer) == offsetof(PlotFields, plot_layer));
static_assert(offsetof(vdn_state, scale_x) == offsetof(PlotFields, scale_x));
static_assert(offsetof(vdn_state, scale_y) == offsetof(PlotFields, scale_y));
static_assert(offsetof(vdn_state, paper_w) == offsetof(PlotFields, paper_w));
static_assert(offsetof(vdn_state, paper_h) == offsetof(PlotFields, paper_h));
static_assert(offsetof(vdn_state, origin_x) == offsetof(PlotFields, origin_x));
static_assert(offsetof(vdn_state, origin_y) == offsetof(PlotFields, origin_y));
static_assert(offsetof(vdn_state, pen_x) == offsetof(PlotFields, pen) + offsetof(PenState, pen_x));
static_assert(offsetof(vdn_state, pen_y) == offsetof(PlotFields, pen) + offsetof(PenState, pen_y));
static_assert(offsetof(vdn_state, line_color) == offsetof(PlotFields, pen) + offsetof(PenState, line_color));
static_assert(sizeof(PenState) == 3 * sizeof(float));
static_assert(offsetof(vdn_state, plot_reset) == offsetof(PlotFields, plot_reset));
static_assert(offsetof(vdn_state, plot_setup) == offsetof(PlotFields, plot_setup));
static_assert(offsetof(vdn_state, plot_cmd) == offsetof(PlotFields, plot_cmd));
static_assert(sizeof(vdn_state::plot_reset) == kSequenceSize && sizeof(vdn_state::plot_setup) == kSequenceSize);
static_assert(sizeof(vdn_state::plot_cmd) == kCommandSize);
static_assert(offsetof(vdn_state, plot_reset_length) == offsetof(vdn_state, plot_reset) + kSequenceSize + 4);
static_assert(offsetof(vdn_state, plot_setup_length) == offsetof(vdn_state, plot_setup) + kSequenceSize);
static_assert(offsetof(vdn_state, plot_cmd_length) == offsetof(vdn_state, plot_cmd) + kCommandSize);

vdn_state& c_state() {
  // The C caller's side lives in another module; the library itself only
  // reaches these bytes as PlotFields.
  return *reinterpret_cast<vdn_state*>(static_cast<PlotFields*>(&library().plot));
}

Console& open_console() {
  Library& lib = library();
  if (!lib.console) fail(kIllegalFunctionCall, "no console is open");
  return *lib.console;
}

}  // namespace verdan::capi
