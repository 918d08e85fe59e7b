// The control program's error screen: every run-time failure after the
// first load of the settings comes here.
#include <cstdio>
#include <string>

#include "control/control_program.h"
#include "platform/codec/cp932.h"
#include "platform/host/program_start.h"
#include "shared/console_routines.h"
#include "shared/failure_report.h"
#include "shared/print.h"
#include "shared/user_directory.h"

namespace verdan {
namespace {

constexpr int kEscape = 27;
constexpr const char* kLeaveHint = "  ESC:終了";

}  // namespace

// The per-user directory does not exist yet: make it and keep the
// settings there. False when the directory could not be made.
bool ControlProgram::repair_user_dir() {
  if (!make_user_directory()) return false;
  env_dir_ = user_dir_;
  return true;
}

ErrorHandler::Decision ControlProgram::on_failure(const Failure& failure, int step) {
  if (!handler_installed_) {
    // Before the settings are first loaded there is no error screen.
    std::fprintf(stderr, "VDN-CNTL: error %d at %d: %s\n", failure.code(), step, failure.what());
    return Decision::end;
  }
  // The repair is tried once a step: a directory that exists already or
  // cannot be made would otherwise send the step round without end.
  if (failure.code() == kPathNotFound && repaired_steps_.insert(step).second && repair_user_dir()) {
    return Decision::retry;
  }
  report_failure(console_, "VDN-CNTL", failure, step);
  const int row = console_.cursor_row();
  const int column = console_.cursor_col();
  const ScreenModel::Row saved = console_.save_row(row);
  const bool has_row_below = row + 1 < ScreenModel::kRows;
  const ScreenModel::Row saved_below = console_.save_row(row + 1);
  const int key = show_error_line(failure, step, true);
  console_.restore_row(row, saved);
  if (has_row_below) console_.restore_row(row + 1, saved_below);
  console_.locate(row, column);
  // ESC leaves a failure that no key press can remove.
  return key == kEscape ? Decision::end : Decision::retry;
}

int ControlProgram::show_error_line(const Failure& failure, int step, bool offer_leaving) {
  const int row = console_.cursor_row();
  console_.locate(row, 0);
  print(console_, Using("  ERROR : CODE =### LINE=####  Hit any key !!", {failure.code(), step}), stay);
  // The way out, behind the line where the row is blank anyway: the hint
  // covers nothing the user was reading.
  const std::string& hint = sj(kLeaveHint);
  const int from = console_.cursor_col();
  const ScreenModel::Row cells = console_.save_row(row);
  bool blank = offer_leaving && from + static_cast<int>(hint.size()) <= ScreenModel::kColumns;
  for (int c = from; blank && c < from + static_cast<int>(hint.size()); ++c) {
    blank = cells[static_cast<std::size_t>(c)].byte == ' ';
  }
  if (blank) print(console_, hint, stay);
  show_failure_detail(console_, failure, row);
  return console_.read_key();
}

// A command line too long to start the program with would fail after the
// settings, and again after every key: it is refused before anything is
// set, once, and the program ends with the error line on the screen.
void ControlProgram::refuse_next_program() {
  const Failure failure(kIllegalFunctionCall, "command line longer than " + std::to_string(kMaxCommandLine) +
                                                  " bytes: " + to_utf8(next_program_));
  report_failure(console_, "VDN-CNTL", failure, kStepCheckCommandLine);
  show_error_line(failure, kStepCheckCommandLine, false);
  throw ProgramEnd{1};
}

}  // namespace verdan
