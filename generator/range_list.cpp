#include "generator/range_list.h"

#include <cmath>
#include <string>
#include <utility>

#include "platform/cp932.h"
#include "shared/leading_number.h"
#include "shared/rounding.h"

namespace verdan {

void walk_ranges(std::string_view list, double no_start, const std::function<void(double, double)>& range) {
  std::string text;
  double start = no_start;
  for (std::size_t i = 0; i < list.size(); i += char_length(list, i)) {
    std::size_t len = char_length(list, i);
    char c = list[i];
    if (len == 1 && c == '-') {
      start = leading_number(text);
      text.clear();
    } else if (len == 2 || (c != ',' && c != ' ')) {
      text.append(list.substr(i, len));
    } else {
      double end = leading_number(text);
      text.clear();
      if (start == no_start) start = end;
      if (end < start) std::swap(start, end);
      range(start, end);
      start = no_start;
    }
  }
}

void for_each_within(double first, double last, int low, int high, const std::function<void(int)>& visit) {
  // The loop runs over first + k for whole k; start at the first such value
  // that can round into [low, high], computed from the fraction alone so that
  // a huge typed number does not lose the count to rounding.
  double begin = first;
  if (begin < low - 0.5) {
    begin = std::floor(low - 0.5) + (first - std::floor(first));
    if (begin < low - 0.5) begin += 1;
  }
  double end = std::fmin(last, high + 0.5);
  for (double v = begin; v <= end; v += 1) {
    double r = round_half_away(v);
    if (r >= low && r <= high) visit(static_cast<int>(r));
  }
}

}  // namespace verdan
