#include "platform/frontends/terminal/curses_terminal.h"
#include "platform/frontends/terminal/curses_keys.h"

#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <utility>

#include "platform/fallible_step.h"
#include "platform/console/terminal_screen.h"
#include "platform/frontends/terminal/terminal_signals.h"

// Last: curses defines macros with common names.
#define NCURSES_WIDECHAR 1
#include <curses.h>

namespace verdan {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

constexpr int kInputFd = 0;
// A lone ESC is a key of its own after this long.
constexpr int kEscapeDelayMs = 25;
// Reads wake this often to notice Ctrl-C.
constexpr int kPollSliceMs = 100;

// A terminfo string without its padding ("$<5>"), which only old hardware
// needed and a signal handler cannot honour.
std::string capability(const char* name) {
  std::string text;
  const char* value = ::tigetstr(name);
  if (value == nullptr || value == reinterpret_cast<char*>(-1)) return text;
  for (const char* p = value; *p != '\0'; ++p) {
    if (p[0] == '$' && p[1] == '<') {
      if (const char* close = std::strchr(p, '>')) {
        p = close;
        continue;
      }
    }
    text += *p;
  }
  return text;
}

// What endwin would send: plain attributes, normal cursor, keypad back to
// its usual mode, out of the full-screen mode.
std::string reset_sequence() {
  return capability("sgr0") + capability("cnorm") + capability("rmkx") + capability("rmcup");
}

bool has_capability(const char* name) {
  const char* value = ::tigetstr(name);
  return value != nullptr && value != reinterpret_cast<char*>(-1);
}

// Ctrl-S and Ctrl-Q would stop and start the output without the program
// knowing; they are keys like any other while it runs. Curses keeps these
// modes for each return from a hand-back; endwin restores the shell's.
void flow_control_off() {
  termios modes{};
  if (::tcgetattr(kInputFd, &modes) != 0) return;
  modes.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF);
  ::tcsetattr(kInputFd, TCSANOW, &modes);
  def_prog_mode();
}

// Home and End come in several forms (tmux, rxvt, xterm in either cursor
// mode); terminfo names only one of each.
void define_other_keys() {
  const std::pair<const char*, int> keys[] = {
      {"\033[1~", KEY_HOME}, {"\033[7~", KEY_HOME}, {"\033[H", KEY_HOME}, {"\033OH", KEY_HOME},
      {"\033[4~", KEY_END},  {"\033[8~", KEY_END},  {"\033[F", KEY_END},  {"\033OF", KEY_END},
  };
  for (const auto& [sequence, code] : keys) {
    if (key_defined(sequence) == 0) define_key(sequence, code);
  }
}

class CursesTerminal : public TerminalDevice {
 public:
  explicit CursesTerminal(SCREEN* screen) : screen_(screen) {}

  ~CursesTerminal() override {
    end();
    delscreen(screen_);
  }

  // Modes, keys and colours of a fresh curses screen.
  void set_up() {
    on_ = true;
    set_terminal_taken(true);
    cbreak();
    noecho();
    nonl();
    // Ctrl-C discards what was typed before it, so none of it reaches the
    // shell after the program ends.
    intrflush(stdscr, TRUE);
    keypad(stdscr, TRUE);
    define_other_keys();
    set_escdelay(kEscapeDelayMs);
    flow_control_off();
    curs_set(1);
    int colors = 0;
    if (has_colors() && start_color() == OK && COLOR_PAIRS > 16) colors = COLORS;
    for (int palette = 0; palette < 16; ++palette) {
      TerminalColor color = terminal_color(palette, colors);
      palette_[palette] = color;
      if (color.number < 0) continue;
      // Pair 0 is white on black, what a blank has and what curses returns
      // to after each update: text in that colour needs no colour change.
      if (color == TerminalColor{COLOR_WHITE, false}) continue;
      auto pair = static_cast<short>(palette + 1);
      init_pair(pair, static_cast<short>(color.number), COLOR_BLACK);
      pairs_[palette] = pair;
    }
  }

  bool repaint_all() override {
    werase(stdscr);
    clearok(curscr, TRUE);
    forget_drawn();
    paint();
    return true;
  }

  std::optional<Input> poll(int timeout_ms) override {
    const Clock::time_point deadline = Clock::now() + Milliseconds(std::max(timeout_ms, 0));
    for (;;) {
      if (interrupt_pending()) throw ProgramEnd{kInterruptStatus};
      int slice = kPollSliceMs;
      if (timeout_ms >= 0) {
        auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now()).count();
        slice = static_cast<int>(std::clamp<long long>(left, 0, kPollSliceMs));
      }
      wtimeout(stdscr, slice);
      wint_t value = 0;
      int status = wget_wch(stdscr, &value);
      if (status == KEY_CODE_YES && value == KEY_RESIZE) {
        if (room()) {
          repaint_all();
        } else {
          wait_for_room();
        }
        continue;
      }
      if (status != ERR) {
        return Input::pressed(curses_key(status == KEY_CODE_YES, static_cast<std::uint32_t>(value)));
      }
      if (timeout_ms >= 0 && Clock::now() >= deadline) return std::nullopt;
    }
  }

  void beep() override { ::beep(); }
  bool on() const override { return on_; }

  void end() override {
    if (!on_) return;
    endwin();
    on_ = false;
    set_terminal_taken(false);
  }

 private:
  bool room() const override { return LINES >= ScreenModel::kRows && COLS >= ScreenModel::kColumns; }

  // Curses mode again after endwin: the next refresh restores the modes;
  // the terminal's contents are unknown, so every cell is sent again.
  void resume() override {
    if (on_) return;
    on_ = true;
    set_terminal_taken(true);
    clearok(curscr, TRUE);
    forget_drawn();
  }

  void paint() override {
    if (frame_) {
      for (const CellChange& change : take_changes()) draw_cell(change);
      wmove(stdscr, cursor_row_, cursor_col_);
    }
    wrefresh(stdscr);
  }

  void draw_cell(const CellChange& change) {
    const ShownCell& cell = change.cell;
    if (cell.span == 0) return;  // drawn with its left half
    const TerminalColor& color = palette_[cell.color & 15];
    attr_t attributes = color.bold ? A_BOLD : A_NORMAL;
    short pair = pairs_[cell.color & 15];
    TerminalGlyph shown = terminal_glyph(cell, ::wcwidth(static_cast<wchar_t>(cell.ch)));
    wchar_t text[2] = {static_cast<wchar_t>(shown.ch), L'\0'};
    cchar_t glyph;
    setcchar(&glyph, text, attributes, pair, nullptr);
    mvwadd_wch(stdscr, change.row, change.col, &glyph);
    if (shown.pad) {
      wchar_t blank[2] = {L' ', L'\0'};
      setcchar(&glyph, blank, attributes, pair, nullptr);
      mvwadd_wch(stdscr, change.row, change.col + 1, &glyph);
    }
  }

  // Shows why nothing else is shown until the terminal is big enough; keys
  // typed meanwhile go nowhere.
  void wait_for_room() override {
    while (!room()) {
      werase(stdscr);
      std::string message = too_small_message(COLS, LINES);
      mvwaddnstr(stdscr, 0, 0, message.c_str(), COLS);
      wrefresh(stdscr);
      if (interrupt_pending()) throw ProgramEnd{kInterruptStatus};
      wtimeout(stdscr, kPollSliceMs);
      wint_t ignored = 0;
      wget_wch(stdscr, &ignored);
    }
    repaint_all();
  }

  SCREEN* screen_;
  bool on_ = false;
  std::array<TerminalColor, 16> palette_{};
  std::array<short, 16> pairs_{};  // colour pair of each palette colour
};

}  // namespace

std::unique_ptr<TerminalDevice> open_curses_terminal(const termios& shell_modes, std::string& problem) {
  SCREEN* screen = newterm(nullptr, stdout, stdin);
  if (screen == nullptr) {
    const char* type = std::getenv("TERM");
    problem = std::string("terminfo does not know the terminal type '") + (type != nullptr ? type : "") + "'";
    return nullptr;
  }
  if (!has_capability("cup")) {
    endwin();
    delscreen(screen);
    problem = "the terminal cannot move its cursor";
    return nullptr;
  }
  prepare_terminal_reset(shell_modes, reset_sequence());
  auto terminal = std::make_unique<CursesTerminal>(screen);
  terminal->set_up();
  return terminal;
}

}  // namespace verdan
