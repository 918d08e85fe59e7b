// The numbered frame drawn in characters for the print file: nodes, beams,
// columns and braces with their numbers, storey heights and span lengths,
// in blocks of at most 20 spans.
#pragma once

#include "generator/frame_model.h"
#include "platform/text_sink.h"

namespace verdan {

// Writes the drawing of a numbered frame (node_use and the member tables
// holding numbers, 0 or less where there is nothing).
void write_frame_drawing(TextSink& sink, const FrameModel& frame);

}  // namespace verdan
