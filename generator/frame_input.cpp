// The regular frame's geometry: span and storey counts, span lengths and
// storey heights typed in metres and kept in centimetres.
#include <cmath>
#include <new>
#include <string>

#include "generator/generator_program.h"
#include "platform/codec/cp932.h"
#include "shared/console_routines.h"
#include "shared/print.h"
#include "shared/rounding.h"

namespace verdan {

void GeneratorProgram::regular_frame() {
  console_.clear_text();
  print(console_, sj("　　このプログラムは、任意フレーム応力解析  [VERDAN] の"));
  print(console_, sj("　　ＤＡＴＡ作成用プログラムです。      "));
  print(console_);
  print(console_, sj("　　フレーム形状は格子形のみを扱います。"));
  print(console_);
  show_data_name();

  ask_counts();
  ask_lengths(true);
  ask_lengths(false);
  entered_ = entered_lengths();
  frame_.accumulate_coordinates();
  frame_.place_initial_members();
  draw_frame_picture();
  edit_members();
  number_and_write();
}

// The line that tells under which name the data file is saved.
void GeneratorProgram::show_data_name() {
  console_.set_color(4);
  print(console_, sj("　　ファイル名  "), stay);
  console_.set_color(2);
  print(console_, "<" + data_name_ + ">", stay);
  console_.set_color(4);
  print(console_, sj("　で登録されます。"));
  print(console_);
  console_.set_color(7);
}

// Sizes tables as a fallible step: memory that cannot be had is a failure
// like any other, shown by the handler.
void GeneratorProgram::size_tables(int step, const std::function<void()>& size) {
  run_step(*this, step, [&] {
    try {
      size();
    } catch (const std::bad_alloc&) {
      fail(kOutOfMemory, "tables of the structure");
    }
  });
}

// Counts below 1 are asked again, and so are counts whose tables would not
// fit the machine: the frame must stay a size the program can hold, and the
// screen says how large that is.
void GeneratorProgram::ask_counts() {
  console_.set_help(generator_screen_help(GeneratorScreen::frame_size));
  for (;;) {
    float spans = 0;
    do {
      console_.locate(7, 0);
      spans = INN(console_, sj("　　　　Ｘ方向スパン数＝"));
    } while (!(spans >= 1));
    // Fractional counts run over the whole numbers not above them.
    const double nx = std::floor(spans);
    if (!within_grid_limit(nx, 1, sj("(スパン数+1)×(層数+1)"))) continue;
    float storeys = 0;
    do {
      console_.locate(8, 0);
      storeys = INN(console_, sj("　　　　　　　　　層数＝"));
    } while (!(storeys >= 1));
    const double ns = std::floor(storeys);
    if (!within_grid_limit(nx, ns, sj("(スパン数+1)×(層数+1)"))) continue;
    size_tables(kGenSizeTables, [&] { frame_.size(static_cast<int>(nx), static_cast<int>(ns)); });
    return;
  }
}

// True when a grid of a x b spans fits the tables; otherwise the largest
// size is shown in the colour of warnings and the count rows are blanked
// for the counts to be asked again.
bool GeneratorProgram::within_grid_limit(double a, double b, const std::string& product) {
  if (within_grid_points(a, b)) return true;
  console_.locate(10, 0);
  console_.set_color(6);
  print(console_, sj("　　　　格子点数 ") + product + sj(" は"), kMaxGridPoints, sj("までです"), stay);
  console_.set_color(7);
  for (int row : {7, 8}) {
    console_.locate(row, 0);
    print(console_, std::string(ScreenModel::kColumns - 1, ' '), stay);
  }
  return false;
}

// Span lengths (spans) or storey heights: an entry of 0 repeats the one
// before, and a length must end up above 0.
void GeneratorProgram::ask_lengths(bool spans) {
  console_.set_help(generator_screen_help(GeneratorScreen::lengths));
  console_.set_window(0, 23);
  console_.clear_text();
  print(console_, sj(spans ? "** スパン長の入力 **" : "** 階高の入力 **"));
  console_.set_window(1, 23);
  print(console_);
  const int count = spans ? frame_.span_count() : frame_.storey_count();
  // Running total of the lengths so far: the coordinate the next length
  // ends at.
  double total = 0;
  for (int i = 1; i <= count; ++i) {
    double& value = spans ? frame_.node_x(0, i) : frame_.node_y(i + 1, 0);
    const double previous = spans ? frame_.node_x(0, i - 1) : frame_.node_y(i, 0);
    auto label = [&] {
      if (spans) {
        print(console_, "X", i - 1, " - X", i, stay);
      } else {
        print(console_, i, "FL (m)=", stay);
      }
    };
    // A length whose coordinate the picture cannot hold is an overflow; on
    // "continue" the same entry is asked again on its row.
    run_step(*this, spans ? kGenSpanLength : kGenStoreyHeight, [&] {
      int row = 0;
      for (;;) {
        label();
        row = console_.cursor_row();
        float typed = INN(console_, spans ? " (m)=" : "");
        value = typed_length_cm(typed);
        if (row == 23) row = 22;  // the entry's line end scrolled the window
        console_.locate(row, 0);
        if (value == 0) value = previous;
        if (value > 0) break;
      }
      if (!fits_single(total + value)) {
        // The row is left blank for the message and the entry asked anew.
        value = 0;
        print(console_, std::string(ScreenModel::kColumns - 1, ' '), stay);
        console_.locate(row, 0);
        fail(kOverflow, "length beyond the range of the frame's coordinates");
      }
    });
    total += value;
    label();
    if (spans) print(console_, " (m)=", stay);
    print(console_, value / 100, std::string(10, ' '));
  }
}

}  // namespace verdan
