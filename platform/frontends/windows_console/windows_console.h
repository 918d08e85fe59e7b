// The 80 x 24 screen in the Windows console: a screen buffer of its own
// (the user's comes back at the end), cells written as UTF-16 with the
// console's colours, double-width characters over two cells, the drawing
// plane as braille with the labels as text, keys read with
// ReadConsoleInputW (input-method text arrives as characters).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/console/console.h"
#include "platform/console/display.h"

namespace verdan {

class WindowsConsoleDisplay : public Display {
 public:
  static constexpr int kPlaneWidth = 160;
  static constexpr int kPlaneHeight = 96;

  // The console of every interactive front end over this display. Null,
  // with `problem` saying why, when standard input or output is not a
  // console.
  static std::unique_ptr<Console> open(std::string& problem);
  WindowsConsoleDisplay(HANDLE input, HANDLE original_output, HANDLE screen, DWORD input_mode);
  ~WindowsConsoleDisplay() override;

  WindowsConsoleDisplay(const WindowsConsoleDisplay&) = delete;
  WindowsConsoleDisplay& operator=(const WindowsConsoleDisplay&) = delete;

  // The damaged rows written again; the final screen without the cursor.
  void show(const ScreenModel& model, const ScreenDamage& damage, int row, int col, Showing showing) override;
  std::optional<Input> poll(int timeout_ms) override;
  void beep() override;
  // Into the console's title.
  void note(std::string_view cp932) override;
  // The user's screen buffer and input modes back; for good.
  void end() override;

 private:
  HANDLE input_;
  HANDLE original_output_;
  HANDLE screen_;
  DWORD input_mode_;
  bool restored_ = false;
  ScreenDamage unwritten_ = ScreenDamage::whole_screen();  // every row at the first show
};

}  // namespace verdan
