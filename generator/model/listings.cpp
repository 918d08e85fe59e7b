#include "generator/model/listings.h"

#include "generator/frame_drawing.h"
#include "platform/codec/cp932.h"
#include "shared/print.h"

namespace verdan {

void write_frame_listing(TextSink& listing, const NumberedFrame& numbered, const FrameModel& frame) {
  const struct {
    const MemberRange& range;
    const char* mask;
  } groups[] = {{numbered.columns, "柱　　　　部材番号　### -### "},
                {numbered.beams, "梁　　　　部材番号　### -### "},
                {numbered.braces, "ブレース　部材番号　### -### "}};
  for (const auto& group : groups) {
    if (!group.range.empty()) print(listing, Using(sj(group.mask), {group.range.first, group.range.last}));
  }
  print(listing);
  print(listing);
  write_frame_drawing(listing, frame);
}

void write_grid_listing(TextSink& listing, const GridBeam& grid) {
  print(listing);
  print(listing, Using(sj("つなぎ材　部材番号#### -####"), {grid.first_tie(), grid.member_count()}));
  print(listing);
  write_grid_drawing(listing, grid);
}

}  // namespace verdan
