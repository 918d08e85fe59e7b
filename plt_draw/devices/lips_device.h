// Device 4: a page printer's LIPS III vector mode, in dots of 300 per inch,
// its numbers in the printer's compact integer encoding (CULC).
#pragma once

#include "plt_draw/device_table.h"

namespace verdan {

const PlotDevice& lips_device();

}  // namespace verdan
