// Device 7, this system's own: a standalone SVG picture of the drawing on
// a white sheet, in millimetres, for a browser or an image viewer.
//
// SVG's y axis runs downwards, so every y is turned over at the sheet's
// height; texts are UTF-8 and name Japanese fonts first.
#pragma once

#include "plt_draw/device_table.h"

namespace verdan {

const PlotDevice& svg_device();

}  // namespace verdan
