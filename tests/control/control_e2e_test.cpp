// The built VDN-CNTL run headless, as scripts and the generator use it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/headless_run.h"

namespace verdan {
namespace {

class ControlProgramHeadless : public test::HeadlessRun {
 protected:
  test::Outcome run(const std::string& script, const std::string& argument = "",
                    const std::string& path = "/usr/bin:/bin", const std::string& bin = built_programs()) {
    return HeadlessRun::run("VDN-CNTL", script, argument, path, bin);
  }
};

TEST_F(ControlProgramHeadless, FirstRunWritesTheFileAndEnds) {
  test::Outcome out = run("1\n\n\n\n\n\n\n\n\nY\n0\n");
  EXPECT_EQ(out.status, 0);
  std::string ini = test::read_bytes(dir_ / "home/app/verdan/VERDAN.INI");
  EXPECT_EQ(ini.substr(0, 36), "\"C:\",\"C:\",\"PLT.OUT\",\"SI\",\"PRT.TXT\"\r\n");
  int lines = 0;
  for (std::size_t i = 0; (i = ini.find("\r\n", i)) != std::string::npos; i += 2) ++lines;
  EXPECT_EQ(lines, 220);
  // The final screen: 24 lines on standard output.
  int newlines = 0;
  for (char c : out.screen) newlines += c == '\n';
  EXPECT_EQ(newlines, 24);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "home"), std::filesystem::directory_iterator()),
            1);  // only app/: no probe left an empty file behind
}

TEST_F(ControlProgramHeadless, InputRunningOutEndsWithStatusThree) {
  EXPECT_EQ(run("1\n").status, 3);
  EXPECT_NE(test::read_bytes(dir_ / "err").find("input ended"), std::string::npos);
}

TEST_F(ControlProgramHeadless, HandsOverToTheProgramNamedOnItsCommandLine) {
  const std::string bin = stand_in("VDN-GENE", "echo \"$# $*\" > '" + dir_ / "handed" + "'\nread rest\necho \"$rest\" >> '" +
                                                  dir_ / "handed" + "'\n");
  // A copy of the program beside the stand-in: programs are looked for
  // beside the running one first.
  std::filesystem::copy_file(built_programs() + "/VDN-CNTL", bin + "/VDN-CNTL");
  test::Outcome out = run("\n\n\n\n\n\n\n\nY\nleft for the next program\n", "VDN-GENE.EXE", "/usr/bin:/bin", bin);
  EXPECT_EQ(out.status, 0);
  // Started with no argument; the rest of the script was left unread for it.
  EXPECT_EQ(test::read_bytes(dir_ / "handed"), "0 \nleft for the next program\n");
  EXPECT_EQ(test::read_bytes(dir_ / "home/app/verdan/VERDAN.INI").substr(0, 5), "\"C:\",");
  EXPECT_EQ(out.screen.find("データ　管理"), std::string::npos);  // no menu was shown
  EXPECT_NE(out.screen.find("環境設定"), std::string::npos);
}

TEST_F(ControlProgramHeadless, OverlongArgumentIsRefusedOnceBeforeTheSettings) {
  test::Outcome out = run("\n\n\n\n\n\n\n\nY\n\x1b", "'" + std::string(200, 'A') + "'");
  EXPECT_EQ(out.status, 1);  // one key after the error line ends the program
  EXPECT_EQ(out.screen.substr(0, out.screen.find('\n')), "  ERROR : CODE =  5 LINE= 100  Hit any key !!");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "home/app/verdan/VERDAN.INI"));
}

TEST_F(ControlProgramHeadless, MarksTwoFilesDeletesThemAndRewritesTheIndex) {
  std::filesystem::create_directories(dir_ / "home/DATA");
  test::write_bytes(dir_ / "home/DATA/INDEX",
                    "\"A          1234   2019/02/20   alpha\"\r\n"
                    "\"B          2345   2019/02/21   beta\"\r\n"
                    "\"C          3456   98/12/01   gamma\"\r\n");
  for (const char* name : {"A", "B", "C", "UNLISTED"}) test::write_bytes(dir_ / "home/DATA/" + name, name);
  // No data directory yet: the settings screen comes first. Then the list: RETURN
  // marks A, two downs and RETURN mark C, ESC deletes.
  test::Outcome out = run("2\nDATA\\\n\n\n\n\n\n\n\nY\n1\n\n\x1f\x1f\n\x1b" "0\n0\n");
  EXPECT_EQ(out.status, 0);
  EXPECT_EQ(test::read_bytes(dir_ / "home/DATA/INDEX"),
            "\"B          2345   2019/02/21   beta                          \"\r\n");
  std::vector<std::string> left;
  for (auto& entry : std::filesystem::directory_iterator(dir_ / "home/DATA")) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"B", "INDEX", "UNLISTED"}));
}

}  // namespace
}  // namespace verdan
