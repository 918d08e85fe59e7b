// What the control program answers on its command line before any screen.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/program_info.h"
#include "tests/headless_run.h"

namespace verdan {
namespace {

using ControlCommandLine = test::HeadlessRun;

TEST_F(ControlCommandLine, HelpAndVersionComeBeforeTheSettings) {
  // Neither is taken as a program to start after the settings screen.
  test::Outcome help = run("VDN-CNTL", "", "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.screen.rfind("Usage: VDN-CNTL", 0), 0u);
  EXPECT_NE(help.screen.find("VERDAN_CONSOLE"), std::string::npos);
  EXPECT_NE(help.screen.find("Exit status"), std::string::npos);
  test::Outcome version = run("VDN-CNTL", "", "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.screen.rfind(std::string("VDN-CNTL (VERDAN companion programs) ") + project_version() + "\n", 0),
            0u);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "home/app/verdan"));
}

TEST_F(ControlCommandLine, HelpAmongOtherWordsIsPartOfTheProgramToStart) {
  // "X --help" is still a command line to start after the settings.
  const std::string bin = stand_in("NEXT", "echo \"$*\" > '" + dir_ / "started" + "'\n");
  test::Outcome out = run("VDN-CNTL", "\n\n\n\n\n\n\n\nY\n", "NEXT --help", bin + ":/usr/bin:/bin");
  EXPECT_EQ(out.status, 0);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "home/app/verdan/VERDAN.INI"));
  EXPECT_EQ(test::read_bytes(dir_ / "started"), "--help\n");
}

}  // namespace
}  // namespace verdan
