// The command interpreter road: commands run to their end, within a limit.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/command_interpreter.h"
#include "platform/directory_listing.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

class CommandInterpreter : public ::testing::Test {
 protected:
  std::string interpreter(const std::string& body) {
    test::write_bytes(dir_ / "cmd.sh", "#!/bin/sh\n" + body);
    std::filesystem::permissions(dir_ / "cmd.sh", std::filesystem::perms::owner_all);
    return dir_ / "cmd.sh";
  }
  test::TempDir dir_;
};

TEST_F(CommandInterpreter, WaitedForToItsEndAndStoppedAtTheLimit) {
  std::string slow = interpreter("sleep 1\necho \"$1\" > '" + dir_ / "done" + "'\n");
  EXPECT_EQ(run_command(slow, "/C VER>X", 5000), CommandOutcome::finished);
  EXPECT_EQ(test::read_bytes(dir_ / "done"), "/C VER>X\n");

  std::string endless = interpreter("sleep 30\n");
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(run_command(endless, "/C DIR", 100), CommandOutcome::not_finished);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(CommandInterpreter, OverlongOrMissingIsNotStarted) {
  std::string path = interpreter("exit 0\n");
  EXPECT_EQ(run_command(path, std::string(123 - path.size(), 'A'), 1000), CommandOutcome::not_started);
  EXPECT_EQ(run_command(path, std::string(122 - path.size(), 'A'), 1000), CommandOutcome::finished);
  EXPECT_FALSE(command_interpreter_present(""));
  EXPECT_EQ(run_command(dir_ / "missing.sh", "/C VER", 1000), CommandOutcome::not_started);
  // Without the interpreter, a directory that cannot be read gives no listing.
  EXPECT_FALSE(list_files(dir_ / "missing/"));
}

}  // namespace
}  // namespace verdan
