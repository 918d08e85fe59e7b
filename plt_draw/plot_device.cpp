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

std::string esc(const char* command) { return std::string(1, kEsc) + command; }

void init_lips(PlotState& s, float paper) {
  s.scale_x = 11.811f;
  s.scale_y = 11.811f;
  static const std::array<Paper, 4> table = {
      {{2360, 3387, "[14p"}, {3387, 2360, "[15p"}, {3387, 4840, "[12p"}, {4840, 3387, "[13p"}}};
  std::string paper_part;
  int row = paper_row(paper, 4);
  if (row >= 0) {
    s.paper_w = table[row].width;
    s.paper_h = table[row].height;
    paper_part = esc("<") + esc(table[row].part);
  }
  s.plot_reset = esc("%@") + esc("P31;300;1J") + esc("\\");
  s.plot_setup = paper_part + esc("[0q") + esc("[0&} <Mincho-Medium-H") + kUs + "Mincho-Medium" + kRs;
  s.plot_setup += std::string(" ;1J") + kUs + "1I" + kUs + "2B" + kRs + "@" + '"' + kRs + "#" + kRs + "!0#" + kRs;
  s.plot_setup += std::string("$") + kRs + "(" + CULC(s.origin_x) + CULC(s.origin_y) + CULC(s.paper_w) +
                  CULC(s.paper_h) + kRs;
  s.plot_setup += std::string("U2") + kRs + "T1" + kRs + "]1" + kRs + "m1" + kRs + "'2" + kRs + "n2" + kRs + "a3" + kRs;
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
    case 4:
      init_lips(s, paper);
      break;
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
    case 4:
      plot_write(s, std::string("%") + kRs + "}p" + kRs + kFf + esc("P0J") + esc("\\"));
      break;
    case 5:
      plot_write(s, "t");
      break;
    default:
      break;
  }
}

}  // namespace verdan
