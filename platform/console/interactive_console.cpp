#include "platform/console/interactive_console.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

#include "platform/codec/cp932.h"
#include "platform/console/snapshot.h"
#include "platform/console/terminal_keys.h"

namespace verdan {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// Waits are read in slices, so that a device answers resizes and Ctrl-C.
constexpr long long kSliceMs = 1000;

// Ctrl-V: the clipboard's first line goes into the entry.
constexpr char kPasteKey = 0x16;

bool is_help_key(const Key& key) { return key.name == KeyName::function && key.number == 1; }

bool is_paste_key(const Key& key) {
  return key.name == KeyName::character && key.text.size() == 1 && key.text[0] == kPasteKey;
}

// The first character of CP932 text and the rest.
std::pair<std::string, std::string> first_char(const std::string& cp932) {
  const std::size_t length = char_length(cp932, 0);
  return {cp932.substr(0, length), cp932.substr(length)};
}

}  // namespace

InteractiveConsole::InteractiveConsole(std::unique_ptr<Display> display, int plane_width,
                                       int plane_height)
    : Console(plane_width, plane_height), display_(std::move(display)) {}

InteractiveConsole::~InteractiveConsole() {
  try {
    hand_back();
  } catch (...) {
    // A destructor must not throw; the display is given back below anyway.
  }
  display_.reset();
}

Input InteractiveConsole::next_input() {
  if (!type_ahead_.empty()) {
    Input input = std::move(type_ahead_.front());
    type_ahead_.pop_front();
    return input;
  }
  for (;;) {
    if (std::optional<Input> input = display_->poll(-1)) return std::move(*input);
  }
}

std::string InteractiveConsole::take_entry() {
  // Taken first, so that each copy's damage is its own changes only.
  unshown_.merge(take_screen_damage());
  const ScreenModel before = screen();
  const int row = before.cursor_row();
  const int col = before.output_column();
  // The entry may wrap down to the window's last row but never scroll it:
  // the prompt must stay where the program wrote it. Below the window the
  // entry keeps to its row.
  const int last_row = row <= before.window_bottom() ? before.window_bottom() : row;
  display_->reads_entry(true);
  LineEditor editor(
      [&](std::string_view text) { return entry_fits(text, row, col, last_row); });
  auto insert = [&](const std::string& cp932) {
    for (std::string rest = cp932; !rest.empty();) {
      auto [one, others] = first_char(rest);
      rest = std::move(others);
      if (static_cast<unsigned char>(one[0]) < 0x20 || one[0] == 0x7F) continue;
      if (!editor.apply({EntryAction::insert, one})) {
        display_->beep();
        return;
      }
    }
  };
  for (;;) {
    auto [typed, cursor_row, cursor_col] = typed_entry(before, editor);
    ScreenDamage own = typed.take_damage();
    ScreenDamage damage = own;
    damage.merge(unshown_);
    unshown_ = own;
    display_->show(typed, damage, cursor_row, cursor_col, Showing::entry);
    Input input = next_input();
    if (input.kind == Input::Kind::text) {
      insert(input.text);
      continue;
    }
    if (is_repaint_key(input.key) && display_->repaint_all()) continue;
    if (is_help_key(input.key) && show_help()) {
      // The help page's key was a one-key read; what is typed is an entry again.
      display_->reads_entry(true);
      unshown_.merge(take_screen_damage());
      continue;
    }
    if (is_paste_key(input.key)) {
      if (std::optional<std::string> line = display_->clipboard_line()) {
        insert(*line);
        continue;
      }
    }
    EntryKey key = entry_key(input.key);
    if (key.action == EntryAction::enter) break;
    if (!editor.apply(key)) display_->beep();
  }
  echo(editor.text());
  return editor.text();
}

int InteractiveConsole::take_key() {
  display_->reads_entry(false);
  for (;;) {
    Input input = next_input();
    if (input.kind == Input::Kind::text) {
      if (input.text.empty()) continue;
      auto [one, rest] = first_char(input.text);
      if (!rest.empty()) type_ahead_.push_front(Input::typed(std::move(rest)));
      return static_cast<unsigned char>(one[0]);
    }
    if (is_repaint_key(input.key) && display_->repaint_all()) continue;
    const int code = one_key_code(input.key);
    if (code >= 0) return code;
  }
}

void InteractiveConsole::sound_beep() {
  if (!display_->on()) present();
  display_->beep();
}

template <typename Got>
void InteractiveConsole::wait_inputs(int ticks, Got got) {
  const Clock::time_point end = Clock::now() + Milliseconds(10LL * ticks);
  for (;;) {
    auto left = std::chrono::duration_cast<Milliseconds>(end - Clock::now()).count();
    if (left <= 0) return;
    std::optional<Input> input = display_->poll(static_cast<int>(std::min<long long>(left, kSliceMs)));
    if (input && got(std::move(*input))) return;
  }
}

void InteractiveConsole::pause(int ticks) {
  wait_inputs(ticks, [&](Input input) {
    if (type_ahead_.size() < kMaxTypeAhead) type_ahead_.push_back(std::move(input));
    return false;
  });
}

void InteractiveConsole::pause_for_key(int ticks) {
  if (!type_ahead_.empty()) {
    type_ahead_.pop_front();
    return;
  }
  wait_inputs(ticks, [](const Input&) { return true; });
}

void InteractiveConsole::show_note(std::string_view text) { display_->note(text); }

void InteractiveConsole::show_screen(Showing showing) {
  ScreenDamage damage = take_screen_damage();
  damage.merge(unshown_);
  unshown_.clear();
  display_->show(screen(), damage, screen().cursor_row(), screen().cursor_col(), showing);
}

void InteractiveConsole::present() { show_screen(Showing::screen); }

void InteractiveConsole::release() {
  show_screen(Showing::final);
  display_->end();
  const std::string problem = write_snapshot(screen());
  if (!problem.empty()) display_->snapshot_problem(problem);
}

}  // namespace verdan
