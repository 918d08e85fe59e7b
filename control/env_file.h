// The environment file: 220 CR LF lines of quoted CP932 fields, the settings
// on lines 1 and 15 and the analysis program's fixed texts between and after.
#pragma once

#include <string_view>

#include "control/settings.h"
#include "platform/host/files.h"
#include "platform/text_sink.h"

namespace verdan {

inline constexpr const char* kEnvFileName = "VERDAN.INI";

// Writes the whole file's lines for `settings` (complete: no empty value of
// the four line-15 fields) and the program version shown on line 4.
void write_env_lines(TextSink& sink, const Settings& settings, std::string_view version);

// Reads the settings from an open file into `settings`. Line-15 fields keep
// their values when the file ends before them; a file that ends earlier
// still reads as far as it goes, the missing fields empty.
void read_env_fields(File& file, Settings& settings);

}  // namespace verdan
