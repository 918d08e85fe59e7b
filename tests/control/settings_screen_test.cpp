#include <gtest/gtest.h>

#include <filesystem>

#include "control/dsp2l.h"
#include "control/env_file.h"
#include "control/settings_entry.h"
#include "platform/codec/cp932.h"
#include "tests/control/control_fixture.h"

namespace verdan {
namespace {

using SettingsScreen = test::ControlRun;

TEST_F(SettingsScreen, EntriesBecomeTokensDirectoriesAndFileNames) {
  ASSERT_EQ(run({"1", "  d:\\data  extra", "e:\\tmp", "\\prt.txt", "$work\\plot.out", "", "", "0.5", "", "Y",
                 "0"}),
            0);
  EXPECT_EQ(first_line(), "\"D:\\DATA\\\",\"E:\\TMP\\\",\"E:\\TMP\\PLOT.OUT\",\"si\",\"PRT.TXT\"");
  EXPECT_EQ(program_->settings().plotter_spec, "1.2");
}

TEST_F(SettingsScreen, SingleLetterDriveAndUnitValues) {
  ASSERT_EQ(run({"1", "", "e", "", "", "", "", "2", "", "Y", "0"}), 0);
  EXPECT_EQ(first_line(), "\"C:\",\"E:\",\"PLT.OUT\",\"SI\",\"PRT.TXT\"");
  ASSERT_EQ(run({"1", "", "", "", "", "", "", "x", "", "Y", "0"}), 0);
  EXPECT_EQ(first_line(), "\"C:\",\"E:\",\"PLT.OUT\",\"0\",\"PRT.TXT\"");
  // The file now says "0": the screen starts from the value as it was (0).
  ASSERT_EQ(run({"1", "", "", "", "", "", "", "", "", "Y", "0"}), 0);
  EXPECT_EQ(first_line(), "\"C:\",\"E:\",\"PLT.OUT\",\"0\",\"PRT.TXT\"");
}

// The file quotes each field with no escape: a typed quote would split a
// field for every reader, and a name that normalises to nothing would make
// every later print fail.
TEST_F(SettingsScreen, QuotesAreDroppedAndABareDriveKeepsTheFileName) {
  ASSERT_EQ(run({"1", "d:\\da\"ta", "", "c:", "\\", "\"3\".5", "", "", "0.0\"1", "Y", "0"}), 0);
  EXPECT_EQ(first_line(), "\"D:\\DATA\\\",\"C:\",\"PLT.OUT\",\"SI\",\"PRT.TXT\"");
  EXPECT_EQ(program_->settings().plotter_spec, "3.5");
  EXPECT_EQ(program_->settings().error_threshold, "0.01");
  ASSERT_EQ(run({"1", "", "", "x:", "\"", "", "", "", "", "Y", "0"}), 0);
  EXPECT_EQ(first_line(), "\"D:\\DATA\\\",\"C:\",\"PLT.OUT\",\"SI\",\"PRT.TXT\"");
}

// The listings would write over it: a print file that reaches one of the
// programs' own files, by case, "..", or being the settings file read, is
// asked for again after a beep.
TEST_F(SettingsScreen, APrintFileThatIsOneOfTheProgramsOwnFilesIsAskedAgain) {
  std::filesystem::create_directory(dir_ / "DATA");
  test::write_bytes(dir_ / "DATA/index", "\"X\"\r\n");
  ASSERT_EQ(run({"1", "data", "", "data\\index", "x\\..\\vdn-user.dat", "list.txt", "", "", "", "", "", "Y", "0"}),
            0);
  EXPECT_EQ(first_line(), "\"DATA\\\",\"C:\",\"PLT.OUT\",\"SI\",\"LIST.TXT\"");
  EXPECT_EQ(console_->beeps(), 2);
  EXPECT_EQ(console_->remaining(), 0u);

  // Settings in the start directory that name themselves as the print file:
  // the name read is refused as well, until another is typed.
  StringSink self;
  write_env_lines(self, {"C:", "C:", "PLT.OUT", "SI", "verdan.ini", "1.2", "0", "2.1", "0.02"}, "2.64");
  test::write_bytes(dir_ / "VERDAN.INI", self.text());
  ASSERT_EQ(run({"1", "", "", "", "", "p.txt", "", "", "", "", "", "Y", "0"}), 0);
  EXPECT_EQ(console_->beeps(), 2);
  const std::string rewritten = test::read_bytes(dir_ / "VERDAN.INI");
  EXPECT_EQ(rewritten.substr(0, rewritten.find("\r\n")), "\"C:\",\"C:\",\"PLT.OUT\",\"SI\",\"P.TXT\"");
}

TEST_F(SettingsScreen, ConfirmationAsksAgainAndNoEditsOnceMore) {
  ASSERT_EQ(run({"1", "f", "", "", "", "9.9", "", "", "", "maybe", "no", "g", "", "", "", "", "", "", "", "yes",
                 "0"}),
            0);
  EXPECT_EQ(first_line(), "\"G:\",\"C:\",\"PLT.OUT\",\"SI\",\"PRT.TXT\"");
  EXPECT_EQ(program_->settings().plotter_spec, "9.9");
}

TEST_F(SettingsScreen, ShowsLabelsValuesAndTheFileName) {
  EXPECT_EQ(run({"1", "", "", "", "", "", "", "0.5"}), 3);
  EXPECT_EQ(console_->row_text(0), "          ＊＊＊　VERDAN  Ver 2.64 環境設定　＊＊＊    [　] 内は初期値");
  EXPECT_EQ(console_->row_text(4), "        DATA  DISK  ﾄﾞﾗｲﾌﾞ  [C:]       C:");
  EXPECT_EQ(console_->row_text(12), "        PLOTTER 種別.文字高 [1.2]      1.2");
  EXPECT_EQ(console_->row_text(18), "        PLOT小数点以下桁数  [2.1] Disp.Stre 2.1");
  EXPECT_EQ(console_->row_text(19), "        ＳＩ単位系入出力    [1]   Y/N=1/0   .5");
  // Input ends at the threshold's entry: its old value is cleared for the
  // typing, the note after it stays.
  EXPECT_EQ(console_->row_text(20), "        計算誤差判定閾値    [0.02]                  [0=誤差計算しない]");
  std::string file = to_utf8(program_->env_dir()) + "VERDAN.INI";
  std::string row2 = console_->row_text(2);
  EXPECT_NE(row2.find("(FILE=" + file + ")"), std::string::npos) << row2;
}

TEST(EntryToken, FirstWordUpperCasedDoubleByteKept) {
  EXPECT_EQ(entry_token("  ,d:\\data  extra"), "D:\\DATA");
  EXPECT_EQ(entry_token("a,b"), "A");
  EXPECT_EQ(entry_token(""), "");
  // ア is 83 41 and ソ 83 5C: their second bytes are neither upper-cased nor split.
  EXPECT_EQ(entry_token(sj("aアソb c")), "A" + sj("アソ") + "B");
  EXPECT_EQ(directory_value("", "C:\\DATA"), "C:\\DATA\\");
  EXPECT_EQ(directory_value(sj("C:\\表"), ""), sj("C:\\表") + "\\");
  EXPECT_EQ(file_value("C:PRT.TXT", "X", ""), "PRT.TXT");
  EXPECT_EQ(file_value("C:\\OUT\\PRT.TXT", "X", ""), "C:\\OUT\\PRT.TXT");
  EXPECT_EQ(unit_value("", 0.5f), 0.5f);
  EXPECT_EQ(unit_value("0.7", 0), 1);
}

TEST(Dsp2l, LongPathsSplitBeforeABackslash) {
  ScriptedConsole console({});
  const std::string path = "C:\\ABCDEFGHIJ\\KLMNOPQRSTUVWXYZ\\0123456789\\ABCDEFGHIJKLMN\\FRAME";  // 62 bytes
  DSP2L(console, 39, 4, path);
  EXPECT_EQ(console.row_text(4), std::string(39, ' ') + "C:\\ABCDEFGHIJ\\KLMNOPQRSTUVWXYZ");
  EXPECT_EQ(console.row_text(5), std::string(41, ' ') + "\\0123456789\\ABCDEFGHIJKLMN\\FRAME");

  // Without a "\" that fits nothing is shown; a continuation too long for
  // its row is cut instead of failing.
  DSP2L(console, 39, 8, std::string(60, 'A'));
  EXPECT_EQ(console.row_text(8), "");
  DSP2L(console, 39, 10, "C:\\" + std::string(100, 'B'));
  EXPECT_EQ(console.row_text(10), std::string(39, ' ') + "C:");
  EXPECT_EQ(console.row_text(11), std::string(41, ' ') + "\\" + std::string(38, 'B'));
}

}  // namespace
}  // namespace verdan
