#include "platform/frontends/terminal/ansi_screen.h"

#include <gtest/gtest.h>

namespace verdan {
namespace {

int narrow(char32_t ch) { return ch >= 0x3000 && ch < 0xFF00 ? 2 : 1; }
int no_braille(char32_t ch) { return ch >= 0x2800 && ch <= 0x28FF ? -1 : narrow(ch); }

TEST(AnsiCells, MovesOnlyWhereTheCursorIsNotAndSetsColourOnChange) {
  AnsiPen pen;
  std::vector<CellChange> changes = {{3, 5, {U'A', 7, 1}}, {3, 6, {U'B', 7, 1}}, {4, 0, {U'C', 14, 1}}};
  EXPECT_EQ(ansi_cells(changes, CodeSet::utf8, narrow, pen),
            "\033[4;6H\033[0;37mAB\033[5;1H\033[0;1;33mC");
  EXPECT_EQ(ansi_move(4, 1, pen), "");
}

TEST(AnsiCells, WideCharactersInTheCodeSetAndBrailleAsDotsWhereItIsMissing) {
  AnsiPen pen;
  std::vector<CellChange> changes = {{0, 0, {U'山', 7, 2}}, {0, 1, {0, 0, 0}}, {0, 2, {U'\u2801', 2, 1}}};
  EXPECT_EQ(ansi_cells(changes, CodeSet::euc_jp, no_braille, pen),
            "\033[1;1H\033[0;37m\xBB\xB3\033[1;3H\033[0;31m.");
}

}  // namespace
}  // namespace verdan
