// The plot file, the device set-up and the drawing primitives.
#include "capi/boundary.h"
#include "capi/library.h"
#include "platform/failure.h"
#include "platform/host/past_cache.h"
#include "plt_draw/culc.h"
#include "plt_draw/devices/dxf_device.h"
#include "plt_draw/line_run.h"
#include "plt_draw/number_labels.h"
#include "plt_draw/plot_device.h"
#include "plt_draw/primitives.h"
#include "plt_draw/sj2j.h"

using namespace verdan;
using namespace verdan::capi;

namespace {

// Runs a routine that needs INIT's scales; they are garbage before it.
template <typename Routine>
int after_init(Routine&& routine) {
  return guarded([&] {
    if (!initialised()) fail(kIllegalFunctionCall, "INIT has not been called for this device");
    routine(library().plot);
  });
}

// Opens the plot file with `open` unless one is open.
template <typename Open>
int open_plot_file(Open&& open) {
  return guarded([&] {
    Library& lib = library();
    if (lib.plot_file) fail(kIllegalFunctionCall, "the plot file is already open");
    lib.plot_file.emplace(open());
    lib.plot_writer.emplace(*lib.plot_file, WriteBehind::kLargeBlock);
    lib.plot.plot_file = &*lib.plot_writer;
    lib.plot.plot_behind = &*lib.plot_writer;
  });
}

// Frees the file number: what is written behind goes first.
void drop_plot_file(Library& lib) {
  dxf_plot_file_gone(lib.plot);
  lib.plot.plot_file = nullptr;
  lib.plot.plot_behind = nullptr;
  lib.plot_writer.reset();
  lib.plot_file.reset();
}

}  // namespace

extern "C" {

int VDN_PLOT_OPEN(const char* path) {
  return open_plot_file([&] {
    require(path, "path");
    return TextFile::open_output(path, SpecialFile::write_in_place);
  });
}

int vdn_plot_open_replacing(const char* path) {
  return open_plot_file([&] {
    require(path, "path");
    TextFile file = TextFile::open_replacing(path, SpecialFile::write_in_place);
    file.pass_cache_when_large();
    return file;
  });
}

int vdn_plot_keep_in_cache(void) {
  return guarded([] {
    Library& lib = library();
    if (!lib.plot_file) fail(kBadFileNumber, "the plot file is not open");
    lib.plot_file->pass_cache_when_large(PastCache::kFromReadAgain);
  });
}

int vdn_plot_open_stdout(void) {
  return open_plot_file([] { return TextFile::open_standard_output(); });
}

int VDN_PLOT_CLOSE(void) {
  return guarded([] {
    Library& lib = library();
    if (!lib.plot_file) fail(kBadFileNumber, "the plot file is not open");
    // Closed or not, the file number is free again.
    try {
      lib.plot_writer->finish();
    } catch (...) {
      drop_plot_file(lib);
      throw;
    }
    TextFile file = std::move(*lib.plot_file);
    drop_plot_file(lib);
    file.close();
  });
}

int vdn_plot_discard(void) {
  return guarded([] {
    Library& lib = library();
    if (!lib.plot_file) fail(kBadFileNumber, "the plot file is not open");
    // Dropped unclosed: a replacement goes, its old file stays; any other
    // file is closed quietly.
    drop_plot_file(lib);
  });
}

int VDN_INIT(float paper, float scale) {
  return guarded([&] {
    Library& lib = library();
    lib.initialised_device.reset();
    require_finite(paper);
    require_finite(scale);
    INIT(lib.plot, paper, scale);
    lib.initialised_device = lib.plot.plot_device;
  });
}

int vdn_plot_start(void) {
  return after_init([](PlotState& plot) {
    plot_write(plot, plot.plot_reset);
    plot_write(plot, plot.plot_setup);
  });
}

int VDN_PLT_END(void) {
  return after_init([](PlotState& plot) { PLT_END(plot); });
}

int VDN_PLOT(float x, float y, float pen) {
  return after_init([&](PlotState& plot) { PLOT(plot, x, y, pen); });
}

int VDN_DASH(float x, float y, float pen) {
  return after_init([&](PlotState& plot) { DASH(plot, x, y, pen); });
}

int VDN_CIR(float x, float y, float r, float pen) {
  return after_init([&](PlotState& plot) { CIR(plot, x, y, r, pen); });
}

int VDN_MOVE(float x, float y) {
  return after_init([&](PlotState& plot) { MOVE(plot, x, y); });
}

int VDN_MOJI(float x, float y, float height, float angle) {
  return after_init([&](PlotState& plot) {
    plot.plot_cmd.take_c_text();
    MOJI(plot, x, y, height, angle);
  });
}

int vdn_plot_number_labels(const float* x, const float* y, size_t count, long long first, float height,
                           float angle) {
  return after_init([&](PlotState& plot) {
    if (count > 0) {
      require(x, "x");
      require(y, "y");
    }
    number_labels(plot, {x, y, count, first, height, angle});
  });
}

int vdn_plot_lines(const vdn_plot_line* lines, size_t count) {
  return after_init([&](PlotState& plot) {
    if (count > 0) require(lines, "lines");
    line_run(plot, lines, count);
  });
}

int vdn_plot_dxf_expect_layer(float plot_layer, int pen) {
  return after_init([&](PlotState& plot) { dxf_expect_layer(plot, plot_layer, pen); });
}

int VDN_SJ2J(int* first, int* second) {
  return guarded([&] {
    require(first, "first");
    require(second, "second");
    SJ2J(*first, *second);
  });
}

}  // extern "C"
