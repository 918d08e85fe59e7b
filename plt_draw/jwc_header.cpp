#include "plt_draw/jwc_header.h"

#include <cstdio>

#include "platform/codec/cp932.h"
#include "shared/free_format.h"
#include "shared/plot_numbers.h"

namespace verdan {
namespace {

// A whole count as plain text. Counts are kept whole: in single precision a
// million lines would be written as 1E+06.
std::string count_text(std::int64_t n) { return number_text(static_cast<long long>(n)).substr(1); }

// The last four of "0000" and the hexadecimal digits of n.
std::string hex4(std::int64_t n) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "0000%llX", static_cast<unsigned long long>(n));
  std::string text = digits;
  return text.substr(text.size() - 4);
}

std::string padded(std::string text) {
  text.resize(kTextBlock, ' ');
  return text;
}

std::string block_1(const JwcSurvey& s) {
  std::string text = "jw_cad(c)data.......a.f.m...............";
  text += s.title_1.size() > 1 ? s.title_1.substr(1) : "";
  text += s.title_2.size() > 1 ? s.title_2.substr(1) : "";
  // Cut on a character, never inside a double-byte one.
  return padded(std::string(cut_to_width(text, kTextBlock)));
}

std::string block_2_text(const JwcSurvey& s) {
  return count_text(s.lines) + "," + count_text(s.circles) + "," + count_text(s.texts) + "," + "0,0,1,1,1,1," +
         s.setup + "1,3," + "5,5," + "5,10,0," + "1,1,1,1,2,3," + "10,10,0,0," + "0,678,0";
}

std::string block_3() {
  return padded(
      "0.5,0.0,3.0,15.0,"
      "1,1,0,0,0,0,"
      "0.0,0.0,0.0,0.0,0.0,0.0,"
      "0,0,0,"
      "1000.000,500.000,400.000,"
      "300.000,200.000,100.000,"
      "0,0,1");
}

std::string block_4(std::int64_t text_total) {
  const std::int64_t n = text_total + 1;
  std::string text = "0000:0000," + hex4(n / 65535) + ":" + hex4(n) + ",";
  for (int i = 0; i < 5; ++i) text += "0,0,0,";
  return padded(text + "36,-23.45,0,0,-1,215,0");
}

void append_layer_table(std::string& out) {
  out.append(kLayerGroups, '\1');
  for (int g = 0; g < kLayerGroups; ++g) {
    for (int layer = 0; layer < 16; ++layer) out.push_back(layer == 8 || layer == 9 ? '\0' : '\1');
  }
}

std::string binary_block(const JwcSurvey& s) {
  std::string out(404 + 404 + 101, '\0');
  for (int k = 1; k <= 11; ++k) out += I2X(static_cast<float>(k / 2));
  for (int k = 0; k <= 10; ++k) out += I2X(static_cast<float>(10 * k));
  for (int k = 0; k <= 10; ++k) out += I2X(static_cast<float>(10 * k));
  for (int k = 0; k <= 10; ++k) out += I2X(0);
  for (float scale : s.group_scales) out += F2X(scale);
  append_layer_table(out);
  append_layer_table(out);
  out.append(16, '\0');
  return out;
}

}  // namespace

std::optional<std::string> jwc_head(const JwcSurvey& survey) {
  std::string second = block_2_text(survey);
  if (second.size() > kTextBlock) return std::nullopt;
  return block_1(survey) + padded(std::move(second)) + block_3() + block_4(survey.text_total) + binary_block(survey);
}

std::size_t jwc_head_size() {
  // Every block has its fixed size, whatever the survey found.
  static const std::size_t size = jwc_head(JwcSurvey{})->size();
  return size;
}

std::string jwc_tail() {
  const std::string names =
      "BASE    DISP    BEND                            NOTES   NOTES   "
      "NODE    ELEM    DISP    MOMENT  SHEAR   AXIAL   NOTES(D)NOTES(S)";
  std::string out;
  for (int g = 0; g < kLayerGroups; ++g) out += names;
  out.append(256, ' ');
  return out;
}

}  // namespace verdan
