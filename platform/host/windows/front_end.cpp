#include "platform/front_end.h"

#include <fcntl.h>
#include <io.h>

#include <cstdlib>
#include <iostream>

#include "platform/headless_console.h"

namespace verdan {

// Standard input and output carry CP932 bytes as they are, never with line
// ends changed. Without a console front end of its own yet, a run on the
// console is headless too, and says so once.
std::unique_ptr<Console> make_console() {
  _setmode(0, _O_BINARY);
  _setmode(1, _O_BINARY);
  _setmode(2, _O_BINARY);
  const bool on_console = _isatty(0) != 0;
  ConsoleChoice choice = choose_console(std::getenv("VERDAN_CONSOLE"), on_console);
  if (!choice.note.empty()) std::cerr << choice.note << '\n';
  if (choice.kind != ConsoleKind::headless) {
    std::cerr << "VERDAN: the console front end is not built for Windows; running headless\n";
  }
  return std::make_unique<HeadlessConsole>();
}

}  // namespace verdan
