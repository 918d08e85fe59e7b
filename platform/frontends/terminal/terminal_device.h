// What the terminal is to the entry loop: a Display. Curses draws where
// terminfo knows the terminal; the built-in VT100/ANSI renderer where it
// does not. Both hand the terminal and its signals back when they go.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/console/display.h"
#include "platform/console/screen_model.h"
#include "platform/console/terminal_screen.h"

namespace verdan {

class TerminalDevice : public Display {
 public:
  // After the device has left the program's modes: the signals as they
  // were, the terminal free for another console.
  ~TerminalDevice() override;

  // While the terminal is smaller than 80 x 24, showing waits for it to
  // grow, except the final screen.
  // Ctrl-L draws every cell again (garbage on the terminal): true.
  // Polling deals with resizes; Ctrl-C ends the program.
  // Notes go into the terminal's title line.
  void note(std::string_view cp932) override;

  // Keeps the frame for repainting and paints its damage once there is room.
  void show(const ScreenModel& shown, const ScreenDamage& damage, int row, int col, Showing showing) final;

 protected:
  // The program's modes again after end(); every cell is sent again.
  virtual void resume() = 0;
  // Whether the terminal holds 80 x 24 now.
  virtual bool room() const = 0;
  virtual void wait_for_room() = 0;
  // Sends take_changes() and puts the cursor.
  virtual void paint() = 0;

  // The cells of frame_ damaged since the last paint, as the terminal shows
  // them; they count as drawn from now on.
  std::vector<CellChange> take_changes();
  // The terminal lost its contents (resize, hand-back, Ctrl-L): every cell
  // is drawn again.
  void forget_drawn() { unpainted_.mark_all(); }

  std::optional<ScreenModel> frame_;  // what is shown, for repainting
  int cursor_row_ = 0;
  int cursor_col_ = 0;

 private:
  ScreenDamage unpainted_ = ScreenDamage::whole_screen();
};

// The title line; terminals that do not know it ignore it.
void set_terminal_title(std::string_view utf8);

}  // namespace verdan
