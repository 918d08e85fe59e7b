#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "shared/print.h"
#include "tests/generator/generator_fixture.h"

namespace verdan {
namespace {

using GeneratorErrors = test::GeneratorRun;

TEST_F(GeneratorErrors, CodedMessageContinueRestoresTheRow) {
  write_settings(test::settings_file("C:", "PRT.TXT"));
  console_ = std::make_unique<ScriptedConsole>(std::vector<std::string>{"x", "", "continue"});
  program_ = std::make_unique<GeneratorProgram>(*console_);
  console_->locate(21, 0);
  print(*console_, "two above");
  print(*console_, "one above");
  print(*console_, "row before", stay);
  EXPECT_EQ(program_->on_failure(Failure(kFileNotFound, "t"), 1050), ErrorHandler::Decision::retry);
  EXPECT_EQ(console_->remaining(), 0u);  // "x" and "" showed the message again
  // Each answer's line end scrolled the window; no copy of the message is
  // left and every row is back where it was.
  EXPECT_EQ(console_->row_text(21), "two above");
  EXPECT_EQ(console_->row_text(22), "one above");
  EXPECT_EQ(console_->row_text(23), "row before");
  EXPECT_EQ(console_->cursor_row(), 23);
  EXPECT_EQ(console_->cursor_col(), 0);
}

TEST_F(GeneratorErrors, MessageLineForCodesAndEnd) {
  console_ = std::make_unique<ScriptedConsole>(std::vector<std::string>{"e"});
  program_ = std::make_unique<GeneratorProgram>(*console_);
  console_->locate(5, 0);
  EXPECT_EQ(program_->on_failure(Failure(kFileNotFound, "t"), 1050), ErrorHandler::Decision::end);
  EXPECT_EQ(console_->row_text(5), "  ERROR : CODE = 63 LINE = 1050 ／ C:続行 , E:プログラム終了 e");
}

TEST_F(GeneratorErrors, HostReasonStandsBelowTheErrorLineAndInTheLog) {
  std::filesystem::create_directories(dir_ / "app/verdan");
  console_ = std::make_unique<ScriptedConsole>(std::vector<std::string>{"e"});
  program_ = std::make_unique<GeneratorProgram>(*console_);
  console_->locate(5, 0);
  const Failure failure(kFileNotFound, "open /data/PRT.TXT: No such file or directory");
  EXPECT_EQ(program_->on_failure(failure, 1050), ErrorHandler::Decision::end);
  EXPECT_EQ(console_->row_text(5), "  ERROR : CODE = 63 LINE = 1050 ／ C:続行 , E:プログラム終了 e");
  EXPECT_EQ(console_->row_text(6), "  open /data/PRT.TXT: No such file or directory");
  std::ifstream log(dir_ / "app/verdan/verdan.log");
  std::stringstream logged;
  logged << log.rdbuf();
  EXPECT_NE(logged.str().find("VDN-GENE"), std::string::npos) << logged.str();
  EXPECT_NE(logged.str().find("1050"), std::string::npos) << logged.str();
  EXPECT_NE(logged.str().find("open /data/PRT.TXT: No such file or directory"), std::string::npos)
      << logged.str();
}

TEST_F(GeneratorErrors, HostReasonNeverCoversTextBelowTheErrorLine) {
  console_ = std::make_unique<ScriptedConsole>(std::vector<std::string>{"e"});
  program_ = std::make_unique<GeneratorProgram>(*console_);
  console_->locate(6, 0);
  print(*console_, "kept");
  console_->locate(5, 0);
  program_->on_failure(Failure(kFileNotFound, "open /data/PRT.TXT: No such file"), 1050);
  EXPECT_EQ(console_->row_text(6), "kept");
}

TEST_F(GeneratorErrors, DriveAndProtectionMessagesComeFromTheSettingsFile) {
  write_settings(test::settings_file("C:", "PRT.TXT"));
  // The program reads T1 .. T205 and ends at its menu; then two failures.
  console_ = std::make_unique<ScriptedConsole>(std::vector<std::string>{"0", "E", "E"});
  program_ = std::make_unique<GeneratorProgram>(*console_);
  EXPECT_EQ(program_->run(), 0);
  console_->locate(3, 0);
  program_->on_failure(Failure(kDriveNotReady, "t"), 7);
  EXPECT_EQ(console_->row_text(3), "T202T204E");
  console_->locate(6, 0);
  program_->on_failure(Failure(kWriteProtected, "t"), 7);
  EXPECT_EQ(console_->row_text(6), "T203T204E");
}

TEST_F(GeneratorErrors, MissingUserDirectoryIsMadeSilentlyOnceAStep) {
  console_ = std::make_unique<ScriptedConsole>(std::vector<std::string>{"E"});
  program_ = std::make_unique<GeneratorProgram>(*console_);
  EXPECT_EQ(program_->on_failure(Failure(kPathNotFound, "t"), 1040), ErrorHandler::Decision::retry);
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "app/verdan"));
  EXPECT_EQ(console_->remaining(), 1u);  // no message, no answer taken
  // The same step failing again goes to the message.
  EXPECT_EQ(program_->on_failure(Failure(kPathNotFound, "t"), 1040), ErrorHandler::Decision::end);
}

TEST_F(GeneratorErrors, UnmakeableUserDirectoryEndsOnTheUsersWord) {
  test::ScopedEnv appdata("APPDATA", dir_ / "missing/deeper");
  EXPECT_EQ(run({"c", "E"}), 1);
  EXPECT_EQ(console_->remaining(), 0u);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "missing"));
}

TEST_F(GeneratorErrors, NoSettingsAnywhereHandsOverToTheControlProgram) {
  // The hand-over itself replaces the process; here the program is not on
  // PATH and not beside the test, so the start fails into the handler.
  test::ScopedEnv path("PATH", dir_.path());
  EXPECT_EQ(run({"E"}), 1);
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "app/verdan"));
  EXPECT_EQ(console_->row_text(console_->cursor_row() - 1).substr(0, 27), "  ERROR : CODE = 53 LINE = ");
}

TEST_F(GeneratorErrors, DataDirectoryThatDoesNotExistRetriesThenEnds) {
  write_settings(test::settings_file("C:\\NO\\SUCH\\", "PRT.TXT"));
  // 1 x 1 frame, default numbering; the data file cannot be made: the
  // silent repair is tried once, then the message; C tries again, E ends.
  EXPECT_EQ(run({"1", "1", "1", "6", "3.5", "5", "", "", "", "C", "E"}), 1);
  EXPECT_EQ(console_->remaining(), 0u);
  EXPECT_NE(console_->row_text(console_->cursor_row() - 1).find("  ERROR : CODE = 55 LINE = 5010"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "PRT.TXT"));  // the listing was written before
}

TEST_F(GeneratorErrors, UnwritableDataDirectoryShowsItsCode) {
  write_settings(test::settings_file("/proc/", "PRT.TXT"));
  EXPECT_EQ(run({"1", "1", "1", "6", "3.5", "5", "", "", "", "E"}), 1);
  std::string line = console_->row_text(console_->cursor_row() - 1);
  EXPECT_NE(line.find("  ERROR : CODE ="), std::string::npos) << line;
  EXPECT_EQ(line.find("CODE = 55"), std::string::npos) << line;
}

TEST_F(GeneratorErrors, ListingCutByAFullDiskIsNotLeftWhenTheUserEnds) {
  write_settings(test::settings_file("C:", "PRT.TXT"));
  test::write_bytes(dir_ / "PRT.TXT", "EARLIER\r\n");
  // "N" appends to the print file, which has room for a few bytes only.
  int status = test::run_in_child([&] {
    test::limit_file_size(20);
    return run({"1", "1", "1", "6", "3.5", "5", "", "", "", "N", "E"});
  });
  EXPECT_EQ(status, 1);
  EXPECT_EQ(test::read_bytes(dir_ / "PRT.TXT"), "EARLIER\r\n");
}

}  // namespace
}  // namespace verdan
