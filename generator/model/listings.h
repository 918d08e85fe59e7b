// What the print file receives: the member number ranges and the drawing
// in characters, for the numbered frame and for the grid beam.
#pragma once

#include "generator/grid_model.h"
#include "generator/numbering.h"
#include "platform/text_sink.h"

namespace verdan {

void write_frame_listing(TextSink& listing, const NumberedFrame& numbered, const FrameModel& frame);
void write_grid_listing(TextSink& listing, const GridBeam& grid);

}  // namespace verdan
