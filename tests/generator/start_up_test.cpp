#include <gtest/gtest.h>

#include <filesystem>

#include "tests/generator/generator_fixture.h"

namespace verdan {
namespace {

using GeneratorStartUp = test::GeneratorRun;

TEST_F(GeneratorStartUp, TitleScreenSettingsAndMessageTable) {
  write_settings(test::settings_file(std::string(30, 'D'), std::string(10, 'P')));
  EXPECT_EQ(run({}), 3);
  EXPECT_EQ(row(1), "        任意フレーム応力解析 [VERDAN] DATA GENERATOR <VDN-GENE> Ver 2.59");
  EXPECT_EQ(row(4), "              このプログラムは、任意フレーム応力解析 [VERDAN] の");
  EXPECT_EQ(row(9), "                    １．整 形 な 建 物（ビル等）");
  EXPECT_EQ(row(11), "                    ２．格 子 梁");
  EXPECT_EQ(row(14), "                    番号を選んで下さい：");
  // 40 - (30 + 11) / 2 = 19.5 rounds to 20.
  EXPECT_EQ(row(19), std::string(20, ' ') + "Data DIR = " + std::string(30, 'D'));
  EXPECT_EQ(row(21), std::string(20, ' ') + "PrintFILE= " + std::string(10, 'P'));
  EXPECT_EQ(program_->data_dir(), std::string(30, 'D'));
  ASSERT_EQ(program_->env_text().size(), 205u);
  EXPECT_EQ(program_->env_text()[203], "T204");
}

TEST_F(GeneratorStartUp, SettingsLinesMoveLeftForLongTextsButNeverPastColumnZero) {
  write_settings(test::settings_file(std::string(60, 'D'), "P"));
  run({});
  EXPECT_EQ(row(19).substr(0, 16), "     Data DIR = ");  // 40 - 35.5 = 4.5 rounds to 5
  write_settings(test::settings_file(std::string(75, 'D'), "P"));
  run({});
  EXPECT_EQ(row(19).substr(0, 11), "Data DIR = ");
}

TEST_F(GeneratorStartUp, OldLabelInFieldFiveMeansTheDefaultPrintFile) {
  std::string bytes = "\"C:\",\"C:\",\"PLT.OUT\",\"SI\"\r\n" + to_cp932("\"User's Number ＝\"\r\n");
  for (int i = 0; i < 12; ++i) bytes += "\"fixed\"\r\n";
  bytes += "\"1.2\",\"0\",\"2.1\",\"0.02\"\r\n\"T1\"\r\n";
  write_settings(bytes);
  run({});
  EXPECT_EQ(program_->print_file(), "VDN_PRT.TXT");
  ASSERT_EQ(program_->env_text().size(), 1u);
  EXPECT_EQ(program_->env_text()[0], "T1");
}

TEST_F(GeneratorStartUp, MoreThan250TrailingFieldsAreNotAFailure) {
  write_settings(test::settings_file("C:", "PRT.TXT", 300));
  EXPECT_EQ(run({""}), 0);
  EXPECT_EQ(program_->env_text().size(), 250u);
}

TEST_F(GeneratorStartUp, OldNameIsRenamedAndPreferred) {
  test::write_bytes(dir_ / "VERDAN.DAT", test::settings_file("OLD:", "PRT.TXT"));
  std::filesystem::create_directories(dir_ / "app/verdan");
  test::write_bytes(dir_ / "app/verdan/VERDAN.INI", test::settings_file("USER:", "PRT.TXT"));
  run({});
  EXPECT_EQ(program_->data_dir(), "OLD:");
  EXPECT_TRUE(std::filesystem::exists(dir_ / "VERDAN.INI"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "VERDAN.DAT"));
}

TEST_F(GeneratorStartUp, OldNameBesideANewOneIsLeftAlone) {
  test::write_bytes(dir_ / "VERDAN.DAT", test::settings_file("OLD:", "PRT.TXT"));
  write_settings(test::settings_file("NEW:", "PRT.TXT"));
  EXPECT_EQ(run({""}), 0);
  EXPECT_EQ(program_->data_dir(), "NEW:");
  EXPECT_TRUE(std::filesystem::exists(dir_ / "VERDAN.DAT"));
}

TEST_F(GeneratorStartUp, EmptyFileInTheStartDirectoryIsDeletedAndTheUserDirectoryUsed) {
  test::write_bytes(dir_ / "VERDAN.INI", "");
  std::filesystem::create_directories(dir_ / "app/verdan");
  test::write_bytes(dir_ / "app/verdan/VERDAN.INI", test::settings_file("USER:", "PRT.TXT"));
  run({});
  EXPECT_EQ(program_->data_dir(), "USER:");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "VERDAN.INI"));
}

TEST_F(GeneratorStartUp, MenuRepeatsOutOfRangeAndEndsOnEmptyOrFraction) {
  write_settings(test::settings_file("C:", "PRT.TXT"));
  EXPECT_EQ(run({"3", "-1", ""}), 0);
  EXPECT_EQ(console_->remaining(), 0u);
  EXPECT_EQ(run({"1.5"}), 0);
}

TEST_F(GeneratorStartUp, WithoutOsTheUserDirectoryIsUnderWindir) {
  test::ScopedEnv os("OS", std::nullopt);
  test::ScopedEnv windir("windir", dir_ / "win");
  std::filesystem::create_directories(dir_ / "win/verdan");
  test::write_bytes(dir_ / "win/verdan/VERDAN.INI", test::settings_file("WIN:", "PRT.TXT"));
  run({});
  EXPECT_EQ(program_->data_dir(), "WIN:");
}

// Starting places that have no DOS name or take no new file still find the
// settings where they are.
TEST_F(GeneratorStartUp, StartDirectoryTooLongForADosNameStillHoldsTheSettings) {
  std::string deep = dir_.path();
  while (deep.size() - dir_.path().size() < 260) deep += "/" + std::string(50, 'n');
  std::filesystem::create_directories(deep);
  test::write_bytes(deep + "/VERDAN.INI", test::settings_file("DEEP:", "PRT.TXT"));
  test::ScopedCwd inside(deep);
  run({});
  EXPECT_EQ(program_->data_dir(), "DEEP:");
}

TEST_F(GeneratorStartUp, ReadOnlyStartDirectoryUsesThePerUserSettings) {
  std::filesystem::create_directories(dir_ / "app/verdan");
  test::write_bytes(dir_ / "app/verdan/VERDAN.INI", test::settings_file("USER:", "PRT.TXT"));
  std::filesystem::permissions(dir_.path(), std::filesystem::perms(0555));
  int status = test::run_unprivileged(dir_.path(), [&] {
    int ended = run({"0"});
    return ended == 0 && program_->data_dir() == "USER:" ? 0 : 100 + ended;
  });
  if (status == 200) GTEST_SKIP() << "cannot drop root privileges";
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace verdan
