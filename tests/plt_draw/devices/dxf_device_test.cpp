// Device 6: the DXF drawing's header, held entities, tables, and what ezdxf
// reads from it.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "plt_draw/devices/dxf_device.h"
#include "plt_draw/plot_device.h"
#include "plt_draw/primitives.h"
#include "tests/platform/host_fixtures.h"
#include "tests/plt_draw/outside_readers.h"

namespace verdan {
namespace {

using test::failure_code_of;

// DXF groups from code/value pairs, as the file has them.
std::string groups(std::initializer_list<std::pair<int, const char*>> pairs) {
  std::string out;
  for (const auto& [code, value] : pairs) {
    std::string c = std::to_string(code);
    out += std::string(3 - c.size(), ' ') + c + "\r\n" + value + "\r\n";
  }
  return out;
}

// DXF on A4 landscape, the pen at (10, 20) mm.
struct Dxf {
  Dxf() {
    state.plot_device = -6;
    INIT(state, 2, 1);
    state.plot_file = &file;
    state.pen = {10, 20, 15};
  }
  // A line, a dashed line, a circle and a turned text on layer 9.
  void draw() {
    PLOT(state, 30, 40, 2);
    DASH(state, 50, 40, 1);
    CIR(state, 5, 6, 2.5f, 3);
    state.plot_layer = 9;
    state.plot_cmd = sj("表梁A");
    MOJI(state, 1, 2, 3.5f, -90);
  }
  PlotState state;
  StringSink file;
};

const std::string kEntities =
    groups({{0, "SECTION"}, {2, "ENTITIES"}}) +
    groups({{0, "LINE"}, {8, "PEN2"}, {10, "10"}, {20, "20"}, {30, "0"}, {11, "30"}, {21, "40"}, {31, "0"}}) +
    groups({{0, "LINE"}, {8, "PEN1"}, {6, "DASHED"}, {10, "30"}, {20, "40"}, {30, "0"}, {11, "50"}, {21, "40"},
            {31, "0"}}) +
    groups({{0, "CIRCLE"}, {8, "PEN3"}, {10, "5"}, {20, "6"}, {30, "0"}, {40, "2.5"}}) +
    // The text's CP932 bytes as they are; 0x5C of the first is a trail byte.
    groups({{0, "TEXT"}, {8, "L9-PEN2"}, {10, "1"}, {20, "2"}, {30, "0"}, {40, "3.5"}, {1, "\x95\x5C\x97\xC0" "A"},
            {50, "270"}, {7, "STANDARD"}}) +
    groups({{0, "ENDSEC"}, {0, "EOF"}});

TEST(DxfDevice, HeaderNamesTheR12FormTheJapaneseCodePageAndTheSheetInMillimetres) {
  Dxf d;
  EXPECT_EQ(d.state.scale_x, 1);
  EXPECT_EQ(d.state.scale_y, 1);
  EXPECT_EQ(d.state.paper_w, 297);
  EXPECT_EQ(d.state.paper_h, 210);
  EXPECT_EQ(d.state.plot_reset.rfind(groups({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"},
                                             {9, "$DWGCODEPAGE"}, {3, "ANSI_932"}}),
                                     0),
            0u);
  EXPECT_NE(d.state.plot_reset.find(groups({{9, "$LIMMAX"}, {10, "297"}, {20, "210"}})), std::string::npos);
  EXPECT_EQ(d.state.plot_reset.substr(d.state.plot_reset.size() - 13), groups({{0, "ENDSEC"}}));
  EXPECT_EQ(d.state.plot_setup, "");
  PlotState a3;
  a3.plot_device = 6;
  INIT(a3, 3, 1);
  EXPECT_EQ(a3.paper_w, 297);
  EXPECT_EQ(a3.paper_h, 420);
}

// The layer table must list every layer before the entities use it, so the
// entities wait for PLT_END; the table holds just the layers drawn on.
TEST(DxfDevice, EntitiesWaitForPltEndWhichWritesTheirLayersFirst) {
  Dxf d;
  d.draw();
  EXPECT_EQ(d.file.text(), "");
  EXPECT_EQ(d.state.plot_cmd.rfind(groups({{0, "TEXT"}, {8, "L9-PEN2"}}), 0), 0u);
  EXPECT_NEAR(d.state.pen.pen_x, 1, 1e-5);  // behind the text, downwards
  EXPECT_NEAR(d.state.pen.pen_y, 2 - 5 * 1.75, 1e-5);

  PLT_END(d.state);
  const std::string& out = d.file.text();
  const std::string layers =
      groups({{0, "TABLE"}, {2, "LAYER"}, {70, "5"}}) +
      groups({{0, "LAYER"}, {2, "0"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"}}) +
      groups({{0, "LAYER"}, {2, "L9-PEN2"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"}}) +
      groups({{0, "LAYER"}, {2, "PEN1"}, {70, "0"}, {62, "1"}, {6, "CONTINUOUS"}}) +
      groups({{0, "LAYER"}, {2, "PEN2"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"}}) +
      groups({{0, "LAYER"}, {2, "PEN3"}, {70, "0"}, {62, "5"}, {6, "CONTINUOUS"}}) + groups({{0, "ENDTAB"}});
  EXPECT_EQ(out.rfind(groups({{0, "SECTION"}, {2, "TABLES"}}), 0), 0u);
  EXPECT_NE(out.find(groups({{0, "LTYPE"}, {2, "DASHED"}})), std::string::npos);
  EXPECT_NE(out.find(layers), std::string::npos) << out;
  ASSERT_GE(out.size(), kEntities.size());
  EXPECT_EQ(out.substr(out.size() - kEntities.size()), kEntities);

  // A second drawing starts empty.
  INIT(d.state, 1, 1);
  d.file.clear();
  PLT_END(d.state);
  EXPECT_NE(d.file.text().find(groups({{0, "TABLE"}, {2, "LAYER"}, {70, "1"}})), std::string::npos);

  // A layer the last drawing ended on is listed again in the next one's
  // table, and a new plot_layer makes a new layer.
  d.file.clear();
  PLOT(d.state, 30, 40, 2);
  d.state.plot_layer = 3;
  PLOT(d.state, 30, 40, 2);
  PLT_END(d.state);
  EXPECT_NE(d.file.text().find(groups({{0, "TABLE"}, {2, "LAYER"}, {70, "3"}}) +
                               groups({{0, "LAYER"}, {2, "0"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"}}) +
                               groups({{0, "LAYER"}, {2, "L3-PEN2"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"}}) +
                               groups({{0, "LAYER"}, {2, "L9-PEN2"}})),
            std::string::npos)
      << d.file.text();
}

// A refused call leaves no entity and no layer behind.
TEST(DxfDevice, RefusedPensLayersAndNumbersLeaveNothingHeld) {
  Dxf d;
  const float inf = __builtin_inff();
  EXPECT_EQ(failure_code_of([&] { PLOT(d.state, 1, 2, 4); }), kIllegalFunctionCall);
  EXPECT_EQ(failure_code_of([&] { CIR(d.state, inf, 2, 3, 1); }), kOverflow);
  d.state.plot_cmd = "A";
  EXPECT_EQ(failure_code_of([&] { MOJI(d.state, 1, 2, inf, 0); }), kOverflow);
  d.state.plot_layer = -1;
  EXPECT_EQ(failure_code_of([&] { DASH(d.state, 1, 2, 3); }), kIllegalFunctionCall);
  EXPECT_EQ(d.state.held_entities.all(), "");
  EXPECT_TRUE(d.state.held_layers.empty());
}

// A plot file in memory that writes over its own bytes, as a replacement.
class RewritableSink final : public TextSink {
 public:
  void write(std::string_view bytes) override { text.append(bytes); }
  void end_line() override { text += "\r\n"; }
  int column() const override { return 0; }
  std::int64_t rewritable_size() override { return static_cast<std::int64_t>(text.size()); }
  void rewrite(std::int64_t offset, std::int64_t length, std::string_view bytes) override {
    text.replace(static_cast<std::size_t>(offset), static_cast<std::size_t>(length), bytes);
  }
  std::string text;
};

// A DXF drawing on A3 into `file`, the layers in `expected` told ahead.
void start_drawing(PlotState& state, TextSink& file, const std::vector<std::pair<float, int>>& expected = {}) {
  state.plot_device = 6;
  INIT(state, 3, 1);
  for (const auto& [layer, pen] : expected) dxf_expect_layer(state, layer, pen);
  state.plot_file = &file;
}

// Megabytes of solid lines on layer 9, then dashed ones and a text, whose
// layers come late.
void draw_large(PlotState& state) {
  state.plot_layer = 9;
  for (int i = 0; i < 30000; ++i) {
    MOVE(state, static_cast<float>(i % 400), 1);
    PLOT(state, static_cast<float>(i % 400), 2 + static_cast<float>(i % 7) / 8, 2);
  }
  for (int i = 0; i < 100; ++i) DASH(state, static_cast<float>(i), 3, 1);
  state.plot_cmd = "A";
  MOJI(state, 1, 2, 3.5f, 0);
}

// Told the layers ahead, a drawing past the held memory goes into a plot
// file that can write over its bytes as it is drawn, behind a table that
// PLT_END puts right: the file is the held drawing's to the byte whether
// the layers expected were the ones used, more, or fewer.
TEST(DxfDevice, ExpectedLayersLetALargeDrawingGoStraightIntoTheFileWithTheSameBytes) {
  PlotState held;
  StringSink held_file;
  start_drawing(held, held_file);
  draw_large(held);
  EXPECT_EQ(held_file.text(), "");
  PLT_END(held);
  const std::string& expected = held_file.text();
  ASSERT_GT(expected.size(), 2 * HeldText::kMemoryLimit);

  struct Case {
    const char* name;
    std::vector<std::pair<float, int>> layers;
  };
  for (const Case& c : {Case{"the ones used", {{9, 2}, {9, 1}, {9, 0}}},
                        Case{"one more", {{9, 2}, {9, 1}, {9, 0}, {12, 3}}}, Case{"fewer", {{9, 2}}},
                        Case{"others", {{1, 1}, {20000, 3}}}}) {
    SCOPED_TRACE(c.name);
    PlotState state;
    RewritableSink file;
    start_drawing(state, file, c.layers);
    draw_large(state);
    EXPECT_GT(file.text.size(), 2 * HeldText::kMemoryLimit);  // written as drawn
    EXPECT_TRUE(state.held_entities.empty());
    PLT_END(state);
    EXPECT_TRUE(file.text == expected);
    // The next drawing is held until it is told its layers again.
    start_drawing(state, file);
    EXPECT_TRUE(state.expected_layers.empty());
  }

  // A drawing begun again part-way leaves what a held one leaves: not its
  // entities.
  const auto begun_again = [](PlotState& state, TextSink& file, const std::vector<std::pair<float, int>>& layers) {
    start_drawing(state, file, layers);
    draw_large(state);
    INIT(state, 3, 1);
    MOVE(state, 1, 1);
    PLOT(state, 2, 2, 2);
    PLT_END(state);
  };
  PlotState held_again;
  StringSink held_again_file;
  begun_again(held_again, held_again_file, {});
  PlotState again;
  RewritableSink again_file;
  begun_again(again, again_file, {{9, 2}});
  EXPECT_LT(again_file.text.size(), HeldText::kMemoryLimit);
  EXPECT_TRUE(again_file.text == held_again_file.text());

  // A file that cannot write over its bytes gets the held drawing.
  PlotState unrewritable;
  StringSink plain;
  start_drawing(unrewritable, plain, {{9, 2}, {9, 1}, {9, 0}});
  draw_large(unrewritable);
  EXPECT_EQ(plain.text(), "");
  PLT_END(unrewritable);
  EXPECT_TRUE(plain.text() == expected);
}

// Bytes written to the plot file among the entities would end up inside
// the entities' section: PLT_END refuses rather than write that file. A
// layer is expected by a pen of 1 to 3, or 0 for the texts.
TEST(DxfDevice, StraightEntitiesRefuseOtherBytesAndExpectedLayersTheirBadPens) {
  PlotState state;
  RewritableSink file;
  start_drawing(state, file, {{9, 2}});
  draw_large(state);
  file.write("stray");
  EXPECT_EQ(failure_code_of([&] { PLT_END(state); }), kIllegalFunctionCall);

  for (const auto& [layer, pen] : {std::pair{9.f, 4}, {9.f, -1}, {-1.f, 2}, {32768.f, 2}}) {
    EXPECT_EQ(failure_code_of([&] { dxf_expect_layer(state, layer, pen); }), kIllegalFunctionCall) << pen;
  }
}

TEST(DxfDevice, EzdxfReadsTheEntitiesLayersAndJapaneseTextWithoutAuditErrors) {
  VERDAN_SKIP_WITHOUT_EZDXF();
  test::TempDir dir;
  Dxf d;
  d.file.write(d.state.plot_reset);
  d.file.write(d.state.plot_setup);
  d.draw();
  PLT_END(d.state);
  test::write_bytes(dir / "drawing.dxf", d.file.text());
  EXPECT_EQ(test::dxf_summary(dir.path(), "drawing.dxf"),
            "version AC1009 ANSI_932 cp932\n"
            "audit errors 0 []\n"
            "layers 0:7 Defpoints:7 L9-PEN2:7 PEN1:1 PEN2:7 PEN3:5\n"
            "LINE PEN2 BYLAYER 10 20 30 40\n"
            "LINE PEN1 DASHED 30 40 50 40\n"
            "CIRCLE PEN3 5 6 2.5\n"
            "TEXT L9-PEN2 1 2 3.5 270 表梁A\n");
}

}  // namespace
}  // namespace verdan
