// What the generator answers on its command line before any screen.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/program_info.h"
#include "tests/headless_run.h"

namespace verdan {
namespace {

using GeneratorCommandLine = test::HeadlessRun;

TEST_F(GeneratorCommandLine, HelpAndVersionComeBeforeTheHandOver) {
  // Without settings the generator would hand over to VDN-CNTL at once.
  test::Outcome help = run("VDN-GENE", "", "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.screen.rfind("Usage: VDN-GENE", 0), 0u);
  EXPECT_NE(help.screen.find("headless"), std::string::npos);
  test::Outcome short_help = run("VDN-GENE", "", "-h");
  EXPECT_EQ(short_help.screen, help.screen);
  test::Outcome version = run("VDN-GENE", "", "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.screen.rfind(std::string("VDN-GENE (VERDAN companion programs) ") + project_version() + "\n", 0),
            0u);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "home/app/verdan"));
}

// --help must read in any terminal: ASCII, within 79 columns, and it tells
// the places of the files as they are.
TEST_F(GeneratorCommandLine, HelpIsPlainTextThatTellsWhereTheFilesGo) {
  for (const char* program : {"VDN-GENE", "VDN-CNTL", "VDN-PLOT"}) {
    const std::string help = run(program, "", "--help").screen;
    std::size_t start = 0;
    for (std::size_t end; (end = help.find('\n', start)) != std::string::npos; start = end + 1) {
      EXPECT_LE(end - start, 79u) << program << ": " << help.substr(start, end - start);
    }
    for (unsigned char c : help) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << program << " " << int(c);
  }
  // Read as words, whatever the wrapping.
  auto words = [&](const char* program) {
    std::string text;
    for (char c : run(program, "", "--help").screen) {
      if (c != ' ' && c != '\n') text += c;
      else if (!text.empty() && text.back() != ' ') text += ' ';
    }
    return text;
  };
  EXPECT_NE(words("VDN-GENE").find("PRT.TXT the print file the settings name; a name without a directory is in the "
                                   "current directory"),
            std::string::npos);
  const std::string control = words("VDN-CNTL");
  EXPECT_NE(control.find("VDN-USER.DAT the employee register, in the current directory"), std::string::npos);
  EXPECT_NE(control.find("ESC deletes every marked file"), std::string::npos);
}

// The window library and the fifty it pulls in are opened only for a
// window: a headless run of a small frame would spend much of its time
// loading them.
TEST_F(GeneratorCommandLine, StartsWithoutLoadingTheWindowLibrary) {
  for (const char* program : {"VDN-GENE", "VDN-CNTL"}) {
    test::Outcome version = run(program, "", "--version", "/usr/bin:/bin", built_programs(), "LD_DEBUG=libs");
    EXPECT_EQ(version.status, 0);
    const std::string loaded = test::read_bytes(dir_ / "err");
    EXPECT_NE(loaded.find("libc.so"), std::string::npos) << "the loader told nothing";
    EXPECT_EQ(loaded.find("libSDL2"), std::string::npos) << program;
  }
}

}  // namespace
}  // namespace verdan
