#include "platform/console/terminal_keys.h"

#include "platform/codec/cp932.h"
#include "platform/console/screen_model.h"

namespace verdan {

bool is_repaint_key(const Key& key) {
  return key.name == KeyName::character && key.text == std::string(1, kRepaintKey);
}

int one_key_code(const Key& key) {
  switch (key.name) {
    case KeyName::up: return 30;
    case KeyName::down: return 31;
    case KeyName::left: return 29;
    case KeyName::right: return 28;
    case KeyName::home: return 11;
    case KeyName::insert: return 18;
    case KeyName::del: return 127;
    case KeyName::backspace: return 8;
    case KeyName::enter: return 13;
    case KeyName::escape: return 27;
    case KeyName::tab: return 9;
    // Where a key is read, any key will do; function keys are not ignored.
    case KeyName::function: return 0;
    case KeyName::character:
      if (key.text.empty()) return -1;
      return static_cast<unsigned char>(key.text[0]);
    default: return -1;
  }
}

EntryKey entry_key(const Key& key) {
  switch (key.name) {
    case KeyName::backspace: return {EntryAction::backspace, {}};
    case KeyName::del: return {EntryAction::erase, {}};
    case KeyName::left: return {EntryAction::left, {}};
    case KeyName::right: return {EntryAction::right, {}};
    case KeyName::home: return {EntryAction::home, {}};
    case KeyName::end: return {EntryAction::end, {}};
    case KeyName::enter: return {EntryAction::enter, {}};
    case KeyName::character: break;
    default: return {};
  }
  if (key.text.empty()) return {};
  const auto first = static_cast<unsigned char>(key.text[0]);
  switch (first) {
    case 0x01: return {EntryAction::home, {}};
    case 0x05: return {EntryAction::end, {}};
    case 0x08: return {EntryAction::backspace, {}};
    case 0x0B: return {EntryAction::erase_to_end, {}};
    case 0x0D: return {EntryAction::enter, {}};
    case 0x15: return {EntryAction::erase_to_start, {}};
    case 0x17: return {EntryAction::erase_word, {}};
    default: break;
  }
  if (first < 0x20 || first == 0x7F) return {};
  return {EntryAction::insert, key.text};
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
