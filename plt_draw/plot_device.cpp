#include "plt_draw/plot_device.h"

#include "plt_draw/device_table.h"

namespace verdan {

void INIT(PlotState& s, float paper, float scale) {
  s.origin_x = 0;
  s.origin_y = 0;
  if (const PlotDevice* device = table_device(s)) device->init(s, paper, scale);
}

void PLT_END(PlotState& s) {
  if (const PlotDevice* device = table_device(s)) device->end(s);
}

}  // namespace verdan
