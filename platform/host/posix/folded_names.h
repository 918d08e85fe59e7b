// Names looked up regardless of ASCII case. What a directory holds is noted
// once and kept while the directory stays unchanged: a data directory of
// 100,000 files would otherwise be read through for every name looked up
// that is not there with its exact case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verdan {

// The names in `host_directory` equal to `name` regardless of ASCII case,
// in byte order. Empty when none is, or the directory cannot be read.
std::vector<std::string> names_folding_to(const std::string& host_directory, std::string_view name);

}  // namespace verdan
