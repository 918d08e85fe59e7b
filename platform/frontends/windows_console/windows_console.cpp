#include "platform/frontends/windows_console/windows_console.h"

#include <chrono>
#include <utility>

#include "platform/codec/cp932.h"
#include "platform/host/windows/wide.h"
#include "platform/console/label_placement.h"
#include "platform/console/png_picture.h"
#include "platform/console/interactive_console.h"
#include "platform/console/terminal_screen.h"

namespace verdan {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

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
  if (event.wVirtualKeyCode >= VK_F1 && event.wVirtualKeyCode <= VK_F12) {
    key = Key::function(event.wVirtualKeyCode - VK_F1 + 1);
    return true;
  }
  const wchar_t ch = event.uChar.UnicodeChar;
  // Halves of a character beyond the BMP: none is in CP932.
  if (ch == 0 || (ch >= 0xD800 && ch <= 0xDFFF)) return false;
  key = typed_character(static_cast<char32_t>(ch));
  return true;
}

}  // namespace

std::unique_ptr<Console> WindowsConsoleDisplay::open(std::string& problem) {
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
  return std::make_unique<InteractiveConsole>(
      std::make_unique<WindowsConsoleDisplay>(input, output, screen, input_mode), kPlaneWidth, kPlaneHeight);
}

WindowsConsoleDisplay::WindowsConsoleDisplay(HANDLE input, HANDLE original_output, HANDLE screen,
                                             DWORD input_mode)
    : input_(input), original_output_(original_output), screen_(screen), input_mode_(input_mode) {}

WindowsConsoleDisplay::~WindowsConsoleDisplay() { end(); }

void WindowsConsoleDisplay::end() {
  if (restored_) return;
  restored_ = true;
  SetConsoleActiveScreenBuffer(original_output_);
  SetConsoleMode(input_, input_mode_);
  CloseHandle(screen_);
}

// Whole rows as text runs of one colour: the console itself then gives a
// double-width character its two cells, in the classic console, in Windows
// Terminal and in wine alike.
void WindowsConsoleDisplay::show(const ScreenModel& model, const ScreenDamage& damage, int cursor_row,
                                 int cursor_col, Showing showing) {
  const bool cursor_on = showing != Showing::final;
  unwritten_.merge(damage);
  const LabelCells labels = place_labels(model);
  CONSOLE_CURSOR_INFO hidden{25, FALSE};
  SetConsoleCursorInfo(screen_, &hidden);
  for (int row = 0; row < ScreenModel::kRows; ++row) {
    if (!unwritten_.in_row(row)) continue;
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
  unwritten_.clear();
  CONSOLE_CURSOR_INFO cursor{25, cursor_on ? TRUE : FALSE};
  SetConsoleCursorPosition(screen_, COORD{static_cast<SHORT>(cursor_col), static_cast<SHORT>(cursor_row)});
  SetConsoleCursorInfo(screen_, &cursor);
}

std::optional<Input> WindowsConsoleDisplay::poll(int ms) {
  const Clock::time_point end = Clock::now() + Milliseconds(ms < 0 ? 0 : ms);
  for (;;) {
    DWORD wait = INFINITE;
    if (ms >= 0) {
      auto left = std::chrono::duration_cast<Milliseconds>(end - Clock::now()).count();
      wait = left > 0 ? static_cast<DWORD>(left) : 0;
    }
    if (WaitForSingleObject(input_, wait) != WAIT_OBJECT_0) return std::nullopt;
    INPUT_RECORD record{};
    DWORD read = 0;
    if (!ReadConsoleInputW(input_, &record, 1, &read) || read == 0) return std::nullopt;
    Key key;
    if (record.EventType == KEY_EVENT && key_of(record.Event.KeyEvent, key)) return Input::pressed(std::move(key));
  }
}

void WindowsConsoleDisplay::beep() { MessageBeep(MB_OK); }

void WindowsConsoleDisplay::note(std::string_view cp932) { SetConsoleTitleW(host::wide(to_utf8(cp932)).c_str()); }

}  // namespace verdan
