#include "plt_draw/plot_device.h"

#include <array>
#include <cmath>
#include <string>

#include "platform/failure.h"
#include "plt_draw/culc.h"
#include "plt_draw/device_table.h"
#include "shared/free_format.h"
#include "shared/plot_numbers.h"
#include "shared/rounding.h"

namespace verdan {
namespace {

using namespace plot_byte;

struct Paper {
  float width;
  float height;
  const char* part;  // the paper part of the set-up, where the device has one
};

// The table row for a whole paper code 1..count, or -1.
int paper_row(float paper, int count) {
  for (int code = 1; code <= count; ++code) {
    if (paper == static_cast<float>(code)) return code - 1;
  }
  return -1;
}


void init_jw_cad(PlotState& s, float paper, float scale) {
  struct JwPaper {
    const char* code;
    float length;  // the paper length the scale divides by
    bool half;     // paper_w is half the base
  };
  static const std::array<JwPaper, 8> table = {{{"3", 420, true},
                                                {"4", 297, false},
                                                {"2", 594, true},
                                                {"3", 420, false},
                                                {"1", 841, true},
                                                {"2", 594, false},
                                                {"0", 1188, true},
                                                {"1", 841, false}}};
  const float base = 678 * scale;
  s.paper_w = base;
  s.paper_h = 482 * scale;
  std::string code;
  int row = paper_row(paper, 8);
  if (row >= 0) {
    code = table[row].code;
    s.scale_x = base / table[row].length;
    if (table[row].half) s.paper_w = base / 2;
  }
  s.scale_y = s.scale_x;
  const std::string title = "i" + std::string(32, ' ') + kLf;
  s.plot_reset = title + title;
  s.plot_setup = "i" + MAR(scale, 2).substr(1) + ",0," + code + "," + kLf;
}

}  // namespace

void INIT(PlotState& s, float paper, float scale) {
  s.origin_x = 0;
  s.origin_y = 0;
  if (const PlotDevice* device = table_device(s)) {
    device->init(s, paper, scale);
    return;
  }
  switch (plot_device_code(s)) {
    case 5:
      init_jw_cad(s, paper, scale);
      break;
    default:  // unknown devices
      break;
  }
}

void PLT_END(PlotState& s) {
  if (const PlotDevice* device = table_device(s)) {
    device->end(s);
    return;
  }
  switch (plot_device_code(s)) {
    case 5:
      plot_write(s, "t");
      break;
    default:
      break;
  }
}

}  // namespace verdan
