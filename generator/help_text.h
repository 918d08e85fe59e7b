// The generator's help: its --help text and manual page from one source.
#pragma once

#include <string>

#include "platform/help_page.h"

namespace verdan {

HelpPage generator_help_page();
std::string generator_help();

}  // namespace verdan
