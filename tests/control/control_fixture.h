// Runs the control program in-process in a temporary start directory with
// its own APPDATA, on a scripted console.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "control/control_program.h"
#include "platform/console/scripted_console.h"
#include "tests/platform/host_fixtures.h"

namespace verdan::test {

class ControlRun : public ::testing::Test {
 protected:
  ControlRun()
      : cwd_(dir_.path()), appdata_("APPDATA", dir_ / "app"), os_("OS", std::string("Linux")) {
    std::filesystem::create_directory(dir_ / "app");
  }

  // Runs the dialogue on `script`; returns the exit status (3 when the
  // script ran out).
  int run(std::vector<std::string> script, const std::string& argument = "") {
    console_ = std::make_unique<ScriptedConsole>(std::move(script));
    program_ = std::make_unique<ControlProgram>(*console_, argument);
    try {
      return program_->run();
    } catch (const ProgramEnd& end) {
      return end.status;
    }
  }

  std::string env_file() const { return read_bytes(dir_ / "app/verdan/VERDAN.INI"); }
  std::string first_line() const { return env_file().substr(0, env_file().find("\r\n")); }

  TempDir dir_;
  ScopedCwd cwd_;
  ScopedEnv appdata_;
  ScopedEnv os_;
  std::unique_ptr<ScriptedConsole> console_;
  std::unique_ptr<ControlProgram> program_;
};

}  // namespace verdan::test
