// The employee register screen in-process: the grid, the checks of a new
// entry, the answers at "OK (Y/N)" and the register file.
#include <gtest/gtest.h>

#include <string>

#include "tests/control/file_management_fixture.h"

namespace verdan {
namespace {

class RegisterScreen : public test::FileManagementRun {
 protected:
  std::string register_file() const { return test::read_bytes(dir_ / "VDN-USER.DAT"); }
  void write_register(const std::string& utf8) { test::write_bytes(dir_ / "VDN-USER.DAT", to_cp932(utf8)); }
};

TEST_F(RegisterScreen, ShowsTheRegisterAndLeavesItUnchangedOnMinusOne) {
  write_register("1234,\"山田  \"\r\n");
  EXPECT_EQ(run({"2", "3"}), 3);
  EXPECT_EQ(console_->row_text(0), "*** 社員番号の登録 ***  ( NO.=-1 で終了 ) 社員NO.=        氏名：");
  EXPECT_EQ(console_->row_text(1), "                        ( 漢字３文字以内)");
  EXPECT_EQ(console_->row_text(2), " 1234 山田");
  EXPECT_EQ(color_at(0), 5);
  EXPECT_EQ(color_at(0, 22), 4);
  EXPECT_EQ(color_at(2), 4);
  EXPECT_EQ(color_at(2, 6), 7);
  ASSERT_EQ(run({"2", "3", "-1", "0", "0"}), 0);
  EXPECT_EQ(register_file(), to_cp932("1234,\"山田  \"\r\n"));
}

TEST_F(RegisterScreen, TakenZeroAndNonNumbersAreAskedAgainNamesArePadded) {
  write_register("1234,\"山田  \"\r\n");
  ASSERT_EQ(run({"2", "3", "1234", "0", "abc", "55", "山田", "Y", "56", "ABC", "y", "57", "長谷川太", "ﾝ", "-1", "0", "0"}),
            0);
  EXPECT_EQ(register_file(),
            to_cp932("1234,\"山田  \"\r\n55,\"山田  \"\r\n56,\"ABC   \"\r\n57,\"長谷川太\"\r\n"));
  EXPECT_EQ(console_->remaining(), 0u);
}

TEST_F(RegisterScreen, NonNumberIsRejectedWithALine) {
  EXPECT_EQ(run({"2", "3", "12x"}), 3);
  EXPECT_EQ(console_->row_text(1), "                        ( 漢字３文字以内)" + std::string(15, ' ') +
                                       "もう一度入力してください");
  EXPECT_EQ(run({"2", "3", "12x", "12", "AB"}), 3);
  EXPECT_EQ(console_->row_text(0), "*** 社員番号の登録 ***  ( NO.=-1 で終了 ) 社員NO.=   12   氏名：AB");
  EXPECT_EQ(console_->row_text(1), "                        ( 漢字３文字以内)                 OK (Y/N) ?");
}

// "INDEX" gives owners seven-digit numbers: they are registered, shown whole
// where they were typed and on the grid, and name the owner in the list.
TEST_F(RegisterScreen, NumbersUpToSevenDigitsAreTakenAndShownWhole) {
  EXPECT_EQ(run({"2", "3", "10000000"}), 3);
  EXPECT_EQ(console_->row_text(1), "                        ( 漢字３文字以内)" + std::string(15, ' ') +
                                       "もう一度入力してください");
  EXPECT_EQ(run({"2", "3", "1234567", "山田"}), 3);
  EXPECT_EQ(console_->row_text(0), "*** 社員番号の登録 ***  ( NO.=-1 で終了 ) 社員NO.=1234567 氏名：山田");
  ASSERT_EQ(run({"2", "3", "1234567", "山田", "Y", "123456", "ABC", "Y", "7", "B", "Y", "-1", "0", "0"}), 0);
  EXPECT_EQ(register_file(), to_cp932("1234567,\"山田  \"\r\n123456,\"ABC   \"\r\n7,\"B     \"\r\n"));
  EXPECT_EQ(run({"2", "3"}), 3);
  EXPECT_EQ(console_->row_text(2), "1234567 山田 123456 ABC       7 B");
  EXPECT_EQ(color_at(2, 7), 4);
  EXPECT_EQ(color_at(2, 8), 7);

  write_index({"FRAME      12345672019/02/20   First frame"});
  EXPECT_EQ(run({"2", "1"}), 3);
  EXPECT_EQ(console_->row_text(2), "  1 FRAME      山田   2019/02/20                First frame");
}

// A DOS end-of-file mark ends the register; new entries go before it.
TEST_F(RegisterScreen, EntriesAfterTheEndOfFileMarkAreNotReadNewOnesGoBeforeIt) {
  test::write_bytes(dir_ / "VDN-USER.DAT", "1,\"A     \"\r\n\x1a" "2,\"OLD   \"\r\n");
  ASSERT_EQ(run({"2", "3", "2", "B", "Y", "-1", "0", "0"}), 0);
  EXPECT_EQ(register_file(), "1,\"A     \"\r\n2,\"B     \"\r\n\x1a" "2,\"OLD   \"\r\n");
  EXPECT_EQ(run({"2", "3"}), 3);
  EXPECT_EQ(console_->row_text(2), "    1 A          2 B");
}

// A second session stores 555 while this one asks "OK (Y/N)" for it: this
// one's 555 is not written, the other's entry is shown, and 555 is asked
// again as any taken number is.
TEST_F(RegisterScreen, ANumberStoredMeanwhileByAnotherSessionIsAskedAgain) {
  write_register("1234,\"山田  \"\r\n");
  const Actions other_stores_555 = {{4, [] {
    EXPECT_EQ(run_other({"2", "3", "555", "他人", "Y", "-1", "0", "0"}), 0);
  }}};
  ASSERT_EQ(run({"2", "3", "555", "ABC", "Y", "555", "556", "DEF", "Y"}, other_stores_555), 3);
  EXPECT_EQ(register_file(), to_cp932("1234,\"山田  \"\r\n555,\"他人  \"\r\n556,\"DEF   \"\r\n"));
  EXPECT_EQ(console_->row_text(2), " 1234 山田     555 他人     556 DEF");
}

TEST_F(RegisterScreen, NoAsksTheNumberAgainOtherAnswersRepeatTheQuestion) {
  ASSERT_EQ(run({"2", "3", "77", "山田", "x", "n", "78", "", "ﾐ", "79", "", "y", "-1", "0", "0"}), 0);
  // The empty name entries keep the name typed before for this entry.
  EXPECT_EQ(register_file(), to_cp932("79,\"山田  \"\r\n"));
  EXPECT_EQ(console_->remaining(), 0u);
}

TEST_F(RegisterScreen, SixEntriesARowTheSeventhOnRowThree) {
  write_register("1,\"A     \"\r\n2,\"B     \"\r\n3,\"C     \"\r\n4,\"D     \"\r\n5,\"E     \"\r\n6,\"F     \"\r\n");
  ASSERT_EQ(run({"2", "3", "7", "G", "Y"}), 3);
  EXPECT_EQ(console_->row_text(2),
            "    1 A          2 B          3 C          4 D          5 E          6 F");
  EXPECT_EQ(console_->row_text(3), "    7 G");
  EXPECT_EQ(color_at(2, 65), 4);
  EXPECT_EQ(color_at(2, 71), 7);
}

TEST_F(RegisterScreen, EmptyFileStaysOnTheScreenAndIsFilled) {
  test::write_bytes(dir_ / "VDN-USER.DAT", "");
  ASSERT_EQ(run({"2", "3", "-1", "0", "0"}), 0);
  EXPECT_TRUE(has("VDN-USER.DAT"));
  ASSERT_EQ(run({"2", "3", "5", "X", "Y", "-1", "0", "0"}), 0);
  EXPECT_EQ(register_file(), "5,\"X     \"\r\n");
  // Building the index does not keep an empty register.
  test::write_bytes(dir_ / "VDN-USER.DAT", "");
  write_index({"FRAME      5      2019/02/20"});
  ASSERT_EQ(run({"2", "1", std::string(1, static_cast<char>(11)), "0", "0"}), 0);
  EXPECT_FALSE(has("VDN-USER.DAT"));
}

TEST_F(RegisterScreen, FullGridRefusesFurtherEntries) {
  std::string lines;
  for (int i = 1; i <= 132; ++i) lines += std::to_string(i) + ",\"N     \"\r\n";
  test::write_bytes(dir_ / "VDN-USER.DAT", lines);
  EXPECT_EQ(run({"2", "3"}), 3);
  EXPECT_EQ(console_->row_text(0), "*** 社員番号の登録 ***  ( NO.=-1 で終了 ) これ以上登録できません Hit any key");
  EXPECT_EQ(console_->row_text(23).substr(65), "  132 N");
  ASSERT_EQ(run({"2", "3", "k", "0", "0"}), 0);
  EXPECT_EQ(register_file(), lines);
}

TEST_F(RegisterScreen, EntryCutByAFullDiskIsNotLeftWhenTheUserLeaves) {
  write_register("1234,\"山田  \"\r\n");
  const std::string before = register_file();
  int status = test::run_in_child([&] {
    test::limit_file_size(before.size() + 4);
    return run({"2", "3", "55", "ABC", "Y", ScriptedConsole::key(27)});
  });
  EXPECT_EQ(status, 1);
  EXPECT_EQ(register_file(), before);
}

}  // namespace
}  // namespace verdan
