// Finding, reading and writing the environment file, each system call a
// fallible step under the error screen.
#include "control/control_program.h"
#include "control/env_file.h"
#include "platform/host/files.h"
#include "shared/user_directory.h"

namespace verdan {

void ControlProgram::load_settings() {
  handler_installed_ = true;
  locate_env_file();
  read_env_file();
}

// Only the first call of a run decides where the file lives.
void ControlProgram::locate_env_file() {
  if (!env_dir_.empty()) return;
  env_dir_ = start_dir_;
  if (!settings_in_start_directory(*this, start_dir_,
                                   {kStepProbeOldEnvFile, kStepProbeStartEnvFile, kStepRenameOldEnvFile})) {
    env_dir_ = user_dir_;
  }
}

void ControlProgram::read_env_file() {
  // The directory may change in the error screen's repair, so the name is
  // made again on every attempt.
  if (run_step(*this, kStepProbeEnvFile, [&] { return probe(env_dir_ + kEnvFileName); }) == 0) {
    settings_.data_dir.clear();
    return;
  }
  run_step(*this, kStepReadEnvFile, [&] {
    Settings read = settings_;
    File file = File::open_input(env_dir_ + kEnvFileName);
    read_env_fields(file, read);
    file.close();
    settings_ = read;
  });
  // A run of either program killed while replacing a file left a temporary.
  sweep_after_killed_runs(own_file_places(), settings_.print_file);
}

OwnFilePlaces ControlProgram::own_file_places() const { return {env_dir_, user_dir_, settings_.data_dir}; }

// The new file is written beside the old one and takes its place in one
// step, so the user's settings are never lost to a failure half-way.
void ControlProgram::write_env_file() {
  run_step(*this, kStepWriteEnvFile, [&] {
    TextFile file = TextFile::open_replacing(env_dir_ + kEnvFileName);
    write_env_lines(file, settings_, kVersion);
    file.commit();
  });
}

}  // namespace verdan
