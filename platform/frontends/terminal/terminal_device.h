// What the terminal is to the entry loop: a Display. Curses draws where
// terminfo knows the terminal; the built-in VT100/ANSI renderer where it
// does not. Both hand the terminal and its signals back when they go.
#pragma once

#include <string_view>

#include "platform/console/display.h"

namespace verdan {

class TerminalDevice : public Display {
 public:
  // After the device has left the program's modes: the signals as they
  // were, the terminal free for another console.
  ~TerminalDevice() override;

  // While the terminal is smaller than 80 x 24, showing waits for it to
  // grow, except the final screen.
  // Ctrl-L draws every cell again (garbage on the terminal): true.
  // Polling deals with resizes; Ctrl-C ends the program.
  // Notes go into the terminal's title line.
  void note(std::string_view cp932) override;
};

// The title line; terminals that do not know it ignore it.
void set_terminal_title(std::string_view utf8);

}  // namespace verdan
