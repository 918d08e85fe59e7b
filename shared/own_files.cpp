#include "shared/own_files.h"

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/host/files.h"
#include "platform/host/same_file.h"

namespace verdan {

std::string own_file_reached(std::string_view name, const OwnFilePlaces& places) {
  // The settings are looked for in the start directory (the current one)
  // under both names, the old one renamed to the new, then in the per-user
  // directory: a listing written to any of them would be taken for the
  // settings next time.
  const std::string env_dir(places.env_dir), user_dir(places.user_dir), data_dir(places.data_dir);
  const std::string own[] = {
      env_dir + "VERDAN.INI", user_dir + "VERDAN.INI", "VERDAN.INI", "VERDAN.DAT", "VDN-USER.DAT",
      data_dir + "INDEX",     data_dir + "FRAME",      data_dir + "CROSS",
  };
  for (const std::string& file : own) {
    if (same_file(name, file)) return file;
  }
  return {};
}

void sweep_after_killed_runs(const OwnFilePlaces& places, std::string_view print_file) {
  const std::string env_dir(places.env_dir), data_dir(places.data_dir);
  for (const std::string& file : {env_dir + "VERDAN.INI", data_dir + "INDEX", std::string(print_file),
                                  std::string("VDN-USER.DAT")}) {
    sweep_temporaries_beside(file);
  }
}

void refuse_own_file(std::string_view output, const OwnFilePlaces& places) {
  const std::string own = own_file_reached(output, places);
  if (!own.empty()) {
    fail(kAccessDenied, "'" + to_utf8(output) + "' is the programs' own file '" + to_utf8(own) + "'");
  }
}

}  // namespace verdan
