#include "platform/console/screen_model.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <tuple>
#include <utility>

#include "platform/codec/cp932.h"

namespace verdan {
namespace {

// Coordinates far off the plane are pulled in this far, so that the line
// arithmetic below stays inside 64 bits.
constexpr int kCoordLimit = 1 << 24;

int clamp_coord(int v) { return std::clamp(v, -kCoordLimit, kCoordLimit); }

bool is_control(char byte) {
  auto b = static_cast<unsigned char>(byte);
  return b < 0x20 || b == 0x7F;
}

// Whether a front end shows the cell's character: blanks and control bytes
// alike show the drawing under them, in no colour of their own.
bool shows_character(const Cell& cell) {
  return cell.kind != CellKind::single || !(cell.byte == ' ' || is_control(cell.byte));
}

// Cells compared as the four bytes they are.
static_assert(sizeof(Cell) == 4);
bool same_cell(const Cell& a, const Cell& b) { return std::memcmp(&a, &b, sizeof(Cell)) == 0; }

// The cell of each of `pixels` pixels when `cells` cells share them evenly.
std::vector<std::uint8_t> cells_over(int pixels, int cells) {
  std::vector<std::uint8_t> cell_of(static_cast<std::size_t>(pixels));
  for (int p = 0; p < pixels; ++p) cell_of[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(p * cells / pixels);
  return cell_of;
}

}  // namespace

ScreenModel::ScreenModel(int plane_width, int plane_height)
    : width_(std::max(plane_width, 0)),
      height_(std::max(plane_height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0),
      ink_(pixels_.size(), 0),
      column_of_x_(cells_over(width_, kColumns)),
      row_of_y_(cells_over(height_, kRows)) {}

bool operator==(const ScreenModel& a, const ScreenModel& b) {
  auto contents = [](const ScreenModel& m) {
    return std::tie(m.cells_, m.row_, m.col_, m.color_, m.top_, m.bottom_, m.width_, m.height_, m.pixels_,
                    m.ink_, m.in_label_, m.echoing_, m.ink_left_, m.ink_top_, m.ink_right_, m.ink_bottom_,
                    m.labels_);
  };
  return contents(a) == contents(b);
}

void ScreenModel::set_cell(int row, int col, const Cell& cell) {
  Cell& old = cells_[row][col];
  if (same_cell(old, cell)) return;
  mark_change(row, col, old, cell);
  old = cell;
}

void ScreenModel::mark_change(int row, int col, const Cell& old, const Cell& cell) {
  const bool was_shown = shows_character(old);
  const bool shown = shows_character(cell);
  const bool text = was_shown != shown || (shown && (old.byte != cell.byte || old.kind != cell.kind));
  const bool color = was_shown && shown && old.color != cell.color;
  if (!text && !color) return;
  // Both halves of a double-byte character show it, before and after.
  int from = col;
  int to = col;
  if (old.kind == CellKind::trail || cell.kind == CellKind::trail) from = std::max(col - 1, 0);
  if (old.kind == CellKind::lead || cell.kind == CellKind::lead) to = std::min(col + 1, kColumns - 1);
  for (int c = from; c <= to; ++c) {
    if (text) damage_.mark_text(row, c);
    if (color) damage_.mark_color(row, c);
  }
}

void ScreenModel::locate(int row, int col) {
  row_ = std::clamp(row, 0, kRows - 1);
  col_ = std::clamp(col, 0, kColumns - 1);
}

void ScreenModel::put_cell(int col, char byte, CellKind kind) {
  set_cell(row_, col, Cell{byte, color_, kind, echoing_});
}

// Before cells col .. col+width-1 are written: a double-byte character that
// sticks out of that range on either side loses its other half.
void ScreenModel::blank_orphans(int col, int width) {
  const Row& row = cells_[row_];
  if (row[col].kind == CellKind::trail && col > 0) set_cell(row_, col - 1, Cell{' ', row[col - 1].color});
  int last = col + width - 1;
  if (row[last].kind == CellKind::lead && last + 1 < kColumns) {
    set_cell(row_, last + 1, Cell{' ', row[last + 1].color});
  }
}

void ScreenModel::put_text(std::string_view cp932) { put_chars(cp932, false); }

void ScreenModel::put_entry_text(std::string_view cp932) { put_chars(cp932, true); }

int ScreenModel::value_end(int row, int col) const {
  if (row < 0 || row >= kRows || col < 0) return col;
  int end = col;
  while (end < kColumns) {
    const Cell& cell = cells_[row][end];
    bool blank = cell.kind == CellKind::single && (cell.byte == ' ' || is_control(cell.byte));
    if (blank && !cell.entry) break;
    ++end;
  }
  return end;
}

void ScreenModel::blank_cells(int row, int from, int to) {
  if (row < 0 || row >= kRows) return;
  from = std::clamp(from, 0, kColumns);
  to = std::clamp(to, from, kColumns);
  const Row& cells = cells_[row];
  // A double-byte character cut by either edge goes whole.
  if (from < to && cells[from].kind == CellKind::trail && from > 0) --from;
  if (from < to && cells[to - 1].kind == CellKind::lead && to < kColumns) ++to;
  for (int c = from; c < to; ++c) set_cell(row, c, Cell{' ', cells[c].color});
}

void ScreenModel::put_chars(std::string_view cp932, bool entry) {
  echoing_ = entry;
  for (std::size_t pos = 0; pos < cp932.size();) {
    std::size_t length = char_length(cp932, pos);
    if (length == 2) {
      if (col_ == kColumns - 1) {
        // No room for both halves: column 79 stays blank.
        blank_orphans(col_, 1);
        put_cell(col_, ' ', CellKind::single);
        col_ = kColumns;
      }
      if (col_ >= kColumns) line_end();
      blank_orphans(col_, 2);
      put_cell(col_, cp932[pos], CellKind::lead);
      put_cell(col_ + 1, cp932[pos + 1], CellKind::trail);
      col_ += 2;
    } else {
      if (col_ >= kColumns) line_end();
      blank_orphans(col_, 1);
      put_cell(col_, cp932[pos], CellKind::single);
      col_ += 1;
    }
    pos += length;
  }
  echoing_ = false;
}

void ScreenModel::line_end() {
  col_ = 0;
  if (row_ == bottom_) {
    scroll_window();
  } else if (row_ < kRows - 1) {
    ++row_;
  }
}

void ScreenModel::blank_row(int row) { restore_row(row, Row{}); }

void ScreenModel::scroll_window() {
  for (int r = top_; r < bottom_; ++r) restore_row(r, cells_[r + 1]);
  blank_row(bottom_);
}

void ScreenModel::clear_text() {
  for (int r = top_; r <= bottom_; ++r) blank_row(r);
  row_ = top_;
  col_ = 0;
}

void ScreenModel::set_window(int top, int bottom) {
  top = std::clamp(top, 0, kRows - 1);
  bottom = std::clamp(bottom, 0, kRows - 1);
  if (top > bottom) std::swap(top, bottom);
  top_ = top;
  bottom_ = bottom;
}

ScreenModel::Row ScreenModel::save_row(int row) const {
  if (row < 0 || row >= kRows) return Row{};
  return cells_[row];
}

void ScreenModel::restore_row(int row, const Row& cells) {
  if (row < 0 || row >= kRows) return;
  Row& now = cells_[row];
  // A run of equal cells is passed at once: scrolling compares every row.
  constexpr int kRun = 8;
  for (int from = 0; from < kColumns; from += kRun) {
    if (std::memcmp(&now[from], &cells[from], kRun * sizeof(Cell)) == 0) continue;
    for (int c = from; c < from + kRun; ++c) set_cell(row, c, cells[c]);
  }
}

Cell ScreenModel::cell(int row, int col) const {
  if (row < 0 || row >= kRows || col < 0 || col >= kColumns) return Cell{};
  return cells_[row][col];
}

std::string ScreenModel::row_bytes(int row) const {
  std::string bytes(kColumns, ' ');
  if (row < 0 || row >= kRows) return bytes;
  for (int c = 0; c < kColumns; ++c) {
    const Cell& cell = cells_[row][c];
    // A control byte would break a dump's lines; halves of a pair are kept
    // so that the codec sees the pair whole.
    if (cell.kind != CellKind::single || !is_control(cell.byte)) bytes[c] = cell.byte;
  }
  return bytes;
}

std::string ScreenModel::row_text(int row) const {
  std::string bytes = row_bytes(row);
  bytes.erase(bytes.find_last_not_of(' ') + 1);
  return to_utf8(bytes);
}

int ScreenModel::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void ScreenModel::widen_ink(int x, int y) {
  if (ink_right_ < ink_left_) {
    ink_left_ = ink_right_ = x;
    ink_top_ = ink_bottom_ = y;
  }
  ink_left_ = std::min(ink_left_, x);
  ink_right_ = std::max(ink_right_, x);
  ink_top_ = std::min(ink_top_, y);
  ink_bottom_ = std::max(ink_bottom_, y);
}

void ScreenModel::clear_drawing() {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) put_pixel(static_cast<std::size_t>(y) * width_ + x, x, y, 0, 0);
  }
  labels_changed_ = labels_changed_ || !labels_.empty();
  labels_.clear();
}

void ScreenModel::begin_label() {
  in_label_ = true;
  ink_left_ = ink_top_ = 0;
  ink_right_ = ink_bottom_ = -1;
}

void ScreenModel::end_label(std::string_view cp932, int color) {
  in_label_ = false;
  if (ink_right_ < ink_left_) return;
  Label label{std::string(cp932), ink_left_, ink_top_, ink_right_, ink_bottom_,
              static_cast<std::uint8_t>(color & 15)};
  const std::size_t dropped = std::erase_if(labels_, [&](const Label& old) {
    return old.left <= label.right && label.left <= old.right && old.top <= label.bottom &&
           label.top <= old.bottom;
  });
  const bool kept = label.color != 0 && !label.text.empty();
  if (kept) labels_.push_back(std::move(label));
  labels_changed_ = labels_changed_ || dropped > 0 || kept;
}

bool ScreenModel::label_ink(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
  return ink_[static_cast<std::size_t>(y) * width_ + x] != 0;
}

void ScreenModel::line(int x1, int y1, int x2, int y2, int color) {
  x1 = clamp_coord(x1);
  y1 = clamp_coord(y1);
  x2 = clamp_coord(x2);
  y2 = clamp_coord(y2);
  // Step along the longer axis from its lower end, so that a line and its
  // reverse set the same pixels; only the steps on the plane are taken.
  bool steep = std::abs(y2 - y1) > std::abs(x2 - x1);
  if (steep) {
    std::swap(x1, y1);
    std::swap(x2, y2);
  }
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const std::int64_t dx = x2 - x1;
  const std::int64_t dy = y2 - y1;
  const int major_size = steep ? height_ : width_;
  const int from = std::max(x1, 0);
  const int to = std::min(x2, major_size - 1);
  if (from > to) return;
  // The minor offset at each step is step * dy / dx rounded half away from
  // zero: with a = |dy|, the whole part of (2 * step * a + dx) / (2 * dx). Its quotient
  // and remainder are carried from step to step (a <= dx, so the quotient
  // grows by one at most): large frames draw millions of short lines.
  const std::int64_t a = dy < 0 ? -dy : dy;
  const std::int64_t twice_dx = 2 * dx;
  const std::int64_t start = 2 * (from - static_cast<std::int64_t>(x1)) * a + dx;
  std::int64_t whole = dx == 0 ? 0 : start / twice_dx;
  std::int64_t rest = dx == 0 ? 0 : start % twice_dx;
  for (int major = from; major <= to; ++major) {
    const auto minor = static_cast<int>(y1 + (dy < 0 ? -whole : whole));
    if (steep) {
      set_pixel(minor, major, color);
    } else {
      set_pixel(major, minor, color);
    }
    rest += 2 * a;
    if (rest >= twice_dx) {
      rest -= twice_dx;
      ++whole;
    }
  }
}

void ScreenModel::box(int x1, int y1, int x2, int y2, int color) {
  line(x1, y1, x2, y1, color);
  line(x2, y1, x2, y2, color);
  line(x2, y2, x1, y2, color);
  line(x1, y2, x1, y1, color);
}

void ScreenModel::fill(int x, int y, int color, int border) {
  border &= 15;
  int seed = pixel(x, y);
  if (seed < 0 || seed == border) return;
  // Scanline fill with an explicit stack; `done` keeps the fill finite when
  // the paint colour is neither the border nor the region's colour.
  std::vector<std::uint8_t> done(pixels_.size(), 0);
  auto open = [&](int px, int py) {
    std::size_t i = static_cast<std::size_t>(py) * width_ + px;
    return !done[i] && pixels_[i] != border;
  };
  std::vector<std::pair<int, int>> stack{{x, y}};
  while (!stack.empty()) {
    auto [sx, sy] = stack.back();
    stack.pop_back();
    if (!open(sx, sy)) continue;
    int left = sx;
    while (left > 0 && open(left - 1, sy)) --left;
    int right = sx;
    while (right < width_ - 1 && open(right + 1, sy)) ++right;
    for (int px = left; px <= right; ++px) {
      std::size_t i = static_cast<std::size_t>(sy) * width_ + px;
      done[i] = 1;
      put_pixel(i, px, sy, static_cast<std::uint8_t>(color & 15), 0);
    }
    for (int ny : {sy - 1, sy + 1}) {
      if (ny < 0 || ny >= height_) continue;
      bool in_run = false;
      for (int px = left; px <= right; ++px) {
        bool o = open(px, ny);
        if (o && !in_run) stack.emplace_back(px, ny);
        in_run = o;
      }
    }
  }
}

ScreenDamage ScreenModel::take_damage() {
  // Text written or blanked may take or free the cells a label wants.
  if (labels_changed_ || (!labels_.empty() && damage_.any_text())) {
    const LabelCells placed = place_labels(*this);
    for (int row = 0; row < kRows; ++row) {
      for (int col = 0; col < kColumns; ++col) {
        if (placed[row][col] != placed_[row][col]) damage_.mark_drawing(row, col);
      }
    }
    placed_ = placed;
    labels_changed_ = false;
  }
  return std::exchange(damage_, ScreenDamage{});
}

}  // namespace verdan
