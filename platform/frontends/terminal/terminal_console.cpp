#include "platform/frontends/terminal/terminal_console.h"

#include <langinfo.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <string>
#include <utility>

#include "platform/frontends/terminal/ansi_terminal.h"
#include "platform/codec/cp932.h"
#include "platform/frontends/terminal/curses_terminal.h"
#include "platform/console/snapshot.h"
#include "platform/frontends/terminal/terminal_codec.h"
#include "platform/frontends/terminal/terminal_signals.h"
#include "platform/console/terminal_keys.h"

namespace verdan {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

constexpr int kInputFd = 0;
constexpr int kOutputFd = 1;
// Keys typed during waits that are kept for later reads.
constexpr std::size_t kMaxTypeAhead = 64;

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

void set_terminal_title(std::string_view utf8) {
  std::string text = "\033]2;";
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) >= 0x20) text += c;
  }
  text += '\007';
  ssize_t written = ::write(kOutputFd, text.data(), text.size());
  static_cast<void>(written);
}

TerminalConsole::TerminalConsole(std::unique_ptr<TerminalDevice> device)
    : Console(kPlaneWidth, kPlaneHeight), device_(std::move(device)) {}

std::unique_ptr<TerminalConsole> TerminalConsole::open(std::string& problem) {
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
  return std::unique_ptr<TerminalConsole>(new TerminalConsole(std::move(device)));
}

TerminalConsole::~TerminalConsole() {
  try {
    hand_back();
  } catch (...) {
    // A destructor must not throw; the terminal is given back below anyway.
  }
  device_.reset();
  put_terminal_signals_back();
  free_terminal();
}

Key TerminalConsole::next_key() {
  if (!type_ahead_.empty()) {
    Key key = type_ahead_.front();
    type_ahead_.pop_front();
    return key;
  }
  return *device_->poll(-1);
}

std::string TerminalConsole::take_entry() {
  const ScreenModel before = screen();
  const int row = before.cursor_row();
  const int col = before.output_column();
  // The entry may wrap down to the window's last row but never scroll it:
  // the prompt must stay where the program wrote it. Below the window the
  // entry keeps to its row.
  const int last_row = row <= before.window_bottom() ? before.window_bottom() : row;
  LineEditor editor(
      [&](std::string_view text) { return entry_fits(text, row, col, last_row); });
  for (;;) {
    auto [typed, cursor_row, cursor_col] = typed_entry(before, editor);
    device_->show(typed, cursor_row, cursor_col, true);
    Key pressed = next_key();
    if (is_repaint_key(pressed)) {
      device_->repaint_all();
      continue;
    }
    EntryKey key = entry_key(pressed);
    if (key.action == EntryAction::enter) break;
    if (!editor.apply(key)) device_->beep();
  }
  echo(editor.text());
  return editor.text();
}

int TerminalConsole::take_key() {
  for (;;) {
    Key typed = next_key();
    if (is_repaint_key(typed)) {
      device_->repaint_all();
      continue;
    }
    int code = one_key_code(typed);
    if (code >= 0) return code;
  }
}

void TerminalConsole::sound_beep() {
  if (!device_->on()) present();
  device_->beep();
}

void TerminalConsole::pause(int ticks) {
  const Clock::time_point end = Clock::now() + Milliseconds(10LL * ticks);
  for (;;) {
    auto left = std::chrono::duration_cast<Milliseconds>(end - Clock::now()).count();
    if (left <= 0) return;
    auto slice = static_cast<int>(std::min<long long>(left, 1000));
    std::optional<Key> key = device_->poll(slice);
    if (key && type_ahead_.size() < kMaxTypeAhead) type_ahead_.push_back(*key);
  }
}

void TerminalConsole::pause_for_key(int ticks) {
  const Clock::time_point end = Clock::now() + Milliseconds(10LL * ticks);
  for (;;) {
    if (!type_ahead_.empty()) {
      type_ahead_.pop_front();
      return;
    }
    auto left = std::chrono::duration_cast<Milliseconds>(end - Clock::now()).count();
    if (left <= 0) return;
    if (device_->poll(static_cast<int>(std::min<long long>(left, 1000)))) return;
  }
}

void TerminalConsole::show_note(std::string_view text) { set_terminal_title(to_utf8(text)); }

void TerminalConsole::present() {
  device_->show(screen(), screen().cursor_row(), screen().cursor_col(), true);
}

void TerminalConsole::release() {
  device_->show(screen(), screen().cursor_row(), screen().cursor_col(), false);
  device_->end();
  write_snapshot(screen());
}

}  // namespace verdan
