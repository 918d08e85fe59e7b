// The 80 x 24 screen in the Windows console: a screen buffer of its own
// (the user's comes back at the end), cells written as UTF-16 with the
// console's colours, double-width characters over two cells, the drawing
// plane as braille with the labels as text, keys read with
// ReadConsoleInputW (input-method text arrives as characters).
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <string>

#include "platform/console/console.h"
#include "platform/console/keys.h"

namespace verdan {

class WindowsConsole : public Console {
 public:
  static constexpr int kPlaneWidth = 160;
  static constexpr int kPlaneHeight = 96;

  // Null, with `problem` saying why, when standard input or output is not
  // a console.
  static std::unique_ptr<WindowsConsole> open(std::string& problem);
  ~WindowsConsole() override;

  WindowsConsole(const WindowsConsole&) = delete;
  WindowsConsole& operator=(const WindowsConsole&) = delete;

 protected:
  std::string take_entry() override;
  int take_key() override;
  void sound_beep() override;
  void pause(int ticks) override;
  void pause_for_key(int ticks) override;
  void show_note(std::string_view text) override;
  void present() override;
  void release() override;

 private:
  WindowsConsole(HANDLE input, HANDLE original_output, HANDLE screen, DWORD input_mode);
  void show(const ScreenModel& model, int cursor_row, int cursor_col, bool cursor_on);
  // The next key, waiting up to `ms` milliseconds (-1: for ever).
  bool poll(int ms, Key& key);
  Key next_key();
  void restore();

  HANDLE input_;
  HANDLE original_output_;
  HANDLE screen_;
  DWORD input_mode_;
  bool restored_ = false;
  std::deque<Key> type_ahead_;
};

}  // namespace verdan
