// Runs a built program headless in a temporary home, as scripts use it:
// a clean environment, entries on standard input, the final screen read
// back from standard output.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "tests/platform/host_fixtures.h"

namespace verdan::test {

struct Outcome {
  int status;
  std::string screen;
};

class HeadlessRun : public ::testing::Test {
 protected:
  HeadlessRun() { std::filesystem::create_directories(dir_ / "home/app"); }

  // Where the build put the programs.
  static std::string built_programs() {
    const char* bin = std::getenv("VERDAN_TEST_BIN");
    return bin ? bin : VERDAN_BUILT_PROGRAMS;
  }

  // Writes an executable stand-in program `name` with the shell `script`
  // into bin/ and returns that directory.
  std::string stand_in(const std::string& name, const std::string& script) {
    std::filesystem::create_directories(dir_ / "bin");
    write_bytes(dir_ / "bin" + "/" + name, "#!/bin/sh\n" + script);
    std::filesystem::permissions(dir_ / "bin" + "/" + name, std::filesystem::perms::owner_all);
    return dir_ / "bin";
  }

  // Runs `program` from `bin` in home/ with `script` on standard input.
  Outcome run(const std::string& program, const std::string& script, const std::string& argument = "",
              const std::string& path = "/usr/bin:/bin", const std::string& bin = built_programs(),
              const std::string& extra_env = "") {
    write_bytes(dir_ / "in", script);
    std::string command = "cd '" + dir_ / "home" + "' && env -i PATH='" + path + "' APPDATA='" + dir_ / "home/app" +
                          "' OS=Linux " + extra_env + " '" + bin + "/" + program + "' " + argument + " < '" +
                          dir_ / "in" + "' > '" + dir_ / "out" + "' 2> '" + dir_ / "err" + "'";
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_bytes(dir_ / "out")};
  }

  // The final screen and its picture (VERDAN_SNAPSHOT) after `script`.
  std::pair<std::string, std::string> final_screen(const std::string& program, const std::string& script) {
    std::filesystem::remove(dir_ / "final.png");
    Outcome out = run(program, script, "", "/usr/bin:/bin", built_programs(),
                      "VERDAN_SNAPSHOT='" + dir_ / "final.png" + "'");
    return {out.screen, read_bytes(dir_ / "final.png")};
  }

  TempDir dir_;
};

}  // namespace verdan::test
