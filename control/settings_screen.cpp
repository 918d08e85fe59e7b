// The environment settings screen: eight fields edited in place, confirmed,
// completed and written to the environment file.
#include <string>

#include "control/control_program.h"
#include "control/dsp2l.h"
#include "control/env_file.h"
#include "control/register_entry.h"
#include "control/settings_entry.h"
#include "platform/codec/cp932.h"
#include "shared/console_routines.h"
#include "shared/own_files.h"
#include "shared/print.h"
#include "shared/rounding.h"

namespace verdan {
namespace {

constexpr int kLabelColumn = 8;
constexpr int kPathColumn = 39;
constexpr int kLowerColumn = 44;

void set_default(std::string& value, const char* fallback) {
  if (value.empty()) value = fallback;
}

// The value cut or filled with blanks to exactly eight bytes.
std::string eight_bytes(std::string_view value) {
  std::string shown(cut_to_width(value, 8));
  shown.resize(8, ' ');
  return shown;
}

std::string blanks(std::size_t count) { return std::string(count, ' '); }

}  // namespace

void ControlProgram::settings_screen() {
  set_default(settings_.data_dir, "C:");
  set_default(settings_.work_dir, "C:");
  set_default(settings_.print_file, "PRT.TXT");
  set_default(settings_.plot_file, "PLT.OUT");
  set_default(settings_.plotter_spec, "1.2");
  set_default(settings_.plot_decimals, "2.1");
  set_default(settings_.unit_flag, "SI");
  set_default(settings_.spare_setting, "0");
  set_default(settings_.error_threshold, "0.02");
  if (settings_.unit_flag == "si") unit_value_ = 0.5f;
  if (settings_.unit_flag == "SI") unit_value_ = 1;

  show_settings_screen();
  console_.set_help(control_screen_help(ControlScreen::settings));
  for (;;) {
    edit_settings_fields();
    console_.set_color(7);
    // Yes/no answers are taken by their first character, as everywhere.
    char answer = 0;
    do {
      console_.locate(22, 16);
      answer = yes_no(ask(console_, sj("設定終了 (Y/N) ")));
      console_.locate(22, 16);
      print(console_, blanks(40), stay);
    } while (answer == 0);
    if (answer == 'Y') break;
  }
  complete_settings();
  write_env_file();
}

void ControlProgram::show_settings_screen() {
  console_.set_window(0, 23);
  console_.clear_text();
  console_.locate(0, 10);
  print(console_, sj("＊＊＊　VERDAN  Ver ") + kVersion + sj(" 環境設定　＊＊＊    "), stay);
  console_.set_color(6);
  print(console_, sj("[　] 内は初期値"), stay);
  console_.set_color(7);

  std::string file_text = env_dir_ + kEnvFileName;
  int x = static_cast<int>(sj("FILE=").size() + file_text.size());
  if (x > 76) {
    console_.locate(2, 0);
    print(console_, "(FILE=", stay);
    console_.set_color(5);
    print(console_, std::string(cut_to_width(env_dir_, 55)) + "...\\" + kEnvFileName, stay);
  } else {
    console_.locate(2, 39 - to_int(x / 2.0));
    print(console_, "(FILE=", stay);
    console_.set_color(5);
    print(console_, file_text, stay);
  }
  console_.set_color(7);
  print(console_, ")", stay);

  const struct {
    int row;
    const char* label;
    const std::string& value;
  } upper[] = {
      {4, "DATA  DISK  ﾄﾞﾗｲﾌﾞ  [C:]       ", settings_.data_dir},
      {6, "WORK  DISK  ﾄﾞﾗｲﾌﾞ  [C:]       ", settings_.work_dir},
      {8, "PRINTER FILE 名     [PRT.TXT]  ", settings_.print_file},
      {10, "POLTTER FILE 名     [PLT.OUT]  ", settings_.plot_file},
      {12, "PLOTTER 種別.文字高 [1.2]      ", settings_.plotter_spec},
  };
  for (const auto& field : upper) {
    console_.locate(field.row, kLabelColumn);
    print(console_, sj(field.label), field.value, stay);
  }
  console_.set_color(6);
  const char* box[] = {
      "+------------------------------------------------------------+",
      "| 1:ESC/Page(600dpi)  2:HP-GL (原点中央)  3:HP-GL (原点左下) |",
      "| 4:LIPS III          5:JW_CAD            6:DXF              |",
      "+------------------------------------------------------------+",
  };
  for (int i = 0; i < 4; ++i) {
    console_.locate(13 + i, kLabelColumn);
    print(console_, sj(box[i]), stay);
  }
  console_.set_color(7);
  console_.locate(18, kLabelColumn);
  print(console_, sj("PLOT小数点以下桁数  [2.1] "), stay);
  console_.set_color(4);
  print(console_, "Disp.Stre ", stay);
  console_.set_color(7);
  print(console_, settings_.plot_decimals, stay);
  console_.locate(19, kLabelColumn);
  print(console_, sj("ＳＩ単位系入出力    [1]   Y/N=1/0  "), unit_value_, stay);
  console_.locate(20, kLabelColumn);
  print(console_, sj("計算誤差判定閾値    [0.02]          "), eight_bytes(settings_.error_threshold),
        sj("[0=誤差計算しない]"), stay);
}

void ControlProgram::edit_settings_fields() {
  // One entry read at the field's place in colour 5, reduced to its token.
  auto token_at = [this](int row, int column) {
    console_.locate(row, column);
    console_.set_color(5);
    std::string token = entry_token(console_.read_line());
    console_.set_color(7);
    return token;
  };
  auto show_path = [this](int row, const std::string& value) {
    console_.locate(row + 1, 0);
    print(console_, blanks(80), stay);
    DSP2L(console_, kPathColumn, row, value);
  };
  auto show_at = [this](int row, int column, std::string_view text) {
    console_.locate(row, column);
    print(console_, text, stay);
  };

  settings_.data_dir = directory_value(token_at(4, kPathColumn), settings_.data_dir);
  show_path(4, settings_.data_dir);
  settings_.work_dir = directory_value(token_at(6, kPathColumn), settings_.work_dir);
  show_path(6, settings_.work_dir);
  // The listings would write over a print file that is one of the
  // programs' own files (the settings, the index, a data file): such a name
  // is refused with a beep and asked for again, the old one too.
  for (;;) {
    std::string print_file = file_value(token_at(8, kPathColumn), settings_.print_file, settings_.work_dir);
    if (own_file_reached(print_file, own_file_places()).empty()) {
      settings_.print_file = print_file;
      break;
    }
    console_.beep();
  }
  show_path(8, settings_.print_file);
  settings_.plot_file = file_value(token_at(10, kPathColumn), settings_.plot_file, settings_.work_dir);
  show_path(10, settings_.plot_file);

  if (std::string token = token_at(12, kPathColumn); !token.empty()) settings_.plotter_spec = token;
  show_at(12, kPathColumn, settings_.plotter_spec + blanks(8));
  if (std::string token = token_at(18, kLowerColumn); !token.empty()) settings_.plot_decimals = token;
  show_at(18, kLowerColumn, settings_.plot_decimals + blanks(8));

  unit_value_ = unit_value(token_at(19, kLowerColumn), unit_value_);
  console_.locate(19, kLowerColumn - 1);
  print(console_, unit_value_, blanks(8), stay);

  if (std::string token = token_at(20, kLowerColumn); !token.empty()) settings_.error_threshold = token;
  show_at(20, kLowerColumn, eight_bytes(settings_.error_threshold));
}

void ControlProgram::complete_settings() {
  for (std::string* value : {&settings_.plotter_spec, &settings_.spare_setting, &settings_.plot_decimals,
                             &settings_.error_threshold}) {
    if (value->empty()) *value = " ";
  }
  settings_.unit_flag = unit_value_ > 0 ? "si" : "0";
  if (unit_value_ == 1) settings_.unit_flag = "SI";
}

}  // namespace verdan
