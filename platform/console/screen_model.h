// The console's contents as a plain value: 80 x 24 CP932 text cells, the
// cursor, the text colour and window, and a pixel plane of palette indices.
// It reports which cells changed (damage), so front ends draw only those.
// No I/O here: front ends present it, tests read it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console/label_placement.h"
#include "platform/console/screen_damage.h"
#include "platform/console/screen_size.h"

namespace verdan {

// Which part of a character a text cell holds. A double-byte character takes
// two cells: its lead byte, then its trail byte.
enum class CellKind : std::uint8_t { single, lead, trail };

struct Cell {
  char byte = ' ';
  std::uint8_t color = 7;
  CellKind kind = CellKind::single;
  // Echo of a line entry rather than text the program printed: the extent
  // of an old entry is known even where it holds blanks.
  bool entry = false;
  friend bool operator==(const Cell&, const Cell&) = default;
};

// Text that a drawing routine wrote with strokes (a number beside the frame
// picture), kept besides its pixels so that a front end without the
// resolution to read the strokes can show the text instead.
struct Label {
  std::string text;  // CP932
  // Pixel box the strokes cover, corners included.
  int left = 0, top = 0, right = -1, bottom = -1;
  std::uint8_t color = 15;
  friend bool operator==(const Label&, const Label&) = default;
};

class ScreenModel {
 public:
  static constexpr int kRows = kScreenRows;
  static constexpr int kColumns = kScreenColumns;
  static constexpr int kDefaultColor = 7;
  using Row = std::array<Cell, kColumns>;

  // A blank screen (colour 7, full window, cursor home) over a cleared plane
  // of the given size in pixels.
  ScreenModel(int plane_width, int plane_height);

  // --- text ---

  // Moves the cursor; positions off the screen are clipped to its edge.
  void locate(int row, int col);
  // Cursor row 0-23.
  int cursor_row() const { return row_; }
  // Cursor column 0-79. After a character was written into column 79 the
  // cursor stays there until the next character wraps it to the next row.
  int cursor_col() const { return col_ < kColumns ? col_ : kColumns - 1; }
  // Output column counted from the start of the row: 80 once column 79 has
  // been written (the wrap is still pending).
  int output_column() const { return col_; }

  // Colour of text written from now on; taken modulo 16.
  void set_color(int color) { color_ = static_cast<std::uint8_t>(color & 15); }
  int color() const { return color_; }

  // Writes CP932 bytes at the cursor. Past column 79 text wraps to the next
  // row (as a line end would, scrolling the window); a double-byte character
  // that would start in column 79 leaves that column blank and goes to the
  // next row. Half of a double-byte character that is overwritten takes its
  // other half with it (the orphan becomes a blank). Bytes below 0x20 are
  // stored as they are and shown as blanks.
  void put_text(std::string_view cp932);
  // put_text for the echo of a line entry: the cells are marked as entry.
  void put_entry_text(std::string_view cp932);

  // End column (exclusive) of the value shown from (row, col) on: printed
  // text up to the first blank, and an earlier entry's echo whole, blanks
  // and all. `col` itself when the cell there is a blank.
  int value_end(int row, int col) const;
  // Blanks cells from..to-1 of `row` in their own colours.
  void blank_cells(int row, int from, int to);

  // Cursor to column 0 of the next row. On the window's last row the window
  // scrolls up one row instead; on row 23 below the window it stays put.
  void line_end();

  // Scrolls the rows of the window up by one; its last row becomes blank.
  void scroll_window();

  // Blanks the rows of the text window (the whole screen unless a window
  // was set) and puts the cursor at the window's top left. The drawing stays.
  void clear_text();

  // Limits scrolling to rows top..bottom (clipped to 0-23, put in order).
  // The cursor does not move.
  void set_window(int top, int bottom);
  // First and last row of the text window.
  int window_top() const { return top_; }
  int window_bottom() const { return bottom_; }

  // A row's cells, for putting back byte for byte with restore_row.
  // Rows off the screen give blanks / are ignored.
  Row save_row(int row) const;
  void restore_row(int row, const Row& cells);

  // The cell at (row, col); a blank cell for positions off the screen.
  Cell cell(int row, int col) const;

  // The row's CP932 bytes, 80 of them, control bytes shown as blanks.
  std::string row_bytes(int row) const;
  // The row as UTF-8 with trailing blanks cut: what a screen dump shows.
  std::string row_text(int row) const;

  // --- drawing ---

  // Size of the pixel plane.
  int plane_width() const { return width_; }
  int plane_height() const { return height_; }
  // Palette index at (x, y), or -1 off the plane.
  int pixel(int x, int y) const;
  // Sets one pixel; off the plane nothing happens. Inline: a large frame's
  // picture sets millions.
  void set_pixel(int x, int y, int color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    put_pixel(i, x, y, static_cast<std::uint8_t>(color & 15), in_label_ ? 1 : 0);
    if (in_label_) widen_ink(x, y);
  }
  // All pixels to 0; the labels go with them.
  void clear_drawing();

  // Pixels set between begin_label and end_label are the label's strokes;
  // end_label records the label over their box. A label in colour 0 (an
  // erasure) or without pixels on the plane is not kept; either way labels
  // that overlap its box are dropped, since their strokes are overdrawn.
  void begin_label();
  void end_label(std::string_view cp932, int color);
  const std::vector<Label>& labels() const { return labels_; }
  // Whether the pixel was last set by a label's strokes.
  bool label_ink(int x, int y) const;

  // A straight line with both end points set, clipped to the plane. The same
  // pixels are set whichever end comes first.
  void line(int x1, int y1, int x2, int y2, int color);
  // The outline of the rectangle with corners (x1, y1) and (x2, y2).
  void box(int x1, int y1, int x2, int y2, int color);
  // Paints the 4-connected region around (x, y) that holds no pixel of the
  // border colour. A seed on the border colour or off the plane paints nothing.
  void fill(int x, int y, int color, int border);

  // --- damage ---

  // The cells changed since damage was last taken. Cells whose placed label
  // moved are added only when it is taken.
  const ScreenDamage& damage() const { return damage_; }
  // The damage, with the cells where the labels' placement (place_labels)
  // changed; afterwards nothing counts as changed.
  ScreenDamage take_damage();
  // Counts every cell as changed: the device shows something else now.
  void damage_all() { damage_ = ScreenDamage::whole_screen(); }

  // Equal contents; the damage and what it was taken against do not count.
  friend bool operator==(const ScreenModel& a, const ScreenModel& b);

 private:
  // Pixel i, at (x, y), to `value`; a change damages the cell over it.
  void put_pixel(std::size_t i, int x, int y, std::uint8_t value, std::uint8_t ink) {
    if (pixels_[i] == value && ink_[i] == ink) return;
    pixels_[i] = value;
    ink_[i] = ink;
    damage_.mark_drawing(row_of_y_[static_cast<std::size_t>(y)], column_of_x_[static_cast<std::size_t>(x)]);
  }
  // Takes (x, y) into the box of the label being drawn.
  void widen_ink(int x, int y);
  // Writes a cell, marking the damage a front end can see.
  void set_cell(int row, int col, const Cell& cell);
  void mark_change(int row, int col, const Cell& old, const Cell& cell);
  void put_cell(int col, char byte, CellKind kind);
  void blank_orphans(int col, int width);
  void blank_row(int row);
  void put_chars(std::string_view cp932, bool entry);

  std::array<Row, kRows> cells_{};
  int row_ = 0;
  int col_ = 0;  // 0-80; 80 means a wrap is pending
  std::uint8_t color_ = kDefaultColor;
  int top_ = 0;
  int bottom_ = kRows - 1;
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
  std::vector<std::uint8_t> ink_;  // 1 where a label's strokes set the pixel
  bool in_label_ = false;
  bool echoing_ = false;
  int ink_left_ = 0, ink_top_ = 0, ink_right_ = -1, ink_bottom_ = -1;
  std::vector<Label> labels_;
  // The text cell over each column and row of pixels, as the front ends lay
  // the plane under the text.
  std::vector<std::uint8_t> column_of_x_;
  std::vector<std::uint8_t> row_of_y_;
  ScreenDamage damage_;
  bool labels_changed_ = false;
  LabelCells placed_{};  // the placement when damage was last taken
};

}  // namespace verdan
