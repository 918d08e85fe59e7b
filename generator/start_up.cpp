// Start-up: directories, the environment file, the title screen, the menu
// and the hand-overs to the other programs.
#include <algorithm>

#include "generator/generator_program.h"
#include "platform/codec/cp932.h"
#include "platform/host/files.h"
#include "platform/host/program_start.h"
#include "platform/run_report.h"
#include "shared/console_routines.h"
#include "shared/own_files.h"
#include "shared/print.h"
#include "shared/rounding.h"
#include "shared/user_directory.h"

namespace verdan {
namespace {

constexpr const char* kEnvFileName = "VERDAN.INI";

}  // namespace

GeneratorProgram::GeneratorProgram(Console& console) : console_(console) {}

void GeneratorProgram::start_up() {
  const float screen_w = static_cast<float>(console_.plane_width());
  const float screen_h = static_cast<float>(console_.plane_height());
  diagram_left_ = screen_w / 80 * 38;
  diagram_cx_ = screen_w / 80 * 58.5f;
  diagram_top_ = screen_h / 24 * 5;
  diagram_cy_ = screen_h / 24 * 14;
  glyph_unit_ = 1;
  pen_.line_color = 15;
  console_.set_window(0, 23);
  console_.set_color(7);
  console_.clear_text();
  console_.clear_drawing();

  start_dir_ = start_directory();
  user_dir_ = user_directory();
}

// True when a non-empty environment file was found; env_dir_ says where.
bool GeneratorProgram::locate_env_file() {
  env_dir_ = start_dir_;
  if (settings_in_start_directory(*this, start_dir_,
                                  {kGenProbeOldEnvFile, kGenProbeStartEnvFile, kGenRenameOldEnvFile})) {
    return true;
  }
  env_dir_ = user_dir_;
  // The handler's repair may make the per-user directory the place to look.
  return run_step(*this, kGenProbeUserEnvFile, [&] { return probe(env_dir_ + kEnvFileName); }) > 0;
}

void GeneratorProgram::read_env_file() {
  run_step(*this, kGenReadEnvFile, [&] {
    File file = File::open_input(env_dir_ + kEnvFileName);
    std::string data_dir = file.read_field();
    for (int i = 0; i < 3; ++i) file.read_field();
    std::string print_file = file.read_field();
    if (print_file == sj("社 員 番 号 ＝") || print_file == sj("User's Number ＝")) {
      print_file = "VDN_PRT.TXT";
    } else {
      file.read_field();
    }
    for (int i = 0; i < 12; ++i) file.read_field();
    if (!file.eof()) {
      for (int i = 0; i < 4; ++i) file.read_field();
    }
    // Fields beyond the table's size are left unread rather than failing
    // on every retry.
    std::vector<std::string> texts;
    while (!file.eof() && texts.size() < kMaxEnvTexts) texts.push_back(file.read_field());
    file.close();
    data_dir_ = data_dir;
    print_file_ = print_file;
    env_text_ = std::move(texts);
  });
}

void GeneratorProgram::show_title() {
  console_.set_color(4);
  console_.locate(1, 8);
  print(console_, sj(kTitle));
  console_.set_color(5);
  console_.locate(4, 14);
  print(console_, sj("このプログラムは、任意フレーム応力解析 [VERDAN] の"));
  console_.locate(6, 14);
  print(console_, sj("ＤＡＴＡ作成用プログラムです。    "));
  print(console_);
  console_.set_color(7);
  console_.locate(9, 20);
  print(console_, sj("１．整 形 な 建 物（ビル等）"));
  console_.locate(11, 20);
  print(console_, sj("２．格 子 梁"));

  // The settings lines, centred but never right of column 20 nor left of 0.
  double longest = static_cast<double>(std::max(data_dir_.size(), print_file_.size()));
  int column = std::clamp(to_int(std::min(40 - (longest + 11) / 2, 20.0)), 0, 20);
  console_.locate(19, column);
  console_.set_color(5);
  print(console_, "Data DIR = ", stay);
  console_.set_color(6);
  print(console_, data_dir_);
  console_.locate(21, column);
  console_.set_color(5);
  print(console_, "PrintFILE= ", stay);
  console_.set_color(6);
  print(console_, print_file_);
  console_.set_color(7);
}

float GeneratorProgram::menu_choice() {
  console_.set_help(generator_screen_help(GeneratorScreen::menu));
  for (;;) {
    console_.locate(14, 20);
    float choice = INN(console_, sj("番号を選んで下さい："));
    if (choice >= 0 && choice <= 2) return choice;
  }
}

void GeneratorProgram::start_program(const char* program, const std::string& argument, int step) {
  run_step(*this, step, [&] {
    start_and_end(program, argument, [this] {
      console_.hand_back();
      report_run("VDN-GENE");
    });
  });
  throw ProgramEnd{0};  // not reached: the start either replaces this program or fails
}

int GeneratorProgram::run() {
  start_up();
  if (!locate_env_file()) start_program("VDN-CNTL.EXE", "VDN-GENE.EXE", kGenHandOver);
  read_env_file();
  sweep_after_killed_runs({env_dir_, user_dir_, data_dir_}, print_file_);
  show_title();
  float choice = menu_choice();
  console_.clear_text();
  if (choice == 1) {
    data_name_ = "FRAME";
    regular_frame();
    write_record();
    start_program("VERDAN.EXE", data_name_, kGenStartAnalysis);
  }
  if (choice == 2) {
    data_name_ = "CROSS";
    grid_beam();
    write_record();
    start_program("VERDAN.EXE", data_name_, kGenStartAnalysis);
  }
  // Any other value (0, or a fraction) ends the run without starting anything.
  return 0;
}

}  // namespace verdan
