// Where a text front end shows the screen's labels: each label's text in
// the free cells nearest to the middle of its strokes, in its colour.
// Pure, so tests can check it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/console/screen_size.h"

namespace verdan {

class ScreenModel;

struct LabelCell {
  char32_t ch = U' ';
  std::uint8_t color = 15;
  friend bool operator==(const LabelCell&, const LabelCell&) = default;
};

using LabelCells = std::array<std::array<std::optional<LabelCell>, kScreenColumns>, kScreenRows>;

// The cells the labels take, in the order they were drawn. A cell is free
// when it holds no text and no earlier label; a label whose text does not
// fit anywhere is left out. Double-byte characters of a label show as `?`.
LabelCells place_labels(const ScreenModel& screen);

}  // namespace verdan
