#include "platform/frontends/terminal/terminal_device.h"

#include <unistd.h>

#include <string>

#include "platform/codec/cp932.h"
#include "platform/frontends/terminal/terminal_signals.h"

namespace verdan {

void set_terminal_title(std::string_view utf8) {
  std::string text = "\033]2;";
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) >= 0x20) text += c;
  }
  text += '\007';
  ssize_t written = ::write(STDOUT_FILENO, text.data(), text.size());
  static_cast<void>(written);
}

TerminalDevice::~TerminalDevice() {
  put_terminal_signals_back();
  free_terminal();
}

void TerminalDevice::note(std::string_view cp932) { set_terminal_title(to_utf8(cp932)); }

void TerminalDevice::show(const ScreenModel& shown, const ScreenDamage& damage, int row, int col,
                          Showing showing) {
  resume();
  frame_ = shown;
  unpainted_.merge(damage);
  cursor_row_ = row;
  cursor_col_ = col;
  if (!room()) {
    if (showing != Showing::final) wait_for_room();
    return;
  }
  paint();
}

std::vector<CellChange> TerminalDevice::take_changes() {
  if (!frame_) return {};
  std::vector<CellChange> changes = damaged_cells(*frame_, unpainted_);
  unpainted_.clear();
  return changes;
}

}  // namespace verdan
