// Runs the control program in-process in a temporary start directory with
// its own APPDATA, on a scripted console.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "control/control_program.h"
#include "platform/frontends/headless/scripted_console.h"
#include "tests/platform/host_fixtures.h"

namespace verdan::test {

// A scripted console that runs an action just before the script item of
// its number (from 0) is taken: what another writer does meanwhile.
class InterleavedConsole : public ScriptedConsole {
 public:
  using Actions = std::map<std::size_t, std::function<void()>>;
  InterleavedConsole(std::vector<std::string> script, Actions before)
      : ScriptedConsole(script), count_(script.size()), before_(std::move(before)) {}

 protected:
  std::string take_entry() override {
    act();
    return ScriptedConsole::take_entry();
  }
  int take_key() override {
    act();
    return ScriptedConsole::take_key();
  }

 private:
  void act() {
    auto action = before_.find(count_ - remaining());
    if (action == before_.end()) return;
    std::function<void()> run = std::move(action->second);
    before_.erase(action);
    run();
  }
  std::size_t count_;
  Actions before_;
};

class ControlRun : public ::testing::Test {
 protected:
  using Actions = InterleavedConsole::Actions;

  ControlRun()
      : cwd_(dir_.path()), appdata_("APPDATA", dir_ / "app"), os_("OS", std::string("Linux")) {
    std::filesystem::create_directory(dir_ / "app");
  }

  // Runs the dialogue on `script`; returns the exit status (3 when the
  // script ran out).
  int run(std::vector<std::string> script, const std::string& argument = "") {
    console_ = std::make_unique<ScriptedConsole>(std::move(script));
    program_ = std::make_unique<ControlProgram>(*console_, argument);
    return run_to_end(*program_);
  }

  // Runs the dialogue with `before` done just before the items it names.
  int run(std::vector<std::string> script, Actions before) {
    console_ = std::make_unique<InterleavedConsole>(std::move(script), std::move(before));
    program_ = std::make_unique<ControlProgram>(*console_, "");
    return run_to_end(*program_);
  }

  // A second session on its own console, run to its end while the first
  // waits for an entry, as a second user at the same data would.
  static int run_other(std::vector<std::string> script, Actions before = {}) {
    InterleavedConsole console(std::move(script), std::move(before));
    ControlProgram program(console, "");
    return run_to_end(program);
  }

  static int run_to_end(ControlProgram& program) {
    try {
      return program.run();
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
