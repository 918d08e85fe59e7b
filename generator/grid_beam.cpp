// The grid-beam dialogue: span counts and lengths in X and Y, then the
// listing with its drawing and the data file.
#include <cmath>

#include "generator/generator_program.h"
#include "generator/model/listings.h"
#include "platform/codec/cp932.h"
#include "shared/console_routines.h"
#include "shared/print.h"
#include "shared/rounding.h"

namespace verdan {

void GeneratorProgram::grid_beam() {
  print(console_, sj("　　このプログラムは、任意フレーム応力解析　[VERDAN] の"));
  print(console_, sj("　　ＤＡＴＡ作成用プログラムです。"));
  print(console_);
  print(console_, sj("　　格子梁のみを扱います。        "));
  print(console_);
  show_data_name();

  console_.set_help(generator_screen_help(GeneratorScreen::grid_size));
  // Counts below 2 are asked again, and so are grids too large to hold.
  for (;;) {
    float nx = 0, ny = 0;
    do {
      console_.locate(7, 0);
      nx = INN(console_, sj("　　　　Ｘ方向スパン数＝"));
    } while (!(nx >= 2));
    const double spans_x = std::floor(nx);
    if (!within_grid_limit(spans_x, 2, sj("(Ｘスパン数+1)×(Ｙスパン数+1)"))) continue;
    do {
      console_.locate(8, 0);
      ny = INN(console_, sj("　　　　Ｙ方向スパン数＝"));
    } while (!(ny >= 2));
    const double spans_y = std::floor(ny);
    if (!within_grid_limit(spans_x, spans_y, sj("(Ｘスパン数+1)×(Ｙスパン数+1)"))) continue;
    size_tables(kGenSizeGridTables, [&] { grid_.size(static_cast<int>(spans_x), static_cast<int>(spans_y)); });
    break;
  }
  grid_extent_ = GridExtent();
  console_.clear_text();
  print(console_, sj("** スパン長の入力 **"));
  print(console_);
  ask_grid_spans('X', grid_.nx(), 6);
  ask_grid_spans('Y', grid_.ny(), 4);
  GridDescription entered;
  for (int i = 1; i <= grid_.nx(); ++i) entered.x_spans.push_back(grid_.x_span(i));
  for (int j = 1; j <= grid_.ny(); ++j) entered.y_spans.push_back(grid_.y_span(j));
  entered_ = std::move(entered);
  grid_.accumulate();
  DataFileContent<float> data = grid_.generate();

  bool replace = false;
  if (print_file_has_content()) {
    print(console_);
    int r = console_.cursor_row();
    while (r >= 23) {
      print(console_);
      --r;
    }
    replace = ask_overwrite(r);
  }
  deliver_listing(replace, [&](TextSink& listing) { write_grid_listing(listing, grid_); });
  write_data(data);
}

// The spans of one direction: an entry of 0 repeats the span before, and
// the first span must be given. Negative spans are taken as typed.
void GeneratorProgram::ask_grid_spans(char axis, int count, int color) {
  console_.set_color(color);
  const std::string name(1, axis);
  const int d = axis == 'X' ? 0 : 1;
  for (int i = 1; i <= count; ++i) {
    double& span = axis == 'X' ? grid_.x_span(i) : grid_.y_span(i);
    const double previous = axis == 'X' ? grid_.x_span(i - 1) : grid_.y_span(i - 1);
    int row = console_.cursor_row();
    if (row == 23) {
      print(console_);  // scrolls the screen up one line
      row = 22;
    }
    // A span that takes a node's x beyond single precision is an overflow;
    // on "continue" the same span is asked again on its row.
    run_step(*this, axis == 'X' ? kGenGridSpanX : kGenGridSpanY, [&] {
      while (span == 0) {
        console_.locate(row, 0);
        print(console_, name, i - 1, " - " + name, i, stay);
        span = typed_length_cm(INN(console_, " (m)="));
        if (span == 0) span = previous;
      }
      if (!grid_extent_.admit(d, span)) {
        span = 0;
        console_.locate(row, 0);
        print(console_, std::string(ScreenModel::kColumns - 1, ' '), stay);
        console_.locate(row, 0);
        fail(kOverflow, "span beyond the range of the grid's coordinates");
      }
    });
    console_.locate(row, 0);
    print(console_, name, i - 1, " - " + name, i, " (m)=", span / 100, std::string(10, ' '));
  }
}

}  // namespace verdan
