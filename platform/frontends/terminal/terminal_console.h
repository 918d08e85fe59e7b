// The terminal front end: CP932 text shown in the locale's code set, the
// drawing as braille in cells without text, keys and line entries from the
// keyboard. Curses draws where terminfo knows the terminal, the built-in
// VT100/ANSI renderer elsewhere.
// Whatever way the program ends, the terminal is handed back as it was.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "platform/console/console.h"
#include "platform/frontends/terminal/terminal_device.h"

namespace verdan {

class TerminalConsole : public Console {
 public:
  // 2 x 4 braille dots under each text cell.
  static constexpr int kPlaneWidth = 160;
  static constexpr int kPlaneHeight = 96;
  // Ctrl-C ends the program with ProgramEnd{130}, the status shells give a
  // program ended by SIGINT, after the program has unwound and handed back.
  static constexpr int kInterruptStatus = 130;

  // Takes the terminal of standard input and output. Null, with the reason
  // in `problem`, when it cannot: not a terminal, no locale for Japanese
  // text, or another terminal console still alive.
  static std::unique_ptr<TerminalConsole> open(std::string& problem);
  // Hands back if the program has not.
  ~TerminalConsole() override;

  TerminalConsole(const TerminalConsole&) = delete;
  TerminalConsole& operator=(const TerminalConsole&) = delete;

 protected:
  // Edited with Backspace, Delete, Left, Right, Home and End; at most 255
  // bytes, and only as much as fits from the cursor to the end of the text
  // window without scrolling it. Enter ends it.
  std::string take_entry() override;
  int take_key() override;
  void sound_beep() override;
  // Keys typed during a wait are kept for the next read.
  void pause(int ticks) override;
  // Until a key (dropped) or the time is up.
  void pause_for_key(int ticks) override;
  // Into the terminal's title line.
  void show_note(std::string_view text) override;
  // Draws the cells that changed since the last time.
  void present() override;
  // Draws the final screen and gives the terminal back (endwin), then
  // writes the picture to $VERDAN_SNAPSHOT if set. Using the console
  // afterwards takes the terminal again.
  void release() override;

 private:
  explicit TerminalConsole(std::unique_ptr<TerminalDevice> device);
  Key next_key();

  std::unique_ptr<TerminalDevice> device_;
  std::deque<Key> type_ahead_;
};

}  // namespace verdan
