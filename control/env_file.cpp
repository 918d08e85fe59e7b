#include "control/env_file.h"

#include <initializer_list>
#include <string>

#include "control/message_texts.h"
#include "platform/codec/cp932.h"

namespace verdan {
namespace {

// The field as the file can hold it. A quote (read from an unquoted field
// of an old file) would end the field early for every reader, and a CR or
// LF (after a lead byte that took it as its second byte) would start a line
// of its own: the file has no escape for either. A lead byte left without
// its second byte at the end would take the closing quote with it.
std::string field_text(std::string_view field) {
  std::string text = without_char(without_char(without_char(field, '"'), '\r'), '\n');
  std::size_t last = 0;
  for (std::size_t i = 0; i < text.size(); i += char_length(text, i)) last = i;
  if (!text.empty() && last + 1 == text.size() && is_lead_byte(static_cast<unsigned char>(text[last]))) {
    text.pop_back();
  }
  return text;
}

void quoted_line(TextSink& sink, std::initializer_list<std::string_view> fields) {
  bool first = true;
  for (std::string_view field : fields) {
    if (!first) sink.write(",");
    first = false;
    sink.write("\"");
    sink.write(field_text(field));
    sink.write("\"");
  }
  sink.end_line();
}

// The fields of lines 3 to 14, after the user-number label.
constexpr const char* kFixedLines[] = {
    "縮 小 印 刷 す る",
    nullptr,  // the title with the version, line 4
    "Ｍ Ｅ Ｎ Ｕ 　 ：",
    "１ ． Ｄ Ａ Ｔ Ａ の 作 成",
    "２ ． Ｄ Ａ Ｔ Ａ の 修 正",
    "３ ． Ｄ Ａ Ｔ Ａ の Ｌｏａｄ",
    "４ ． 応 力 計 算",
    "５ ． 変 位 の Ｐｌｏｔ",
    "６ ． 応 力 の Ｐｌｏｔ",
    "７ ． 応 力 の 組 合 わ せ",
    "８ ． 使 用 環 境 の 変 更",
    "９ ． 終 了",
};

// One field, or empty when the file has ended (a truncated file reads as
// far as it goes instead of failing on every retry).
std::string field_or_empty(File& file) { return file.eof() ? std::string() : file.read_field(); }

void blank_means_empty(std::string& value) {
  if (value == " ") value.clear();
}

}  // namespace

void write_env_lines(TextSink& sink, const Settings& s, std::string_view version) {
  quoted_line(sink, {s.data_dir, s.work_dir, s.plot_file, s.unit_flag, s.print_file});
  quoted_line(sink, {sj(kUserNumberLabel)});
  for (const char* text : kFixedLines) {
    if (text) {
      quoted_line(sink, {sj(text)});
    } else {
      quoted_line(sink, {sj("任 意 フ レ ー ム の 応 力 解 析   Ver ") + std::string(version)});
    }
  }
  quoted_line(sink, {s.plotter_spec, s.spare_setting, s.plot_decimals, s.error_threshold});
  for (const char* text : kMessageTexts) quoted_line(sink, {sj(text)});
}

void read_env_fields(File& file, Settings& s) {
  s.data_dir = field_or_empty(file);
  s.work_dir = field_or_empty(file);
  s.plot_file = field_or_empty(file);
  s.unit_flag = field_or_empty(file);
  s.print_file = field_or_empty(file);
  if (s.print_file == sj(kUserNumberLabel) || s.print_file == sj(kUserNumberLabelOld)) {
    // The earlier layout had four fields on line 1: this was the label.
    s.print_file = "VDN_PRT.TXT";
  } else {
    field_or_empty(file);
  }
  for (int i = 0; i < 12; ++i) field_or_empty(file);
  if (!file.eof()) {
    s.plotter_spec = file.read_field();
    s.spare_setting = field_or_empty(file);
    s.plot_decimals = field_or_empty(file);
    s.error_threshold = field_or_empty(file);
  }
  blank_means_empty(s.plotter_spec);
  blank_means_empty(s.spare_setting);
  blank_means_empty(s.plot_decimals);
  if (!s.error_threshold.empty() && s.error_threshold[0] == ' ') s.error_threshold.clear();
}

}  // namespace verdan
