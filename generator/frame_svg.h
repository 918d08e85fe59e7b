// The frame as the plot library's SVG device draws it, for --picture: the
// members present after the edits (braces dashed) with the axis and level
// numbers, fitted to an A4 landscape sheet.
#pragma once

#include "generator/frame_model.h"
#include "platform/text_sink.h"

namespace verdan {

// Reads the member states, so it is written before numbering replaces them.
void write_frame_svg(TextSink& sink, const FrameModel& frame);

}  // namespace verdan
