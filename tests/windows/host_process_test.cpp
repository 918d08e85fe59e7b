// The real command interpreter and environment of the Windows host.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/host/command_interpreter.h"
#include "platform/host/environment.h"
#include "tests/windows/windows_fixture.h"

namespace verdan {
namespace {

using WindowsProcesses = test::WindowsHost;

TEST_F(WindowsProcesses, InterpreterWritesTheVersionFileBeforeRunCommandReturns) {
  const std::string interpreter = get_env("ComSpec");
  ASSERT_TRUE(command_interpreter_present(interpreter)) << interpreter;
  EXPECT_EQ(run_command(interpreter, "/C VER>VER.TXT", 20000), CommandOutcome::finished);
  EXPECT_GT(std::filesystem::file_size(dir_ / "VER.TXT"), 0u);
}

TEST_F(WindowsProcesses, OverlongCommandLinesAreNotStarted) {
  EXPECT_EQ(run_command(get_env("ComSpec"), "/C REM " + std::string(130, 'x'), 1000), CommandOutcome::not_started);
  EXPECT_FALSE(command_interpreter_present("NO-SUCH-INTERPRETER.EXE"));
}

TEST(WindowsEnvironment, ComesFromTheRealEnvironment) {
  apply_posix_defaults();
  EXPECT_EQ(get_env("OS"), "Windows_NT");
  EXPECT_FALSE(get_env("APPDATA").empty());
  EXPECT_FALSE(get_env("windir").empty());
}

}  // namespace
}  // namespace verdan
