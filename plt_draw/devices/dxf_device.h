// Device 6: an ASCII DXF drawing (AutoCAD R12 form) in millimetres.
//
// R12 is the form that CAD programs of every make still open, and it needs
// no handles or object tree. Its texts are in the drawing's code page, so
// the file declares ANSI_932 and carries the CP932 bytes as they are.
//
// The tables must come before the entities and list every layer the
// entities use, so the entities are held in the plot state and PLT_END
// writes tables and entities together; INIT's plot_reset is the header.
//
// A drawing of many megabytes goes faster into a replacement plot file
// when the caller says which layers it expects: past the held text's
// memory, the tables for the layers used so far and those expected go into
// the file, the entities straight after them, and PLT_END puts the tables
// of the layers used in their place, moving the entities along where the
// two differ in size. The file's bytes are a held drawing's either way;
// nothing else may be written to the plot file until PLT_END.
#pragma once

#include "plt_draw/device_table.h"

namespace verdan {

const PlotDevice& dxf_device();

// A layer the drawing is expected to use, by plot_layer and the pen of its
// lines and circles, or pen 0 for its texts; INIT forgets them.
void dxf_expect_layer(PlotState& s, float plot_layer, int pen);

// The plot file is closed or dropped: entities that went straight into it
// went with it, and the next INIT has nothing there to take back.
void dxf_plot_file_gone(PlotState& s);

}  // namespace verdan
