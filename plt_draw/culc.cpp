#include "plt_draw/culc.h"

#include "platform/failure.h"

namespace verdan {

std::string CULC(float v) {
  char code[3];
  return std::string(code, write_culc(code, v));
}

void refuse_culc() { fail(kOverflow, "CULC: value outside the LIPS integer range"); }

}  // namespace verdan
