// Commands given to the platform's command interpreter (the program named
// by "ComSpec"), each run to its end before the caller goes on, so that the
// files it writes are complete when they are read.
#pragma once

#include <string_view>

namespace verdan {

// Whether `interpreter` (CP932, as "ComSpec" names it) is a program this
// host can start. A host without a command interpreter of its own has none
// unless the variable names one.
bool command_interpreter_present(std::string_view interpreter);

enum class CommandOutcome {
  finished,      // the interpreter ended by itself
  not_finished,  // still running at the time limit; its group was stopped
  not_started,   // not found, not startable, or a command line over 123 bytes
};

// Runs `interpreter` with `argument` as its command line, without a window
// or keyboard of its own (standard input, output and error are the null
// device), and waits up to `limit_ms` milliseconds for it to end. It runs in
// a process group of its own, which is ended at the limit, when it ends
// (anything it left running goes too), and when this program ends or dies
// meanwhile, however that happens.
CommandOutcome run_command(std::string_view interpreter, std::string_view argument, int limit_ms);

}  // namespace verdan
