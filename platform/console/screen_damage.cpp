#include "platform/console/screen_damage.h"

namespace verdan {

ScreenDamage ScreenDamage::whole_screen() {
  ScreenDamage damage;
  damage.mark_all();
  return damage;
}

void ScreenDamage::mark_all() {
  text_.set();
  color_.set();
  drawing_.set();
}

void ScreenDamage::merge(const ScreenDamage& other) {
  text_ |= other.text_;
  color_ |= other.color_;
  drawing_ |= other.drawing_;
}

void ScreenDamage::clear() { *this = ScreenDamage{}; }

bool ScreenDamage::any() const { return text_.any() || color_.any() || drawing_.any(); }

bool ScreenDamage::at(int row, int col) const {
  const std::size_t i = index(row, col);
  return text_[i] || color_[i] || drawing_[i];
}

bool ScreenDamage::text_in_row(int row) const {
  for (int col = 0; col < kScreenColumns; ++col) {
    if (text_at(row, col)) return true;
  }
  return false;
}

bool ScreenDamage::in_row(int row) const {
  for (int col = 0; col < kScreenColumns; ++col) {
    if (at(row, col)) return true;
  }
  return false;
}

int ScreenDamage::count() const { return static_cast<int>((text_ | color_ | drawing_).count()); }

}  // namespace verdan
