// The window front end on SDL2: the text screen in unifont glyphs over the
// drawing plane in true pixels, exactly as the screen picture shows them,
// at a whole scale that fits the display; keys and the input method's text
// from the desktop.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console/console.h"
#include "platform/console/png_picture.h"

namespace verdan {

class WindowConsole : public Console {
 public:
  // The plane of the picture files: 8 x 16 pixels under each text cell.
  static constexpr int kPlaneWidth = 640;
  static constexpr int kPlaneHeight = 384;
  // Closing the window ends the program as leaving an error screen does.
  static constexpr int kClosedStatus = 1;

  struct Options {
    // Called when a read finds no input waiting, before it sleeps; tests
    // look at the window and feed events from here.
    std::function<void(WindowConsole&)> idle;
    // The title before any note; the program's name when empty.
    std::string title;
  };

  // Opens the window. Null, with the reason in `problem`, when there is no
  // display, no glyph file, or another window console is alive.
  static std::unique_ptr<WindowConsole> open(std::string& problem, Options options = {});
  ~WindowConsole() override;

  WindowConsole(const WindowConsole&) = delete;
  WindowConsole& operator=(const WindowConsole&) = delete;

  // The screen as the window shows it, 640 x 384 at scale 1, the cursor
  // left out (it blinks).
  std::vector<Rgb> shown_pixels();
  // Text cells sent to the window by the last drawing of the screen.
  int last_damage() const;
  // The whole scale the screen is drawn at now.
  int scale() const;
  // Whether the read waiting now is a line entry rather than one key.
  bool reading_entry() const;

 protected:
  // Edited as the terminal's entries are (LineEditor); the input method's
  // composition is shown at the cursor, Ctrl-V pastes the clipboard's first
  // line.
  std::string take_entry() override;
  int take_key() override;
  void sound_beep() override;
  // Keys typed during a wait are kept for the next read.
  void pause(int ticks) override;
  void pause_for_key(int ticks) override;
  // Into the window's title.
  void show_note(std::string_view text) override;
  void present() override;
  // Draws the final screen, writes $VERDAN_SNAPSHOT, and leaves the window's
  // place for a program started in this one's place.
  void release() override;

 private:
  struct Window;
  explicit WindowConsole(std::unique_ptr<Window> window);

  std::unique_ptr<Window> window_;
};

}  // namespace verdan
