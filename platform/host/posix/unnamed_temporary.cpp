#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/host/spool_file.h"

namespace verdan::host {

// O_TMPFILE where the file system has it; else a name made and removed at
// once, which a kill between the two calls is the only way to leave.
int open_unnamed_temporary() {
  const char* dir = std::getenv("TMPDIR");
  const std::string where = dir != nullptr && *dir != '\0' ? dir : "/tmp";
#ifdef O_TMPFILE
  const int fd = ::open(where.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
#endif
  std::string name = where + "/.~verdan-spool-XXXXXX";
  const int named = ::mkostemp(name.data(), O_CLOEXEC);
  if (named < 0) return -1;
  ::unlink(name.c_str());
  return named;
}

}  // namespace verdan::host
