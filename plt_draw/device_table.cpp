#include "plt_draw/device_table.h"

#include <array>
#include <utility>

#include "plt_draw/devices/dxf_device.h"
#include "plt_draw/devices/esc_page_device.h"
#include "plt_draw/devices/hpgl_device.h"
#include "plt_draw/devices/jw_cad_device.h"
#include "plt_draw/devices/lips_device.h"
#include "plt_draw/devices/svg_device.h"

namespace verdan {

const PlotDevice* look_up_device(const PlotState& state) {
  // In the order of their codes, 1-7.
  static const std::array<const PlotDevice*, 7> table = {&esc_page_device(), &hpgl_centred_device(),
                                                         &hpgl_corner_device(), &lips_device(),
                                                         &jw_cad_device(),      &dxf_device(),
                                                         &svg_device()};
  const int code = plot_device_code(state);
  state.looked_up_code = state.plot_device;
  state.looked_up_device = code == 0 ? nullptr : table[static_cast<std::size_t>(code - 1)];
  return state.looked_up_device;
}

void pen_behind_text(PlotState& s, const DeviceText& t) {
  const auto length = static_cast<float>(t.text.size());
  s.pen.pen_x = t.x + t.dx * length;
  s.pen.pen_y = t.y + t.dy * length;
}

bool sheet_size(float paper, float& width, float& height) {
  struct Sheet {
    float width, height;
  };
  static const std::array<Sheet, 4> sheets = {{{210, 297}, {297, 210}, {297, 420}, {420, 297}}};
  for (int code = 1; code <= 4; ++code) {
    if (paper == static_cast<float>(code)) {
      width = sheets[code - 1].width;
      height = sheets[code - 1].height;
      return true;
    }
  }
  return false;
}

}  // namespace verdan
