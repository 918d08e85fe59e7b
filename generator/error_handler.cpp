// The generator's single error handler: repairs a missing per-user
// directory silently, otherwise shows the failure on the cursor's row and
// lets the user continue (retry) or end.
#include "generator/generator_program.h"
#include "platform/cp932.h"
#include "shared/console_routines.h"
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

ErrorHandler::Decision GeneratorProgram::on_failure(const Failure& failure, int step) {
  const int row = console_.cursor_row();
  const ScreenModel::Row saved = console_.save_row(row);
  console_.locate(row, 0);
  // The repair is tried once a step: a directory that exists already or
  // cannot be made would otherwise send the step round without end.
  if (failure.code() == kPathNotFound && repaired_steps_.insert(step).second && repair_user_dir()) {
    return Decision::retry;
  }
  for (;;) {
    console_.locate(row, 0);
    if (failure.code() == kDriveNotReady) {
      print(console_, env_message(202, "ディスクがセットされていません"), stay);
    } else if (failure.code() == kWriteProtected) {
      print(console_, env_message(203, "ディスクへの書込みが禁止されています"), stay);
    } else {
      print(console_, Using("  ERROR : CODE =### LINE =#####", {failure.code(), step}), stay);
    }
    print(console_, env_message(204, " ／ C:続行 , E:プログラム終了 "), stay);
    std::string answer = console_.read_line();
    char first = answer.empty() ? '\0' : answer[0];
    if (first == 'e' || first == 'E') return Decision::end;
    console_.locate(row, 0);
    if (first == 'c' || first == 'C') {
      console_.restore_row(row, saved);
      return Decision::retry;
    }
  }
}

}  // namespace verdan
