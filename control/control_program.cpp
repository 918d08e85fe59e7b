#include "control/control_program.h"

#include "platform/codec/cp932.h"
#include "platform/host/program_start.h"
#include "platform/run_report.h"
#include "shared/console_routines.h"
#include "shared/print.h"
#include "shared/rounding.h"
#include "shared/user_directory.h"

namespace verdan {

ControlProgram::ControlProgram(Console& console, std::string argument)
    : console_(console), next_program_(std::move(argument)) {}

void ControlProgram::start_up() {
  if (next_program_ == "NUMBER") next_program_.clear();
  start_dir_ = start_directory();
  user_dir_ = user_directory();
  env_dir_.clear();
  command_interpreter_ = GETENV("ComSpec");
}

float ControlProgram::menu_choice() {
  console_.clear_text();
  console_.locate(1, 12);
  print(console_, sj("＊＊  VERDAN  Ver ") + kVersion + sj("  データ　管理  ＊＊"));
  console_.locate(6, 22);
  print(console_, sj("１． 環 境 設 定"));
  console_.locate(8, 22);
  print(console_, sj("２． ファイル管理"));
  console_.locate(14, 18);
  console_.set_help(control_screen_help(ControlScreen::menu));
  float choice = INN(console_, sj("番号を選んで下さい( 0:終了) ") + "? ");
  console_.clear_text();
  return choice;
}

int ControlProgram::run() {
  start_up();
  if (!next_program_.empty()) {
    CommandLine command = split_command_line(next_program_);
    if (!command_line_fits(command.program, command.argument)) refuse_next_program();
  }
  for (;;) {
    float choice = next_program_.empty() ? menu_choice() : 1.0f;
    if (choice < 0 || choice > 2) {
      console_.beep();
      continue;
    }
    if (choice < 1) return 0;
    if (to_int(choice) == 1) {
      load_settings();
      settings_screen();
    } else {
      file_management();
    }
    if (!next_program_.empty()) {
      start_next_program();
      return 0;
    }
  }
}

void ControlProgram::start_next_program() {
  CommandLine command = split_command_line(next_program_);
  run_step(*this, kStepStartProgram, [&] {
    start_and_end(command.program, command.argument, [this] {
      console_.hand_back();
      report_run("VDN-CNTL");
    });
  });
}

}  // namespace verdan
