// The picture of the final screen that $VERDAN_SNAPSHOT asks for, written
// by every front end when the program ends or hands over.
#pragma once

#include <string>

#include "platform/console/screen_model.h"

namespace verdan {

// Writes the picture when VERDAN_SNAPSHOT names a file. Returns a line
// saying why it could not be written; empty when all went well or no
// picture was asked for.
std::string write_snapshot(const ScreenModel& screen);

}  // namespace verdan
