// The built-in VT100/ANSI renderer, for terminals terminfo has no entry
// for (an unknown TERM, a machine without the terminfo database): the same
// screen as through curses, written and read with the controls nearly every
// terminal and ssh session understands.
#pragma once

#include <termios.h>

#include <memory>

#include "platform/frontends/terminal/terminal_codec.h"
#include "platform/frontends/terminal/terminal_device.h"

namespace verdan {

// The renderer on standard input and output, text in code set `set`. The
// terminal signals must be taken already; a fatal one puts `shell_modes`
// back.
std::unique_ptr<TerminalDevice> open_ansi_terminal(const termios& shell_modes, CodeSet set);

}  // namespace verdan
