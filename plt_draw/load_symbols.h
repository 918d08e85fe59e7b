// Pictograms of member-load types on the console's drawing plane, for a
// load-input screen: a distributed load, two point loads, and the member-end
// quantities. Each sits at fixed grid places; grid point (a, b) is pixel
// (a x unit_x, b x unit_y). `visible` 0 draws in colour 0, erasing what the
// same call with the same units drew. They share DRAW's pen and line_color.
#pragma once

#include "platform/console/console.h"
#include "shared/screen_draw.h"

namespace verdan {

// A distributed load block with its length dimension, in colour 13. The pen
// ends at (74, 22) and line_color stays 13 (0 when erasing).
void DRAW_DKI(Console& console, PenState& pen, float unit_x, float unit_y, float visible);

// A member with two point loads (arrows in 11) and their distances (15).
// The pen does not move; line_color becomes 13 (0 when erasing).
void DRAW_SYU(Console& console, PenState& pen, float unit_x, float unit_y, float visible);

// The fixed-end and simple-beam moment curves (9) over two members (13),
// the mid-span mark (15) and the end shears (11). The pen ends at (67, 19)
// and line_color stays 11 (0 when erasing).
void DRAW_CMQ(Console& console, PenState& pen, float unit_x, float unit_y, float visible);

}  // namespace verdan
