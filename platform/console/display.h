// The seam between the one entry loop (InteractiveConsole) and a device
// that shows the screen and reads the keyboard: a terminal, the Windows
// console, a window. The loop decides; the device only draws and reports.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/console/keys.h"
#include "platform/console/screen_damage.h"
#include "platform/console/screen_model.h"

namespace verdan {

// What the keyboard gave: a key, or text an input method committed (CP932).
struct Input {
  enum class Kind { key, text } kind = Kind::key;
  Key key;
  std::string text;

  static Input pressed(Key key) { return {Kind::key, std::move(key), {}}; }
  static Input typed(std::string cp932) { return {Kind::text, {}, std::move(cp932)}; }
};

// Why the screen is shown: the program's screen before it waits, a line
// entry being typed, or the last screen before the device is handed back.
enum class Showing { screen, entry, final };

class Display {
 public:
  virtual ~Display() = default;

  // Shows `model` with the cursor at (row, col), drawing the cells of
  // `damage`: what changed since the last show. A device that lost its
  // contents (first show, resize, end()) draws every cell. Takes the device
  // again after end().
  virtual void show(const ScreenModel& model, const ScreenDamage& damage, int row, int col,
                    Showing showing) = 0;
  // Draws everything again for the repaint key; false where that key is an
  // ordinary one.
  virtual bool repaint_all() { return false; }
  // The next input within `timeout_ms` (negative: no limit).
  virtual std::optional<Input> poll(int timeout_ms) = 0;
  virtual void beep() = 0;
  // A failure's story (CP932) where the device shows it beside the screen.
  virtual void note(std::string_view cp932) { static_cast<void>(cp932); }
  // Whether the device is in the program's hands now.
  virtual bool on() const { return true; }
  // Gives the device back to what was there before the program.
  virtual void end() {}
  // Why $VERDAN_SNAPSHOT could not be written, for devices that can say so.
  virtual void snapshot_problem(const std::string& problem) { static_cast<void>(problem); }
  // A line entry (true) or a one-key read (false) starts.
  virtual void reads_entry(bool entry) { static_cast<void>(entry); }
  // The clipboard's first line (CP932), where the device has a clipboard.
  virtual std::optional<std::string> clipboard_line() { return std::nullopt; }
};

}  // namespace verdan
