#include "plt_draw/conversion_progress.h"

#include <algorithm>

#include "platform/codec/cp932.h"
#include "platform/fallible_step.h"
#include "shared/rounding.h"

namespace verdan {

ConversionProgress::ConversionProgress(Console& console, std::string_view spinner)
    : console_(console), spinner_(spinner), row_(console.cursor_row()), col_(console.cursor_col()) {}

void ConversionProgress::advance() {
  ++counter_;
  // round(1 + counter / 10), halves away from zero.
  const auto position = static_cast<std::size_t>((counter_ + 15) / 10);
  // The same character again changes nothing on screen; a million records
  // should not cost a million console writes.
  if (position <= spinner_.size() && position != shown_) {
    console_.locate(row_, col_);
    console_.write(std::string_view(spinner_).substr(position - 1, 1));
    shown_ = position;
  }
  if (counter_ >= 10 * static_cast<int>(spinner_.size())) counter_ = 0;
}

void ConversionProgress::damaged(std::string_view tmp_file) {
  console_.locate(row_, 0);
  console_.write(std::string(79, ' '));
  console_.set_color(2);
  console_.beep();
  const double centre = 20 - static_cast<double>(tmp_file.size()) / 2;
  console_.locate(row_, std::max(0, to_int(centre)));
  console_.write(sj(">>> JWC 中間 File ") + std::string(tmp_file) + sj(" が壊れています！ <<<"));
  console_.wait_ticks(300);
  throw ProgramEnd{1};
}

}  // namespace verdan
