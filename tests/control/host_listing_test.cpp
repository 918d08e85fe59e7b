// The command interpreter road: commands run to their end, within a limit.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/host/command_interpreter.h"
#include "platform/host/directory_listing.h"
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
  // The process numbers an interpreter wrote into `name`, once it did.
  std::vector<pid_t> pids_in(const std::string& name) {
    for (int tries = 0; tries < 500 && !std::filesystem::exists(dir_ / (name + ".done")); ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::vector<pid_t> pids;
    std::ifstream in(dir_ / name);
    for (pid_t pid; in >> pid;) pids.push_back(pid);
    return pids;
  }
  // Whether any of `pids` still runs two seconds on (a zombie has ended).
  static bool any_runs(const std::vector<pid_t>& pids) {
    for (int tries = 0; tries < 200; ++tries) {
      bool running = false;
      for (pid_t pid : pids) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        if (std::getline(stat, line) && line.find(") Z") == std::string::npos) running = true;
      }
      if (!running) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }
  // An interpreter that starts a child, writes both numbers into `name`
  // and then waits (`ending` "wait") or ends at once (`ending` "exit 0").
  std::string spawning_interpreter(const std::string& name, const std::string& ending) {
    const std::string file = dir_ / name;
    return interpreter("sleep 300 &\necho $$ $! > '" + file + "'\ntouch '" + file + ".done'\n" + ending + "\n");
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

// Whatever the interpreter started goes with it, and nothing outlives the
// program that started it.
TEST_F(CommandInterpreter, ItsProcessGroupEndsAtTheLimitAtItsEndAndWithTheProgram) {
  EXPECT_EQ(run_command(spawning_interpreter("limit", "wait"), "/C DIR", 300), CommandOutcome::not_finished);
  std::vector<pid_t> stopped = pids_in("limit");
  ASSERT_EQ(stopped.size(), 2u);
  EXPECT_FALSE(any_runs(stopped));

  EXPECT_EQ(run_command(spawning_interpreter("ended", "exit 0"), "/C DIR", 5000), CommandOutcome::finished);
  std::vector<pid_t> left = pids_in("ended");
  ASSERT_EQ(left.size(), 2u);
  EXPECT_FALSE(any_runs(left));

  std::string endless = spawning_interpreter("killed", "wait");
  std::fflush(nullptr);
  pid_t program = ::fork();
  if (program == 0) {
    run_command(endless, "/C DIR", 60000);
    ::_exit(0);
  }
  std::vector<pid_t> orphans = pids_in("killed");
  ::kill(program, SIGKILL);
  ::waitpid(program, nullptr, 0);
  ASSERT_EQ(orphans.size(), 2u);
  EXPECT_FALSE(any_runs(orphans));
}

TEST_F(CommandInterpreter, OverlongOrMissingIsNotStarted) {
  std::string path = interpreter("exit 0\n");
  EXPECT_EQ(run_command(path, std::string(123 - path.size(), 'A'), 1000), CommandOutcome::not_started);
  EXPECT_EQ(run_command(path, std::string(122 - path.size(), 'A'), 1000), CommandOutcome::finished);
  EXPECT_FALSE(command_interpreter_present(""));
  EXPECT_EQ(run_command(dir_ / "missing.sh", "/C VER", 1000), CommandOutcome::not_started);
  // A file the host cannot run as a program.
  test::write_bytes(dir_ / "junk.exe", "junk");
  std::filesystem::permissions(dir_ / "junk.exe", std::filesystem::perms::owner_all);
  EXPECT_EQ(run_command(dir_ / "junk.exe", "/C VER", 1000), CommandOutcome::not_started);
  // Without the interpreter, a directory that cannot be read gives no listing.
  EXPECT_FALSE(list_files(dir_ / "missing/"));
}

}  // namespace
}  // namespace verdan
