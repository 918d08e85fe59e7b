// Numbers as the texts and binary fields of plot streams.
#include <string_view>

#include "capi/boundary.h"
#include "plt_draw/culc.h"
#include "shared/free_format.h"
#include "shared/plot_numbers.h"

using namespace verdan;
using namespace verdan::capi;

extern "C" {

size_t VDN_MAR(float value, float decimals, char* out, size_t out_size) {
  return guarded_text(out, out_size, [&] { return MAR(value, decimals); });
}

size_t VDN_N2A(float value, char* out, size_t out_size) {
  // Made on the stack: a plot's labels call it for every node.
  char text[kFreeFormatMax];
  return guarded_text(out, out_size, [&] { return std::string_view(text, write_n2a(text, value)); });
}

size_t VDN_S2X(float value, char* out, size_t out_size) {
  return guarded_text(out, out_size, [&] { return S2X(value); });
}

size_t VDN_F2X(float value, char* out, size_t out_size) {
  // The streams take no infinity or NaN, though a single can hold them.
  return guarded_text(out, out_size, [&] {
    require_finite(value);
    return F2X(value);
  });
}

size_t VDN_L2X(float value, char* out, size_t out_size) {
  return guarded_text(out, out_size, [&] { return L2X(value); });
}

size_t VDN_I2X(float value, char* out, size_t out_size) {
  return guarded_text(out, out_size, [&] { return I2X(value); });
}

size_t VDN_CULC(float v, char* out, size_t out_size) {
  return guarded_text(out, out_size, [&] { return CULC(v); });
}

}  // extern "C"
