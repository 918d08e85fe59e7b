// Picks the console front end for a program run: headless when asked for
// or when standard input is not a terminal, else the terminal one (line by
// line on a dumb terminal or when the output goes elsewhere); a window of
// its own when started from a desktop.
#pragma once

#include <memory>
#include <string>

#include "platform/console/console.h"

namespace verdan {

enum class ConsoleKind { headless, terminal, window };

struct ConsoleChoice {
  ConsoleKind kind;
  bool requested;    // named by VERDAN_CONSOLE rather than taken by default
  std::string note;  // a line for standard error, empty when all is well
};

// The choice for VERDAN_CONSOLE's value (null when unset), whether
// standard input and output are a terminal, and whether the program was
// started from a desktop (a display, and standard input neither a terminal
// nor a file or pipe). An unknown value is noted and ignored.
ConsoleChoice choose_console(const char* setting, bool on_terminal, bool desktop_launch = false);

// The console for this run, from the environment and standard input and
// output. When the terminal console cannot be had (asked for without a
// terminal, no locale for Japanese text) a line on standard error says why
// and the run goes on headless; so does a window that cannot be opened.
std::unique_ptr<Console> make_console();

// make_console() for one of the programs: a headless or line console takes
// the requests to stop (SIGTERM, SIGHUP) that a terminal or window front
// end would, so that the program ends as at any other end. A library's
// caller keeps its own signal handling.
std::unique_ptr<Console> make_program_console();

}  // namespace verdan
