#include <gtest/gtest.h>

#include <filesystem>

#include "control/env_file.h"
#include "platform/codec/cp932.h"
#include "shared/print.h"
#include "tests/control/control_fixture.h"

namespace verdan {
namespace {

using ControlProgramRun = test::ControlRun;

TEST_F(ControlProgramRun, MenuBeepsOutOfRangeAndEndsOnEmpty) {
  // 1.5 is item 2: file management, which asks for the settings first
  // while there are none.
  EXPECT_EQ(run({"3", "-1", "1.5", "", "", "", "", "", "", "", "", "Y", "0", ""}), 0);
  EXPECT_EQ(console_->beeps(), 2);
  EXPECT_EQ(console_->remaining(), 0u);
}

TEST_F(ControlProgramRun, MenuShowsItsItems) {
  EXPECT_EQ(run({}), 3);
  EXPECT_EQ(console_->row_text(1), "            ＊＊  VERDAN  Ver 2.64  データ　管理  ＊＊");
  EXPECT_EQ(console_->row_text(6), "                      １． 環 境 設 定");
  EXPECT_EQ(console_->row_text(8), "                      ２． ファイル管理");
  EXPECT_EQ(console_->row_text(14), "                  番号を選んで下さい( 0:終了) ?");
}

TEST_F(ControlProgramRun, NumberArgumentShowsTheMenu) {
  EXPECT_EQ(run({"0"}, "NUMBER"), 0);
}

// A command line the program could not be started with: refused once with
// the error line, before the settings, and the program ends.
TEST_F(ControlProgramRun, ArgumentLongerThanACommandLineIsRefusedBeforeTheSettings) {
  const std::string too_long = "VDN-GENE.EXE " + std::string(111, 'A');  // 124 bytes
  EXPECT_EQ(run({}, too_long), 3);
  EXPECT_EQ(console_->row_text(0), "  ERROR : CODE =  5 LINE= 100  Hit any key !!");
  EXPECT_EQ(console_->row_text(1).substr(0, 36), "  command line longer than 123 bytes");
  EXPECT_EQ(run({"x", "", "", "", "", "", "", "", "", "Y"}, too_long), 1);
  EXPECT_EQ(console_->remaining(), 9u);
  EXPECT_EQ(console_->row_text(0), "  ERROR : CODE =  5 LINE= 100  Hit any key !!");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "app/verdan"));
  // 123 bytes fit: the settings screen comes.
  EXPECT_EQ(run({}, too_long.substr(1)), 3);
  EXPECT_NE(console_->row_text(0).find("環境設定"), std::string::npos);
}

TEST_F(ControlProgramRun, FirstRunCreatesThePerUserDirectoryAndLeavesNoOtherFile) {
  ASSERT_EQ(run({"1", "", "", "", "", "", "", "", "", "Y", "0"}), 0);
  EXPECT_EQ(program_->env_dir(), program_->user_dir());
  std::vector<std::string> files;
  for (auto& entry : std::filesystem::recursive_directory_iterator(dir_.path())) {
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  }
  EXPECT_EQ(files, std::vector<std::string>{dir_ / "app/verdan/VERDAN.INI"});
}

TEST_F(ControlProgramRun, OldFileInTheStartDirectoryIsRenamedAndKept) {
  StringSink old;
  write_env_lines(old, {"D:", "D:", "X.OUT", "si", "Y.TXT", "2.3", "0", "1.1", "0"}, "2.60");
  test::write_bytes(dir_ / "VERDAN.DAT", old.text());
  ASSERT_EQ(run({"1", "", "", "", "", "", "", "", "", "Y", "0"}), 0);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "VERDAN.DAT"));
  EXPECT_EQ(program_->env_dir(), program_->start_dir());
  std::string rewritten = test::read_bytes(dir_ / "VERDAN.INI");
  EXPECT_EQ(rewritten.substr(0, rewritten.find("\r\n")), "\"D:\",\"D:\",\"X.OUT\",\"si\",\"Y.TXT\"");
  EXPECT_NE(rewritten.find("\"2.3\",\"0\",\"1.1\",\"0\"\r\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "app/verdan"));
}

TEST_F(ControlProgramRun, ReplacingTheFileKeepsNoTemporaryBeside) {
  ASSERT_EQ(run({"1", "", "", "", "", "", "", "", "", "Y", "1", "k", "", "", "", "", "", "", "", "Y", "0"}), 0);
  EXPECT_EQ(first_line(), "\"K:\",\"C:\",\"PLT.OUT\",\"SI\",\"PRT.TXT\"");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "app/verdan"),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(ControlProgramRun, UncreatableDirectoryShowsTheErrorLineRetriesAndLetsTheUserLeave) {
  test::ScopedEnv appdata("APPDATA", dir_ / "missing/deeper");
  // "x" retries (the same failure comes back); ESC ends the program.
  EXPECT_EQ(run({"1", "x", ScriptedConsole::key(27)}), 1);
  EXPECT_EQ(console_->remaining(), 0u);
  // The row was put back after each message.
  int row = console_->cursor_row();
  EXPECT_EQ(console_->row_text(row).find("ERROR"), std::string::npos);
}

TEST_F(ControlProgramRun, ErrorLineShowsCodeAndStep) {
  test::ScopedEnv appdata("APPDATA", dir_ / "missing/deeper");
  EXPECT_EQ(run({"1"}), 3);  // the script ends while the error line waits for a key
  EXPECT_EQ(console_->row_text(console_->cursor_row()), "  ERROR : CODE = 55 LINE= 210  Hit any key !!  ESC:終了");
}

TEST_F(ControlProgramRun, EscHintOnlyWhereItCoversNothing) {
  console_ = std::make_unique<ScriptedConsole>(
      std::vector<std::string>{"1", "", "", "", "", "", "", "", "", "Y", "0", "x"});
  program_ = std::make_unique<ControlProgram>(*console_, "");
  ASSERT_EQ(program_->run(), 0);
  console_->locate(23, 0);
  print(*console_, std::string(50, '.') + "kept", stay);
  console_->locate(23, 3);
  EXPECT_EQ(program_->on_failure(Failure(kFileNotFound, "t"), 7), ErrorHandler::Decision::retry);
  EXPECT_EQ(console_->row_text(23), std::string(50, '.') + "kept");
  EXPECT_EQ(console_->cursor_col(), 3);
  // With the key gone the line stays to be read: no hint over the text.
  EXPECT_THROW(program_->on_failure(Failure(kFileNotFound, "t"), 7), ProgramEnd);
  EXPECT_EQ(console_->row_text(23), "  ERROR : CODE = 63 LINE=   7  Hit any key !!" + std::string(5, '.') + "kept");
}

TEST_F(ControlProgramRun, RemovedStartDirectoryStillStartsAndKeepsTheSettingsPerUser) {
  std::filesystem::create_directory(dir_ / "gone");
  test::ScopedCwd inside(dir_ / "gone");
  std::filesystem::remove(dir_ / "gone");
  // Run apart: the fault this guards against aborted the process.
  int status = test::run_in_child([&] { return run({"1", "", "", "", "", "", "", "", "", "Y", "0"}); });
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "app/verdan/VERDAN.INI"));
}

}  // namespace
}  // namespace verdan
