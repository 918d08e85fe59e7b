#include "platform/host/program_start.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <optional>

#include "platform/codec/cp932.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

namespace fs = std::filesystem;

TEST(CommandLineSplit, ProgramUpToTheFirstBlankArgumentTheRest) {
  struct Case {
    std::string line, program, argument;
  };
  const Case cases[] = {
      {"PROG.EXE DATA", "PROG.EXE", "DATA"},
      {"  OTHER.EXE  ", "OTHER.EXE", ""},
      {"PROG.EXE  ARG TEXT ", "PROG.EXE", "ARG TEXT"},
      {"\"C:\\MY PROGS\\X.EXE\" A", "C:\\MY PROGS\\X.EXE", "A"},
      {sj("ソフト.EXE 表"), sj("ソフト.EXE"), sj("表")},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    CommandLine split = split_command_line(c.line);
    EXPECT_EQ(split.program, c.program) << "line: " << to_utf8(c.line);
    EXPECT_EQ(split.argument, c.argument) << "line: " << to_utf8(c.line);
  }
}

// Stand-in programs in temporary directories that are the whole PATH.
class ProgramStartTest : public ::testing::Test {
 protected:
  std::string add_program(const std::string& dir, const std::string& name,
                          const std::string& text, fs::perms mode = fs::perms(0755)) {
    fs::create_directories(dir);
    const std::string path = dir + "/" + name;
    test::write_bytes(path, text);
    fs::permissions(path, mode);
    return path;
  }
  // A program that records its name and arguments, one a line, and exits 42.
  std::string add_recorder(const std::string& dir, const std::string& name) {
    return add_program(dir, name,
                       "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$#\" \"$@\" > \"" + record_ +
                           "\"\nexit 42\n");
  }

  test::TempDir root_;
  const std::string first_ = root_ / "first";
  const std::string second_ = root_ / "second";
  const std::string record_ = root_ / "record";
  const std::string marker_ = root_ / "marker";
  test::ScopedEnv path_{"PATH", first_ + ":" + second_};
  test::ScopedEnv drive_d_{"VERDAN_DRIVE_D", root_.path()};
  std::function<void()> mark_ = [this] { test::write_bytes(marker_, "handed back"); };
};

TEST_F(ProgramStartTest, FindsTheNameWithoutExeRegardlessOfCase) {
  add_program(first_, "stub", "not executable", fs::perms(0644));
  const std::string stub = add_recorder(second_, "Stub");
  EXPECT_EQ(find_program("STUB.EXE"), stub);
  EXPECT_EQ(find_program("stub"), stub);
  // Earlier PATH entries win.
  const std::string earlier = add_recorder(first_, "STUB");
  EXPECT_EQ(find_program("stub.exe"), earlier);
  EXPECT_EQ(find_program("NOSUCH.EXE"), "");
  EXPECT_EQ(find_program(""), "");
}

TEST_F(ProgramStartTest, NameWithBytesOfNoCharacterFindsNoProgram) {
  // Mapped by replacement it would be the program U+FFFD "AB".
  add_recorder(first_, "\xEF\xBF\xBD" "AB");
  EXPECT_EQ(find_program("\x83/AB"), "");
}

TEST_F(ProgramStartTest, NameWithADirectoryIsLookedForThereOnly) {
  const std::string tool = add_recorder(root_ / "bin", "tool");
  add_recorder(first_, "tool");
  EXPECT_EQ(find_program("D:\\BIN\\TOOL.EXE"), tool);
  EXPECT_EQ(find_program("D:\\NOBIN\\TOOL.EXE"), "");
}

TEST_F(ProgramStartTest, TheRunningProgramsOwnDirectoryComesFirst) {
  char self[PATH_MAX] = {};
  ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
  const std::string own_name = fs::path(self).filename().string();
  add_recorder(first_, own_name);
  std::string upper = own_name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(find_program(upper + ".EXE"), self);
}

TEST_F(ProgramStartTest, TheCurrentDirectoryComesBeforePath) {
  const std::string here = root_ / "work";
  add_recorder(here, "Verdan");
  test::ScopedCwd cwd(here);
  EXPECT_EQ(find_program("VERDAN.EXE"), "./Verdan");
  add_recorder(first_, "verdan");
  EXPECT_EQ(find_program("verdan.exe"), "./Verdan");
}

TEST_F(ProgramStartTest, StartedProgramGetsTheArgumentAndReplacesTheCaller) {
  const std::string stub = add_recorder(second_, "analyse");
  int status = test::run_in_child([&] {
    start_and_end("ANALYSE.EXE", "DATA", mark_);
    return 0;
  });
  EXPECT_EQ(status, 42);
  EXPECT_EQ(test::read_bytes(record_), stub + "\n1\nDATA\n");
  EXPECT_EQ(test::read_bytes(marker_), "handed back");
}

TEST_F(ProgramStartTest, ArgumentReachesTheProgramAsUtf8AndEmptyMeansNone) {
  const std::string stub = add_recorder(second_, "control");
  EXPECT_EQ(test::run_in_child([&] {
              start_and_end("CONTROL.EXE", sj("データ"), [] {});
              return 0;
            }),
            42);
  EXPECT_EQ(test::read_bytes(record_), stub + "\n1\nデータ\n");
  EXPECT_EQ(test::run_in_child([&] {
              start_and_end("CONTROL.EXE", "", [] {});
              return 0;
            }),
            42);
  EXPECT_EQ(test::read_bytes(record_), stub + "\n0\n");
}

TEST_F(ProgramStartTest, MissingProgramIs53AndTheConsoleIsNotHandedBack) {
  int status = test::run_in_child([&] {
    start_and_end("ANALYSE.EXE", "DATA", mark_);
    return 0;
  });
  EXPECT_EQ(status, 53);
  EXPECT_FALSE(fs::exists(marker_));
}

TEST_F(ProgramStartTest, ProgramThatCannotRunIs53) {
  add_program(first_, "broken", "no interpreter line, no machine code\n");
  int status = test::run_in_child([&] {
    start_and_end("BROKEN.EXE", "", mark_);
    return 0;
  });
  EXPECT_EQ(status, 53);
  EXPECT_TRUE(fs::exists(marker_));
}

TEST_F(ProgramStartTest, CommandLineLongerThan123BytesIsRefused) {
  add_recorder(first_, "analyse");
  // 11 + 1 + 111 = 123 bytes still go; one more does not.
  EXPECT_EQ(test::run_in_child([&] {
              start_and_end("ANALYSE.EXE", std::string(111, 'a'), [] {});
              return 0;
            }),
            42);
  EXPECT_EQ(test::run_in_child([&] {
              start_and_end("ANALYSE.EXE", std::string(112, 'a'), mark_);
              return 0;
            }),
            5);
  EXPECT_FALSE(fs::exists(marker_));
}

}  // namespace
}  // namespace verdan
