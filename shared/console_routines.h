// The exported console and environment routines: environment queries, the
// numeric keyboard prompt and today's date.
#pragma once

#include <string>
#include <string_view>

#include "platform/host/clock.h"
#include "platform/console/console.h"

namespace verdan {

// Value of the environment variable `name`; empty when it is not set.
std::string GETENV(std::string_view name);

// Current directory with drive, no trailing "\" except for a drive root;
// empty when the path does not fit 255 bytes or cannot be read.
std::string GETCWD();

// Prints `prompt` at the cursor, reads one entry and returns its leading
// number (0 for an empty or non-numeric entry).
float INN(Console& console, std::string_view prompt);

// Prints `prompt` followed by "? " and reads one entry (the question form).
std::string ask(Console& console, std::string_view prompt);

// Today's date as YYYY/MM/DD; two-digit years below 80 are 20xx, else 19xx.
std::string DAY(const Clock& clock);

}  // namespace verdan
