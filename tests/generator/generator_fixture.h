// Runs the generator in-process in a temporary start directory with its
// own APPDATA, on a scripted console, with a settings file written by hand.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "generator/generator_program.h"
#include "platform/codec/cp932.h"
#include "platform/frontends/headless/scripted_console.h"
#include "tests/platform/host_fixtures.h"

namespace verdan::test {

// A settings file: line 1 with `data_dir` and `print_file`, the label and
// fixed lines, line 15, then `texts` message texts "T1", "T2", ...
inline std::string settings_file(const std::string& data_dir, const std::string& print_file, int texts = 205) {
  std::string bytes = "\"" + data_dir + "\",\"C:\",\"PLT.OUT\",\"SI\",\"" + print_file + "\"\r\n";
  bytes += to_cp932("\"社 員 番 号 ＝\"\r\n");
  for (int i = 0; i < 12; ++i) bytes += "\"fixed\"\r\n";
  bytes += "\"1.2\",\"0\",\"2.1\",\"0.02\"\r\n";
  for (int i = 1; i <= texts; ++i) bytes += "\"T" + std::to_string(i) + "\"\r\n";
  return bytes;
}

class GeneratorRun : public ::testing::Test {
 protected:
  GeneratorRun() : cwd_(dir_.path()), appdata_("APPDATA", dir_ / "app"), os_("OS", std::string("Linux")) {
    std::filesystem::create_directories(dir_ / "app");
  }

  void write_settings(const std::string& bytes) { write_bytes(dir_ / "VERDAN.INI", bytes); }

  // Runs the dialogue on `script`; returns the exit status (3 when the
  // script ran out).
  int run(std::vector<std::string> script) {
    console_ = std::make_unique<ScriptedConsole>(std::move(script));
    program_ = std::make_unique<GeneratorProgram>(*console_);
    try {
      return program_->run();
    } catch (const ProgramEnd& end) {
      return end.status;
    }
  }

  std::string row(int r) const { return console_->row_text(r); }

  TempDir dir_;
  ScopedCwd cwd_;
  ScopedEnv appdata_;
  ScopedEnv os_;
  std::unique_ptr<ScriptedConsole> console_;
  std::unique_ptr<GeneratorProgram> program_;
};

}  // namespace verdan::test
