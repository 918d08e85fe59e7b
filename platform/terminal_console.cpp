#include "platform/terminal_console.h"

#include <langinfo.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <deque>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "platform/cp932.h"
#include "platform/fallible_step.h"
#include "platform/snapshot.h"
#include "platform/terminal_codec.h"
#include "platform/screen_model.h"
#include "platform/terminal_keys.h"
#include "platform/terminal_screen.h"

// Last: curses defines macros with common names.
#define NCURSES_WIDECHAR 1
#include <curses.h>

namespace verdan {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

constexpr int kInputFd = 0;
constexpr int kOutputFd = 1;
// A lone ESC is a key of its own after this long.
constexpr int kEscapeDelayMs = 25;
// Reads wake this often to notice Ctrl-C.
constexpr int kPollSliceMs = 100;
// Keys typed during waits that are kept for later reads.
constexpr std::size_t kMaxTypeAhead = 64;

// --- what the signal handlers use ---
// Curses must not be called from a signal handler, so the way back to the
// shell's terminal is prepared beforehand: the modes the shell had and the
// control strings endwin would send.
volatile std::sig_atomic_t g_curses_on = 0;
volatile std::sig_atomic_t g_interrupted = 0;
termios g_shell_modes{};
char g_reset[512];
std::size_t g_reset_length = 0;
bool g_console_open = false;

constexpr int kFatalSignals[] = {SIGTERM, SIGHUP, SIGQUIT, SIGABRT,
                                 SIGSEGV, SIGBUS, SIGFPE,  SIGILL};
constexpr std::size_t kFatalCount = std::size(kFatalSignals);

// The actions the signals had before ours, put back when the console goes
// and handed the signal on a fatal one (a sanitizer's report, a core dump).
struct SavedAction {
  struct sigaction action {};
  bool taken = false;
};
SavedAction g_interrupt_before;
std::array<SavedAction, kFatalCount> g_fatal_before;

// Async-signal-safe: write and tcsetattr only.
void give_terminal_back_now() {
  if (!g_curses_on) return;
  g_curses_on = 0;
  ssize_t written = ::write(kOutputFd, g_reset, g_reset_length);
  static_cast<void>(written);
  ::tcsetattr(kInputFd, TCSANOW, &g_shell_modes);
}

void on_fatal_signal(int signal) {
  give_terminal_back_now();
  for (std::size_t i = 0; i < kFatalCount; ++i) {
    if (kFatalSignals[i] == signal && g_fatal_before[i].taken) {
      ::sigaction(signal, &g_fatal_before[i].action, nullptr);
    }
  }
  ::raise(signal);
}

void on_interrupt(int signal) {
  if (g_interrupted) {
    // A second Ctrl-C before the program came to a read: it is stuck.
    give_terminal_back_now();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    return;
  }
  g_interrupted = 1;
}

// Appends a terminfo string to the reset sequence, without its padding
// ("$<5>"), which only old hardware needed and a handler cannot honour.
void append_capability(const char* name) {
  const char* value = ::tigetstr(name);
  if (value == nullptr || value == reinterpret_cast<char*>(-1)) return;
  for (const char* p = value; *p != '\0'; ++p) {
    if (p[0] == '$' && p[1] == '<') {
      if (const char* close = std::strchr(p, '>')) {
        p = close;
        continue;
      }
    }
    if (g_reset_length < sizeof g_reset) g_reset[g_reset_length++] = *p;
  }
}

void prepare_reset() {
  g_reset_length = 0;
  append_capability("sgr0");   // plain attributes
  append_capability("cnorm");  // normal cursor
  append_capability("rmkx");   // keypad back to its usual mode
  append_capability("rmcup");  // leave the full-screen mode
}

bool has_capability(const char* name) {
  const char* value = ::tigetstr(name);
  return value != nullptr && value != reinterpret_cast<char*>(-1);
}

// Ignored signals (a job started in the background, nohup) stay ignored.
void take_signal(int signal, void (*handler)(int), int flags, SavedAction& saved) {
  saved.taken = false;
  if (::sigaction(signal, nullptr, &saved.action) != 0 || saved.action.sa_handler == SIG_IGN) {
    return;
  }
  struct sigaction action {};
  sigemptyset(&action.sa_mask);
  action.sa_handler = handler;
  action.sa_flags = flags;
  saved.taken = ::sigaction(signal, &action, nullptr) == 0;
}

void take_signals() {
  take_signal(SIGINT, on_interrupt, 0, g_interrupt_before);  // no SA_RESTART: reads wake up
  for (std::size_t i = 0; i < kFatalCount; ++i) {
    take_signal(kFatalSignals[i], on_fatal_signal, SA_RESETHAND | SA_NODEFER, g_fatal_before[i]);
  }
}

void put_signals_back() {
  auto put_back = [](int signal, SavedAction& saved) {
    if (saved.taken) ::sigaction(signal, &saved.action, nullptr);
    saved.taken = false;
  };
  put_back(SIGINT, g_interrupt_before);
  for (std::size_t i = 0; i < kFatalCount; ++i) put_back(kFatalSignals[i], g_fatal_before[i]);
}

// Curses writes and reads characters in the locale's code set, so the
// user's own locale is taken when its code set holds Japanese text; else
// UTF-8. Only LC_CTYPE changes: number formats stay those of the C locale.
bool use_text_locale() {
  auto usable = [] { return terminal_code_set_usable(::nl_langinfo(CODESET)); };
  const char* before = std::setlocale(LC_CTYPE, nullptr);
  std::string previous = before != nullptr ? before : "C";
  if (std::setlocale(LC_CTYPE, "") != nullptr && usable()) return true;
  if (std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr && usable()) return true;
  std::setlocale(LC_CTYPE, previous.c_str());
  return false;
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

// The terminal's title line; terminals that do not know it ignore it.
void set_title(std::string_view utf8) {
  std::string text = "\033]2;";
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) >= 0x20) text += c;
  }
  text += '\007';
  ssize_t written = ::write(kOutputFd, text.data(), text.size());
  static_cast<void>(written);
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

}  // namespace

// Curses state of the one terminal console.
struct TerminalConsole::Terminal {
  SCREEN* screen = nullptr;
  bool on = false;  // in curses mode: between newterm or a resume and endwin
  std::array<TerminalColor, 16> palette{};
  std::array<short, 16> pairs{};  // colour pair of each palette colour
  ScreenShadow shadow;
  std::optional<ScreenModel> frame;  // what is shown, for repainting
  int cursor_row = 0;
  int cursor_col = 0;
  std::deque<TerminalKey> type_ahead;

  static bool room() { return LINES >= ScreenModel::kRows && COLS >= ScreenModel::kColumns; }

  // Curses mode again after endwin: the next refresh restores the modes;
  // the terminal's contents are unknown, so every cell is sent again.
  void resume() {
    if (on) return;
    on = true;
    g_curses_on = 1;
    clearok(curscr, TRUE);
    shadow.forget();
  }

  void end() {
    if (!on) return;
    endwin();
    on = false;
    g_curses_on = 0;
  }

  // Shows `shown` with the cursor at (row, col). While the terminal is too
  // small this waits for it to grow, unless `may_wait` is false.
  void show(const ScreenModel& shown, int row, int col, bool may_wait) {
    resume();
    frame = shown;
    cursor_row = row;
    cursor_col = col;
    if (!room()) {
      if (may_wait) wait_for_room();
      return;
    }
    paint();
  }

  void paint() {
    if (frame) {
      for (const CellChange& change : shadow.update(*frame)) draw_cell(change);
      wmove(stdscr, cursor_row, cursor_col);
    }
    wrefresh(stdscr);
  }

  void repaint_all() {
    werase(stdscr);
    clearok(curscr, TRUE);
    shadow.forget();
    paint();
  }

  void draw_cell(const CellChange& change) {
    const ShownCell& cell = change.cell;
    if (cell.span == 0) return;  // drawn with its left half
    const TerminalColor& color = palette[cell.color & 15];
    attr_t attributes = color.bold ? A_BOLD : A_NORMAL;
    short pair = pairs[cell.color & 15];
    wchar_t text[2] = {static_cast<wchar_t>(cell.ch), L'\0'};
    int width = ::wcwidth(text[0]);
    // Characters of ambiguous width (①, ─) take one cell in most locales:
    // the second cell gets a blank so the columns stay where the screen
    // has them. What the terminal cannot show at all becomes a question mark.
    // Code sets without braille (EUC-JP, Shift_JIS) show the drawing as dots.
    if (width < 0 && text[0] >= 0x2800 && text[0] <= 0x28FF) {
      text[0] = L'.';
      width = 1;
    }
    bool pad = cell.span == 2 && width == 1;
    if (width != cell.span && !pad) text[0] = cell.span == 2 ? L'\uFF1F' : L'?';
    cchar_t glyph;
    setcchar(&glyph, text, attributes, pair, nullptr);
    mvwadd_wch(stdscr, change.row, change.col, &glyph);
    if (pad) {
      wchar_t blank[2] = {L' ', L'\0'};
      setcchar(&glyph, blank, attributes, pair, nullptr);
      mvwadd_wch(stdscr, change.row, change.col + 1, &glyph);
    }
  }

  // Shows why nothing else is shown until the terminal is big enough; keys
  // typed meanwhile go nowhere.
  void wait_for_room() {
    while (!room()) {
      werase(stdscr);
      std::string message = "Terminal too small: need 80x24, have " + std::to_string(COLS) + "x" +
                            std::to_string(LINES);
      mvwaddnstr(stdscr, 0, 0, message.c_str(), COLS);
      wrefresh(stdscr);
      if (g_interrupted) throw ProgramEnd{kInterruptStatus};
      wtimeout(stdscr, kPollSliceMs);
      wint_t ignored = 0;
      wget_wch(stdscr, &ignored);
    }
    repaint_all();
  }

  // The next key within `timeout_ms` (negative: no limit). Resizes are
  // dealt with here; Ctrl-C ends the program.
  std::optional<TerminalKey> poll(int timeout_ms) {
    const Clock::time_point deadline = Clock::now() + Milliseconds(std::max(timeout_ms, 0));
    for (;;) {
      if (g_interrupted) throw ProgramEnd{kInterruptStatus};
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
        return TerminalKey{status == KEY_CODE_YES, static_cast<std::uint32_t>(value)};
      }
      if (timeout_ms >= 0 && Clock::now() >= deadline) return std::nullopt;
    }
  }

  TerminalKey next_key() {
    if (!type_ahead.empty()) {
      TerminalKey key = type_ahead.front();
      type_ahead.pop_front();
      return key;
    }
    return *poll(-1);
  }
};

TerminalConsole::TerminalConsole(std::unique_ptr<Terminal> terminal)
    : Console(kPlaneWidth, kPlaneHeight), terminal_(std::move(terminal)) {}

std::unique_ptr<TerminalConsole> TerminalConsole::open(std::string& problem) {
  if (g_console_open) {
    problem = "the terminal is already in use by another console";
    return nullptr;
  }
  if (::isatty(kInputFd) == 0 || ::isatty(kOutputFd) == 0) {
    problem = "standard input or output is not a terminal";
    return nullptr;
  }
  if (!use_text_locale()) {
    problem = "no locale with Japanese text";
    return nullptr;
  }
  if (::tcgetattr(kInputFd, &g_shell_modes) != 0) {
    problem = "the terminal's modes cannot be read";
    return nullptr;
  }
  auto terminal = std::make_unique<Terminal>();
  // Before newterm, so that curses leaves SIGINT and SIGTERM to us.
  take_signals();
  g_interrupted = 0;
  terminal->screen = newterm(nullptr, stdout, stdin);
  // A type terminfo does not know (or none at all): nearly every terminal
  // and ssh session understands the VT100/ANSI controls.
  for (const char* known : {"ansi", "vt100"}) {
    if (terminal->screen != nullptr) break;
    terminal->screen = newterm(known, stdout, stdin);
  }
  if (terminal->screen == nullptr) {
    put_signals_back();
    const char* type = std::getenv("TERM");
    problem = std::string("the terminal type '") + (type != nullptr ? type : "") + "' is unknown";
    return nullptr;
  }
  if (!has_capability("cup")) {
    endwin();
    delscreen(terminal->screen);
    put_signals_back();
    problem = "the terminal cannot move its cursor";
    return nullptr;
  }
  terminal->on = true;
  prepare_reset();
  g_curses_on = 1;

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
    terminal->palette[palette] = color;
    if (color.number < 0) continue;
    // Pair 0 is white on black, what a blank has and what curses returns
    // to after each update: text in that colour needs no colour change.
    if (color == TerminalColor{COLOR_WHITE, false}) continue;
    auto pair = static_cast<short>(palette + 1);
    init_pair(pair, static_cast<short>(color.number), COLOR_BLACK);
    terminal->pairs[palette] = pair;
  }

  g_console_open = true;
  return std::unique_ptr<TerminalConsole>(new TerminalConsole(std::move(terminal)));
}

TerminalConsole::~TerminalConsole() {
  try {
    hand_back();
  } catch (...) {
    // A destructor must not throw; the terminal is given back below anyway.
  }
  terminal_->end();
  delscreen(terminal_->screen);
  put_signals_back();
  g_console_open = false;
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
    ScreenModel typed = before;
    typed.put_text(std::string_view(editor.text()).substr(0, editor.cursor()));
    int cursor_row = typed.cursor_row();
    int cursor_col = typed.output_column();
    if (cursor_col >= ScreenModel::kColumns) {
      // A full row: the next character goes to the start of the next one.
      if (cursor_row < ScreenModel::kRows - 1) {
        ++cursor_row;
        cursor_col = 0;
      } else {
        cursor_col = ScreenModel::kColumns - 1;
      }
    }
    typed.put_text(std::string_view(editor.text()).substr(editor.cursor()));
    terminal_->show(typed, cursor_row, cursor_col, true);
    TerminalKey pressed = terminal_->next_key();
    if (is_repaint_key(pressed)) {
      terminal_->repaint_all();
      continue;
    }
    EntryKey key = entry_key(pressed);
    if (key.action == EntryAction::enter) break;
    if (!editor.apply(key)) ::beep();
  }
  echo(editor.text());
  return editor.text();
}

int TerminalConsole::take_key() {
  for (;;) {
    TerminalKey typed = terminal_->next_key();
    if (is_repaint_key(typed)) {
      terminal_->repaint_all();
      continue;
    }
    int code = one_key_code(typed);
    if (code >= 0) return code;
  }
}

void TerminalConsole::sound_beep() {
  if (!terminal_->on) present();
  ::beep();
}

void TerminalConsole::pause(int ticks) {
  const Clock::time_point end = Clock::now() + Milliseconds(10LL * ticks);
  for (;;) {
    auto left = std::chrono::duration_cast<Milliseconds>(end - Clock::now()).count();
    if (left <= 0) return;
    auto slice = static_cast<int>(std::min<long long>(left, 1000));
    std::optional<TerminalKey> key = terminal_->poll(slice);
    if (key && terminal_->type_ahead.size() < kMaxTypeAhead) terminal_->type_ahead.push_back(*key);
  }
}

void TerminalConsole::pause_for_key(int ticks) {
  const Clock::time_point end = Clock::now() + Milliseconds(10LL * ticks);
  for (;;) {
    if (!terminal_->type_ahead.empty()) {
      terminal_->type_ahead.pop_front();
      return;
    }
    auto left = std::chrono::duration_cast<Milliseconds>(end - Clock::now()).count();
    if (left <= 0) return;
    if (terminal_->poll(static_cast<int>(std::min<long long>(left, 1000)))) return;
  }
}

void TerminalConsole::show_note(std::string_view text) { set_title(to_utf8(text)); }

void TerminalConsole::present() {
  terminal_->show(screen(), screen().cursor_row(), screen().cursor_col(), true);
}

void TerminalConsole::release() {
  terminal_->show(screen(), screen().cursor_row(), screen().cursor_col(), false);
  terminal_->end();
  write_snapshot(screen());
}

}  // namespace verdan
