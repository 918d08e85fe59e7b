// The control program's "--help" text.
#pragma once

#include <string>

namespace verdan {

std::string control_help();

}  // namespace verdan
