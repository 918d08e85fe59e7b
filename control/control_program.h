// VDN-CNTL: the data-management companion of the analysis program. It keeps
// the environment file and, from its menu, the data directory. One object
// owns the run's state; its dialogue steps are member functions spread over
// files named after what they do.
#pragma once

#include <set>
#include <string>

#include "control/settings.h"
#include "platform/console.h"
#include "platform/fallible_step.h"

namespace verdan {

// Stable numbers of the fallible steps, shown after "LINE=" on the error screen.
enum ControlStep : int {
  kStepProbeOldEnvFile = 110,
  kStepRenameOldEnvFile = 120,
  kStepProbeStartEnvFile = 130,
  kStepProbeEnvFile = 210,
  kStepReadEnvFile = 220,
  kStepWriteEnvFile = 310,
  kStepStartProgram = 410,
};

class ControlProgram : public ErrorHandler {
 public:
  static constexpr const char* kVersion = "2.64";

  // `argument` is the whole command-line argument text (CP932).
  ControlProgram(Console& console, std::string argument);

  // Runs the dialogue; returns the exit status (0). Ends by ProgramEnd from
  // the error screen or when the keyboard input runs out.
  int run();

  // The error screen.
  Decision on_failure(const Failure& failure, int step) override;

  // The state the tests look at.
  const Settings& settings() const { return settings_; }
  const std::string& env_dir() const { return env_dir_; }
  const std::string& user_dir() const { return user_dir_; }
  const std::string& start_dir() const { return start_dir_; }

 private:
  // control_program.cpp
  void start_up();
  float menu_choice();
  void start_next_program();

  // env_file_io.cpp
  void load_settings();
  void locate_env_file();
  void read_env_file();
  void write_env_file();

  // settings_screen.cpp
  void settings_screen();
  void show_settings_screen();
  void edit_settings_fields();
  void complete_settings();

  // error_screen.cpp
  bool repair_user_dir();

  Console& console_;
  std::string next_program_;
  std::string start_dir_;
  std::string user_dir_;
  std::string env_dir_;
  std::string command_interpreter_;
  Settings settings_;
  float unit_value_ = 0;
  bool handler_installed_ = false;
  std::set<int> repaired_steps_;  // steps already given the directory repair
};

}  // namespace verdan
