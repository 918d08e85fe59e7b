// Texts as the printers and plotters take them (ESC/Page, HP-GL, LIPS):
// one command a character, double-byte characters sent as JIS, and the pen
// moved on by half the height along the direction for each byte.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "platform/failure.h"
#include "plt_draw/device_table.h"
#include "plt_draw/devices/device_command.h"

namespace verdan {

// The part of a character's command that depends only on the device, the
// text's height and angle and the scale (font, size, direction): made once
// for each width and copied for every character until one of them changes,
// since labels by the thousand would otherwise format the same numbers.
template <typename Make>
const PlotState::CharacterHead& character_head(PlotState& s, const DeviceText& t, std::size_t width, Make make) {
  PlotState::CharacterHead& head = s.character_heads[width - 1];
  const PlotDevice* device = table_device(s);
  if (head.device != device || !same_bits(head.height, t.height) || !same_bits(head.angle, t.angle) ||
      !same_bits(head.scale_x, s.scale_x)) {
    head.device = nullptr;
    DeviceCommand text(s);
    make(text);
    const std::string_view made = text.view();
    if (made.size() > sizeof head.bytes) fail(kOverflow, "character head too long");
    std::memcpy(head.bytes, made.data(), made.size());
    head.size = made.size();
    head.device = device;
    head.height = t.height;
    head.angle = t.angle;
    head.scale_x = s.scale_x;
  }
  return head;
}

struct PrintedCharacter {
  std::string_view bytes;  // the single byte, or the JIS code of a double-byte one
  std::size_t width;  // its bytes in the CP932 text: 1 or 2
  const DeviceText* text;

  template <typename Make>
  const PlotState::CharacterHead& head(PlotState& s, Make make) const {
    return character_head(s, *text, width, make);
  }
};

// Writes one character where the pen stands.
using CharacterWriter = void (*)(PlotState& state, const DeviceText& text, const PrintedCharacter& character);

// Hands the text to `write` character by character, moving the pen after
// each; a failure leaves the pen behind the characters already written.
void write_printed_text(PlotState& state, const DeviceText& text, CharacterWriter write);

}  // namespace verdan
