// Handing over to another program: the program is found the way a bare DOS
// program name is found, the front end gives the console back, and the
// running program is replaced by the started one.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace verdan {

struct CommandLine {
  std::string program;   // CP932, as written ("PROG.EXE", "C:\BIN\X.EXE")
  std::string argument;  // CP932, blanks around it dropped; may be empty
};

// Splits "PROG.EXE ARG TEXT" at the first blank after the program name; a
// name in double quotes may hold blanks.
CommandLine split_command_line(std::string_view command_line);

// A program as a command line names it: the directory part (up to the last
// separator or a drive's colon; empty for a bare name) and the name, without
// trailing blanks.
struct ProgramName {
  std::string_view directory;
  std::string_view name;
};
ProgramName split_program_name(std::string_view program);

// True when `name` ends in ".EXE", in any ASCII case.
bool ends_with_exe(std::string_view name);

// Host path of the program named `program` (CP932), or empty when there is
// none. The name is matched without ".EXE" (or with it) regardless of ASCII
// case: in its own directory when it has one, else beside the running
// program, then in the current directory, then along PATH. Only executable
// regular files count.
std::string find_program(std::string_view program);

// The host directories find_program looks in for `program`, in its order
// ("." is the current directory).
std::vector<std::string> program_search_directories(std::string_view program);

// The longest command line a program can be started with.
inline constexpr std::size_t kMaxCommandLine = 123;

// True when `program`, a blank and `argument` (none when it is empty) fit
// in kMaxCommandLine bytes.
bool command_line_fits(std::string_view program, std::string_view argument);

// Host path of the program to start with `argument`: Failure 5 when the
// command line does not fit, Failure 53 when the program is not found.
std::string program_to_start(std::string_view program, std::string_view argument);

// Starts `program` with `argument` and ends the running program. Failure 53
// when the program is not found (before `before_exec` runs) or cannot be
// started (after it ran); Failure 5 when the command line exceeds 123 bytes.
// `before_exec` hands the console back; buffered standard output is flushed
// after it.
[[noreturn]] void start_and_end(std::string_view program, std::string_view argument,
                                const std::function<void()>& before_exec);

}  // namespace verdan
