// A console that is never shown: the JW_CAD conversion of a caller without
// a console puts its indicator and message here, to be read back.
#pragma once

#include <string>

#include "platform/console/console.h"
#include "platform/fallible_step.h"

namespace verdan::capi {

class QuietConsole : public Console {
 public:
  QuietConsole() : Console(640, 384) {}

 protected:
  // Nothing is ever typed here.
  std::string take_entry() override { throw ProgramEnd{3}; }
  int take_key() override { throw ProgramEnd{3}; }
};

}  // namespace verdan::capi
