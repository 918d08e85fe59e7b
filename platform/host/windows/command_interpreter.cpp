#include "platform/host/command_interpreter.h"

#include <windows.h>

#include <string>

#include "platform/codec/cp932.h"
#include "platform/host/program_start.h"
#include "platform/host/windows/wide.h"

namespace verdan {
namespace {

HANDLE null_device(DWORD access) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
}

}  // namespace

bool command_interpreter_present(std::string_view interpreter) {
  return !interpreter.empty() && !find_program(interpreter).empty();
}

// The interpreter runs in a job of its own: whatever it starts ends with it,
// at the limit, and when this program ends however it ends.
CommandOutcome run_command(std::string_view interpreter, std::string_view argument, int limit_ms) {
  if (interpreter.size() + 1 + argument.size() > kMaxCommandLine) return CommandOutcome::not_started;
  const std::string path = find_program(interpreter);
  if (path.empty()) return CommandOutcome::not_started;

  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (job == nullptr) return CommandOutcome::not_started;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // In a minimized window of its own, as the user's desk shows it.
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINNOACTIVE;
  startup.hStdInput = null_device(GENERIC_READ);
  startup.hStdOutput = null_device(GENERIC_WRITE);
  startup.hStdError = startup.hStdOutput;
  std::wstring command = L"\"" + host::native(path) + L"\" " + host::wide(to_utf8(argument));
  PROCESS_INFORMATION process{};
  bool started = CreateProcessW(host::native(path).c_str(), command.data(), nullptr, nullptr, TRUE,
                                CREATE_NEW_CONSOLE | CREATE_SUSPENDED, nullptr, nullptr, &startup, &process) != 0;
  CloseHandle(startup.hStdInput);
  CloseHandle(startup.hStdOutput);
  if (!started) {
    CloseHandle(job);
    return CommandOutcome::not_started;
  }
  AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
  CloseHandle(process.hThread);
  DWORD waited = WaitForSingleObject(process.hProcess, static_cast<DWORD>(limit_ms));
  CloseHandle(process.hProcess);
  TerminateJobObject(job, 1);
  CloseHandle(job);
  return waited == WAIT_OBJECT_0 ? CommandOutcome::finished : CommandOutcome::not_finished;
}

}  // namespace verdan
