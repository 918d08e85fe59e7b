// An in-process front end for unit tests: entries and keys come from a
// list given at construction, the screen stays in memory for assertions,
// and beeps, waits and hand-backs are counted instead of happening.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console/console.h"

namespace verdan {

class ScriptedConsole : public Console {
 public:
  // Each item of `script` (UTF-8) is taken by one read_line, as a typed
  // entry, or by one read_key, as its first byte (an empty item is RETURN).
  // When the script runs out the program ends with ProgramEnd{3}.
  explicit ScriptedConsole(std::vector<std::string> script, int plane_width = 640,
                           int plane_height = 384);

  // A script item for a key given by its code (arrows 30/31, ESC 27, ...).
  static std::string key(int code) { return std::string(1, static_cast<char>(code)); }

  // Row `row` as UTF-8, trailing blanks cut.
  std::string row_text(int row) const { return screen().row_text(row); }
  // Script items not yet taken.
  std::size_t remaining() const { return script_.size() - next_; }
  int beeps() const { return beeps_; }
  int waited_ticks() const { return waited_ticks_; }
  // Time the screen was kept in view for a key that may cut it short.
  int lingered_ticks() const { return lingered_ticks_; }
  // Failures' stories given to the front end.
  const std::vector<std::string>& notes() const { return notes_; }
  int hand_backs() const { return hand_backs_; }
  // The first line (UTF-8) of each help page an F1 item ("\x1bOP") showed.
  const std::vector<std::string>& help_titles() const { return help_titles_; }

 protected:
  std::string take_entry() override;
  int take_key() override;
  void sound_beep() override { ++beeps_; }
  void pause(int ticks) override { waited_ticks_ += ticks; }
  void pause_for_key(int ticks) override { lingered_ticks_ += ticks; }
  void show_note(std::string_view text) override { notes_.emplace_back(text); }
  void release() override { ++hand_backs_; }

 private:
  const std::string& next_item();

  std::vector<std::string> script_;
  std::size_t next_ = 0;
  int beeps_ = 0;
  int waited_ticks_ = 0;
  int lingered_ticks_ = 0;
  std::vector<std::string> notes_;
  int hand_backs_ = 0;
  std::vector<std::string> help_titles_;
};

}  // namespace verdan
