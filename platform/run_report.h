// What a program tells the user when it ends, after the console is handed
// back: the full path of every file the run wrote, and where a program that
// could not be started is looked for, so the usual first ending on a new
// machine (no analysis program yet) does not read as lost work.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/host/written_files.h"

namespace verdan {

// The lines for `account`; `search` are the directories the missing program
// was looked in, in order ("." the current directory), `current` the current
// directory's full path.
std::string run_report_text(std::string_view program, const RunAccount& account,
                            const std::vector<std::string>& search, const std::string& current);

// Takes the run's account and writes its lines to standard error.
void report_run(std::string_view program) noexcept;

}  // namespace verdan
