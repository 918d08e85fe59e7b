// What a name may be when the programs open it. Their own files (settings,
// index, register, data files) are regular files and nothing else; a print
// or plot file may also be a printer or a pipe to a spooler, written where
// it is. Nothing here ever hangs on a pipe that nobody reads.
#pragma once

#include <chrono>
#include <string>

#include "platform/host/file_calls.h"

namespace verdan {

enum class SpecialFile {
  refuse,          // anything but a regular file is refused, left as it is
  write_in_place,  // a device or a FIFO is written as it stands
};

// How long an output waits for a reader at the other end of a FIFO.
inline constexpr std::chrono::milliseconds kPipeReaderWait{5000};

// Refuses `host` as not a regular file (75), naming it and what it is.
[[noreturn]] void fail_not_regular(const std::string& host, host::FileType type);

// Opens `host`, which must be a regular file when it exists: anything else
// is refused before it is opened, so a FIFO or a device is never touched.
int open_regular(const std::string& host, int flags);

// Opens a device or FIFO for writing in place; a FIFO without a reader is
// waited for up to `wait`, then fails as a device not ready (72).
int open_special_for_writing(const std::string& host, int flags,
                             std::chrono::milliseconds wait = kPipeReaderWait);

// Where a replacement of `host` must go: the end of its chain of symbolic
// links (the last may point at a name not yet there), so the link stays
// and the file it names is replaced.
std::string link_target(const std::string& host);

}  // namespace verdan
