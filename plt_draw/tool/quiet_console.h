// A console that is never shown: VDN-PLOT is a command-line tool, and the
// JW_CAD conversion's indicator and message land here, to be read back.
#pragma once

#include <string>

#include "platform/console.h"
#include "platform/fallible_step.h"

namespace verdan::plot_tool {

class QuietConsole : public Console {
 public:
  QuietConsole() : Console(640, 384) {}

 protected:
  // Nothing is ever typed here.
  std::string take_entry() override { throw ProgramEnd{3}; }
  int take_key() override { throw ProgramEnd{3}; }
};

}  // namespace verdan::plot_tool
