#include "platform/console/console.h"

namespace verdan {

Console::Console(int plane_width, int plane_height) : model_(plane_width, plane_height) {}

void Console::locate(int row, int col) { edit().locate(row, col); }

void Console::set_color(int color) { edit().set_color(color); }

void Console::write(std::string_view bytes) { edit().put_text(bytes); }

void Console::end_line() { edit().line_end(); }

void Console::clear_text() { edit().clear_text(); }

void Console::clear_drawing() { edit().clear_drawing(); }

void Console::set_window(int top, int bottom) { edit().set_window(top, bottom); }

void Console::restore_row(int row, const ScreenModel::Row& saved) { edit().restore_row(row, saved); }

void Console::line(int x1, int y1, int x2, int y2, int color) { edit().line(x1, y1, x2, y2, color); }

void Console::box(int x1, int y1, int x2, int y2, int color) { edit().box(x1, y1, x2, y2, color); }

void Console::fill(int x, int y, int color, int border) { edit().fill(x, y, color, border); }

void Console::begin_label() { edit().begin_label(); }

void Console::end_label(std::string_view cp932, int color) { edit().end_label(cp932, color); }

void Console::echo(std::string_view cp932) { edit().put_entry_text(cp932); }

std::string Console::read_line() {
  ScreenModel& model = edit();
  // With a wrap pending the entry starts on the next row: nothing under it.
  if (model.output_column() < ScreenModel::kColumns) {
    const int row = model.cursor_row();
    const int col = model.output_column();
    model.blank_cells(row, col, model.value_end(row, col));
  }
  present();
  std::string entry = take_entry();
  edit().line_end();
  entry_ended();
  return entry;
}

int Console::read_key() {
  edit();
  present();
  return take_key();
}

void Console::beep() {
  edit();
  sound_beep();
}

void Console::wait_ticks(int ticks) {
  edit();
  present();
  if (ticks > 0) pause(ticks);
}

void Console::linger(int ticks) {
  edit();
  present();
  if (ticks > 0) pause_for_key(ticks);
}

void Console::hand_back() {
  if (handed_back_) return;
  handed_back_ = true;
  release();
}

}  // namespace verdan
