// The environment, date and value routines, and the library's own calls.
#include <cstring>
#include <string>

#include "capi/boundary.h"
#include "capi/library.h"
#include "platform/host/clock.h"
#include "platform/program_info.h"
#include "shared/console_routines.h"
#include "shared/value_routines.h"

using namespace verdan;
using namespace verdan::capi;

extern "C" {

const char* vdn_version(void) { return project_version(); }

int VDN_FAILURE(void) { return library().failure; }

const char* vdn_failure_text(void) { return library().failure_text.c_str(); }

vdn_state* VDN_STATE(void) { return &c_state(); }

size_t VDN_GETENV(const char* name, char* out, size_t out_size) {
  return guarded_text(out, out_size, [&] {
    require(name, "name");
    return GETENV(name);
  });
}

size_t VDN_GETCWD(char* out, size_t out_size) {
  return guarded_text(out, out_size, [] { return GETCWD(); });
}

size_t VDN_DAY(char* out, size_t out_size) {
  return guarded_text(out, out_size, [] { return DAY(SystemClock()); });
}

float VDN_MIN(float a, float b) {
  return guarded_number([&] {
    require_finite(a);
    require_finite(b);
    return MIN(a, b);
  });
}

float VDN_DAT2SP(const char* code) {
  return guarded_number([&] {
    require(code, "code");
    return DAT2SP(code);
  });
}

size_t VDN_SP2DAT(float bits, char* out, size_t out_size) {
  return guarded_text(out, out_size, [&] {
    require_finite(bits);
    return SP2DAT(bits);
  });
}

}  // extern "C"
