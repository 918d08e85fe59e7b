// The window front end on SDL2: the text screen in unifont glyphs over the
// drawing plane in true pixels, exactly as the screen picture shows them,
// at a whole scale that fits the display; keys and the input method's text
// from the desktop.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console/display.h"
#include "platform/console/png_picture.h"

namespace verdan {

class WindowDisplay : public Display {
 public:
  // The plane of the picture files: 8 x 16 pixels under each text cell.
  static constexpr int kPlaneWidth = 640;
  static constexpr int kPlaneHeight = 384;
  // Closing the window ends the program as leaving an error screen does.
  static constexpr int kClosedStatus = 1;

  struct Options {
    // Called when a read finds no input waiting, before it sleeps; tests
    // look at the window and feed events from here.
    std::function<void(WindowDisplay&)> idle;
    // The title before any note; the program's name when empty.
    std::string title;
  };

  // Opens the window. Null, with the reason in `problem`, when there is no
  // display, no glyph file, or another window is open.
  static std::unique_ptr<WindowDisplay> open(std::string& problem, Options options = {});
  ~WindowDisplay() override;

  WindowDisplay(const WindowDisplay&) = delete;
  WindowDisplay& operator=(const WindowDisplay&) = delete;

  // An entry shows the input method's composition at its cursor.
  void show(const ScreenModel& model, const ScreenDamage& damage, int row, int col, Showing showing) override;
  // The next key or committed text, blinking the cursor meanwhile; a key
  // without a meaning here comes as `other`. Closing the window ends the
  // program.
  std::optional<Input> poll(int timeout_ms) override;
  void beep() override;
  // Into the window's title.
  void note(std::string_view cp932) override;
  // Leaves the window's place for a program started in this one's place.
  void end() override;
  void snapshot_problem(const std::string& problem) override;
  void reads_entry(bool entry) override;
  std::optional<std::string> clipboard_line() override;

  // The screen as the window shows it, 640 x 384 at scale 1, the cursor
  // left out (it blinks).
  std::vector<Rgb> shown_pixels();
  // Text cells sent to the window by the last drawing of the screen.
  int last_damage() const;
  // The whole scale the screen is drawn at now.
  int scale() const;
  // Whether the read waiting now is a line entry rather than one key.
  bool reading_entry() const;

 private:
  struct Window;
  explicit WindowDisplay(std::unique_ptr<Window> window);

  std::unique_ptr<Window> window_;
};

}  // namespace verdan
