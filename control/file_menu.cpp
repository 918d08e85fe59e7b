// Menu item 2: file management. Gathers the directory listing once, offers
// the list with deletion, the printed list and the employee register, and
// removes its work files when the user leaves.
#include <utility>

#include "control/control_program.h"
#include "platform/host/command_interpreter.h"
#include "platform/codec/cp932.h"
#include "platform/host/files.h"
#include "shared/console_routines.h"
#include "shared/print.h"
#include "shared/rounding.h"

namespace verdan {
namespace {

// Listing a directory takes a moment; one that runs this long never ends.
constexpr int kCommandLimitMs = 30000;

}  // namespace

std::string ControlProgram::work_file(const char* name) const { return settings_.data_dir + name; }

void ControlProgram::file_management() {
  console_.locate(4, 10);
  print(console_, sj("しばらくお待ちください..."));
  load_settings();
  if (settings_.data_dir.empty()) settings_screen();

  // Work files of an earlier run would pass for this run's.
  remove_work_files(kStepClearVersionFile, kStepClearListingFile);
  listing_by_interpreter_ = command_interpreter_present(command_interpreter_);
  listing_missing_ = false;
  if (listing_by_interpreter_) make_listing();

  for (;;) {
    float choice = file_menu_choice();
    if (choice < 0 || choice > 3) continue;
    if (choice == 0) {
      // Without the interpreter this run made no work files and an earlier
      // run's went on entry; looking again would read a data directory of
      // many thousand files through twice more for nothing.
      if (listing_by_interpreter_) remove_work_files(kStepRemoveVersionFile, kStepRemoveListingFile);
      return;
    }
    switch (to_int(choice)) {
      case 1:
        file_list_screen();
        break;
      case 2:
        print_file_list();
        break;
      case 3:
        register_screen();
        break;
      default:
        break;  // a fraction below one half runs nothing
    }
  }
}

// The interpreter writes the listing and the version text into the data
// directory; both commands are waited for, so the files are whole.
void ControlProgram::make_listing() {
  const std::string& dir = settings_.data_dir;
  CommandOutcome listed = run_command(command_interpreter_, "/C DIR " + dir + "*.*>" + work_file(kListingFileName),
                                      kCommandLimitMs);
  // An interpreter that did not end once would only hold the user as long
  // again; without the listing the version text serves nothing.
  if (listed != CommandOutcome::not_finished) {
    run_command(command_interpreter_, "/C VER>" + work_file(kVersionFileName), kCommandLimitMs);
  }
  listing_missing_ = listed != CommandOutcome::finished ||
                     !run_step(*this, kStepCheckListing, [&] { return file_exists(work_file(kListingFileName)); });
}

// A work file that is not there (never made, or gone already) is no failure.
void ControlProgram::remove_work_files(int version_step, int listing_step) {
  for (auto [name, step] : {std::pair{kVersionFileName, version_step}, std::pair{kListingFileName, listing_step}}) {
    run_step(*this, step, [&, name = name] {
      if (file_exists(work_file(name))) delete_file(work_file(name));
    });
  }
}

float ControlProgram::file_menu_choice() {
  console_.set_window(0, 23);
  console_.clear_text();
  console_.locate(2, 15);
  print(console_, sj("＊ ＊   VERDAN  ") + kVersion + sj("  ファイル管理   ＊ ＊"));
  console_.locate(5, 20);
  print(console_, sj("１．ファイル名の一覧と削除"));
  console_.locate(7, 20);
  print(console_, sj("２．ファイル名の印刷"));
  console_.locate(9, 20);
  print(console_, sj("３．社員番号と氏名の登録"));
  if (listing_missing_) {
    int color = console_.color();
    console_.set_color(6);
    console_.locate(16, 20);
    print(console_, sj("※ 更新日とサイズの一覧が得られませんでした"), stay);
    console_.set_color(color);
  }
  if (!menu_feedback_.empty()) {
    const int color = console_.color();
    console_.set_color(6);
    console_.locate(18, 20);
    // Kept to its row: a long print file name would wrap into the menu.
    print(console_, std::string(cut_to_width(std::exchange(menu_feedback_, ""), 60)), stay);
    console_.set_color(color);
  }
  console_.locate(14, 20);
  console_.set_help(control_screen_help(ControlScreen::file_menu));
  float choice = INN(console_, sj("番号を選んで下さい( 0:終了) ") + "? ");
  console_.clear_text();
  return choice;
}

}  // namespace verdan
