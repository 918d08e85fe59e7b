// Pieces of the printers' and plotters' set-up sequences (ESC/Page, HP-GL,
// LIPS): the control-byte prefixes and the paper table's rows.
#pragma once

#include <string>
#include <string_view>

#include "plt_draw/plot_state.h"

namespace verdan {

// A command after GS (ESC/Page) or ESC.
std::string gs_command(std::string_view command);
std::string esc_command(std::string_view command);

// The table row for a whole paper code 1..count, or -1.
int paper_row(float paper, int count);

}  // namespace verdan
