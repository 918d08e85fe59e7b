// Converting intermediate files into JW_CAD drawings.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <string>

#include "platform/codec/cp932.h"
#include "platform/fallible_step.h"
#include "platform/failure.h"
#include "platform/frontends/headless/scripted_console.h"
#include "plt_draw/jwc_header.h"
#include "plt_draw/plot_device.h"
#include "plt_draw/primitives.h"
#include "plt_draw/tmp2jwc.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

using namespace std::string_literals;

const std::string kTitle = "i" + std::string(32, ' ') + "\n";

std::string group(const std::string& setup = "1.00,0,4,") { return kTitle + kTitle + "i" + setup + "\n"; }

// Records typed byte by byte: 16 bytes of coordinates, then the rest.
std::string line_record(const std::string& coords, char pen, char layer) {
  return "s" + coords + "\x01"s + pen + layer + "\0\0\0\n"s;
}
std::string circle_record(const std::string& coords12, char layer) {
  return "e" + coords12 + "\x10\x27"s + std::string(12, '\0') + "\x01\x02"s + layer + "\0\0\0\n"s;
}
std::string text_record(const std::string& coords, char height, char layer, const std::string& text) {
  return "m" + coords + "\0\0\0\0"s + height + layer + "\0\0"s + text + "\0\n"s;
}

std::string block(std::string text) {
  text.resize(kTextBlock, ' ');
  return text;
}

class Conversion : public ::testing::Test {
 protected:
  Conversion() : cwd_(dir_.path()) {}

  std::string convert(const std::string& intermediate, const std::string& spinner = "") {
    test::write_bytes(dir_ / "T.TMP", intermediate);
    TMP2JWC(console_, "T.TMP", "T.JWC", spinner);
    return test::read_bytes(dir_ / "T.JWC");
  }

  test::TempDir dir_;
  test::ScopedCwd cwd_;
  ScriptedConsole console_{{}};
};

TEST_F(Conversion, OneGroupWrittenByInit) {
  PlotState s;
  StringSink tmp;
  s.plot_device = 5;
  s.plot_file = &tmp;
  INIT(s, 2, 1);
  plot_write(s, s.plot_reset);
  plot_write(s, s.plot_setup);
  PLOT(s, 10, 10, 1);
  PLT_END(s);

  std::string jwc = convert(tmp.text());
  EXPECT_EQ(jwc.substr(0, 200), "jw_cad(c)data.......a.f.m..............." + std::string(62 + 98, ' '));
  EXPECT_EQ(jwc.substr(200, 200), block("1,0,0,0,0,1,1,1,1,1.00,0,4,1,3,5,5,5,10,0,1,1,1,1,2,3,10,10,0,0,0,678,0"));
  EXPECT_EQ(jwc.substr(400, 200), block("0.5,0.0,3.0,15.0,1,1,0,0,0,0,0.0,0.0,0.0,0.0,0.0,0.0,0,0,0,"
                                        "1000.000,500.000,400.000,300.000,200.000,100.000,0,0,1"));
  // No texts: the pool is only its closing zero byte.
  EXPECT_EQ(jwc.substr(600, 200),
            block("0000:0000,0000:0001,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,36,-23.45,0,0,-1,215,0"));
  EXPECT_EQ(jwc.size(), 2421u + 22 + 1 + 2048 + 256);
}

TEST_F(Conversion, OffsetsOfTheDrawingFile) {
  const std::string a = "abcdefghijklmnop";
  const std::string b = "ABCDEFGHIJKLMNOP";
  std::string jwc = convert(group() + line_record(a, 1, 0) + circle_record("0123456789AB", 5) +
                            text_record(a, 3, 1, "AB") + line_record(b, 2, 4) + text_record(b, 7, 2, "xyz") + "t");
  ASSERT_EQ(jwc.size(), 2421u + 2 * 22 + 32 + 2 * 24 + 7 + 1 + 2048 + 256);
  EXPECT_EQ(jwc.substr(200, 6), "2,1,2,");

  EXPECT_EQ(jwc.substr(800, 909), std::string(909, '\0'));
  EXPECT_EQ(jwc.substr(1709, 22), "\0\0\1\0\1\0\2\0\2\0\3\0\3\0\4\0\4\0\5\0\5\0"s);
  const std::string tens = "\0\0\x0a\0\x14\0\x1e\0\x28\0\x32\0\x3c\0\x46\0\x50\0\x5a\0\x64\0"s;
  EXPECT_EQ(jwc.substr(1731, 22), tens);
  EXPECT_EQ(jwc.substr(1753, 22), tens);
  EXPECT_EQ(jwc.substr(1775, 22), std::string(22, '\0'));
  EXPECT_EQ(jwc.substr(1797, 4), "\0\0\x80\x3F"s);  // group scale 1
  EXPECT_EQ(jwc.substr(1857, 4), "\0\0\x80\x3F"s);  // the sixteenth group's default
  const std::string layers = "\1\1\1\1\1\1\1\1\0\0\1\1\1\1\1\1"s;  // layers 8 and 9 off
  for (std::size_t table : {1861u, 2133u}) {
    EXPECT_EQ(jwc.substr(table, 16), std::string(16, '\1'));
    for (std::size_t g = 0; g < 16; ++g) EXPECT_EQ(jwc.substr(table + 16 + 16 * g, 16), layers) << table << " " << g;
  }
  EXPECT_EQ(jwc.substr(2405, 16), std::string(16, '\0'));

  // Lines, then circles, then text records, in the order of the file.
  EXPECT_EQ(jwc.substr(2421, 22), a + "\x01\x01\x00\0\0\0"s);
  EXPECT_EQ(jwc.substr(2443, 22), b + "\x01\x02\x04\0\0\0"s);
  EXPECT_EQ(jwc.substr(2465, 32), "0123456789AB\x10\x27"s + std::string(12, '\0') + "\x01\x02\x05\0\0\0"s);
  EXPECT_EQ(jwc.substr(2497, 24), a + "\0\0\0\0\x03\x01\0\0"s);
  EXPECT_EQ(jwc.substr(2521, 24), b + "\x03\0\0\0\x07\x02\0\0"s);  // starts behind "AB" and its zero
  EXPECT_EQ(jwc.substr(2545, 8), "AB\0xyz\0\0"s);
  EXPECT_EQ(jwc.substr(2553, 16), "BASE    DISP    ");
  EXPECT_EQ(jwc.substr(2553 + 128, 16), "BASE    DISP    ");
  EXPECT_EQ(jwc.substr(2553 + 15 * 128 + 112, 16), "NOTES(D)NOTES(S)");
  EXPECT_EQ(jwc.substr(2553 + 2048), std::string(256, ' '));
}

// Line and text records go in runs through the read chunks: every one keeps
// its bytes and its group's layers, across the chunks' ends and a second
// group, and the texts their places in the pool.
TEST_F(Conversion, ManyLinesAndTextsKeepTheirBytesAndLayersAcrossTheReadChunks) {
  const auto coords = [](int i) {
    std::string c(16, '\0');
    for (std::size_t k = 0; k < c.size(); ++k) c[k] = static_cast<char>((i * 7 + static_cast<int>(k) * 13) & 0x3F);
    return c;
  };
  std::string intermediate = group(), lines, text_records, pool;
  const auto add_text = [&](int i, const std::string& text, int group_offset) {
    const char layer = static_cast<char>(i % 16);
    intermediate += text_record(coords(i), 3, layer, text);
    const auto at = static_cast<std::uint32_t>(pool.size());
    text_records += coords(i) + std::string{static_cast<char>(at & 0xFF), static_cast<char>(at >> 8 & 0xFF),
                                            static_cast<char>(at >> 16), '\0', '\3',
                                            static_cast<char>(layer + group_offset), '\0', '\0'};
    pool += text + '\0';
  };
  for (int i = 0; i < 40000; ++i) {
    if (i == 15000) add_text(i, "n", 0);
    if (i == 30000) intermediate += group("2.00,0,3,");
    const char layer = static_cast<char>(i % 16);
    intermediate += line_record(coords(i), static_cast<char>(1 + i % 3), layer);
    const char in_file = static_cast<char>(layer + (i >= 30000 ? 16 : 0));
    lines += coords(i) + "\x01"s + static_cast<char>(1 + i % 3) + in_file + "\0\0\0"s;
  }
  for (int i = 0; i < 30000; ++i) add_text(i, "label " + std::to_string(i * 37), 16);
  const std::string jwc = convert(intermediate + "t");
  EXPECT_EQ(jwc.substr(200, 14), "40000,0,30001,");
  const std::string drawing = lines + text_records + pool + '\0';
  ASSERT_GE(jwc.size(), 2421 + drawing.size());
  EXPECT_TRUE(jwc.compare(2421, drawing.size(), drawing) == 0);
}

TEST_F(Conversion, HugeScaleWrittenInExponentFormIsReadWhole) {
  std::string jwc = convert(group("1E+06.00,0,3,") + line_record(std::string(16, 'c'), 1, 0));
  EXPECT_EQ(jwc.substr(1797, 4), "\x00\x24\x74\x49"s);  // 1000000 as a single
}

TEST_F(Conversion, ScaleWithADoubleExponentIsReadWhole) {
  std::string jwc = convert(group("1.5D+02,0,3,") + line_record(std::string(16, 'c'), 1, 0));
  EXPECT_EQ(jwc.substr(1797, 4), "\x00\x00\x16\x43"s);  // 150 as a single
}

// A drawing file may carry no number that is not finite: such a scale or
// coordinate is an overflow, found before the old drawing is touched.
TEST_F(Conversion, NumbersThatAreNotFiniteAreOverflowsBeforeWriting) {
  const std::string c(16, 'c');
  const std::string infinite = "\0\0\x80\x7F"s, not_a_number = "\0\0\xC0\x7F"s;
  struct Case {
    const char* what;
    std::string bytes;
  };
  for (const Case& k : {Case{"infinite scale", group("inf,0,4,")},
                        Case{"scale not a number", group("NaN,0,4,")},
                        Case{"scale beyond single precision", group("1E+39,0,4,")},
                        Case{"scale beyond double precision", group("1D+400,0,4,")},
                        Case{"line to infinity", group() + line_record(c.substr(0, 12) + infinite, 1, 0)},
                        Case{"circle of no radius", group() + circle_record(c.substr(0, 8) + not_a_number, 0)},
                        Case{"text at no place", group() + text_record(not_a_number + c.substr(4), 3, 0, "x")}}) {
    SCOPED_TRACE(k.what);
    test::write_bytes(dir_ / "T.TMP", k.bytes + line_record(c, 1, 0) + "t");
    test::write_bytes(dir_ / "T.JWC", "old drawing");
    EXPECT_EQ(test::failure_code_of([&] { TMP2JWC(console_, "T.TMP", "T.JWC", ""); }), kOverflow);
    EXPECT_EQ(test::read_bytes(dir_ / "T.JWC"), "old drawing");
  }
}

// The drawing is written beside the old one: a write failing part-way (here
// the file size limit) leaves the old drawing whole and no other file.
TEST_F(Conversion, AFailedWriteLeavesTheOldDrawing) {
  std::string intermediate = group();
  for (int i = 0; i < 100; ++i) intermediate += line_record(std::string(16, 'c'), 1, 0);
  test::write_bytes(dir_ / "T.TMP", intermediate);
  test::write_bytes(dir_ / "T.JWC", "old drawing");
  const int status = test::run_in_child([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{3000, 3000};  // within the 6,926 bytes of the drawing
    ::setrlimit(RLIMIT_FSIZE, &limit);
    TMP2JWC(console_, "T.TMP", "T.JWC", "");
    return 0;
  });
  EXPECT_EQ(status, kDiskFull);
  EXPECT_EQ(test::read_bytes(dir_ / "T.JWC"), "old drawing");
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) names.insert(entry.path().filename());
  EXPECT_EQ(names, (std::set<std::string>{"T.JWC", "T.TMP"}));

  // A damaged file is damaged first, whatever the writing met meanwhile.
  test::write_bytes(dir_ / "T.TMP", intermediate + "s");
  const int damaged = test::run_in_child([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{3000, 3000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      TMP2JWC(console_, "T.TMP", "T.JWC", "");
    } catch (const ProgramEnd& end) {
      return 100 + end.status;
    }
    return 0;
  });
  EXPECT_EQ(damaged, 101);
  EXPECT_EQ(test::read_bytes(dir_ / "T.JWC"), "old drawing");
}

TEST_F(Conversion, LayersOfLaterGroupsAreCountedOnBySixteen) {
  const std::string c(16, 'c');
  std::string jwc = convert(group() + text_record(c, 3, 2, "q") + group("2.00,0,3,") + line_record(c, 1, 3) +
                            circle_record("0123456789AB", 0) + text_record(c, 3, 5, "r"));
  EXPECT_EQ(jwc.substr(200, 6), "1,1,2,");
  EXPECT_EQ(jwc.substr(1797, 8), "\0\0\x80\x3F\0\0\0\x40"s);  // scales 1 and 2
  EXPECT_EQ(static_cast<int>(jwc[2421 + 18]), 19);  // layer 3 of the second group
  EXPECT_EQ(static_cast<int>(jwc[2443 + 28]), 16);
  EXPECT_EQ(static_cast<int>(jwc[2475 + 21]), 2);
  EXPECT_EQ(static_cast<int>(jwc[2499 + 21]), 21);
}

TEST_F(Conversion, TextTotalSplitsByWholeMultiplesOf65535) {
  std::string jwc = convert(group() + text_record(std::string(16, 'c'), 3, 0, std::string(65533, 'x')));
  EXPECT_EQ(jwc.substr(600, 20), "0000:0000,0001:FFFF,");
}

TEST_F(Conversion, ProgressIndicatorTurnsAtTheCursorAndStartsOver) {
  console_.locate(3, 70);
  // Seven records a pass, five passes: the counter tops at 30, starts over,
  // and stands at 5 at the end, which shows the second character.
  convert(group() + line_record(std::string(16, 'c'), 1, 0) + line_record(std::string(16, 'c'), 1, 0) +
              line_record(std::string(16, 'c'), 1, 0) + "t",
          "abc");
  EXPECT_EQ(console_.row_text(3), std::string(70, ' ') + "b");
}

TEST(JwcHead, CountsAreWrittenWhole) {
  JwcSurvey survey;
  survey.lines = 1234567;
  survey.texts = 16777217;
  survey.setup = "1.00,0,4,";
  std::optional<std::string> head = jwc_head(survey);
  ASSERT_TRUE(head);
  EXPECT_EQ(head->substr(200, 22), "1234567,0,16777217,0,0");
}

TEST(JwcHead, LongTitlesAreCutOnACharacterAndALongSetUpLineIsRefused) {
  JwcSurvey survey;
  survey.title_1 = " " + std::string(159, 't') + to_cp932("亜");  // the wide one would straddle byte 200
  std::optional<std::string> head = jwc_head(survey);
  ASSERT_TRUE(head);
  EXPECT_EQ(head->substr(0, 200), "jw_cad(c)data.......a.f.m..............." + std::string(159, 't') + " ");
  EXPECT_EQ(head->size(), 2421u);

  survey.setup = std::string(150, '1') + ",0,4,";
  EXPECT_FALSE(jwc_head(survey));
}

// Each damaged file ends the program with the message on the cursor's row,
// before anything is written.
TEST_F(Conversion, DamagedFilesShowTheMessageAndWriteNothing) {
  const std::string c(16, 'c');
  const std::string fine = line_record(c, 1, 0);
  struct Case {
    const char* what;
    std::string bytes;
  };
  for (const Case& k : {Case{"set-up line without a comma", group("1.00") + fine},
                        Case{"set-up line starting with its comma", group(",0,4,") + fine},
                        Case{"group of two lines", kTitle + kTitle + fine},
                        Case{"line record cut short", group() + fine.substr(0, 12)},
                        Case{"text without its zero byte and LF", group() + "m" + c + "\0\0\0\0\3\0\0\0abc"s},
                        // Behind a sound record, where records are read in runs.
                        Case{"text with its LF but no zero byte", group() + fine + "m" + c + "\0\0\0\0\3\0\0\0abc\n"s},
                        Case{"text cut by the end mark", group() + fine + "m" + c + "\0\0\0\0\3\0\0\0ab\x1a" "c\0\n"s},
                        Case{"line before any group", fine + group()},
                        Case{"layer beyond its group", group() + line_record(c, 1, 16)},
                        Case{"seventeenth group", [] {
                               std::string all;
                               for (int g = 0; g < 17; ++g) all += group();
                               return all;
                             }()},
                        Case{"no group at all", ""},
                        Case{"set-up line too long for its block", group(std::string(150, '1') + ",0,4,")},
                        // Found when the writing beside the survey has gone far.
                        Case{"last of many records cut short", [&] {
                               std::string all = group();
                               for (int i = 0; i < 100000; ++i) all += fine;
                               return all + fine.substr(0, 12);
                             }()}}) {
    SCOPED_TRACE(k.what);
    ScriptedConsole console({});
    console.locate(5, 3);
    test::write_bytes(dir_ / "BAD.TMP", k.bytes);
    test::write_bytes(dir_ / "OLD.JWC", "old drawing");
    int status = 0;
    try {
      TMP2JWC(console, "BAD.TMP", "OLD.JWC", "");
    } catch (const ProgramEnd& end) {
      status = end.status;
    }
    EXPECT_EQ(status, 1);
    // Centred on column 20 less half the name's 7 bytes, rounded away from zero.
    EXPECT_EQ(console.row_text(5), std::string(17, ' ') + ">>> JWC 中間 File BAD.TMP が壊れています！ <<<");
    EXPECT_EQ(console.screen().cell(5, 17).color, 2);
    EXPECT_EQ(console.beeps(), 1);
    EXPECT_EQ(console.waited_ticks(), 300);
    EXPECT_EQ(test::read_bytes(dir_ / "OLD.JWC"), "old drawing");
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) names.insert(entry.path().filename());
    EXPECT_EQ(names, (std::set<std::string>{"BAD.TMP", "OLD.JWC"}));
  }
}

TEST_F(Conversion, TheDrawingCannotReplaceItsOwnSource) {
  test::write_bytes(dir_ / "T.TMP", group());
  EXPECT_EQ(test::failure_code_of([&] { TMP2JWC(console_, "T.TMP", "t.tmp", ""); }), kIllegalFunctionCall);
  EXPECT_EQ(test::read_bytes(dir_ / "T.TMP"), group());
}

}  // namespace
}  // namespace verdan
