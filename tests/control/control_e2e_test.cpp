// The built VDN-CNTL run headless, as scripts and the generator use it.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "control/env_file.h"
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

TEST_F(ControlProgramHeadless, F1AtASettingsEntryShowsItsPageAndTheNextKeyPutsTheScreenBack) {
  const auto plain = final_screen("VDN-CNTL", "1\nD:\n\n");
  const auto page = final_screen("VDN-CNTL", "1\nD:\n\n\x1b[11~\n");
  EXPECT_NE(page.first.find("ヘルプ：環境設定"), std::string::npos) << page.first;
  // The key that ends the page is any key, and is not typed into the entry.
  const auto back = final_screen("VDN-CNTL", "1\nD:\n\n\x1b[11~\nx");
  EXPECT_EQ(back.first, plain.first);
  EXPECT_TRUE(back.second == plain.second) << "the pictures differ";
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

// Two built sessions and an append by another program, interleaved: the
// first session has read "INDEX" and waits with a file marked while the
// second deletes another file and a line is appended; then the first
// deletes its file.
TEST_F(ControlProgramHeadless, TwoSessionsAndAnAppendInterleavedLoseNoLine) {
  const std::string data = dir_ / "home/DATA";
  std::filesystem::create_directories(data);
  std::filesystem::create_directories(dir_ / "home/app/verdan");
  StringSink ini;
  write_env_lines(ini, {"DATA\\", "C:", "PLT.OUT", "SI", "PRT.TXT", "1.2", "0", "2.1", "0.02"}, "2.64");
  test::write_bytes(dir_ / "home/app/verdan/VERDAN.INI", ini.text());
  test::write_bytes(data + "/INDEX",
                    "\"A          1234   2019/02/20   alpha\"\r\n"
                    "\"B          2345   2019/02/21   beta\"\r\n"
                    "\"C          3456   2019/02/22   gamma\"\r\n");
  for (const char* name : {"A", "B", "C", "D"}) test::write_bytes(data + "/" + name, name);

  // The first session's reading of the index: a read, then the close.
  const int watch = ::inotify_init1(IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, (data + "/INDEX").c_str(), IN_ACCESS | IN_CLOSE_NOWRITE), 0);
  const std::string command = "cd '" + dir_ / "home" + "' && env -i PATH=/usr/bin:/bin APPDATA='" +
                              dir_ / "home/app" + "' OS=Linux '" + built_programs() + "/VDN-CNTL' > '" +
                              dir_ / "first.out" + "' 2> '" + dir_ / "first.err" + "'";
  FILE* first = ::popen(command.c_str(), "w");
  ASSERT_NE(first, nullptr);
  // File management, the list, RETURN marks A.
  std::fputs("2\n1\n\n", first);
  std::fflush(first);
  bool read = false, closed = false;
  while (!closed) {
    pollfd ready{watch, POLLIN, 0};
    if (::poll(&ready, 1, 20000) <= 0) break;
    alignas(inotify_event) char events[4096];
    const ssize_t size = ::read(watch, events, sizeof events);
    for (ssize_t at = 0; at < size;) {
      const auto* event = reinterpret_cast<const inotify_event*>(events + at);
      if (event->mask & IN_ACCESS) read = true;
      if ((event->mask & IN_CLOSE_NOWRITE) && read) closed = true;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  ::close(watch);
  EXPECT_TRUE(closed) << "the first session never read the index";

  // The second session marks C (two downs, RETURN) and deletes it.
  EXPECT_EQ(run("2\n1\n\x1f\x1f\n\x1b" "0\n0\n").status, 0);
  // The analysis program saves D.
  std::ofstream(data + "/INDEX", std::ios::binary | std::ios::app) << "\"D          4567   2019/03/01   delta\"\r\n";
  // The first session deletes A.
  std::fputs("\x1b" "0\n0\n", first);
  const int status = ::pclose(first);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << test::read_bytes(dir_ / "first.err");

  EXPECT_EQ(test::read_bytes(data + "/INDEX"),
            "\"B          2345   2019/02/21   beta                          \"\r\n"
            "\"D          4567   2019/03/01   delta                         \"\r\n");
  EXPECT_FALSE(std::filesystem::exists(data + "/A") || std::filesystem::exists(data + "/C"));
  EXPECT_TRUE(std::filesystem::exists(data + "/B") && std::filesystem::exists(data + "/D"));
}

}  // namespace
}  // namespace verdan
