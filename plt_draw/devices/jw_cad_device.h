// Device 5: the JW_CAD intermediate file, one record a line, circle or
// text, which TMP2JWC later converts into a JW_CAD drawing. Its numbers are
// binary singles in the drawing's units; its texts stay CP932.
#pragma once

#include "plt_draw/device_table.h"

namespace verdan {

const PlotDevice& jw_cad_device();

}  // namespace verdan
