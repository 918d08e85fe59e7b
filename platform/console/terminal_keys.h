// Keys (keys.h) turned into what the programs expect: the one-byte codes of
// one-key reads, and the edits of a line entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/console/keys.h"
#include "platform/console/screen_model.h"

namespace verdan {

// The code a one-key read delivers: the classic console codes for the cursor
// and editing keys (Up 30, Down 31, Left 29, Right 28, Home 11, Insert 18,
// Delete 127, Backspace 8, Enter 13, Escape 27, Tab 9), a character as the
// first byte of its CP932 form. -1 for keys without a code.
int one_key_code(const Key& key);

enum class EntryAction {
  none, insert, backspace, erase, left, right, home, end, enter,
  erase_to_start, erase_to_end, erase_word
};

// Ctrl-L: the whole screen is drawn again, in entries and key reads alike.
constexpr char kRepaintKey = 0x0C;
bool is_repaint_key(const Key& key);

struct EntryKey {
  EntryAction action = EntryAction::none;
  std::string text;  // CP932 of the character, for insert
};

// What a key does in a line entry: besides the editing keys, Ctrl-A and
// Ctrl-E go to the start and end, Ctrl-U, Ctrl-K and Ctrl-W delete to the
// start, to the end and the word before the cursor, and Ctrl-H and Ctrl-M
// are Backspace and Enter. Other control characters do nothing.
EntryKey entry_key(const Key& key);

// Whether CP932 text written from (row, col) -- col 80 meaning a wrap is
// pending -- wraps no further down than `last_row` and leaves a cell there
// for the cursor after it. Wrapping follows the screen model: a character
// that does not fit the rest of the row starts the next one.
bool entry_fits(std::string_view cp932, int row, int col, int last_row);

// A line entry being typed: CP932 text and a cursor between characters.
class LineEditor {
 public:
  // The classic limit of a line entry.
  static constexpr std::size_t kMaxBytes = 255;

  // `fits` says whether a longer text still has room on the screen.
  explicit LineEditor(std::function<bool(std::string_view)> fits) : fits_(std::move(fits)) {}

  // Applies one key; false when it cannot be done (no room, nothing to the
  // left, ...), which the front end answers with a beep. Enter and keys that
  // do nothing are accepted and leave the entry as it is.
  bool apply(const EntryKey& key);

  const std::string& text() const { return text_; }
  // Byte offset of the cursor, always on a character boundary.
  std::size_t cursor() const { return cursor_; }

 private:
  std::size_t previous_boundary() const;
  std::size_t boundary_before(std::size_t at) const;

  std::function<bool(std::string_view)> fits_;
  std::string text_;
  std::size_t cursor_ = 0;
};

// The screen with an entry typed over `before` from its cursor, and where
// the entry's cursor stands (after a full row, at the start of the next).
struct TypedEntry {
  ScreenModel screen;
  int cursor_row;
  int cursor_col;
};
TypedEntry typed_entry(const ScreenModel& before, const LineEditor& editor);

}  // namespace verdan
