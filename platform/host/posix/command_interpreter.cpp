#include "platform/host/command_interpreter.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codec/cp932.h"
#include "platform/host/handover_names.h"
#include "platform/host/program_start.h"

extern char** environ;

namespace verdan {
namespace {

constexpr int kPollMs = 10;

void sleep_ms(int ms) {
  timespec pause{0, static_cast<long>(ms) * 1000000L};
  while (::nanosleep(&pause, &pause) != 0 && errno == EINTR) {
  }
}

// The guard's exit status when the interpreter could not be started.
constexpr int kNotStarted = 1;

enum class Progress { running, finished, not_started };

// Whether `pid` has ended. It stays unreaped, so its number (and that of the
// process group it leads) cannot pass to another process meanwhile.
Progress progress_of(pid_t pid) {
  for (;;) {
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0) {
      if (info.si_pid != pid) return Progress::running;
      bool failed = info.si_code == CLD_EXITED && info.si_status == kNotStarted;
      return failed ? Progress::not_started : Progress::finished;
    }
    if (errno != EINTR) return Progress::finished;  // someone else reaped it
  }
}

// The guard: leads the interpreter's process group and ends the whole group
// when the interpreter ends or when the program that started it is gone
// (its end of `lifeline` closes however it ends, even killed outright).
// Runs between fork and exec: system calls only.
[[noreturn]] void guard(int lifeline, const char* path, char* const argv[], char* const envp[]) {
  // Closed by a successful exec; a byte in it means the exec failed.
  int exec_failed[2];
  if (::pipe2(exec_failed, O_CLOEXEC) != 0) ::_exit(kNotStarted);
  pid_t interpreter = ::fork();
  if (interpreter == 0) {
    ::close(lifeline);
    ::close(exec_failed[0]);
    // No keys or script bytes meant for the program, nothing over its screen.
    int null_in = ::open("/dev/null", O_RDONLY);
    int null_out = ::open("/dev/null", O_WRONLY);
    if (null_in < 0 || null_out < 0) ::_exit(127);
    ::dup2(null_in, 0);
    ::dup2(null_out, 1);
    ::dup2(null_out, 2);
    ::execve(path, argv, envp);
    char failed = 1;
    while (::write(exec_failed[1], &failed, 1) < 0 && errno == EINTR) {
    }
    ::_exit(127);
  }
  if (interpreter < 0) ::_exit(kNotStarted);
  ::close(exec_failed[1]);
  char failed = 0;
  ssize_t n;
  while ((n = ::read(exec_failed[0], &failed, 1)) < 0 && errno == EINTR) {
  }
  if (n > 0) {
    ::waitpid(interpreter, nullptr, 0);
    ::_exit(kNotStarted);
  }
  for (;;) {
    pollfd watch{lifeline, POLLIN, 0};
    int ready = ::poll(&watch, 1, kPollMs);
    if (ready > 0) ::kill(0, SIGKILL);  // the program is gone
    int status = 0;
    if (::waitpid(interpreter, &status, WNOHANG) == interpreter) ::_exit(0);
  }
}

// The interpreter runs minimized: a window it opens starts so.
std::vector<char*> minimized_environment() {
  static std::string minimized = std::string(kStateVariable) + "=minimized";
  const std::string prefix = std::string(kStateVariable) + "=";
  std::vector<char*> envp;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (std::string_view(*entry).substr(0, prefix.size()) != prefix) envp.push_back(*entry);
  }
  envp.push_back(minimized.data());
  envp.push_back(nullptr);
  return envp;
}

}  // namespace

bool command_interpreter_present(std::string_view interpreter) {
  return !interpreter.empty() && !find_program(interpreter).empty();
}

CommandOutcome run_command(std::string_view interpreter, std::string_view argument, int limit_ms) {
  if (interpreter.size() + 1 + argument.size() > kMaxCommandLine) return CommandOutcome::not_started;
  std::string path = find_program(interpreter);
  if (path.empty()) return CommandOutcome::not_started;

  std::string utf8_argument = to_utf8(argument);
  std::vector<char*> argv{path.data(), utf8_argument.data(), nullptr};
  std::vector<char*> envp = minimized_environment();
  int lifeline[2];
  if (::pipe2(lifeline, O_CLOEXEC) != 0) return CommandOutcome::not_started;
  pid_t leader = ::fork();
  if (leader == 0) {
    ::setpgid(0, 0);
    ::close(lifeline[1]);
    guard(lifeline[0], path.c_str(), argv.data(), envp.data());
  }
  ::close(lifeline[0]);
  if (leader < 0) {
    ::close(lifeline[1]);
    return CommandOutcome::not_started;
  }
  // Set here too, so the group exists before it may be signalled.
  ::setpgid(leader, leader);

  CommandOutcome outcome = CommandOutcome::not_finished;
  for (int waited = 0; waited <= limit_ms; waited += kPollMs) {
    Progress progress = progress_of(leader);
    if (progress != Progress::running) {
      outcome = progress == Progress::finished ? CommandOutcome::finished : CommandOutcome::not_started;
      break;
    }
    sleep_ms(kPollMs);
  }
  // Whatever the interpreter left running goes with it; a listing that never
  // ends would leave the program waiting for good.
  ::kill(-leader, SIGKILL);
  ::close(lifeline[1]);
  while (::waitpid(leader, nullptr, 0) < 0 && errno == EINTR) {
  }
  return outcome;
}

}  // namespace verdan
