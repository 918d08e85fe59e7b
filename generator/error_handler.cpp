// The generator's single error handler: repairs a missing per-user
// directory silently, otherwise shows the failure on the cursor's row and
// lets the user continue (retry) or end.
#include <array>

#include "generator/generator_program.h"
#include "platform/codec/cp932.h"
#include "shared/console_routines.h"
#include "shared/failure_report.h"
#include "shared/print.h"
#include "shared/user_directory.h"

namespace verdan {

// Makes the per-user directory and looks for the settings there from now on.
// False when the directory could not be made.
bool GeneratorProgram::repair_user_dir() {
  if (!make_user_directory()) return false;
  env_dir_ = user_dir_;
  return true;
}

// Message text `number` of the environment file; the standard text when the
// file has not been read (a failure during start-up).
std::string GeneratorProgram::env_message(int number, const char* standard) const {
  std::size_t index = static_cast<std::size_t>(number - 1);
  return index < env_text_.size() ? env_text_[index] : sj(standard);
}

// The repair is tried once a step: a directory that exists already or
// cannot be made would otherwise send the step round without end.
bool GeneratorProgram::repaired(const Failure& failure, int step) {
  return failure.code() == kPathNotFound && repaired_steps_.insert(step).second && repair_user_dir();
}

ErrorHandler::Decision GeneratorProgram::on_failure(const Failure& failure, int step) {
  const int row = console_.cursor_row();
  // The answer's line end scrolls the window when the message stands on its
  // last row, so the whole text is kept: every showing starts from it and
  // "C" leaves the screen as it was before the failure.
  std::array<ScreenModel::Row, ScreenModel::kRows> saved;
  for (int r = 0; r < ScreenModel::kRows; ++r) saved[static_cast<std::size_t>(r)] = console_.save_row(r);
  auto restore_text = [&] {
    for (int r = 0; r < ScreenModel::kRows; ++r) console_.restore_row(r, saved[static_cast<std::size_t>(r)]);
    console_.locate(row, 0);
  };
  console_.locate(row, 0);
  if (repaired(failure, step)) return Decision::retry;
  report_failure(console_, "VDN-GENE", failure, step);
  HelpScope help(console_, generator_screen_help(GeneratorScreen::error_line));
  for (;;) {
    restore_text();
    if (failure.code() == kDriveNotReady) {
      print(console_, env_message(202, "ディスクがセットされていません"), stay);
    } else if (failure.code() == kWriteProtected) {
      print(console_, env_message(203, "ディスクへの書込みが禁止されています"), stay);
    } else {
      print(console_, Using("  ERROR : CODE =### LINE =#####", {failure.code(), step}), stay);
    }
    print(console_, env_message(204, " ／ C:続行 , E:プログラム終了 "), stay);
    show_failure_detail(console_, failure, row);
    std::string answer = console_.read_line();
    char first = answer.empty() ? '\0' : answer[0];
    if (first == 'e' || first == 'E') return Decision::end;
    if (first == 'c' || first == 'C') {
      restore_text();
      return Decision::retry;
    }
  }
}

}  // namespace verdan
