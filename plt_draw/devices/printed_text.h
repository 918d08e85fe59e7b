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

// The part of a character's command that depends only on the text and the
// character's width (font, size, direction): made at the text's first
// character of each width and copied for the others, since a label of many
// characters would otherwise format the same numbers for each.
class CharacterHeads {
 public:
  // The head of `width` (1 or 2); `make(DeviceCommand&)` writes it.
  template <typename Make>
  std::string_view of(PlotState& s, std::size_t width, Make make) {
    Head& head = heads_[width - 1];
    if (!head.made) {
      DeviceCommand text(s);
      make(text);
      const std::string_view made = text.view();
      if (made.size() > sizeof head.bytes) fail(kOverflow, "character head too long");
      std::memcpy(head.bytes, made.data(), made.size());
      head.size = made.size();
      head.made = true;
    }
    return {head.bytes, head.size};
  }

 private:
  struct Head {
    bool made = false;
    std::size_t size = 0;
    char bytes[256];  // a font, a size and a direction take far less
  };
  Head heads_[2];
};

struct PrintedCharacter {
  std::string_view bytes;  // the single byte, or the JIS code of a double-byte one
  std::size_t width;  // its bytes in the CP932 text: 1 or 2
  CharacterHeads* heads;

  template <typename Make>
  std::string_view head(PlotState& s, Make make) const {
    return heads->of(s, width, make);
  }
};

// Writes one character where the pen stands.
using CharacterWriter = void (*)(PlotState& state, const DeviceText& text, const PrintedCharacter& character);

// Hands the text to `write` character by character, moving the pen after
// each; a failure leaves the pen behind the characters already written.
void write_printed_text(PlotState& state, const DeviceText& text, CharacterWriter write);

}  // namespace verdan
