#include "platform/console/front_end.h"

#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/frontends/headless/headless_console.h"
#include "platform/host/stop_request.h"
#include "platform/frontends/terminal/line_console.h"
#include "platform/frontends/terminal/terminal_codec.h"
#include "platform/frontends/terminal/terminal_console.h"
#include "platform/frontends/sdl_window/window_front.h"

namespace verdan {

namespace {

// A desktop starts programs with standard input on /dev/null or a socket;
// a terminal, a file or a pipe means a shell or a script started it.
bool started_from_desktop(bool on_terminal) {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const bool display = (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
  if (!display || on_terminal) return false;
  struct stat input {};
  if (::fstat(0, &input) != 0) return true;  // closed: nothing was meant to come from it
  return !S_ISREG(input.st_mode) && !S_ISFIFO(input.st_mode);
}

}  // namespace

std::unique_ptr<Console> make_console() {
  // Full-screen drawing needs both ends on the terminal; with either one
  // redirected the run is a scripted one.
  bool on_terminal = ::isatty(0) != 0;
  ConsoleChoice choice =
      choose_console(std::getenv("VERDAN_CONSOLE"), on_terminal, started_from_desktop(on_terminal));
  if (!choice.note.empty()) std::fprintf(stderr, "%s\n", choice.note.c_str());
  if (choice.kind == ConsoleKind::window) {
    std::string problem;
    if (auto window = open_window_console(problem)) return window;
    std::fprintf(stderr, "VERDAN: no window console (%s)\n", problem.c_str());
    choice.kind = on_terminal ? ConsoleKind::terminal : ConsoleKind::headless;
  }
  if (choice.kind == ConsoleKind::terminal && on_terminal) {
    // A terminal that cannot place text, or output that goes elsewhere:
    // the changed rows as lines.
    const char* type = std::getenv("TERM");
    if (::isatty(1) == 0 || (type != nullptr && std::string_view(type) == "dumb")) {
      std::setlocale(LC_CTYPE, "");
      return std::make_unique<LineConsole>(code_set_named(::nl_langinfo(CODESET)));
    }
  }
  if (choice.kind == ConsoleKind::terminal) {
    std::string problem;
    if (auto terminal = TerminalConsole::open(problem)) return terminal;
    // Asked for or not, a run without the terminal still works headless.
    std::fprintf(stderr, "VERDAN: no terminal console (%s); running headless\n", problem.c_str());
  }
  return std::make_unique<HeadlessConsole>();
}

std::unique_ptr<Console> make_program_console() {
  std::unique_ptr<Console> console = make_console();
  if (dynamic_cast<HeadlessConsole*>(console.get()) != nullptr) take_stop_signals();
  return console;
}

}  // namespace verdan
