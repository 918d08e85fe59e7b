// Standard input and output taken as files, for a "-" on a command line.
// A reader or writer gets a descriptor of its own, so closing it leaves
// the stream open for whatever else uses it.
#pragma once

#include <string>

namespace verdan::host {

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;

// A descriptor of its own on `stream`: binary, so the bytes pass as they
// are, and not inherited by started programs. -1 with errno set when the
// stream is closed.
int own_standard_stream(int stream);

// True when `host_path` names the very file open as `stream` (redirected
// from or to it), by device and inode.
bool standard_stream_is(int stream, const std::string& host_path);

}  // namespace verdan::host
