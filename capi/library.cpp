#include "capi/library.h"

#include <algorithm>
#include <cstring>

#include "platform/failure.h"

namespace verdan::capi {
namespace {

// A text into its fixed buffer, cut when long, with its whole length.
void mirror_text(const std::string& text, char* buffer, std::size_t size, std::size_t& length) {
  const std::size_t kept = std::min(text.size(), size - 1);
  std::memcpy(buffer, text.data(), kept);
  buffer[kept] = '\0';
  length = text.size();
}

}  // namespace

Library::Library() : mirror{} { plot_out_of(plot, mirror); }

Library& library() {
  static Library instance;
  return instance;
}

void plot_out_of(const PlotState& plot, vdn_state& c) {
  c.plot_device = plot.plot_device;
  c.plot_layer = plot.plot_layer;
  c.scale_x = plot.scale_x;
  c.scale_y = plot.scale_y;
  c.paper_w = plot.paper_w;
  c.paper_h = plot.paper_h;
  c.origin_x = plot.origin_x;
  c.origin_y = plot.origin_y;
  c.pen_x = plot.pen.pen_x;
  c.pen_y = plot.pen.pen_y;
  c.line_color = plot.pen.line_color;
  mirror_text(plot.plot_reset, c.plot_reset, sizeof c.plot_reset, c.plot_reset_length);
  mirror_text(plot.plot_setup, c.plot_setup, sizeof c.plot_setup, c.plot_setup_length);
  mirror_text(plot.plot_cmd, c.plot_cmd, sizeof c.plot_cmd, c.plot_cmd_length);
}

PlotState& plot_in() {
  Library& lib = library();
  const vdn_state& c = lib.mirror;
  PlotState& plot = lib.plot;
  // Choosing another device undoes its set-up.
  if (c.plot_device != plot.plot_device) lib.initialised = false;
  plot.plot_device = c.plot_device;
  plot.plot_layer = c.plot_layer;
  plot.scale_x = c.scale_x;
  plot.scale_y = c.scale_y;
  plot.paper_w = c.paper_w;
  plot.paper_h = c.paper_h;
  plot.origin_x = c.origin_x;
  plot.origin_y = c.origin_y;
  plot.pen = {c.pen_x, c.pen_y, c.line_color};
  plot.plot_cmd.assign(c.plot_cmd, strnlen(c.plot_cmd, sizeof c.plot_cmd));
  plot.plot_file = lib.plot_file ? &*lib.plot_file : nullptr;
  return plot;
}

void plot_out() { plot_out_of(library().plot, library().mirror); }

Console& open_console() {
  Library& lib = library();
  if (!lib.console) fail(kIllegalFunctionCall, "no console is open");
  return *lib.console;
}

}  // namespace verdan::capi
