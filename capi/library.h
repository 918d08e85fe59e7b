// The one state behind the C interface: the plot state with its C mirror,
// the console, the plot and record files, and the last failure. Every
// wrapper reaches it through library().
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "capi/include/verdan/verdan.h"
#include "platform/console/console.h"
#include "platform/host/files.h"
#include "plt_draw/plot_state.h"
#include "plt_draw/record_reader.h"

namespace verdan::capi {

struct Library {
  Library();

  PlotState plot;
  vdn_state mirror;     // what the caller sees and sets
  bool initialised = false;  // INIT has run since the device was last chosen
  std::unique_ptr<Console> console;
  std::optional<TextFile> plot_file;
  std::optional<RecordReader> records;
  int failure = 0;
  std::string failure_text;
};

Library& library();

// Copies the plot state into its C mirror.
void plot_out_of(const PlotState& plot, vdn_state& c);

// The caller's settings (device, layer, scales, pen, MOJI's text) taken
// into the plot state before a routine, and everything given back after.
PlotState& plot_in();
void plot_out();

// The open console; Failure 5 when the caller opened none.
Console& open_console();

}  // namespace verdan::capi
