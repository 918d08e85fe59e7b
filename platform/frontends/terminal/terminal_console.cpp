#include "platform/frontends/terminal/terminal_console.h"

#include <langinfo.h>
#include <termios.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <utility>

#include "platform/frontends/terminal/ansi_terminal.h"
#include "platform/frontends/terminal/curses_terminal.h"
#include "platform/console/interactive_console.h"
#include "platform/frontends/terminal/terminal_codec.h"
#include "platform/frontends/terminal/terminal_signals.h"

namespace verdan {
namespace {

constexpr int kInputFd = 0;
constexpr int kOutputFd = 1;

// Text goes to the terminal in the locale's code set, so the user's own
// locale is taken when its code set holds Japanese text; else UTF-8. Only
// LC_CTYPE changes: number formats stay those of the C locale.
bool use_text_locale() {
  auto usable = [] { return terminal_code_set_usable(::nl_langinfo(CODESET)); };
  const char* before = std::setlocale(LC_CTYPE, nullptr);
  std::string previous = before != nullptr ? before : "C";
  if (std::setlocale(LC_CTYPE, "") != nullptr && usable()) return true;
  if (std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr && usable()) return true;
  std::setlocale(LC_CTYPE, previous.c_str());
  return false;
}

}  // namespace

std::unique_ptr<Console> TerminalConsole::open(std::string& problem) {
  if (::isatty(kInputFd) == 0 || ::isatty(kOutputFd) == 0) {
    problem = "standard input or output is not a terminal";
    return nullptr;
  }
  if (!use_text_locale()) {
    problem = "no locale with Japanese text";
    return nullptr;
  }
  termios shell_modes{};
  if (::tcgetattr(kInputFd, &shell_modes) != 0) {
    problem = "the terminal's modes cannot be read";
    return nullptr;
  }
  if (!claim_terminal()) {
    problem = "the terminal is already in use by another console";
    return nullptr;
  }
  // Before curses starts, so that it leaves SIGINT and SIGTERM to us.
  take_terminal_signals();
  std::unique_ptr<TerminalDevice> device = open_curses_terminal(shell_modes, problem);
  if (!device) {
    // Terminfo does not know the terminal: the controls nearly every
    // terminal and ssh session understands, written here. Better than
    // terminfo's own 'ansi' and 'vt100' entries, which lack Insert and
    // Delete.
    device = open_ansi_terminal(shell_modes, code_set_named(::nl_langinfo(CODESET)));
  }
  return std::make_unique<InteractiveConsole>(std::move(device), kPlaneWidth, kPlaneHeight);
}

}  // namespace verdan
