// The control program's help: its --help text and manual page from one source.
#pragma once

#include <string>

#include "platform/help_page.h"

namespace verdan {

HelpPage control_help_page();
std::string control_help();

}  // namespace verdan
