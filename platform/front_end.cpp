#include "platform/front_end.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/headless_console.h"

namespace verdan {

ConsoleChoice choose_console(const char* setting, bool input_is_terminal) {
  std::string_view value = setting == nullptr ? "" : setting;
  if (value == "headless") return {ConsoleKind::headless, true, ""};
  if (value == "terminal") return {ConsoleKind::terminal, true, ""};
  ConsoleKind kind = input_is_terminal ? ConsoleKind::terminal : ConsoleKind::headless;
  std::string note;
  if (!value.empty()) {
    note = "VERDAN: VERDAN_CONSOLE=" + std::string(value) +
           " is neither headless nor terminal; ignored";
  }
  return {kind, false, note};
}

std::unique_ptr<Console> make_console() {
  ConsoleChoice choice = choose_console(std::getenv("VERDAN_CONSOLE"), ::isatty(0) != 0);
  if (!choice.note.empty()) std::fprintf(stderr, "%s\n", choice.note.c_str());
  if (choice.kind == ConsoleKind::terminal && choice.requested) {
    // The terminal front end is not built yet; only say so when it was asked for.
    std::fprintf(stderr, "VERDAN: the terminal console is not available; running headless\n");
  }
  return std::make_unique<HeadlessConsole>();
}

}  // namespace verdan
