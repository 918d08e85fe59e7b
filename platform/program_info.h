// What a program says about itself on the command line: its version and
// help, answered before any screen is shown or the terminal taken over.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace verdan {

// The version of the whole package (from the build), e.g. "1.0.0".
const char* project_version();

// The "--version" text of `program`: name, version, copyright and licence.
std::string version_text(std::string_view program);

// When the command line is just "--help" (or "-h") or "--version", writes the
// answer to standard output and gives the exit status 0; otherwise nothing,
// and the arguments keep their meaning.
std::optional<int> answer_info_request(int argc, const char* const* argv, std::string_view program,
                                       const std::string& help);

}  // namespace verdan
