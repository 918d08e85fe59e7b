// Texts as the printers and plotters take them (ESC/Page, HP-GL, LIPS):
// one command a character, double-byte characters sent as JIS, and the pen
// moved on by half the height along the direction for each byte.
#pragma once

#include <cstddef>
#include <string_view>

#include "plt_draw/device_table.h"

namespace verdan {

struct PrintedCharacter {
  std::string_view bytes;  // the single byte, or the JIS code of a double-byte one
  std::size_t width;  // its bytes in the CP932 text: 1 or 2
};

// Writes one character where the pen stands.
using CharacterWriter = void (*)(PlotState& state, const DeviceText& text, const PrintedCharacter& character);

// Hands the text to `write` character by character, moving the pen after
// each; a failure leaves the pen behind the characters already written.
void write_printed_text(PlotState& state, const DeviceText& text, CharacterWriter write);

}  // namespace verdan
