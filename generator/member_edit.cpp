// Member editing: braces, columns and beams added or removed by pairs of
// range lists, each change drawn or erased on the frame picture at once.
#include <cmath>
#include <string>
#include <vector>

#include "generator/generator_program.h"
#include "generator/range_list.h"
#include "platform/codec/cp932.h"
#include "shared/console_routines.h"
#include "shared/print.h"
#include "shared/rounding.h"
#include "shared/wide_numerals.h"

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

std::string closed_list(std::string list) {
  if (list.empty() || list.back() != ',') list += ',';
  return list;
}

}  // namespace

void GeneratorProgram::edit_members() {
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
  for (;;) {
    console_.clear_text();
    console_.locate(2, 0);
    print(console_, sj(edit_title(kind)));
    console_.locate(4, 0);
    print(console_, sj("ex. 1,2 5 6-10 ･･･  ex. 1-2,5-10 ･･･"));
    console_.locate(5, 0);
    print(console_, sj("階＝                通＝"));
    console_.locate(5, 4);
    std::string levels = narrow_numerals(console_.read_line());
    if (levels.empty()) return;
    console_.locate(5, 24);
    std::string axes = narrow_numerals(console_.read_line());
    if (axes.empty()) return;
    apply_edit(kind, closed_list(levels), closed_list(axes));
  }
}

// Toggles every member the pair of lists addresses. A member addressed
// several times is visited once, in the place of its last address, so a
// long list on a large frame costs one pass over the members it reaches.
void GeneratorProgram::apply_edit(MemberKind kind, std::string_view level_list, std::string_view axis_list) {
  const int nx = frame_.span_count();
  const int level_high = kind == MemberKind::beam ? frame_.storey_count() + 1 : frame_.storey_count();
  // The axes a range addresses: the braces of the spans between its axes,
  // the columns on them, the beams of the spans after its first axis.
  int low = 0, high = nx;
  double first_offset = 0, last_offset = 0;
  switch (kind) {
    case MemberKind::rising_brace:
    case MemberKind::falling_brace:
      high = nx - 1;
      last_offset = -1;
      break;
    case MemberKind::column:
      break;
    case MemberKind::beam:
      low = 1;
      first_offset = 1;
      break;
  }
  auto spans_of = [](std::string_view list, double no_start, double from, double to, int lo, int hi) {
    std::vector<IndexSpan> spans;
    walk_ranges(list, no_start, [&](double a, double b) {
      if (auto span = indices_within(a + from, b + to, lo, hi)) spans.push_back(*span);
    });
    return by_last_address(spans, lo, hi);
  };
  const std::vector<AddressedIndex> levels = spans_of(level_list, 0, 0, 0, 1, level_high);
  const std::vector<AddressedIndex> axes = spans_of(axis_list, -1, first_offset, last_offset, low, high);
  std::optional<PlaneLine> last;
  for (const AddressedIndex& level : levels) {
    for (const AddressedIndex& axis : axes) {
      Toggle t = frame_.toggle(kind, level.index, axis.index, level.odd && axis.odd);
      draw_member_line(t.a, t.b, to_int((t.change + 1) * 6.5), last);
    }
  }
}

}  // namespace verdan
