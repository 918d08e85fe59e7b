#include "plt_draw/load_symbols.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "shared/rounding.h"

namespace verdan {
namespace {

using GridPoint = std::pair<float, float>;

class Grid {
 public:
  Grid(Console& console, PenState& pen, float unit_x, float unit_y, float visible)
      : console_(console), pen_(pen), unit_x_(unit_x), unit_y_(unit_y), visible_(visible != 0) {}

  // The colour to draw in: 0 when erasing.
  int colour(int c) const { return visible_ ? c : 0; }

  int px(float a) const { return to_int(a * unit_x_); }
  int py(float b) const { return to_int(b * unit_y_); }

  void line(GridPoint from, GridPoint to, int c) {
    console_.line(px(from.first), py(from.second), px(to.first), py(to.second), colour(c));
  }

  // A pen move to the first point, then DRAW to each further point.
  void polyline(std::initializer_list<GridPoint> points) {
    const GridPoint* p = points.begin();
    pen_.pen_x = p->first * unit_x_;
    pen_.pen_y = p->second * unit_y_;
    for (++p; p != points.end(); ++p) DRAW(console_, pen_, p->first * unit_x_, p->second * unit_y_);
  }

  void set_line_color(int c) { pen_.line_color = static_cast<float>(colour(c)); }

 private:
  Console& console_;
  PenState& pen_;
  float unit_x_;
  float unit_y_;
  bool visible_;
};

}  // namespace

void DRAW_DKI(Console& console, PenState& pen, float unit_x, float unit_y, float visible) {
  Grid g(console, pen, unit_x, unit_y, visible);
  g.set_line_color(13);
  const int c = g.colour(13);
  console.box(g.px(52), g.py(14), g.px(74), g.py(22), c);
  g.polyline({{52, 14}, {54, 18}, {52, 22}});
  g.polyline({{74, 14}, {72, 18}, {74, 22}});
  g.line({54, 18}, {72, 18}, c);
  const double fill_y = std::floor(40 * static_cast<double>(unit_y)) / 2;
  console.fill(g.px(63), to_int(fill_y), c, c);
  // The dimension of the block's length.
  g.line({46, 14}, {48, 14}, c);
  g.line({46, 22}, {48, 22}, c);
  g.line({47, 14}, {47, 22}, c);
  g.line({52, 26}, {52, 30}, c);
  g.line({74, 26}, {74, 30}, c);
  g.line({52, 28}, {74, 28}, c);
}

void DRAW_SYU(Console& console, PenState& pen, float unit_x, float unit_y, float visible) {
  Grid g(console, pen, unit_x, unit_y, visible);
  g.set_line_color(13);
  const int member = g.colour(13);
  g.line({8, 22}, {30, 22}, member);
  g.line({8, 21}, {8, 23}, member);
  g.line({30, 21}, {30, 23}, member);
  for (float at : {15.0f, 23.0f}) {
    g.line({at, 17}, {at, 22}, 11);
    g.line({at - 1, 21}, {at, 22}, 11);
    g.line({at + 1, 21}, {at, 22}, 11);
  }
  g.line({8, 25}, {8, 29}, 15);
  g.line({8, 26}, {15, 26}, 15);
  g.line({15, 25}, {15, 27}, 15);
  g.line({8, 28}, {23, 28}, 15);
  g.line({23, 25}, {23, 29}, 15);
}

void DRAW_CMQ(Console& console, PenState& pen, float unit_x, float unit_y, float visible) {
  Grid g(console, pen, unit_x, unit_y, visible);
  g.line({8, 22}, {30, 22}, 13);
  g.set_line_color(9);
  g.polyline({{8, 22}, {8, 20}, {12, 22}, {19, 23.5f}, {26, 22}, {30, 20}, {30, 22}});
  g.line({44, 22}, {66, 22}, 13);
  g.polyline({{44, 22}, {48, 23.5f}, {55, 25}, {62, 23.5f}, {66, 22}});
  g.line({55, 22}, {55, 25}, 15);
  g.set_line_color(11);
  g.polyline({{44, 16}, {44, 20}});
  g.polyline({{43, 17}, {44, 16}, {45, 17}});
  g.polyline({{66, 16}, {66, 20}});
  g.polyline({{65, 19}, {66, 20}, {67, 19}});
}

}  // namespace verdan
