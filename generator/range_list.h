// The range lists of member editing ("1,2 5 6-10"): each separator closes
// one range [start, end]; a range without a start is the single number, a
// start of `no_start` counts as none, and reversed ranges are put in order.
#pragma once

#include <functional>
#include <string_view>

namespace verdan {

// Calls `range(start, end)` for each range of `list` in order. The list is
// walked as typed; a trailing separator closes the last range.
void walk_ranges(std::string_view list, double no_start, const std::function<void(double, double)>& range);

// Calls `visit(i)` for i = first, first + 1, ... up to last, only for the
// values within [low, high], rounded half away from zero; values outside
// are skipped without being visited, so a huge typed range costs nothing.
void for_each_within(double first, double last, int low, int high, const std::function<void(int)>& visit);

}  // namespace verdan
