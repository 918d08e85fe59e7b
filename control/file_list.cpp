// The list of data files: a scrolling list in which RETURN marks a file for
// deletion; ESC deletes the marked files, Home/Clear leaves without.
#include <string>

#include "control/control_program.h"
#include "platform/codec/cp932.h"
#include "shared/print.h"

namespace verdan {
namespace {

constexpr int kListTop = 2;
constexpr int kListBottom = 22;
constexpr int kPageRows = kListBottom - kListTop + 1;

constexpr int kKeyUp = 30;
constexpr int kKeyDown = 31;
constexpr int kKeyPageDown = 127;  // DEL
constexpr int kKeyPageUp = 18;     // INS
constexpr int kKeyToggle = 13;     // RETURN
constexpr int kKeyDelete = 27;     // ESC
constexpr int kKeyLeave = 11;      // Home/Clear

constexpr int kColorKept = 7;
constexpr int kColorMarked = 2;
constexpr int kColorCursor = 4;

}  // namespace

int ControlProgram::shown_count() const { return static_cast<int>(index_.size()); }

// Blanks that widen the heading over an entry number wider than three digits.
std::string ControlProgram::number_indent() const {
  return std::string(static_cast<std::size_t>(entry_number_digits(index_.size()) - 3), ' ');
}

void ControlProgram::file_list_screen() {
  console_.set_color(5);
  console_.locate(0, 1);
  print(console_, sj("*** FILE の削除 ***"), stay);
  console_.set_color(4);
  print(console_, sj(" (Home/Clear:終了)"), stay);
  console_.set_color(6);
  if (!build_index() || index_.empty()) {
    console_.set_color(7);
    return;
  }
  console_.locate(23, 0);
  print(console_, sj("  RETURN 設定変更 (赤:削除 白:不変)    ESC:削除開始        ↑↓･INS・DEL:ｽｸﾛｰﾙ"), stay);
  console_.locate(1, 0);
  print(console_, number_indent() + sj("    FILE NAME  USER    DATA登録   更新   サイズ  コメント"), stay);

  console_.set_window(kListTop, kListBottom);
  first_shown_ = 1;
  current_ = 1;
  draw_list_page();
  draw_list_cursor();
  int key;
  do {
    key = console_.read_key();
    list_key_step(key);
  } while (key != kKeyLeave && key != kKeyDelete);
  if (key == kKeyDelete) delete_marked_files();
  console_.set_color(7);
}

// Every key code is a key here, 0 (Ctrl-@) too: one that moves nothing
// only redraws the cursor row.
void ControlProgram::list_key_step(int key) {
  const int old = current_;
  if (key == kKeyUp) current_ -= 1;
  if (key == kKeyDown) current_ += 1;
  if (key == kKeyPageDown) current_ += kPageRows - 1;
  if (key == kKeyPageUp) current_ -= kPageRows - 1;
  if (current_ < 1) {
    console_.beep();
    current_ = 1;
  }
  if (current_ > shown_count()) {
    console_.beep();
    current_ = shown_count();
  }
  if (current_ < first_shown_) {
    first_shown_ = current_;
    draw_list_page();
  } else if (current_ > first_shown_ + kPageRows - 1) {
    first_shown_ = current_ - kPageRows + 1;
    draw_list_page();
  } else {
    draw_list_entry(old, kListTop + old - first_shown_, false);
  }
  if (key == kKeyToggle) index_[current_ - 1].delete_mark = -index_[current_ - 1].delete_mark;
  draw_list_cursor();
}

void ControlProgram::draw_list_cursor() {
  int row = kListTop + current_ - first_shown_;
  draw_list_entry(current_, row, true);
  console_.locate(row, 0);
}

void ControlProgram::draw_list_page() {
  for (int number = first_shown_; number < first_shown_ + kPageRows; ++number) {
    draw_list_entry(number, kListTop + number - first_shown_, false);
  }
}

// Entry `number` at the start of `row`; numbers past the last entry show
// blank fields.
void ControlProgram::draw_list_entry(int number, int row, bool under_cursor) {
  const bool shown = number <= shown_count();
  const bool marked = shown && index_[number - 1].delete_mark == kDelete;
  console_.set_color(marked ? kColorMarked : under_cursor ? kColorCursor : kColorKept);
  console_.locate(row, 0);
  const std::string mask = std::string(static_cast<std::size_t>(entry_number_digits(index_.size())), '#') + " ";
  std::string line = apply_mask(mask, {number}) + (shown ? entry_text(index_[number - 1]) : "    ");
  // One row at most: a wider line (an owner's name of four kanji, a number
  // of five digits) would wrap and push the rows below out of place.
  print(console_, cut_to_width(line, 80), stay);
}

}  // namespace verdan
