#include "platform/frontends/terminal/ansi_terminal.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <chrono>
#include <cwchar>
#include <string>
#include <utility>

#include "platform/frontends/terminal/ansi_keys.h"
#include "platform/frontends/terminal/ansi_screen.h"
#include "platform/console/stream_output.h"
#include "platform/fallible_step.h"
#include "platform/frontends/terminal/terminal_signals.h"

namespace verdan {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

constexpr int kInputFd = 0;
constexpr int kOutputFd = 1;
// A lone ESC is a key of its own after this long.
constexpr int kEscapeDelayMs = 25;
// Reads wake this often to notice Ctrl-C and a changed size.
constexpr int kPollSliceMs = 100;

// Into the alternate screen where the terminal has one (the others ignore
// it), cleared.
constexpr std::string_view kEnter = "\033[?1049h\033[0m\033[H\033[2J";
// Plain attributes, a visible cursor on the last row, out of the alternate
// screen: where it exists the shell's screen comes back, elsewhere the
// shell goes on below the program's last row.
constexpr std::string_view kLeave = "\033[0m\033[?25h\033[24;1H\033[?1049l";

int terminal_width(char32_t ch) { return ::wcwidth(static_cast<wchar_t>(ch)); }

// The shell's modes with what a full-screen program needs: keys one by
// one without echo, CR as typed, no flow control so Ctrl-S and Ctrl-Q are
// keys. Ctrl-C still raises SIGINT.
termios program_modes(const termios& shell) {
  termios modes = shell;
  modes.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | IEXTEN);
  modes.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP);
  modes.c_cc[VMIN] = 1;
  modes.c_cc[VTIME] = 0;
  return modes;
}

class AnsiTerminal : public TerminalDevice {
 public:
  AnsiTerminal(const termios& shell_modes, CodeSet set)
      : shell_modes_(shell_modes), program_modes_(program_modes(shell_modes)), set_(set) {}

  ~AnsiTerminal() override { end(); }

  bool repaint_all() override {
    write_all(kOutputFd, kAnsiClear);
    pen_ = AnsiPen{};
    forget_drawn();
    paint();
    return true;
  }

  std::optional<Input> poll(int timeout_ms) override {
    const Clock::time_point deadline = Clock::now() + Milliseconds(std::max(timeout_ms, 0));
    for (;;) {
      if (interrupt_pending()) throw ProgramEnd{kInterruptStatus};
      if (resized()) {
        if (room()) {
          repaint_all();
        } else {
          wait_for_room();
        }
      }
      if (std::optional<Key> key = typed_key()) return Input::pressed(std::move(*key));
      int slice = kPollSliceMs;
      if (timeout_ms >= 0) {
        auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return std::nullopt;
        slice = static_cast<int>(std::min<long long>(left, kPollSliceMs));
      }
      read_more(slice);
    }
  }

  void beep() override { write_all(kOutputFd, "\a"); }
  bool on() const override { return on_; }

  void end() override {
    if (!on_) return;
    write_all(kOutputFd, kLeave);
    ::tcsetattr(kInputFd, TCSADRAIN, &shell_modes_);
    on_ = false;
    set_terminal_taken(false);
  }

 private:
  void resume() override {
    if (on_) return;
    ::tcsetattr(kInputFd, TCSADRAIN, &program_modes_);
    on_ = true;
    set_terminal_taken(true);
    write_all(kOutputFd, kEnter);
    pen_ = AnsiPen{};
    forget_drawn();
    size_ = current_size();
  }

  struct Size {
    int columns = ScreenModel::kColumns;
    int rows = ScreenModel::kRows;
    friend bool operator==(const Size&, const Size&) = default;
  };

  // A terminal that does not tell its size is taken to be 80 x 24.
  static Size current_size() {
    winsize window{};
    if (::ioctl(kOutputFd, TIOCGWINSZ, &window) != 0 || window.ws_col == 0 || window.ws_row == 0) {
      return {};
    }
    return {window.ws_col, window.ws_row};
  }

  bool room() const override { return size_.columns >= ScreenModel::kColumns && size_.rows >= ScreenModel::kRows; }

  bool resized() {
    Size now = current_size();
    if (now == size_) return false;
    size_ = now;
    return true;
  }

  void paint() override {
    std::string out;
    if (frame_) {
      out = ansi_cells(take_changes(), set_, terminal_width, pen_);
      out += ansi_move(cursor_row_, cursor_col_, pen_);
    }
    write_all(kOutputFd, out);
  }

  void wait_for_room() override {
    while (!room()) {
      write_all(kOutputFd, kAnsiClear);
      write_all(kOutputFd, too_small_message(size_.columns, size_.rows).substr(0, static_cast<std::size_t>(size_.columns)));
      if (interrupt_pending()) throw ProgramEnd{kInterruptStatus};
      read_more(kPollSliceMs);
      pending_.clear();  // keys typed meanwhile go nowhere
      resized();
    }
    repaint_all();
  }

  // Waits up to `timeout_ms` for bytes from the keyboard and keeps them.
  void read_more(int timeout_ms) {
    pollfd input{kInputFd, POLLIN, 0};
    if (::poll(&input, 1, timeout_ms) <= 0) return;
    char bytes[256];
    ssize_t n = ::read(kInputFd, bytes, sizeof bytes);
    if (n > 0) pending_.append(bytes, static_cast<std::size_t>(n));
    // A terminal that went away gives the end of input, never a key: end
    // as on a hang-up.
    if (n == 0) throw ProgramEnd{128 + SIGHUP};
  }

  // A whole key from what was typed; the rest of an escape sequence or a
  // character is waited for a moment.
  std::optional<Key> typed_key() {
    if (pending_.empty()) return std::nullopt;
    ScannedKey scanned = scan_key(pending_, set_, true);
    if (scanned.used == 0) {
      read_more(kEscapeDelayMs);
      scanned = scan_key(pending_, set_, false);
    }
    if (scanned.used == 0) return std::nullopt;
    pending_.erase(0, scanned.used);
    return scanned.key;
  }

  termios shell_modes_;
  termios program_modes_;
  CodeSet set_;
  bool on_ = false;
  Size size_;
  AnsiPen pen_;
  std::string pending_;  // typed bytes not yet read as keys
};

}  // namespace

std::unique_ptr<TerminalDevice> open_ansi_terminal(const termios& shell_modes, CodeSet set) {
  std::string reset(kLeave);
  prepare_terminal_reset(shell_modes, reset);
  return std::make_unique<AnsiTerminal>(shell_modes, set);
}

}  // namespace verdan
