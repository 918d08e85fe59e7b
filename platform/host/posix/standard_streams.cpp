#include "platform/host/standard_streams.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace verdan::host {

int own_standard_stream(int stream) { return ::fcntl(stream, F_DUPFD_CLOEXEC, 0); }

bool standard_stream_is(int stream, const std::string& host_path) {
  struct stat streamed{};
  struct stat named{};
  return ::fstat(stream, &streamed) == 0 && ::stat(host_path.c_str(), &named) == 0 && streamed.st_dev == named.st_dev &&
         streamed.st_ino == named.st_ino;
}

}  // namespace verdan::host
