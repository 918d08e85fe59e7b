// Devices 2 and 3: an HP-GL pen plotter in plotter units (40 a millimetre),
// with the drawing's origin in the middle of the paper (2) or at its lower
// left corner (3).
#pragma once

#include "plt_draw/device_table.h"

namespace verdan {

const PlotDevice& hpgl_centred_device();
const PlotDevice& hpgl_corner_device();

}  // namespace verdan
