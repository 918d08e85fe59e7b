#include "platform/console/terminal_keys.h"

#include "platform/codec/cp932.h"
#include "platform/console/screen_model.h"

// Last: curses defines macros with common names.
#define NCURSES_WIDECHAR 1
#include <curses.h>

namespace verdan {
namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;

// CP932 form of one typed character; "?" for what CP932 lacks.
std::string cp932_of(char32_t cp) {
  std::string utf8;
  append_utf8(utf8, cp);
  return to_cp932(utf8);
}

constexpr char kEscape = '\033';
// Longer escape sequences are not keys; they are dropped whole.
constexpr std::size_t kLongestSequence = 16;

TerminalKey function_key(int code) { return {true, static_cast<std::uint32_t>(code)}; }

// The key of a final letter of CSI or SS3 sequences; 0 for others.
int letter_key(char final) {
  switch (final) {
    case 'A': return KEY_UP;
    case 'B': return KEY_DOWN;
    case 'C': return KEY_RIGHT;
    case 'D': return KEY_LEFT;
    case 'H': return KEY_HOME;
    case 'F': return KEY_END;
    case 'M': return KEY_ENTER;  // keypad Enter in application mode
    default: return 0;
  }
}

// "ESC [ n ~" keys by their number.
int numbered_key(std::string_view parameters) {
  int number = 0;
  for (char c : parameters) {
    if (c < '0' || c > '9') break;
    number = number * 10 + (c - '0');
  }
  switch (number) {
    case 1: case 7: return KEY_HOME;
    case 2: return KEY_IC;
    case 3: return KEY_DC;
    case 4: case 8: return KEY_END;
    default: return 0;
  }
}

// ESC at the front: a sequence's key, its length, or 0 while incomplete.
ScannedKey scan_escape(std::string_view bytes) {
  if (bytes.size() < 2) return {};
  if (bytes[1] == 'O') {
    if (bytes.size() < 3) return {};
    return {3, function_key(letter_key(bytes[2]))};
  }
  if (bytes[1] != '[') return {1, {false, 0x1B}};
  for (std::size_t i = 2; i < bytes.size() && i < kLongestSequence; ++i) {
    auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x40 || c > 0x7E) continue;
    int code = c == '~' ? numbered_key(bytes.substr(2, i - 2)) : letter_key(static_cast<char>(c));
    return {i + 1, function_key(code)};
  }
  if (bytes.size() >= kLongestSequence) return {bytes.size(), function_key(0)};
  return {};
}

std::size_t character_length(unsigned char lead, CodeSet set) {
  switch (set) {
    case CodeSet::utf8:
      return lead >= 0xF0 && lead <= 0xF7 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    case CodeSet::euc_jp:
      return lead == 0x8F ? 3 : (lead == 0x8E || (lead >= 0xA1 && lead <= 0xFE)) ? 2 : 1;
    case CodeSet::shift_jis:
      return is_lead_byte(lead) ? 2 : 1;
    case CodeSet::other:
      break;
  }
  return 1;
}

char32_t code_point(std::string_view character, CodeSet set) {
  std::string utf8 =
      set == CodeSet::utf8 ? std::string(character) : to_utf8(decode_from_terminal(character, set));
  if (utf8.empty()) return U'?';
  auto lead = static_cast<unsigned char>(utf8[0]);
  std::size_t length = character_length(lead, CodeSet::utf8);
  if (length == 1 || utf8.size() < length) return lead;
  char32_t cp = lead & (0xFF >> (length + 1));
  for (std::size_t i = 1; i < length; ++i) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
  return cp;
}

}  // namespace

ScannedKey scan_key(std::string_view bytes, CodeSet set, bool more_may_come) {
  if (bytes.empty()) return {};
  ScannedKey scanned;
  if (bytes[0] == kEscape) {
    scanned = scan_escape(bytes);
  } else {
    std::size_t length = character_length(static_cast<unsigned char>(bytes[0]), set);
    if (length <= bytes.size()) scanned = {length, {false, code_point(bytes.substr(0, length), set)}};
  }
  if (scanned.used == 0 && !more_may_come) {
    scanned = {1, {false, static_cast<unsigned char>(bytes[0])}};
  }
  return scanned;
}

bool is_repaint_key(TerminalKey key) { return !key.function_key && key.value == kRepaintKey; }

int one_key_code(TerminalKey key) {
  if (key.function_key) {
    switch (key.value) {
      case KEY_UP: return 30;
      case KEY_DOWN: return 31;
      case KEY_LEFT: return 29;
      case KEY_RIGHT: return 28;
      case KEY_HOME: return 11;
      case KEY_IC: return 18;
      case KEY_DC: return 127;
      case KEY_BACKSPACE: return 8;
      case KEY_ENTER: return 13;
      default: return -1;
    }
  }
  char32_t cp = key.value;
  if (cp == '\n' || cp == '\r') return 13;
  // Terminals send DEL for the Backspace key; Delete comes as KEY_DC.
  if (cp == 0x7F) return 8;
  if (cp < 0x80) return static_cast<int>(cp);
  if (cp > kMaxCodePoint) return -1;
  return static_cast<unsigned char>(cp932_of(cp)[0]);
}

EntryKey entry_key(TerminalKey key) {
  if (key.function_key) {
    switch (key.value) {
      case KEY_BACKSPACE: return {EntryAction::backspace, {}};
      case KEY_DC: return {EntryAction::erase, {}};
      case KEY_LEFT: return {EntryAction::left, {}};
      case KEY_RIGHT: return {EntryAction::right, {}};
      case KEY_HOME: return {EntryAction::home, {}};
      case KEY_END: return {EntryAction::end, {}};
      case KEY_ENTER: return {EntryAction::enter, {}};
      default: return {};
    }
  }
  char32_t cp = key.value;
  if (cp == '\n' || cp == '\r') return {EntryAction::enter, {}};
  if (cp == 0x08 || cp == 0x7F) return {EntryAction::backspace, {}};
  switch (cp) {
    case 0x01: return {EntryAction::home, {}};
    case 0x05: return {EntryAction::end, {}};
    case 0x0B: return {EntryAction::erase_to_end, {}};
    case 0x15: return {EntryAction::erase_to_start, {}};
    case 0x17: return {EntryAction::erase_word, {}};
    default: break;
  }
  if (cp < 0x20 || cp > kMaxCodePoint) return {};
  return {EntryAction::insert, cp932_of(cp)};
}

bool entry_fits(std::string_view cp932, int row, int col, int last_row) {
  const int columns = ScreenModel::kColumns;
  for (std::size_t pos = 0; pos < cp932.size();) {
    std::size_t width = char_length(cp932, pos);
    if (col + static_cast<int>(width) > columns) {
      ++row;
      col = 0;
    }
    col += static_cast<int>(width);
    pos += width;
  }
  if (col >= columns) ++row;  // the cursor waits at the start of the next row
  return row <= last_row;
}

bool LineEditor::apply(const EntryKey& key) {
  switch (key.action) {
    case EntryAction::insert: {
      std::string longer = text_;
      longer.insert(cursor_, key.text);
      if (longer.size() > kMaxBytes || !fits_(longer)) return false;
      text_ = std::move(longer);
      cursor_ += key.text.size();
      return true;
    }
    case EntryAction::backspace: {
      if (cursor_ == 0) return false;
      std::size_t from = previous_boundary();
      text_.erase(from, cursor_ - from);
      cursor_ = from;
      return true;
    }
    case EntryAction::erase:
      if (cursor_ == text_.size()) return false;
      text_.erase(cursor_, char_length(text_, cursor_));
      return true;
    case EntryAction::left:
      if (cursor_ == 0) return false;
      cursor_ = previous_boundary();
      return true;
    case EntryAction::right:
      if (cursor_ == text_.size()) return false;
      cursor_ += char_length(text_, cursor_);
      return true;
    case EntryAction::home:
      cursor_ = 0;
      return true;
    case EntryAction::end:
      cursor_ = text_.size();
      return true;
    case EntryAction::erase_to_start:
      text_.erase(0, cursor_);
      cursor_ = 0;
      return true;
    case EntryAction::erase_to_end:
      text_.erase(cursor_);
      return true;
    case EntryAction::erase_word: {
      if (cursor_ == 0) return false;
      // Blanks before the cursor, then the word before them, as shells do.
      std::size_t from = cursor_;
      auto blank_before = [&](std::size_t at) {
        std::size_t start = boundary_before(at);
        return at - start == 1 && text_[start] == ' ';
      };
      while (from > 0 && blank_before(from)) from = boundary_before(from);
      while (from > 0 && !blank_before(from)) from = boundary_before(from);
      text_.erase(from, cursor_ - from);
      cursor_ = from;
      return true;
    }
    case EntryAction::none:
    case EntryAction::enter:
      return true;
  }
  return true;
}

// A trail byte can look like a lead byte, so the boundary before the cursor
// is found by stepping from the start.
std::size_t LineEditor::previous_boundary() const { return boundary_before(cursor_); }

std::size_t LineEditor::boundary_before(std::size_t at) const {
  std::size_t previous = 0;
  for (std::size_t pos = 0; pos < at; pos += char_length(text_, pos)) previous = pos;
  return previous;
}

TypedEntry typed_entry(const ScreenModel& before, const LineEditor& editor) {
  const std::string_view text = editor.text();
  TypedEntry typed{before, 0, 0};
  typed.screen.put_text(text.substr(0, editor.cursor()));
  typed.cursor_row = typed.screen.cursor_row();
  typed.cursor_col = typed.screen.output_column();
  if (typed.cursor_col >= ScreenModel::kColumns) {
    if (typed.cursor_row < ScreenModel::kRows - 1) {
      ++typed.cursor_row;
      typed.cursor_col = 0;
    } else {
      typed.cursor_col = ScreenModel::kColumns - 1;
    }
  }
  typed.screen.put_text(text.substr(editor.cursor()));
  return typed;
}

}  // namespace verdan
