// The regular frame's output: the numbering directions asked, nodes and
// members numbered, the print file listing and drawing appended (after the
// overwrite question) and the data file written.
#include "generator/data_file.h"
#include "generator/generator_program.h"
#include "generator/model/listings.h"
#include "generator/numbering.h"
#include "platform/codec/cp932.h"
#include "platform/host/files.h"
#include "shared/leading_number.h"
#include "shared/own_files.h"
#include "shared/print.h"
#include "shared/wide_numerals.h"

namespace verdan {

NumberingOrder GeneratorProgram::ask_numbering_order() {
  console_.set_help(generator_screen_help(GeneratorScreen::numbering));
  NumberingOrder order;
  console_.locate(2, 0);
  print(console_, sj("部材番号決定方向　横:0　縦:1"));
  const struct {
    int row;
    const char* label;
    float* value;
  } fields[] = {{5, "　　柱　　: 0", &order.column}, {7, "　　大梁　: 0", &order.beam}, {9, "　　ﾌﾞﾚｰｽ : 1", &order.brace}};
  for (const auto& field : fields) {
    console_.locate(field.row, 0);
    print(console_, sj(field.label));
  }
  // Each answer is typed over the default digit shown.
  for (const auto& field : fields) {
    console_.locate(field.row, 12);
    std::string entry = console_.read_line();
    if (!entry.empty()) *field.value = leading_number(narrow_numerals(entry));
  }
  return order;
}

// Asks on rows r and r + 1 whether an existing print file is to be
// replaced; true for Y. An empty or missing print file is not asked about.
bool GeneratorProgram::ask_overwrite(int r) {
  console_.set_help(generator_screen_help(GeneratorScreen::print_file));
  std::string answer = "?";
  while (answer != "" && answer != "y" && answer != "Y" && answer != "N" && answer != "n") {
    console_.set_color(6);
    console_.locate(r, 1);
    print(console_, print_file_, sj(" が存在しています"));
    console_.set_color(7);
    console_.locate(r + 1, 1);
    print(console_, sj("上書きしますか(Y/N) "), stay);
    answer = console_.read_line();
    console_.locate(r, 1);
    print(console_, std::string(print_file_.size() + 17, ' '));
    console_.locate(r + 1, 1);
    print(console_, std::string(print_file_.size() + 24, ' '));
  }
  return answer == "Y" || answer == "y";
}

// A print file that is one of the programs' own files is refused before
// the user is asked whether to write over it.
bool GeneratorProgram::print_file_has_content() {
  return run_step(*this, kGenProbePrintFile, [&] {
           refuse_own_file(print_file_, {env_dir_, user_dir_, data_dir_});
           return probe(print_file_, EmptyProbe::remove, SpecialFile::write_in_place);
         }) > 0;
}

// The listing replaces the print file's content or goes after it, written
// to the file as it is produced. A replacement is written beside the old
// file and swapped in; an append is undone when it fails half-way, so a
// retry writes the whole listing once. A print file that is one of the
// programs' own files (the settings, the index, a data file) is refused
// before anything is written.
void GeneratorProgram::deliver_listing(bool replace, const std::function<void(TextSink&)>& write_listing) {
  if (replace) {
    run_step(*this, kGenReplacePrintFile, [&] {
      refuse_own_file(print_file_, {env_dir_, user_dir_, data_dir_});
      TextFile file = TextFile::open_replacing(print_file_, SpecialFile::write_in_place);
      write_listing(file);
      file.commit();
    });
  } else {
    run_step(*this, kGenAppendPrintFile, [&] {
      refuse_own_file(print_file_, {env_dir_, user_dir_, data_dir_});
      TextFile file = TextFile::open_append(print_file_, SpecialFile::write_in_place);
      write_listing(file);
      file.close();
    });
  }
}

void GeneratorProgram::number_and_write() {
  NumberingOrder order = ask_numbering_order();
  std::get<FrameDescription>(entered_).numbering = order;
  NumberedFrame numbered = number_frame(frame_, order);

  const bool replace = print_file_has_content() && ask_overwrite(console_.cursor_row() + 1);
  deliver_listing(replace, [&](TextSink& listing) { write_frame_listing(listing, numbered, frame_); });
  write_data(numbered.data);
}

// The new file is written beside the old one and takes its place in one
// step: a failure half-way never leaves the user without a data file.
template <typename Real>
void GeneratorProgram::write_data(const DataFileContent<Real>& content) {
  run_step(*this, kGenWriteDataFile, [&] {
    TextFile file = TextFile::open_replacing(data_dir_ + data_name_);
    write_data_file(file, content);
    file.commit();
  });
}

template void GeneratorProgram::write_data<double>(const DataFileContent<double>&);
template void GeneratorProgram::write_data<float>(const DataFileContent<float>&);

}  // namespace verdan
