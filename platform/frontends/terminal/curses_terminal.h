// The terminal drawn through curses, for terminal types terminfo knows.
#pragma once

#include <termios.h>

#include <memory>
#include <string>

#include "platform/frontends/terminal/terminal_device.h"

namespace verdan {

// The device on the terminal of standard input and output, for $TERM.
// Null, with the reason in `problem`, when terminfo does not know the type
// or the type cannot move its cursor. The terminal signals must be taken already; a fatal
// one puts `shell_modes` back.
std::unique_ptr<TerminalDevice> open_curses_terminal(const termios& shell_modes, std::string& problem);

}  // namespace verdan
