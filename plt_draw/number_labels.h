// A run of number labels: the texts of first, first + 1, ... drawn as N2A
// writes them and MOJI draws them, each at its point. A frame's node
// numbers are a run of hundreds of thousands.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plt_draw/plot_state.h"

namespace verdan {

struct NumberLabels {
  const float* x;  // the points, `count` of each
  const float* y;
  std::size_t count;
  std::int64_t first;  // the first label's number
  float height;
  float angle;
};

// Leaves the plot file, the pen and plot_cmd as N2A of each number into
// plot_cmd and MOJI at its point would, one label after another, a failure
// included. The printers' labels, a command a character, and JW_CAD's are
// made in pieces on two threads and written in order; no other state of
// theirs carries from one label to the next.
void number_labels(PlotState& s, const NumberLabels& labels);

}  // namespace verdan
