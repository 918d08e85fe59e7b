// The generator's "--help" text.
#pragma once

#include <string>

namespace verdan {

std::string generator_help();

}  // namespace verdan
