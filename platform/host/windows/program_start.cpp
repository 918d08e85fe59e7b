#include "platform/host/program_start.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "platform/codec/cp932.h"
#include "platform/host/dos_path.h"
#include "platform/host/file_calls.h"
#include "platform/failure.h"
#include "platform/host/windows/wide.h"

namespace verdan {
namespace {

bool is_file(const std::string& path) {
  DWORD attributes = GetFileAttributesW(host::native(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string get_path_variable() {
  DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
  if (size == 0) return "";
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(L"PATH", value.data(), size));
  return to_cp932(host::narrow(value));
}

std::string running_program_directory() {
  std::wstring buffer(MAX_PATH, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n == 0 || n >= buffer.size()) return "";
  std::string path = host::narrow(std::wstring_view(buffer.data(), n));
  std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? "" : path.substr(0, cut);
}

// The platform's order for a bare name: beside the running program, the
// current directory, then PATH.
std::vector<std::string> search_directories() {
  std::vector<std::string> dirs;
  std::string own = running_program_directory();
  if (!own.empty()) dirs.push_back(own);
  dirs.emplace_back(".");
  std::string_view rest;
  std::string path = to_utf8(get_path_variable());
  rest = path;
  while (!rest.empty()) {
    std::size_t semicolon = rest.find(';');
    std::string_view dir = rest.substr(0, semicolon);
    if (!dir.empty()) dirs.emplace_back(dir);
    if (semicolon == std::string_view::npos) break;
    rest.remove_prefix(semicolon + 1);
  }
  return dirs;
}

HANDLE inheritable(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
    SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  }
  return handle;
}

std::wstring quoted(const std::string& path) { return L"\"" + host::native(path) + L"\""; }

bool start_program(const std::string& path, std::string_view argument, DWORD flags, WORD show,
                   PROCESS_INFORMATION& process, STARTUPINFOW& startup) {
  std::wstring command = quoted(path);
  if (!argument.empty()) command += L" " + host::wide(to_utf8(argument));
  startup.cb = sizeof startup;
  startup.dwFlags |= STARTF_USESHOWWINDOW;
  startup.wShowWindow = show;
  return CreateProcessW(host::native(path).c_str(), command.data(), nullptr, nullptr,
                        (startup.dwFlags & STARTF_USESTDHANDLES) != 0, flags, nullptr, nullptr, &startup,
                        &process) != 0;
}

}  // namespace

std::vector<std::string> program_search_directories(std::string_view program) {
  const std::string_view directory = split_program_name(program).directory;
  if (!directory.empty()) return {host_path(directory)};
  return search_directories();
}

std::string find_program(std::string_view program) {
  const std::string_view name = split_program_name(program).name;
  // A name that maps to no host name of its own names no program.
  if (name.empty() || undefined_char_at(name) != std::string_view::npos) return "";
  std::vector<std::string> names;
  if (!ends_with_exe(name)) names.push_back(to_utf8(name) + ".EXE");
  names.push_back(to_utf8(name));

  for (const std::string& dir : program_search_directories(program)) {
    for (const std::string& wanted : names) {
      std::string path = dir + "/" + wanted;
      if (is_file(path)) return path;
    }
  }
  return "";
}

void start_and_end(std::string_view program, std::string_view argument,
                   const std::function<void()>& before_exec) {
  std::string path = program_to_start(program, argument);

  before_exec();
  std::cout.flush();
  std::fflush(nullptr);
  PROCESS_INFORMATION process{};
  STARTUPINFOW startup{};
  // The started program reads and writes where this one did.
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inheritable(STD_INPUT_HANDLE);
  startup.hStdOutput = inheritable(STD_OUTPUT_HANDLE);
  startup.hStdError = inheritable(STD_ERROR_HANDLE);
  // Started in a normal window; this program then ends.
  if (!start_program(path, argument, 0, SW_SHOWNORMAL, process, startup)) {
    fail(kProgramNotFound, "cannot start " + host::shown_path(path));
  }
  CloseHandle(process.hThread);
  DWORD status = 0;
  // Headless, the chain of programs is one run to whoever started the
  // first: its end and status are those of the last, as when the process
  // image is replaced on POSIX hosts.
  if (GetFileType(GetStdHandle(STD_INPUT_HANDLE)) != FILE_TYPE_CHAR) {
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &status);
  }
  CloseHandle(process.hProcess);
  std::exit(static_cast<int>(status));
}

}  // namespace verdan
