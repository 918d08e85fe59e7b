#include "platform/command_interpreter.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/program_start.h"

extern char** environ;

namespace verdan {
namespace {

constexpr std::size_t kMaxCommandLine = 123;

// True when the child has ended (and is reaped).
bool reaped(pid_t pid) {
  for (;;) {
    int status = 0;
    pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) return true;
    if (done < 0 && errno == EINTR) continue;
    // Someone else reaped it: it has ended all the same.
    if (done < 0) return true;
    return false;
  }
}

void sleep_ms(int ms) {
  timespec pause{0, static_cast<long>(ms) * 1000000L};
  while (::nanosleep(&pause, &pause) != 0 && errno == EINTR) {
  }
}

}  // namespace

bool command_interpreter_present(std::string_view interpreter) {
  return !interpreter.empty() && !find_program(interpreter).empty();
}

CommandOutcome run_command(std::string_view interpreter, std::string_view argument, int limit_ms) {
  if (interpreter.size() + 1 + argument.size() > kMaxCommandLine) return CommandOutcome::not_started;
  std::string path = find_program(interpreter);
  if (path.empty()) return CommandOutcome::not_started;

  // The interpreter must not take keys or script bytes meant for the
  // program, nor write over its screen.
  posix_spawn_file_actions_t actions;
  if (::posix_spawn_file_actions_init(&actions) != 0) return CommandOutcome::not_started;
  for (int fd = 0; fd < 3; ++fd) {
    ::posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
  }
  std::string utf8_argument = to_utf8(argument);
  std::vector<char*> argv{path.data(), utf8_argument.data(), nullptr};
  pid_t pid = 0;
  int started = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return CommandOutcome::not_started;

  constexpr int kPollMs = 10;
  for (int waited = 0; waited < limit_ms; waited += kPollMs) {
    if (reaped(pid)) return CommandOutcome::finished;
    sleep_ms(kPollMs);
  }
  if (reaped(pid)) return CommandOutcome::finished;
  // A listing that never ends would leave the program waiting for good.
  ::kill(pid, SIGKILL);
  while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
  }
  return CommandOutcome::not_finished;
}

}  // namespace verdan
