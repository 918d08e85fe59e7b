// The text file over standard output, kept apart from files.cpp: it opens
// no name, so none of the naming, emptying or replacing there applies.
#include <cerrno>
#include <string>
#include <utility>

#include "platform/host/files.h"
#include "platform/host/host_error.h"
#include "platform/host/standard_streams.h"

namespace verdan {

TextFile TextFile::open_standard_output() {
  std::string name = "standard output";
  const int fd = host::own_standard_stream(host::kStandardOutput);
  if (fd < 0) fail_from_errno(errno, "open", name);
  TextFile file(fd, std::move(name), "");
  file.quiet_ = true;
  return file;
}

}  // namespace verdan
