// The headless front end for scripts, batch runs and outside checks: keys
// and entries come from standard input a byte at a time, the final screen
// goes to standard output as UTF-8 text (and to a PNG when asked).
#pragma once

#include <string>
#include <string_view>

#include "platform/console/console.h"

namespace verdan {

class HeadlessConsole : public Console {
 public:
  // 8 x 16 pixels under each text cell, so a picture lays text over drawing.
  static constexpr int kPlaneWidth = 640;
  static constexpr int kPlaneHeight = 384;

  // Reads from `input_fd`; the final screen goes to `output_fd` and the note
  // that input ended to `error_fd`.
  explicit HeadlessConsole(int input_fd = 0, int output_fd = 1, int error_fd = 2);
  // Hands back if the program has not, so the final screen is never lost.
  ~HeadlessConsole() override;

  HeadlessConsole(const HeadlessConsole&) = delete;
  HeadlessConsole& operator=(const HeadlessConsole&) = delete;

  // The 24 rows as UTF-8 lines with trailing blanks cut, each ending in LF.
  static std::string screen_dump(const ScreenModel& screen);

 protected:
  // Bytes up to LF (a CR before it dropped), UTF-8 to CP932. A last line
  // without LF still counts; no byte at all ends the program with status 3.
  std::string take_entry() override;
  // The next byte; LF counts as RETURN (13).
  int take_key() override;
  // A failure's story to the error output.
  void show_note(std::string_view text) override;
  // Final screen to the output, and the picture to $VERDAN_SNAPSHOT if set.
  void release() override;

 protected:
  // The next input byte, or -1 when input has ended. Never reads ahead, so a
  // program started in our place finds the rest of the input unread.
  int read_byte();
  // The bytes up to the next LF, a CR before it dropped; a last line without
  // LF still counts, and no byte at all ends the program with status 3.
  std::string read_input_line();
  [[noreturn]] void input_ended();
  int output_fd() const { return output_fd_; }

 private:

  int input_fd_;
  int output_fd_;
  int error_fd_;
};

}  // namespace verdan
