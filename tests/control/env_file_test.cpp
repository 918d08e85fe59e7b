#include "control/env_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "platform/codec/cp932.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

Settings completed_defaults() {
  return {"C:", "C:", "PLT.OUT", "SI", "PRT.TXT", "1.2", "0", "2.1", "0.02"};
}

std::vector<std::string> crlf_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "bytes after the last CR LF";
  return lines;
}

TEST(EnvFileWriting, DefaultsGiveTheFixedLayoutOf220Lines) {
  StringSink sink;
  write_env_lines(sink, completed_defaults(), "2.64");
  std::vector<std::string> lines = crlf_lines(sink.text());
  ASSERT_EQ(lines.size(), 220u);
  EXPECT_EQ(lines[0], "\"C:\",\"C:\",\"PLT.OUT\",\"SI\",\"PRT.TXT\"");
  EXPECT_EQ(lines[1], to_cp932("\"社 員 番 号 ＝\""));
  EXPECT_EQ(lines[3], to_cp932("\"任 意 フ レ ー ム の 応 力 解 析   Ver 2.64\""));
  EXPECT_EQ(lines[8], to_cp932("\"４ ． 応 力 計 算\""));
  EXPECT_EQ(lines[13], to_cp932("\"９ ． 終 了\""));
  EXPECT_EQ(lines[14], "\"1.2\",\"0\",\"2.1\",\"0.02\"");
  EXPECT_EQ(lines[15], to_cp932("\" ** 節点座標の入力 **\""));
  // SI headings are written whatever the unit system.
  EXPECT_EQ(lines[45], to_cp932("\"[NO.] [kN/mm2]  [cm2]    [cm4]   [NO]\""));
  EXPECT_EQ(lines[88], to_cp932("\"    [tf/cm2]  [cm2]    [cm4]    1,2 3 9-15 ･･･\""));
  EXPECT_EQ(lines[104], to_cp932("\"　符号 (+)       ↑       ←+\""));
  EXPECT_EQ(lines[175], "\"\"");
  EXPECT_EQ(lines[176], "\"\"");
  EXPECT_EQ(lines[216], to_cp932("\"ディスクがセットされていません\""));
  EXPECT_EQ(lines[219], to_cp932("\" ｢ｽﾍﾟｰｽ｣ ｢\\｣ ｢.｣ は使えません !!\""));
}

TEST(EnvFileWriting, EveryFixedTextHasItsCp932Form) {
  StringSink sink;
  write_env_lines(sink, completed_defaults(), "2.64");
  // A character without a CP932 form would have become a question mark.
  EXPECT_EQ(to_utf8(sink.text()).find("？"), std::string::npos);
  EXPECT_EQ(to_cp932(to_utf8(sink.text())), sink.text());
}

class EnvFileReading : public ::testing::Test {
 protected:
  Settings read(const std::string& bytes, Settings before = {}) {
    std::string path = dir_ / "VERDAN.INI";
    test::write_bytes(path, bytes);
    File file = File::open_input(path);
    read_env_fields(file, before);
    return before;
  }
  test::TempDir dir_;
};

TEST_F(EnvFileReading, ReadsBackWhatWasWrittenWithBlanksAsEmpty) {
  Settings written = completed_defaults();
  written.data_dir = "D:\\DATA\\";
  written.plot_decimals = " ";
  written.error_threshold = " ";
  StringSink sink;
  write_env_lines(sink, written, "2.64");
  Settings back = read(sink.text());
  EXPECT_EQ(back.data_dir, "D:\\DATA\\");
  EXPECT_EQ(back.print_file, "PRT.TXT");
  EXPECT_EQ(back.plotter_spec, "1.2");
  EXPECT_EQ(back.plot_decimals, "");
  EXPECT_EQ(back.error_threshold, "");
}

TEST_F(EnvFileReading, AQuoteInAnUnquotedOldFieldIsNotWrittenBack) {
  std::string bytes = "D:\\A\"B\\,\"C:\",\"PLT.OUT\",\"SI\",\"PRT.TXT\",\"x\"\r\n";
  for (int i = 0; i < 12; ++i) bytes += "\"x\"\r\n";
  bytes += "1\"2,\"0\",\"2.1\",\"0.02\"\r\n";
  Settings s = read(bytes);
  ASSERT_EQ(s.data_dir, "D:\\A\"B\\");
  StringSink sink;
  write_env_lines(sink, s, "2.64");
  std::vector<std::string> lines = crlf_lines(sink.text());
  ASSERT_EQ(lines.size(), 220u);
  EXPECT_EQ(lines[0], "\"D:\\AB\\\",\"C:\",\"PLT.OUT\",\"SI\",\"PRT.TXT\"");
  EXPECT_EQ(lines[14], "\"12\",\"0\",\"2.1\",\"0.02\"");
  EXPECT_EQ(read(sink.text()).data_dir, "D:\\AB\\");
}

// A lead byte before a line end takes it as its second byte when read; one
// before the closing quote takes the quote. Neither may reach the file.
TEST_F(EnvFileReading, NoFieldIsWrittenWithALineEndOrALoneLeadByte) {
  std::string bytes = "\"C:\",\"C:\",\"PLT.OUT\",\"SI\",\"PRT.TXT\x82\n\",\"x\"\r\n";
  for (int i = 0; i < 12; ++i) bytes += "\"x\"\r\n";
  bytes += "\"1.2\",\"0\",\"2.1\",\"0.02\x82\"\r\n";
  Settings s = read(bytes);
  ASSERT_EQ(s.print_file, "PRT.TXT\x82\n");
  ASSERT_EQ(s.error_threshold, "0.02\x82\"");
  // A typed value with a line end in it, and one whose last character is
  // cut after its lead byte.
  s.plot_file = "P\r\nQ.OUT";
  s.work_dir = "D:\\\x83\x5c\x83";
  StringSink sink;
  write_env_lines(sink, s, "2.64");
  for (int round = 0; round < 2; ++round) {
    const std::string text = sink.text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 220);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 220);
    std::vector<std::string> lines = crlf_lines(text);
    ASSERT_EQ(lines.size(), 220u);
    EXPECT_EQ(lines[0], "\"C:\",\"D:\\\x83\x5c\",\"PQ.OUT\",\"SI\",\"PRT.TXT\"");
    EXPECT_EQ(lines[14], "\"1.2\",\"0\",\"2.1\",\"0.02\"");
    // Read back and written again, the file stays the same.
    Settings back = read(text);
    EXPECT_EQ(back.print_file, "PRT.TXT");
    EXPECT_EQ(back.error_threshold, "0.02");
    sink.clear();
    write_env_lines(sink, back, "2.64");
  }
}

TEST_F(EnvFileReading, OldLayoutWithFourFieldsOnLineOne) {
  std::string bytes = "\"E:\",\"E:\",\"P.OUT\",\"0\"\r\n" + to_cp932("\"User's Number ＝\"\r\n");
  for (int i = 0; i < 12; ++i) bytes += "\"x\"\r\n";
  bytes += "\"3.5\",\"1\",\"1.1\",\"0\"\r\n";
  Settings s = read(bytes);
  EXPECT_EQ(s.print_file, "VDN_PRT.TXT");
  EXPECT_EQ(s.unit_flag, "0");
  EXPECT_EQ(s.plotter_spec, "3.5");
  EXPECT_EQ(s.error_threshold, "0");
}

TEST_F(EnvFileReading, FileEndingAfterLineFourteenKeepsTheLine15Values) {
  std::string bytes = "\"C:\",\"C:\",\"PLT.OUT\",\"SI\",\"PRT.TXT\"\r\n";
  for (int i = 0; i < 13; ++i) bytes += "\"x\"\r\n";
  Settings before;
  before.plotter_spec = "";
  Settings s = read(bytes, before);
  EXPECT_EQ(s.print_file, "PRT.TXT");
  EXPECT_EQ(s.plotter_spec, "");
  EXPECT_EQ(s.plot_decimals, "");
}

TEST_F(EnvFileReading, TruncatedFileReadsAsFarAsItGoesWithoutFailing) {
  Settings s = read("\"D:\",\"E:\"");
  EXPECT_EQ(s.data_dir, "D:");
  EXPECT_EQ(s.work_dir, "E:");
  EXPECT_EQ(s.plot_file, "");
  EXPECT_EQ(s.print_file, "");
}

}  // namespace
}  // namespace verdan
