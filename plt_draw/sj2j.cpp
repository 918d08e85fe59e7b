#include "plt_draw/sj2j.h"

namespace verdan {

void SJ2J(int& first, int& second) {
  first = first <= 159 ? first - 113 : first - 177;
  first = 2 * first + 1;
  if (second > 127) second -= 1;
  if (second >= 158) {
    second -= 125;
    first += 1;
  } else {
    second -= 31;
  }
}

}  // namespace verdan
