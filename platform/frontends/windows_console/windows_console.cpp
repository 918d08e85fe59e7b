#include "platform/frontends/windows_console/windows_console.h"

#include <chrono>

#include "platform/codec/cp932.h"
#include "platform/host/windows/wide.h"
#include "platform/console/label_placement.h"
#include "platform/console/png_picture.h"
#include "platform/console/snapshot.h"
#include "platform/console/terminal_keys.h"
#include "platform/console/terminal_screen.h"

namespace verdan {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;
constexpr std::size_t kMaxTypeAhead = 64;

// The console's 16 colours from the palette: a channel at half is there,
// a bright one makes the colour intense.
WORD attribute_of(int palette) {
  Rgb c = palette_color(palette);
  WORD attribute = 0;
  if (c.b >= 0x80) attribute |= FOREGROUND_BLUE;
  if (c.g >= 0x80) attribute |= FOREGROUND_GREEN;
  if (c.r >= 0x80) attribute |= FOREGROUND_RED;
  if (c.r >= 0xC0 || c.g >= 0xC0 || c.b >= 0xC0) attribute |= FOREGROUND_INTENSITY;
  return attribute;
}

// The console's virtual keys and characters in this system's keys.
bool key_of(const KEY_EVENT_RECORD& event, Key& key) {
  if (!event.bKeyDown) return false;
  switch (event.wVirtualKeyCode) {
    case VK_UP: key = Key::named(KeyName::up); return true;
    case VK_DOWN: key = Key::named(KeyName::down); return true;
    case VK_LEFT: key = Key::named(KeyName::left); return true;
    case VK_RIGHT: key = Key::named(KeyName::right); return true;
    case VK_HOME: key = Key::named(KeyName::home); return true;
    case VK_END: key = Key::named(KeyName::end); return true;
    case VK_INSERT: key = Key::named(KeyName::insert); return true;
    case VK_DELETE: key = Key::named(KeyName::del); return true;
    case VK_BACK: key = Key::named(KeyName::backspace); return true;
    case VK_RETURN: key = Key::named(KeyName::enter); return true;
    case VK_ESCAPE: key = Key::named(KeyName::escape); return true;
    default: break;
  }
  const wchar_t ch = event.uChar.UnicodeChar;
  // Halves of a character beyond the BMP: none is in CP932.
  if (ch == 0 || (ch >= 0xD800 && ch <= 0xDFFF)) return false;
  key = typed_character(static_cast<char32_t>(ch));
  return true;
}

}  // namespace

std::unique_ptr<WindowsConsole> WindowsConsole::open(std::string& problem) {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD input_mode = 0;
  DWORD output_mode = 0;
  if (!GetConsoleMode(input, &input_mode) || !GetConsoleMode(output, &output_mode)) {
    problem = "standard input or output is not a console";
    return nullptr;
  }
  HANDLE screen = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
  if (screen == INVALID_HANDLE_VALUE) {
    problem = "the console gives no screen buffer";
    return nullptr;
  }
  COORD size{ScreenModel::kColumns, ScreenModel::kRows};
  SMALL_RECT window{0, 0, ScreenModel::kColumns - 1, ScreenModel::kRows - 1};
  // Shrink the window before the buffer, grow the buffer before the window.
  SetConsoleWindowInfo(screen, TRUE, &window);
  SetConsoleScreenBufferSize(screen, size);
  SetConsoleWindowInfo(screen, TRUE, &window);
  // The last cell of the last row must not scroll the screen.
  SetConsoleMode(screen, ENABLE_PROCESSED_OUTPUT);
  SetConsoleActiveScreenBuffer(screen);
  SetConsoleMode(input, ENABLE_WINDOW_INPUT | ENABLE_EXTENDED_FLAGS);
  return std::unique_ptr<WindowsConsole>(new WindowsConsole(input, output, screen, input_mode));
}

WindowsConsole::WindowsConsole(HANDLE input, HANDLE original_output, HANDLE screen, DWORD input_mode)
    : Console(kPlaneWidth, kPlaneHeight),
      input_(input),
      original_output_(original_output),
      screen_(screen),
      input_mode_(input_mode) {}

WindowsConsole::~WindowsConsole() {
  try {
    hand_back();
  } catch (...) {
    // A destructor must not throw; the console is given back below anyway.
  }
  restore();
}

void WindowsConsole::restore() {
  if (restored_) return;
  restored_ = true;
  SetConsoleActiveScreenBuffer(original_output_);
  SetConsoleMode(input_, input_mode_);
  CloseHandle(screen_);
}

// Row by row as text runs of one colour: the console itself then gives a
// double-width character its two cells, in the classic console, in Windows
// Terminal and in wine alike.
void WindowsConsole::show(const ScreenModel& model, int cursor_row, int cursor_col, bool cursor_on) {
  const LabelCells labels = place_labels(model);
  CONSOLE_CURSOR_INFO hidden{25, FALSE};
  SetConsoleCursorInfo(screen_, &hidden);
  for (int row = 0; row < ScreenModel::kRows; ++row) {
    SetConsoleCursorPosition(screen_, COORD{0, static_cast<SHORT>(row)});
    std::wstring run;
    WORD run_attribute = 0;
    auto flush = [&] {
      if (run.empty()) return;
      SetConsoleTextAttribute(screen_, run_attribute);
      DWORD written = 0;
      WriteConsoleW(screen_, run.data(), static_cast<DWORD>(run.size()), &written, nullptr);
      run.clear();
    };
    for (int col = 0; col < ScreenModel::kColumns; ++col) {
      const ShownCell shown = shown_cell(model, row, col, labels);
      if (shown.span == 0) continue;
      const WORD attribute = attribute_of(shown.color);
      if (attribute != run_attribute) flush();
      run_attribute = attribute;
      run += shown.ch > 0xFFFF ? L'?' : static_cast<wchar_t>(shown.ch);
    }
    flush();
  }
  CONSOLE_CURSOR_INFO cursor{25, cursor_on ? TRUE : FALSE};
  SetConsoleCursorPosition(screen_, COORD{static_cast<SHORT>(cursor_col), static_cast<SHORT>(cursor_row)});
  SetConsoleCursorInfo(screen_, &cursor);
}

bool WindowsConsole::poll(int ms, Key& key) {
  const Clock::time_point end = Clock::now() + Milliseconds(ms < 0 ? 0 : ms);
  for (;;) {
    DWORD wait = INFINITE;
    if (ms >= 0) {
      auto left = std::chrono::duration_cast<Milliseconds>(end - Clock::now()).count();
      wait = left > 0 ? static_cast<DWORD>(left) : 0;
    }
    if (WaitForSingleObject(input_, wait) != WAIT_OBJECT_0) return false;
    INPUT_RECORD record{};
    DWORD read = 0;
    if (!ReadConsoleInputW(input_, &record, 1, &read) || read == 0) return false;
    if (record.EventType == KEY_EVENT && key_of(record.Event.KeyEvent, key)) return true;
  }
}

Key WindowsConsole::next_key() {
  if (!type_ahead_.empty()) {
    Key key = type_ahead_.front();
    type_ahead_.pop_front();
    return key;
  }
  Key key;
  while (!poll(-1, key)) {
  }
  return key;
}

std::string WindowsConsole::take_entry() {
  const ScreenModel before = screen();
  const int row = before.cursor_row();
  const int col = before.output_column();
  const int last_row = row <= before.window_bottom() ? before.window_bottom() : row;
  LineEditor editor([&](std::string_view text) { return entry_fits(text, row, col, last_row); });
  for (;;) {
    auto [typed, cursor_row, cursor_col] = typed_entry(before, editor);
    show(typed, cursor_row, cursor_col, true);
    EntryKey key = entry_key(next_key());
    if (key.action == EntryAction::enter) break;
    if (!editor.apply(key)) sound_beep();
  }
  echo(editor.text());
  return editor.text();
}

int WindowsConsole::take_key() {
  present();
  for (;;) {
    int code = one_key_code(next_key());
    if (code >= 0) return code;
  }
}

void WindowsConsole::sound_beep() { MessageBeep(MB_OK); }

void WindowsConsole::pause(int ticks) {
  present();
  const Clock::time_point end = Clock::now() + Milliseconds(10LL * ticks);
  for (;;) {
    auto left = std::chrono::duration_cast<Milliseconds>(end - Clock::now()).count();
    if (left <= 0) return;
    Key key;
    if (poll(static_cast<int>(left), key) && type_ahead_.size() < kMaxTypeAhead) type_ahead_.push_back(key);
  }
}

void WindowsConsole::pause_for_key(int ticks) {
  present();
  if (!type_ahead_.empty()) {
    type_ahead_.pop_front();
    return;
  }
  Key key;
  poll(10 * ticks, key);
}

void WindowsConsole::show_note(std::string_view text) { SetConsoleTitleW(host::wide(to_utf8(text)).c_str()); }

void WindowsConsole::present() { show(screen(), screen().cursor_row(), screen().cursor_col(), true); }

void WindowsConsole::release() {
  show(screen(), screen().cursor_row(), screen().cursor_col(), false);
  restore();
  write_snapshot(screen());
}

}  // namespace verdan
