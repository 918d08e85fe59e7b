// The whole story of a failure, beside the error line the user answers: the
// host's reason and the path or program involved. It goes to the log
// "verdan.log" in the per-user directory, and to the front end (the
// terminal's title line, standard error when headless).
#pragma once

#include <string>
#include <string_view>

#include "platform/console/console.h"
#include "platform/failure.h"

namespace verdan {

// The log keeps at most this many bytes; the oldest lines go first.
inline constexpr std::size_t kFailureLogLimit = 64 * 1024;

// One line (CP932): "<program>: CODE <code> LINE <step>: <detail>".
std::string failure_story(std::string_view program, const Failure& failure, int step);

// Appends `line` to `host_log_path`, dropping the oldest lines beyond
// `limit` bytes. A log that cannot be written is passed over: the error
// line on the screen still tells the user.
void append_to_log(const std::string& host_log_path, std::string_view line,
                   std::size_t limit = kFailureLogLimit);

// The story to the log and the front end.
void report_failure(Console& console, std::string_view program, const Failure& failure, int step);

// The failure's detail on row `row` + 1 when that row is blank, so it hides
// nothing; the cursor stays. The caller puts the row back.
void show_failure_detail(Console& console, const Failure& failure, int row);

}  // namespace verdan
