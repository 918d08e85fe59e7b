#include "platform/console/console.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/codec/cp932.h"
#include "platform/fallible_step.h"
#include "platform/frontends/headless/headless_console.h"
#include "platform/frontends/headless/scripted_console.h"

namespace verdan {
namespace {

TEST(ScriptedConsoleEntry, EchoesTheEntryAfterThePromptAndEndsTheLine) {
  ScriptedConsole console({"山田"});
  console.write(sj("名前? "));
  EXPECT_EQ(console.read_line(), sj("山田"));
  EXPECT_EQ(console.row_text(0), "名前? 山田");
  EXPECT_EQ(console.cursor_row(), 1);
  EXPECT_EQ(console.cursor_col(), 0);
}

TEST(ScriptedConsoleEntry, EntryOnTheLastRowScrollsTheWindowBelowAHeading) {
  ScriptedConsole console({"2.5"});
  console.write(sj("** スパン長の入力 **"));
  console.set_window(1, 23);
  console.locate(23, 0);
  console.write("X (m)=");
  console.read_line();
  EXPECT_EQ(console.row_text(0), "** スパン長の入力 **");
  EXPECT_EQ(console.row_text(22), "X (m)=2.5");
  EXPECT_EQ(console.row_text(23), "");
  EXPECT_EQ(console.cursor_row(), 23);
}

TEST(ScriptedConsoleKeys, KeysAreOneByteCodesWithoutEcho) {
  ScriptedConsole console({ScriptedConsole::key(30), "", "y", "\n", ScriptedConsole::key(200)});
  EXPECT_EQ(console.read_key(), 30);
  EXPECT_EQ(console.read_key(), 13);
  EXPECT_EQ(console.read_key(), 'y');
  EXPECT_EQ(console.read_key(), 13);
  EXPECT_EQ(console.read_key(), 200);
  EXPECT_EQ(console.row_text(0), "");
  EXPECT_EQ(console.cursor_col(), 0);
}

TEST(ScriptedConsoleKeys, RunningOutOfScriptEndsWithStatus3AfterHandingBack) {
  ScriptedConsole console({"1"});
  console.read_line();
  try {
    console.read_key();
    FAIL() << "no ProgramEnd";
  } catch (const ProgramEnd& end) {
    EXPECT_EQ(end.status, 3);
  }
  EXPECT_EQ(console.hand_backs(), 1);
  console.hand_back();  // main does it again on the way out
  EXPECT_EQ(console.hand_backs(), 1);
}

TEST(ConsoleHandBack, PresentsAgainOnlyAfterTheConsoleWasUsedAgain) {
  ScriptedConsole console({"", ""});
  console.beep();
  console.wait_ticks(100);
  console.hand_back();
  console.hand_back();
  EXPECT_EQ(console.hand_backs(), 1);
  // A start that failed: the program goes on and ends later.
  console.write("ERROR");
  console.hand_back();
  EXPECT_EQ(console.hand_backs(), 2);
  EXPECT_EQ(console.beeps(), 1);
  EXPECT_EQ(console.waited_ticks(), 100);
}

TEST(ConsoleTextSink, ColumnFollowsTheCursorThroughWritesAndLineEnds) {
  ScriptedConsole console({});
  TextSink& sink = console;
  sink.write(sj("ab表"));
  EXPECT_EQ(sink.column(), 4);
  sink.end_line();
  EXPECT_EQ(sink.column(), 0);
  sink.write(std::string(80, '-'));
  EXPECT_EQ(sink.column(), 80);
  EXPECT_EQ(console.cursor_row(), 1);
}

// A HeadlessConsole over temporary files standing in for the standard
// streams; returns what reached standard output once the console is gone.
template <typename Dialogue>
std::string run_headless(const std::string& input, Dialogue&& dialogue) {
  unsetenv("VERDAN_SNAPSHOT");
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::fwrite(input.data(), 1, input.size(), in);
  std::fflush(in);
  std::rewind(in);
  {
    HeadlessConsole console(fileno(in), fileno(out), fileno(out));
    dialogue(console);
  }  // hands back
  std::string text;
  ::lseek(fileno(out), 0, SEEK_SET);
  char buffer[4096];
  for (ssize_t n; (n = ::read(fileno(out), buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  std::fclose(in);
  std::fclose(out);
  return text;
}

TEST(HeadlessConsole, EntriesAndKeysComeFromTheInputBytes) {
  run_headless("abc\r\n\xE3\x81\x82\n\n\r\x1btail", [](Console& console) {
    EXPECT_EQ(console.read_line(), "abc");       // CR before LF dropped
    EXPECT_EQ(console.read_line(), "\x82\xA0");  // UTF-8 to CP932
    EXPECT_EQ(console.read_key(), 13);           // LF is RETURN
    EXPECT_EQ(console.read_key(), 13);
    EXPECT_EQ(console.read_key(), 27);
    EXPECT_EQ(console.read_line(), "tail");  // a last entry without LF counts
    EXPECT_EQ(console.screen().row_text(1), "あ");
  });
}

TEST(HeadlessConsole, DumpShowsEveryRowAsUtf8Once) {
  std::string out = run_headless("", [](Console& console) {
    console.locate(23, 76);
    console.write(sj("ｿﾌﾄ表"));  // 表 would start in column 79: next row, scrolled
    console.hand_back();
  });
  std::string expected(22, '\n');
  expected += std::string(76, ' ') + "ｿﾌﾄ\n表\n";
  EXPECT_EQ(out, expected);
}

}  // namespace
}  // namespace verdan
