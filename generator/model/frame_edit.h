// Member editing on the frame model: a pair of range lists (levels, axes)
// toggles every member it addresses, as the dialogue's editing screens do.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "generator/frame_model.h"
#include "generator/range_list.h"

namespace verdan {

// A typed list as the editing screens take it: full-width numerals made
// narrow and a separator closing the last range.
std::string edit_list(std::string_view typed);

// The levels and axes a pair of lists reaches for one kind of member, each
// once, in the order of its last address.
struct EditReach {
  std::vector<AddressedIndex> levels, axes;
};
EditReach edit_reach(const FrameModel& frame, MemberKind kind, std::string_view level_list,
                     std::string_view axis_list);

// Toggles every member the lists address and calls `changed(toggle)` for
// each, in drawing order. A member addressed several times is visited once,
// so a long list on a large frame costs one pass over what it reaches.
template <typename Changed>
void toggle_members(FrameModel& frame, MemberKind kind, std::string_view level_list, std::string_view axis_list,
                  Changed&& changed) {
  const EditReach reach = edit_reach(frame, kind, level_list, axis_list);
  for (const AddressedIndex& level : reach.levels) {
    for (const AddressedIndex& axis : reach.axes) {
      changed(frame.toggle(kind, level.index, axis.index, level.odd && axis.odd));
    }
  }
}

}  // namespace verdan
