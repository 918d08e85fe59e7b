// The whole console a program talks to: text with a cursor, colour and
// scroll window, the drawing plane, and the keyboard. It owns the screen
// model; each front end supplies the keyboard and the presentation.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/console/screen_model.h"
#include "platform/text_sink.h"

namespace verdan {

class Console : public TextSink {
 public:
  Console(int plane_width, int plane_height);

  // --- text (PRINT-style output goes through TextSink) ---

  // Cursor to (row, col); off-screen positions are clipped to the edge.
  void locate(int row, int col);
  // Cursor row 0-23 and column 0-79.
  int cursor_row() const { return model_.cursor_row(); }
  int cursor_col() const { return model_.cursor_col(); }
  // Colour of text written from now on (0-15).
  void set_color(int color);
  // The colour text is written in now.
  int color() const { return model_.color(); }
  // CP932 bytes at the cursor, wrapping past column 79 (see ScreenModel).
  void write(std::string_view bytes) override;
  // Cursor to the start of the next row, scrolling the text window on its
  // last row.
  void end_line() override;
  // Output column of the next byte (80 when column 79 was just written).
  int column() const override { return model_.output_column(); }
  // Blanks the text window, cursor to its top left; the drawing stays.
  void clear_text();
  // Erases the drawing plane; the text stays.
  void clear_drawing();
  // Text window (scroll region) rows top..bottom.
  void set_window(int top, int bottom);
  // One row's cells, to be put back byte for byte by restore_row.
  ScreenModel::Row save_row(int row) const { return model_.save_row(row); }
  void restore_row(int row, const ScreenModel::Row& saved);

  // --- drawing (pixels, origin top left, y down; clipped to the plane) ---

  // A solid line, both end points included.
  void line(int x1, int y1, int x2, int y2, int color);
  // A rectangle outline with corners (x1, y1) and (x2, y2).
  void box(int x1, int y1, int x2, int y2, int color);
  // Flood fill around (x, y) up to pixels of the border colour.
  void fill(int x, int y, int color, int border);
  // Strokes drawn between begin_label and end_label write `cp932`: the
  // screen keeps the text as a label in `color` (see ScreenModel::Label).
  void begin_label();
  void end_label(std::string_view cp932, int color);
  // Size of the drawing plane in pixels.
  int plane_width() const { return model_.plane_width(); }
  int plane_height() const { return model_.plane_height(); }

  // Everything on the console now, for front ends and tests.
  const ScreenModel& screen() const { return model_; }

  // --- keyboard and time ---

  // One line entry in CP932, echoed at the cursor as typed, then a line end.
  // The value shown where the entry goes (ScreenModel::value_end) is blanked
  // first, so the row shows exactly what is typed.
  std::string read_line();
  // One key without echo: its one-byte code (RETURN is 13).
  int read_key();
  // Sounds the bell (headless: nothing).
  void beep();
  // Waits `ticks` times 10 ms.
  void wait_ticks(int ticks);
  // Keeps the screen in view for up to `ticks` times 10 ms, less when a key
  // comes (the key is used up). Headless: no wait and no key read.
  void linger(int ticks);
  // A failure's full story (host reason, path) for where the front end
  // shows it beside the screen: the title line, standard error.
  void note_failure(std::string_view text) { show_note(text); }

  // --- the drawing in characters, where the plane cannot be shown ---

  // Whether the front end wants drawings as text: it cannot show the
  // plane (a dumb terminal). Programs make the text only then.
  virtual bool wants_text_picture() const { return false; }
  // Shows a drawing in characters now: CP932 lines, each ending in CR LF.
  virtual void show_text_picture(std::string_view cp932) { static_cast<void>(cp932); }

  // --- help ---

  // The page F1 shows at line entries from now on: CP932 lines, at most 78
  // columns and 20 lines. Empty: F1 does nothing there. One-key reads never
  // show it: there F1 is a key like any other (code 0).
  void set_help(std::vector<std::string> page) { help_ = std::move(page); }
  const std::vector<std::string>& help() const { return help_; }

  // Gives the console back before the program ends or starts another
  // program in its place. A second call without console use in between does
  // nothing; using the console afterwards (a start that failed) takes it
  // back, and the next hand_back presents the screen again.
  void hand_back();

 protected:
  // Reads one entry and echoes it into the screen as it is typed; no line end.
  virtual std::string take_entry() = 0;
  // Reads one key without echo.
  virtual int take_key() = 0;
  virtual void sound_beep() {}
  virtual void pause(int ticks) { static_cast<void>(ticks); }
  // Waits up to `ticks` for a key, which is dropped.
  virtual void pause_for_key(int ticks) { static_cast<void>(ticks); }
  virtual void show_note(std::string_view text) { static_cast<void>(text); }
  // Shows the screen as it is now; called before the program waits.
  virtual void present() {}
  // The front end's part of hand_back: present the final screen, release
  // the terminal. Called once per hand_back that has something to do.
  virtual void release() {}

  // A line entry's echo and line end are on the screen now.
  virtual void entry_ended() {}

  // For front ends, at F1 during an entry: shows the help page over the
  // whole screen until the next key, then puts the screen back exactly as it
  // was and marks all of it for drawing. False when there is no page.
  bool show_help();
  // A line that asks for help where entries come as lines (headless, the
  // line console): F1's escape sequence, as a terminal sends it. It is never
  // an entry, page or no page.
  static bool is_help_request(std::string_view line);

  // For front ends: echoes typed bytes at the cursor.
  void echo(std::string_view cp932);
  // The screen's damage since it was last taken (ScreenModel::take_damage).
  ScreenDamage take_screen_damage() { return model_.take_damage(); }
  bool handed_back() const { return handed_back_; }

 private:
  ScreenModel& edit() {
    handed_back_ = false;
    return model_;
  }

  ScreenModel model_;
  bool handed_back_ = false;
  std::vector<std::string> help_;
};

// Shows `page` at F1 while it lives; the screen's page before comes back
// after, as when an error line stands over a screen for a moment.
class HelpScope {
 public:
  HelpScope(Console& console, std::vector<std::string> page) : console_(console), before_(console.help()) {
    console_.set_help(std::move(page));
  }
  ~HelpScope() { console_.set_help(std::move(before_)); }
  HelpScope(const HelpScope&) = delete;
  HelpScope& operator=(const HelpScope&) = delete;

 private:
  Console& console_;
  std::vector<std::string> before_;
};

}  // namespace verdan
