// Device 6: an ASCII DXF drawing (AutoCAD R12 form) in millimetres.
//
// R12 is the form that CAD programs of every make still open, and it needs
// no handles or object tree. Its texts are in the drawing's code page, so
// the file declares ANSI_932 and carries the CP932 bytes as they are.
//
// The tables must come before the entities and list every layer the
// entities use, so the entities are held in the plot state and PLT_END
// writes tables and entities together; INIT's plot_reset is the header.
#pragma once

#include "plt_draw/device_table.h"

namespace verdan {

const PlotDevice& dxf_device();

}  // namespace verdan
