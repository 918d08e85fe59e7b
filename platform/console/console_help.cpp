#include <cstddef>

#include "platform/codec/cp932.h"
#include "platform/console/console.h"

namespace verdan {
namespace {

constexpr int kTitleRow = 1;
constexpr int kFirstTextRow = 2;
constexpr int kLastTextRow = 21;
constexpr int kFooterRow = 23;
constexpr int kLeftColumn = 2;
constexpr int kTitleColor = 6;
constexpr int kTextColor = 7;
constexpr int kFooterColor = 5;

}  // namespace

bool Console::show_help() {
  if (help_.empty()) return false;
  const ScreenModel saved = model_;
  // Whatever ends the wait, the program's screen is what it left.
  auto put_back = [&] {
    model_ = saved;
    model_.damage_all();
  };
  try {
    set_window(0, ScreenModel::kRows - 1);
    clear_text();
    clear_drawing();
    set_color(kTitleColor);
    locate(kTitleRow, kLeftColumn);
    write(help_.front());
    set_color(kTextColor);
    int row = kFirstTextRow;
    for (std::size_t i = 1; i < help_.size() && row <= kLastTextRow; ++i, ++row) {
      locate(row, kLeftColumn);
      write(help_[i]);
    }
    set_color(kFooterColor);
    locate(kFooterRow, kLeftColumn);
    write(sj("何かキーを押すと、元の画面に戻ります。"));
    present();
    take_key();
  } catch (...) {
    put_back();
    throw;
  }
  put_back();
  return true;
}

bool Console::is_help_request(std::string_view line) { return line == "\x1bOP" || line == "\x1b[11~"; }

}  // namespace verdan
