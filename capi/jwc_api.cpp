// The JW_CAD conversion and the record reader of its intermediate file.
#include "capi/boundary.h"
#include "capi/library.h"
#include "capi/quiet_console.h"
#include "platform/failure.h"
#include "platform/fallible_step.h"
#include "plt_draw/record_reader.h"
#include "plt_draw/tmp2jwc.h"

using namespace verdan;
using namespace verdan::capi;

extern "C" {

int VDN_TMP2JWC(const char* tmp_file, const char* jwc_file, const char* spinner) {
  return guarded([&] {
    require(tmp_file, "tmp_file");
    require(jwc_file, "jwc_file");
    QuietConsole quiet;
    Library& lib = library();
    Console& console = lib.console ? *lib.console : quiet;
    const int row = console.cursor_row();
    try {
      TMP2JWC(console, tmp_file, jwc_file, spinner != nullptr ? spinner : "");
    } catch (const ProgramEnd& end) {
      // The conversion shows the damage on the cursor's row and would end
      // the program; the caller decides instead.
      if (end.status == 3) throw;
      fail(VDN_DAMAGED_FILE, console.screen().row_text(row));
    }
  });
}

int VDN_RECORDS_OPEN(const char* tmp_file) {
  return guarded([&] {
    require(tmp_file, "tmp_file");
    Library& lib = library();
    if (lib.records) fail(kIllegalFunctionCall, "a record file is already open");
    lib.records.emplace(tmp_file);
  });
}

int VDN_RECORDS_CLOSE(void) {
  return guarded([] {
    Library& lib = library();
    if (!lib.records) fail(kBadFileNumber, "no record file is open");
    lib.records.reset();
  });
}

int VDN_RECORD_KIND(void) {
  int kind = -1;
  const int code = guarded([&] {
    Library& lib = library();
    if (!lib.records) fail(kBadFileNumber, "no record file is open");
    kind = lib.records->kind();
  });
  return code == VDN_OK ? kind : -1;
}

size_t VDN_JWH(int kind, char* out, size_t out_size) {
  return guarded_text(out, out_size, [&] {
    Library& lib = library();
    if (!lib.records) fail(kBadFileNumber, "no record file is open");
    initialised();  // a device changed meanwhile is noticed as at any call
    return JWH(lib.plot, kind, *lib.records);
  });
}

}  // extern "C"
