#include "platform/console/front_end.h"

#include <fcntl.h>
#include <io.h>

#include <cstdlib>
#include <iostream>

#include "platform/frontends/headless/headless_console.h"
#include "platform/frontends/windows_console/windows_console.h"

namespace verdan {

// Headless when standard input is not a console or when asked for; else the
// console front end. There is no window front end of its own here: the
// console is a window already.
std::unique_ptr<Console> make_console() {
  // Entries are read as the bytes they are. The programs' own output (the
  // final screen, notes, the account of the run) ends its lines with CR LF
  // like --help and every text on Windows, so standard output and error
  // stay in text mode; a plot or picture sent to "-" has a binary
  // descriptor of its own.
  _setmode(0, _O_BINARY);
  const bool on_console = _isatty(0) != 0 && _isatty(1) != 0;
  ConsoleChoice choice = choose_console(std::getenv("VERDAN_CONSOLE"), on_console);
  if (!choice.note.empty()) std::cerr << choice.note << '\n';
  if (choice.kind != ConsoleKind::headless) {
    std::string problem;
    if (auto console = WindowsConsoleDisplay::open(problem)) return console;
    std::cerr << "VERDAN: no console front end (" << problem << "); running headless\n";
  }
  return std::make_unique<HeadlessConsole>();
}

// A Windows console's close events end the process; nothing to take here.
std::unique_ptr<Console> make_program_console() { return make_console(); }

}  // namespace verdan
