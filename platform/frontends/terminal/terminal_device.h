// What the terminal console needs from the terminal itself: drawing the
// screen, reading keys, the bell. Curses does it where terminfo knows the
// terminal; the built-in VT100/ANSI renderer where it does not.
#pragma once

#include <optional>
#include <string_view>

#include "platform/console/screen_model.h"
#include "platform/console/keys.h"

namespace verdan {

class TerminalDevice {
 public:
  virtual ~TerminalDevice() = default;

  // Shows `shown` with the cursor at (row, col), sending only what changed.
  // While the terminal is smaller than 80 x 24 this waits for it to grow,
  // unless `may_wait` is false. Takes the terminal again after end().
  virtual void show(const ScreenModel& shown, int row, int col, bool may_wait) = 0;
  // Draws every cell again (Ctrl-L, garbage on the terminal).
  virtual void repaint_all() = 0;
  // The next key within `timeout_ms` (negative: no limit). Resizes are
  // dealt with here; Ctrl-C ends the program.
  virtual std::optional<Key> poll(int timeout_ms) = 0;
  virtual void beep() = 0;
  // Whether the terminal is in the program's modes now.
  virtual bool on() const = 0;
  // The terminal back in the shell's modes and screen.
  virtual void end() = 0;
};

// The title line; terminals that do not know it ignore it.
void set_terminal_title(std::string_view utf8);

}  // namespace verdan
