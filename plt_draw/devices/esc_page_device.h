// Device 1: a page printer's ESC/Page vector mode, in dots of 600 per inch
// with y running upwards from the bottom edge of the paper.
#pragma once

#include "plt_draw/device_table.h"

namespace verdan {

const PlotDevice& esc_page_device();

}  // namespace verdan
