#include "platform/console/snapshot.h"

#include <cstdlib>

#include "platform/failure.h"
#include "platform/console/png_picture.h"

namespace verdan {

std::string write_snapshot(const ScreenModel& screen) {
  const char* snapshot = std::getenv("VERDAN_SNAPSHOT");
  if (snapshot == nullptr || *snapshot == '\0') return "";
  try {
    write_png_picture(screen, snapshot);
  } catch (const Failure& failure) {
    return std::string("VERDAN: no snapshot: ") + failure.what();
  }
  return "";
}

}  // namespace verdan
