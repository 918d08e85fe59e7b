// The state every plot routine shares: the device and its scales, the
// paper, the drawing origin, the command buffers, the pen and the plot file.
// One object, handed to each routine, instead of program-wide variables.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <string_view>

#include "platform/text_sink.h"
#include "plt_draw/held_text.h"
#include "plt_draw/fixed_text.h"
#include "plt_draw/number_memo.h"
#include "shared/screen_draw.h"

namespace verdan {

// Control bytes of the device command streams.
namespace plot_byte {
inline constexpr char kEtx = 3;
inline constexpr char kLf = 10;
inline constexpr char kFf = 12;
inline constexpr char kSi = 15;
inline constexpr char kEsc = 27;
inline constexpr char kFs = 28;
inline constexpr char kGs = 29;
inline constexpr char kRs = 30;
inline constexpr char kUs = 31;
}  // namespace plot_byte

// Buffer sizes of the set-up sequences and of the command.
inline constexpr std::size_t kSequenceSize = 512;
inline constexpr std::size_t kCommandSize = 8192;

// The fields a C caller sees and sets, in the layout of the C interface's
// state: 11 singles, then each text buffer with its length. The C interface
// hands out this memory itself, so its calls copy nothing in or out.
struct alignas(std::size_t) PlotFields {
  // Set by the caller: the plotter type (its absolute value selects the
  // device: 1 ESC/Page, 2 HP-GL centred, 3 HP-GL lower left, 4 LIPS III,
  // 5 JW_CAD intermediate file, 6 DXF, 7 SVG) and the layer of device 5's
  // records and of DXF's layer names.
  float plot_device = 0;
  float plot_layer = 0;

  // Set by INIT: device units per millimetre (a negative scale_y turns the
  // y axis over), usable paper in device units, device coordinates of the
  // drawing origin.
  float scale_x = 0;
  float scale_y = 0;
  float paper_w = 0;
  float paper_h = 0;
  float origin_x = 0;
  float origin_y = 0;

  // The pen: millimetres on the paper for the plot primitives, pixels for
  // DRAW and the load symbols on the console; line_color is DRAW's colour.
  PenState pen;

  // Set by INIT: the start and page set-up sequences. The 44 bytes of
  // singles before them leave a gap of 4 before the first length.
  FixedText<kSequenceSize, 4> plot_reset;
  FixedText<kSequenceSize> plot_setup;

  // The last primitive's command; the caller puts MOJI's text here.
  FixedText<kCommandSize> plot_cmd;
};

struct PlotDevice;
class PaddedSink;

struct PlotState : PlotFields {
  // The plot file, opened and closed by the caller. The stream is written
  // as raw bytes: its LFs and binary fields belong to the device.
  TextSink* plot_file = nullptr;
  // plot_file when it takes padded pieces (the C interface's writer, the
  // number labels' pieces made aside): the device commands reach its
  // buffer without a call (see DeviceCommand::emit).
  PaddedSink* plot_behind = nullptr;

  // What DXF holds until PLT_END, whose tables come before the entities:
  // the entities, and the layers they use with their colours.
  HeldText held_entities;
  std::map<std::string, int, std::less<>> held_layers;
  // DXF's last layer, named for a plot_layer and a pen, and whether
  // held_layers has it: entities mostly follow one another on one layer.
  // A pen of 0 marks it unknown; whoever clears held_layers clears it.
  struct DxfLayer {
    char name[16];
    std::size_t size = 0;
    float plot_layer = 0;
    int pen = 0;
    bool held = false;
    // The last entity type's head on this layer (its type and layer
    // groups), padded to be copied as one piece; `head_type` null: none.
    const char* head_type = nullptr;
    std::size_t head_size = 0;
    char head[64] = {};
  };
  DxfLayer dxf_layer;
  // DXF's entities written straight into a plot file that can write over
  // its own bytes, behind a layer table made ahead for the layers the
  // caller expects (see devices/dxf_device.h): those layers, where that
  // table starts (-1: the entities are held), its size, and the entities'
  // bytes since.
  std::map<std::string, int, std::less<>> expected_layers;
  std::int64_t dxf_tables_at = -1;
  std::int64_t dxf_tables_size = 0;
  std::int64_t dxf_straight = 0;

  // The device table's row and the plot_device it was looked up for: each
  // primitive asks for it several times (see device_table.h).
  mutable float looked_up_code = std::numeric_limits<float>::quiet_NaN();
  mutable const PlotDevice* looked_up_device = nullptr;

  // The texts of the numbers the device commands write: N2A's and the
  // drawing files' millimetres.
  NumberMemo<float, 11> n2a_texts;
  NumberMemo<double, 15> mm_texts;

  // The printers' character heads (font, size, direction) of each width,
  // with what they were made for; see devices/printed_text.h.
  struct CharacterHead {
    const PlotDevice* device = nullptr;  // none: not made
    float height = 0, angle = 0, scale_x = 0;
    std::size_t size = 0;
    char bytes[256] = {};  // a font, a size and a direction take far less
  };
  CharacterHead character_heads[2];

  // MOJI's last angle in radians with its cosine and sine: labels share
  // one direction, and the two take longer than the rest of a label.
  float trig_angle = std::numeric_limits<float>::quiet_NaN();
  double trig_cos = 1, trig_sin = 0;
};

// The same single to the bit: what the state's caches are kept for, where
// -0 is not 0 and a NaN is nothing but itself.
inline bool same_bits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

// A point's device coordinates as the printers and plotters write them:
// origin + floor(v * scale) on each axis (millimetres in).
inline float device_x(const PlotState& state, float x) { return state.origin_x + std::floor(x * state.scale_x); }
inline float device_y(const PlotState& state, float y) { return state.origin_y + std::floor(y * state.scale_y); }

// Appends bytes to the plot file; Failure 52 when none is open.
void plot_write(PlotState& state, std::string_view bytes);

// The device code selected by plot_device: 1-7, or 0 for any other value.
int plot_device_code(const PlotState& state);

}  // namespace verdan
