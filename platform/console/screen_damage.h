// Which of the 80 x 24 text cells changed since a front end last drew them:
// their character, the colour of their character, or the drawing under them
// (its pixels, or the label shown there). The screen model reports it; a
// front end draws these cells and no others.
#pragma once

#include <bitset>
#include <cstddef>

#include "platform/console/screen_size.h"

namespace verdan {

class ScreenDamage {
 public:
  // Every cell, for a device that holds nothing yet.
  static ScreenDamage whole_screen();

  // Inline: the drawing marks a cell for every pixel it changes.
  void mark_text(int row, int col) { text_[index(row, col)] = true; }
  void mark_color(int row, int col) { color_[index(row, col)] = true; }
  void mark_drawing(int row, int col) { drawing_[index(row, col)] = true; }
  void mark_all();
  // Adds the cells `other` marks.
  void merge(const ScreenDamage& other);
  void clear();

  // Queries of cells on the screen. "text": the character changed, what a
  // front end that shows only text draws again; else changed in any way.
  bool any() const;
  bool any_text() const { return text_.any(); }
  bool text_at(int row, int col) const { return text_[index(row, col)]; }
  bool at(int row, int col) const;
  bool text_in_row(int row) const;
  bool in_row(int row) const;
  // Cells changed in any way.
  int count() const;

 private:
  using Cells = std::bitset<static_cast<std::size_t>(kScreenRows * kScreenColumns)>;
  static std::size_t index(int row, int col) { return static_cast<std::size_t>(row * kScreenColumns + col); }

  Cells text_;
  Cells color_;
  Cells drawing_;
};

}  // namespace verdan
