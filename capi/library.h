// The one state behind the C interface: the plot state, whose fields are
// the very memory VDN_STATE() hands out, the console, the plot and record
// files, and the last failure. Every wrapper reaches it through library().
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "capi/include/verdan/verdan.h"
#include "platform/console/console.h"
#include "platform/host/files.h"
#include "platform/write_behind.h"
#include "plt_draw/plot_state.h"
#include "plt_draw/record_reader.h"

namespace verdan::capi {

struct Library {
  PlotState plot;
  // The device INIT last set up; choosing another undoes the set-up.
  std::optional<float> initialised_device;
  std::unique_ptr<Console> console;
  std::optional<TextFile> plot_file;
  // What the plot routines write to: the plot file, written behind them.
  std::optional<WriteBehind> plot_writer;
  std::optional<RecordReader> records;
  int failure = 0;
  std::string failure_text;
};

// Inline: every call of the C interface asks for it several times.
inline Library& library() {
  static Library instance;
  return instance;
}

// The plot state as the C caller sees it: the same memory.
vdn_state& c_state();

// INIT has run for the device the caller has chosen now. A routine that
// finds another device chosen forgets the set-up, also when the caller
// chooses the first device again.
inline bool initialised() {
  Library& lib = library();
  if (lib.initialised_device && !(*lib.initialised_device == lib.plot.plot_device)) lib.initialised_device.reset();
  return lib.initialised_device.has_value();
}

// The open console; Failure 5 when the caller opened none.
Console& open_console();

}  // namespace verdan::capi
