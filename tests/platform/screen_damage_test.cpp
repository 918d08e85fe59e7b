// The screen model reports the cells whose look changed, and only those.
#include "platform/console/screen_model.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/codec/cp932.h"
#include "platform/console/label_placement.h"

namespace verdan {
namespace {

using Cells = std::vector<std::pair<int, int>>;

// The cells marked in any way, row by row.
Cells marked(const ScreenDamage& damage) {
  Cells cells;
  for (int row = 0; row < ScreenModel::kRows; ++row) {
    for (int col = 0; col < ScreenModel::kColumns; ++col) {
      if (damage.at(row, col)) cells.emplace_back(row, col);
    }
  }
  return cells;
}

// The terminal's plane: 2 x 4 pixels under each cell.
ScreenModel terminal_screen() { return ScreenModel(160, 96); }

TEST(ScreenModelDamage, OnlyCellsWhoseCharacterOrItsColourChangedAreMarked) {
  ScreenModel screen = terminal_screen();
  EXPECT_FALSE(screen.damage().any());
  screen.locate(2, 3);
  screen.put_text("AB ");  // the blank was blank already
  EXPECT_EQ(marked(screen.take_damage()), (Cells{{2, 3}, {2, 4}}));
  EXPECT_FALSE(screen.damage().any()) << "taken";

  screen.locate(2, 3);
  screen.put_text("AB");
  screen.locate(2, 3);
  screen.put_entry_text("AB");  // an echo looks the same
  screen.put_text("\x07");      // a control byte shows as the blank it replaces
  screen.set_color(4);
  screen.put_text(" ");  // a blank has no colour of its own
  EXPECT_FALSE(screen.take_damage().any());

  screen.locate(2, 4);
  screen.put_text("B");
  const ScreenDamage damage = screen.take_damage();
  EXPECT_EQ(marked(damage), (Cells{{2, 4}}));
  EXPECT_FALSE(damage.text_at(2, 4)) << "the colour changed, not the character";
}

TEST(ScreenModelDamage, AChangedHalfMarksTheWholeDoubleByteCharacter) {
  ScreenModel screen = terminal_screen();
  screen.put_text(sj("表"));
  screen.take_damage();
  screen.locate(0, 1);
  screen.put_text("a");  // the orphaned lead byte becomes a blank
  EXPECT_EQ(marked(screen.take_damage()), (Cells{{0, 0}, {0, 1}}));

  // "あ" and "い" differ only in their trail byte.
  screen.locate(1, 0);
  screen.put_text(sj("あ"));
  screen.take_damage();
  screen.locate(1, 0);
  screen.put_text(sj("い"));
  const ScreenDamage damage = screen.take_damage();
  EXPECT_TRUE(damage.text_at(1, 0));
  EXPECT_TRUE(damage.text_at(1, 1));

  screen.blank_cells(1, 1, 2);  // cuts the character: it goes whole
  EXPECT_EQ(marked(screen.take_damage()), (Cells{{1, 0}, {1, 1}}));
}

TEST(ScreenModelDamage, ScrollingClearingAndRestoringMarkTheCellsThatLookDifferent) {
  ScreenModel screen = terminal_screen();
  screen.set_window(3, 6);
  screen.locate(4, 0);
  screen.put_text("X");
  screen.locate(5, 0);
  screen.put_text("X");
  screen.take_damage();
  screen.locate(6, 0);
  screen.line_end();  // row 4's X to row 3, row 5's to row 4 where one was
  EXPECT_EQ(marked(screen.take_damage()), (Cells{{3, 0}, {5, 0}}));

  screen.clear_text();
  EXPECT_EQ(marked(screen.take_damage()), (Cells{{3, 0}, {4, 0}}));

  screen.locate(7, 0);
  screen.put_text("HELLO");
  const ScreenModel::Row saved = screen.save_row(7);
  screen.locate(7, 0);
  screen.put_text("HELP!");
  screen.take_damage();
  screen.restore_row(7, saved);
  EXPECT_EQ(marked(screen.take_damage()), (Cells{{7, 3}, {7, 4}}));
  screen.restore_row(7, saved);
  EXPECT_FALSE(screen.take_damage().any());
}

TEST(ScreenModelDamage, APixelMarksTheDrawingOfTheCellOverItWhenItChanges) {
  ScreenModel screen = terminal_screen();
  screen.set_pixel(15, 23, 5);  // the last pixel under cell (5, 7)
  screen.set_pixel(16, 24, 5);  // the first under (6, 8)
  screen.set_pixel(160, 0, 5);  // off the plane
  ScreenDamage damage = screen.take_damage();
  EXPECT_EQ(marked(damage), (Cells{{5, 7}, {6, 8}}));
  EXPECT_FALSE(damage.text_at(5, 7));
  screen.set_pixel(15, 23, 5);
  EXPECT_FALSE(screen.take_damage().any()) << "the same colour again";

  screen.box(20, 40, 139, 79, 2);  // around cells 10-69 of rows 10-19
  screen.take_damage();
  screen.fill(80, 60, 2, 2);
  damage = screen.take_damage();
  EXPECT_EQ(damage.count(), 60 * 10) << "every cell of the box holds some of its inside";
  EXPECT_FALSE(damage.at(9, 40));
  EXPECT_FALSE(damage.at(15, 9));

  screen.clear_drawing();
  EXPECT_EQ(screen.take_damage().count(), 60 * 10 + 2) << "the box, its inside, and the two pixels";

  // The window's plane: 8 x 16 pixels a cell.
  ScreenModel window(640, 384);
  window.set_pixel(7, 15, 1);
  window.set_pixel(8, 16, 1);
  window.set_pixel(639, 383, 1);
  EXPECT_EQ(marked(window.take_damage()), (Cells{{0, 0}, {1, 1}, {23, 79}}));
}

TEST(ScreenModelDamage, StrokesMarkTheirCellsThoughThePixelsStayTheSame) {
  ScreenModel screen = terminal_screen();
  screen.set_pixel(0, 0, 15);
  screen.take_damage();
  screen.begin_label();
  screen.set_pixel(0, 0, 15);  // a stroke now, no longer a braille dot
  screen.end_label("1", 0);    // an erasure: no label is kept
  EXPECT_TRUE(screen.labels().empty());
  EXPECT_EQ(marked(screen.take_damage()), (Cells{{0, 0}}));
}

TEST(ScreenModelDamage, CellsWhereALabelIsPlacedOrMovesAreMarkedWhenTaken) {
  ScreenModel screen = terminal_screen();
  screen.locate(11, 18);
  screen.put_text("XXXXXXXX");  // over the label's strokes
  screen.take_damage();
  screen.begin_label();
  screen.box(40, 44, 45, 47, 15);  // under cells 20-22 of row 11
  screen.end_label("12", 15);
  const LabelCells first = place_labels(screen);
  // Placed in the row above, where no pixel changed.
  ASSERT_TRUE(first[10][21] && first[10][22]);
  ScreenDamage damage = screen.take_damage();
  EXPECT_TRUE(damage.at(10, 21));
  EXPECT_TRUE(damage.at(10, 22));

  // Text takes one of its cells: the label moves.
  screen.locate(10, 22);
  screen.put_text("Y");
  const LabelCells moved = place_labels(screen);
  damage = screen.take_damage();
  int moved_cells = 0;
  for (int row = 0; row < ScreenModel::kRows; ++row) {
    for (int col = 0; col < ScreenModel::kColumns; ++col) {
      if (moved[row][col] == first[row][col]) continue;
      ++moved_cells;
      EXPECT_TRUE(damage.at(row, col)) << row << "," << col;
    }
  }
  EXPECT_EQ(moved_cells, 4) << "two cells left, two taken";
}

TEST(ScreenModelDamage, ModelsWithTheSameContentsAreEqualWhateverTheirDamage) {
  ScreenModel shown = terminal_screen();
  shown.put_text("A");
  shown.set_pixel(3, 3, 2);
  ScreenModel fresh = shown;
  shown.take_damage();
  EXPECT_EQ(shown, fresh);
}

}  // namespace
}  // namespace verdan
