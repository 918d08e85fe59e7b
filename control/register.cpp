// Item 3 of file management: the employee register. Shows the register
// file on a grid and appends the numbers and names the user confirms.
#include <algorithm>
#include <string>
#include <vector>

#include "control/control_program.h"
#include "platform/codec/cp932.h"
#include "platform/host/directory_lock.h"
#include "platform/host/files.h"
#include "shared/console_routines.h"
#include "shared/print.h"

namespace verdan {

void ControlProgram::register_screen() {
  console_.set_color(5);
  console_.locate(0, 0);
  print(console_, sj("*** 社員番号の登録 ***"), stay);
  console_.set_color(4);
  print(console_, sj("  ( NO.=-1 で終了 )"), stay);
  console_.locate(1, 22);
  console_.set_color(6);
  print(console_, sj("  ( 漢字３文字以内)"), stay);

  // An empty register file stays: the first entry fills it.
  std::vector<RegisterEntry> entries = read_register(EmptyProbe::keep);
  for (std::size_t n = 1; n <= entries.size() && n <= kRegisterGridPlaces; ++n) {
    show_register_entry(static_cast<int>(n), entries[n - 1]);
  }
  run_step(*this, kStepOpenRegister, [&] { TextFile::open_append(kRegisterFileName).close(); });
  register_ = entries;

  for (;;) {
    // Entries past the grid would have no place to be shown.
    if (register_.size() >= kRegisterGridPlaces) {
      console_.set_color(6);
      console_.locate(0, 42);
      print(console_, sj("これ以上登録できません Hit any key"), stay);
      console_.read_key();
      console_.set_color(7);
      return;
    }
    console_.locate(0, 42);
    print(console_, sj("社員NO.=        氏名：        "), stay);
    RegisterEntry entry;
    if (!register_entry_input(entry)) return;
    const std::size_t shown = register_.size();
    append_register_entry(entry);
    // What another session added meanwhile is shown too.
    for (std::size_t n = shown + 1; n <= register_.size(); ++n) {
      show_register_entry(static_cast<int>(n), register_[n - 1]);
    }
  }
}

// Written at once, so an entry confirmed is never lost; before a DOS
// end-of-file mark, past which the entry would never be read. Another
// session may have stored the number since the screen read the register:
// it is looked for in a fresh reading, and a number taken there is not
// written, so it is asked for again as any taken number is. `register_`
// becomes that reading, with the entry when it was written.
void ControlProgram::append_register_entry(const RegisterEntry& entry) {
  register_ = run_step(*this, kStepAppendRegister, [&] {
    DirectoryLock lock(".");
    std::vector<RegisterEntry> now =
        file_exists(kRegisterFileName) ? register_file_entries() : std::vector<RegisterEntry>();
    auto same_number = [&](const RegisterEntry& earlier) { return earlier.number == entry.number; };
    if (std::none_of(now.begin(), now.end(), same_number)) {
      TextFile file = TextFile::open_text_append(kRegisterFileName);
      print(file, register_line(entry));
      file.close();
      now.push_back(entry);
    }
    return now;
  });
}

// False when the user ends the screen with a negative number.
bool ControlProgram::register_entry_input(RegisterEntry& entry) {
  console_.set_help(control_screen_help(ControlScreen::register_entry));
  std::string name;
  bool warned = false;
  for (;;) {
    console_.set_color(6);
    console_.locate(0, 50);
    std::optional<float> number = register_number(console_.read_line());
    console_.set_color(7);
    if (!number) {
      console_.locate(1, 56);
      print(console_, sj("もう一度入力してください"), stay);
      warned = true;
      continue;
    }
    if (warned) {
      console_.locate(1, 56);
      print(console_, std::string(24, ' '), stay);
      warned = false;
    }
    if (*number < 0) return false;
    bool taken = std::any_of(register_.begin(), register_.end(),
                             [&](const RegisterEntry& earlier) { return earlier.number == *number; });
    if (*number == 0 || taken) continue;
    console_.locate(0, 50);
    print(console_, number_echo(*number), stay);

    console_.set_color(6);
    console_.locate(0, 64);
    std::string typed = name_entry(console_.read_line());
    console_.set_color(7);
    if (!typed.empty()) name = typed;
    console_.locate(0, 64);
    print(console_, name, "     ", stay);

    char answer = 0;
    while (answer == 0) {
      console_.locate(1, 58);
      answer = yes_no(ask(console_, "OK (Y/N) "));
      console_.locate(1, 58);
      print(console_, std::string(15, ' '), stay);
    }
    if (answer == 'Y') {
      entry = {*number, padded_name(name)};
      return true;
    }
  }
}

void ControlProgram::show_register_entry(int number, const RegisterEntry& entry) {
  if (number > kRegisterGridPlaces) return;
  GridPlace place = grid_place(number);
  console_.locate(place.row, place.column);
  const GridText text = grid_text(entry);
  console_.set_color(4);
  print(console_, text.number, stay);
  console_.set_color(7);
  print(console_, text.name, stay);
}

}  // namespace verdan
