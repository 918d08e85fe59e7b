// Names of the temporary files a replacement is written under before it
// takes the old file's place, and the clean-up of those a killed run left.
#pragma once

#include <string>

namespace verdan {

// Host path stem "<dir>/.~<pid>." of this process's temporaries in `host_dir`;
// a counter completes the name.
std::string temporary_stem(const std::string& host_dir);

// Deletes the temporaries in `host_dir` whose process no longer runs. A
// process that runs under another user counts as running.
void remove_dead_temporaries(const std::string& host_dir);

}  // namespace verdan
