// Menu item 2 of file management: the list of data files appended to the
// print file, in groups of five entries.
#include <string>

#include "control/control_program.h"
#include "platform/codec/cp932.h"
#include "platform/host/files.h"
#include "shared/print.h"

namespace verdan {

void ControlProgram::print_file_list() {
  console_.set_color(5);
  print(console_, sj("*** FILE の印刷 ***"), stay);
  if (build_index() && !index_.empty()) {
    run_step(*this, kStepPrintList, [&] {
      refuse_own_file(settings_.print_file, own_file_places());
      TextFile file = TextFile::open_append(settings_.print_file, SpecialFile::write_in_place);
      // The numbers as wide as in the list on the screen.
      print(file, number_indent() + sj("     FILE NAME  USER    DATA登録   更新   サイズ  コメント"));
      const std::string mask = std::string(static_cast<std::size_t>(entry_number_digits(index_.size())), '#') + "  ";
      for (std::size_t i = 1; i <= index_.size(); ++i) {
        if ((i - 1) % 5 == 0) print(file);
        print(file, Using(mask, {static_cast<long>(i)}), entry_text(index_[i - 1]));
      }
      print(file);
      file.close();
      menu_feedback_ = sj("ファイル名の一覧 ") + std::to_string(index_.size()) + sj(" 件を ") + settings_.print_file +
                       sj(" に追加しました");
    });
  } else if (index_.empty()) {
    menu_feedback_ = sj("印刷するファイルがありません");
  }
  console_.set_window(0, 23);
  console_.set_color(7);
  console_.clear_text();
}

}  // namespace verdan
