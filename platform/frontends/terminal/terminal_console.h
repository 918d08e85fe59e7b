// The terminal front end: CP932 text shown in the locale's code set, the
// drawing as braille in cells without text, keys and line entries from the
// keyboard. Curses draws where terminfo knows the terminal, the built-in
// VT100/ANSI renderer elsewhere.
// Whatever way the program ends, the terminal is handed back as it was.
#pragma once

#include <memory>
#include <string>

#include "platform/console/console.h"

namespace verdan {

struct TerminalConsole {
  // 2 x 4 braille dots under each text cell.
  static constexpr int kPlaneWidth = 160;
  static constexpr int kPlaneHeight = 96;

  // Takes the terminal of standard input and output. Null, with the reason
  // in `problem`, when it cannot: not a terminal, no locale for Japanese
  // text, or another terminal console still alive.
  static std::unique_ptr<Console> open(std::string& problem);
};

}  // namespace verdan
