#include "platform/front_end.h"

#include <langinfo.h>
#include <unistd.h>

#include <clocale>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/headless_console.h"
#include "platform/line_console.h"
#include "platform/terminal_codec.h"
#include "platform/terminal_console.h"

namespace verdan {

ConsoleChoice choose_console(const char* setting, bool on_terminal) {
  std::string_view value = setting == nullptr ? "" : setting;
  if (value == "headless") return {ConsoleKind::headless, true, ""};
  if (value == "terminal") return {ConsoleKind::terminal, true, ""};
  ConsoleKind kind = on_terminal ? ConsoleKind::terminal : ConsoleKind::headless;
  std::string note;
  if (!value.empty()) {
    note = "VERDAN: VERDAN_CONSOLE=" + std::string(value) +
           " is neither headless nor terminal; ignored";
  }
  return {kind, false, note};
}

std::unique_ptr<Console> make_console() {
  // Full-screen drawing needs both ends on the terminal; with either one
  // redirected the run is a scripted one.
  bool on_terminal = ::isatty(0) != 0;
  ConsoleChoice choice = choose_console(std::getenv("VERDAN_CONSOLE"), on_terminal);
  if (!choice.note.empty()) std::fprintf(stderr, "%s\n", choice.note.c_str());
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

}  // namespace verdan
