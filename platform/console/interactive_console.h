// The console of every interactive front end: line entries edited with the
// common key rules, one-key reads, waits that keep what is typed meanwhile,
// all over one Display that draws and reads. The devices differ only there.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "platform/console/console.h"
#include "platform/console/display.h"

namespace verdan {

class InteractiveConsole : public Console {
 public:
  // Inputs typed during waits that are kept for later reads.
  static constexpr std::size_t kMaxTypeAhead = 64;

  InteractiveConsole(std::unique_ptr<Display> display, int plane_width, int plane_height);
  // Hands back if the program has not, then lets the display go.
  ~InteractiveConsole() override;

  InteractiveConsole(const InteractiveConsole&) = delete;
  InteractiveConsole& operator=(const InteractiveConsole&) = delete;

 protected:
  // Edited with Backspace, Delete, Left, Right, Home and End (terminal_keys);
  // at most 255 bytes, and only as much as fits from the cursor to the end of
  // the text window without scrolling it. Committed text goes in character
  // by character; Ctrl-V pastes the clipboard's first line where there is
  // one. Enter ends it.
  std::string take_entry() override;
  // Each character of committed text is a key of its own.
  int take_key() override;
  void sound_beep() override;
  // Inputs during a wait are kept for the next read.
  void pause(int ticks) override;
  // Until an input (dropped) or the time is up.
  void pause_for_key(int ticks) override;
  void show_note(std::string_view text) override;
  void present() override;
  // Shows the final screen, gives the device back, then writes the picture
  // to $VERDAN_SNAPSHOT if set. Using the console afterwards takes the
  // device again.
  void release() override;

 private:
  // Shows the console's own screen with its damage.
  void show_screen(Showing showing);
  Input next_input();
  // Waits up to `ticks` for an input; each one goes to `got`, which says
  // whether the wait ends.
  template <typename Got>
  void wait_inputs(int ticks, Got got);

  std::unique_ptr<Display> display_;
  std::deque<Input> type_ahead_;
  // Cells where the display may show other than the screen: the screen's
  // damage taken before an entry copied it, then the own changes of the
  // entry's copy shown last.
  ScreenDamage unshown_;
};

}  // namespace verdan
