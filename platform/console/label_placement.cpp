#include "platform/console/label_placement.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/codec/cp932.h"
#include "platform/console/screen_model.h"

namespace verdan {
namespace {

struct Offset {
  int rows;
  int cols;
};

// Every move on the screen, nearest first. A row is about twice as tall as
// a column is wide, so a row away counts as two columns.
const std::vector<Offset>& offsets_by_distance() {
  static const std::vector<Offset> table = [] {
    std::vector<Offset> all;
    for (int r = -(ScreenModel::kRows - 1); r < ScreenModel::kRows; ++r) {
      for (int c = -(ScreenModel::kColumns - 1); c < ScreenModel::kColumns; ++c) all.push_back({r, c});
    }
    std::stable_sort(all.begin(), all.end(), [](const Offset& a, const Offset& b) {
      auto cost = [](const Offset& o) { return 4 * o.rows * o.rows + o.cols * o.cols; };
      return cost(a) < cost(b);
    });
    return all;
  }();
  return table;
}

bool holds_text(const Cell& cell) {
  auto b = static_cast<unsigned char>(cell.byte);
  return cell.kind != CellKind::single || (b > 0x20 && b != 0x7F);
}

// The label's characters, one a cell.
std::u32string label_chars(const std::string& cp932) {
  std::u32string chars;
  for (std::size_t pos = 0; pos < cp932.size();) {
    std::size_t length = char_length(cp932, pos);
    chars.push_back(length == 1 ? static_cast<unsigned char>(cp932[pos]) : U'?');
    pos += length;
  }
  return chars;
}

}  // namespace

LabelCells place_labels(const ScreenModel& screen) {
  LabelCells placed{};
  if (screen.labels().empty() || screen.plane_width() <= 0 || screen.plane_height() <= 0) return placed;
  const double cell_width = static_cast<double>(screen.plane_width()) / ScreenModel::kColumns;
  const double cell_height = static_cast<double>(screen.plane_height()) / ScreenModel::kRows;
  for (const Label& label : screen.labels()) {
    const std::u32string chars = label_chars(label.text);
    const int width = static_cast<int>(chars.size());
    if (width == 0 || width > ScreenModel::kColumns) continue;
    const double middle_x = (label.left + label.right + 1) / 2.0;
    const double middle_y = (label.top + label.bottom + 1) / 2.0;
    const int row = std::clamp(static_cast<int>(middle_y / cell_height), 0, ScreenModel::kRows - 1);
    const int col = static_cast<int>(middle_x / cell_width - width / 2.0 + 0.5);
    auto free_at = [&](int r, int c) {
      if (r < 0 || r >= ScreenModel::kRows || c < 0 || c + width > ScreenModel::kColumns) return false;
      for (int i = 0; i < width; ++i) {
        if (placed[r][c + i] || holds_text(screen.cell(r, c + i))) return false;
      }
      return true;
    };
    for (const Offset& offset : offsets_by_distance()) {
      const int r = row + offset.rows;
      const int c = col + offset.cols;
      if (!free_at(r, c)) continue;
      for (int i = 0; i < width; ++i) placed[r][c + i] = LabelCell{chars[i], label.color};
      break;
    }
  }
  return placed;
}

}  // namespace verdan
