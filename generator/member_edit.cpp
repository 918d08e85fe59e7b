// Member editing: braces, columns and beams added or removed by pairs of
// range lists, each change drawn or erased on the frame picture at once.
#include <optional>
#include <string>

#include "generator/frame_drawing.h"
#include "generator/generator_program.h"
#include "generator/model/frame_edit.h"
#include "platform/codec/cp932.h"
#include "shared/console_routines.h"
#include "shared/print.h"
#include "shared/rounding.h"

namespace verdan {
namespace {

const char* edit_title(MemberKind kind) {
  switch (kind) {
    case MemberKind::rising_brace: return "右上りのブレースの添削";
    case MemberKind::falling_brace: return "右下りのブレースの添削";
    case MemberKind::column: return "柱の添削";
    case MemberKind::beam: return "梁の添削";
  }
  return "";
}

}  // namespace

void GeneratorProgram::edit_members() {
  show_frame_in_characters();
  for (;;) {
    console_.set_window(0, 23);
    console_.clear_text();
    const char* items[] = {"１．右上りのブレースの添削", "２．右下りのブレースの添削", "３．柱の添削",
                           "４．梁の添削", "５．終了"};
    for (int i = 0; i < 5; ++i) {
      console_.locate(5 + 2 * i, 5);
      print(console_, sj(items[i]));
    }
    console_.locate(2, 5);
    console_.set_help(generator_screen_help(GeneratorScreen::member_menu));
    float item = INN(console_, "ITEM = ");
    console_.clear_text();
    // A negative item selects nothing (the menu comes again) rather than
    // failing on every retry.
    double selected = round_half_away(item);
    if (selected >= 1 && selected <= 4) edit_screen(static_cast<MemberKind>(static_cast<int>(selected)));
    if (item == 5) return;
  }
}

void GeneratorProgram::edit_screen(MemberKind kind) {
  console_.set_help(generator_screen_help(GeneratorScreen::range_lists));
  for (;;) {
    console_.clear_text();
    console_.locate(2, 0);
    print(console_, sj(edit_title(kind)));
    console_.locate(4, 0);
    print(console_, sj("ex. 1,2 5 6-10 ･･･  ex. 1-2,5-10 ･･･"));
    console_.locate(5, 0);
    print(console_, sj("階＝                通＝"));
    console_.locate(5, 4);
    std::string levels = console_.read_line();
    if (levels.empty()) return;
    console_.locate(5, 24);
    std::string axes = console_.read_line();
    if (axes.empty()) return;
    apply_edit(kind, levels, axes);
    show_frame_in_characters();
    std::get<FrameDescription>(entered_).edits.push_back({kind, levels, axes});
  }
}

// Each change is drawn or erased on the picture at once.
void GeneratorProgram::apply_edit(MemberKind kind, std::string_view levels, std::string_view axes) {
  std::optional<PlaneLine> last;
  toggle_members(frame_, kind, edit_list(levels), edit_list(axes),
               [&](const Toggle& t) { draw_member_line(t.a, t.b, to_int((t.change + 1) * 6.5), last); });
}

// Where the console cannot show the picture (a dumb terminal) the frame
// comes as the print file draws it, numbered as the default directions
// would number it.
void GeneratorProgram::show_frame_in_characters() {
  if (!console_.wants_text_picture()) return;
  FrameModel numbered = frame_;
  number_frame(numbered, NumberingOrder());
  StringSink picture;
  print(picture);
  print(picture, sj("＊ 今のフレーム（番号は既定の番号付け方向による仮の番号） ＊"));
  write_frame_drawing(picture, numbered);
  console_.show_text_picture(picture.text());
}

}  // namespace verdan
