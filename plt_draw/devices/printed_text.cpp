#include "plt_draw/devices/printed_text.h"

#include "platform/codec/cp932.h"
#include "plt_draw/sj2j.h"

namespace verdan {

void write_printed_text(PlotState& s, const DeviceText& t, CharacterWriter write) {
  for (std::size_t i = 0; i < t.text.size();) {
    const std::size_t n = char_length(t.text, i);
    PrintedCharacter character{t.text.substr(i, n), n, &t};
    char jis[2];
    if (n == 2) {
      int j1 = static_cast<unsigned char>(t.text[i]);
      int j2 = static_cast<unsigned char>(t.text[i + 1]);
      SJ2J(j1, j2);
      jis[0] = static_cast<char>(j1);
      jis[1] = static_cast<char>(j2);
      character.bytes = {jis, 2};
    }
    write(s, t, character);
    s.pen.pen_x += t.dx * static_cast<float>(n);
    s.pen.pen_y += t.dy * static_cast<float>(n);
    i += n;
  }
}

}  // namespace verdan
