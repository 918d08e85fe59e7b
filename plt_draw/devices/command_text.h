// Pieces of the printers' and plotters' command streams (ESC/Page, HP-GL,
// LIPS): the control-byte prefixes and coordinates in device units.
#pragma once

#include <string>
#include <string_view>

#include "plt_draw/plot_state.h"

namespace verdan {

// A command after GS (ESC/Page) or ESC.
std::string gs_command(std::string_view command);
std::string esc_command(std::string_view command);

// A point's device coordinate, origin included: origin + floor(v * scale)
// in the free format.
std::string device_x(const PlotState& state, float x);
std::string device_y(const PlotState& state, float y);

// A short command (pen moves, lines, circles) assembled on the stack, its
// numbers written straight in, so a drawing of millions of lines builds no
// string per command.
class ShortCommand {
 public:
  ShortCommand& operator<<(std::string_view text);
  ShortCommand& operator<<(char c) { return *this << std::string_view(&c, 1); }
  // A number as N2A writes it.
  ShortCommand& number(float value);
  // A point's device coordinate, as device_x and device_y write it.
  ShortCommand& x(const PlotState& state, float x);
  ShortCommand& y(const PlotState& state, float y);
  std::string_view view() const { return {bytes_, size_}; }

 private:
  char bytes_[256];
  std::size_t size_ = 0;
};

// The table row for a whole paper code 1..count, or -1.
int paper_row(float paper, int count);

}  // namespace verdan
