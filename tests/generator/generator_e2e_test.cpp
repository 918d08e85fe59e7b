// The built VDN-GENE run headless, with the control program beside it.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/headless_run.h"

namespace verdan {
namespace {

using GeneratorHeadless = test::HeadlessRun;

TEST_F(GeneratorHeadless, FirstRunHandsOverToTheControlProgramAndBack) {
  // No settings anywhere: the control program runs its settings screen,
  // writes the file and starts the generator again, which shows its menu.
  test::Outcome out = run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n");
  EXPECT_EQ(out.status, 3);  // input ends at the generator's menu
  EXPECT_TRUE(std::filesystem::exists(dir_ / "home/app/verdan/VERDAN.INI"));
  // Three final screens: the generator's (blank, before handing over), the
  // control program's and the generator's title screen.
  std::string last = out.screen.substr(out.screen.rfind("環境設定"));
  EXPECT_NE(last.find("任意フレーム応力解析 [VERDAN] DATA GENERATOR <VDN-GENE> Ver 2.59"), std::string::npos);
  EXPECT_NE(last.find("Data DIR = C:"), std::string::npos);
}

TEST_F(GeneratorHeadless, FramePictureInTheSnapshot) {
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");
  test::Outcome out = run("VDN-GENE", "1\n3\n2\n6\n\n\n4\n\n", "", "/usr/bin:/bin", built_programs(),
                          "VERDAN_SNAPSHOT='" + dir_ / "frame.png" + "'");
  EXPECT_EQ(out.status, 3);
  EXPECT_NE(out.screen.find("ITEM ="), std::string::npos);
  EXPECT_GT(std::filesystem::file_size(dir_ / "frame.png"), 1000u);
}

}  // namespace
}  // namespace verdan
