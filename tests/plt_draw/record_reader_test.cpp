// Reading intermediate-file records, and Shift-JIS to JIS.
#include <gtest/gtest.h>

#include <string>

#include "platform/failure.h"
#include "plt_draw/record_reader.h"
#include "plt_draw/sj2j.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

using namespace std::string_literals;

TEST(Sj2j, ShiftJisPairsBecomeJis) {
  struct Case {
    int first, second, jis_first, jis_second;
  };
  for (const Case& c : {Case{136, 159, 48, 33},     // 亜: second byte past 158
                        Case{0x82, 0xA0, 0x24, 0x22},  // あ
                        Case{0x81, 0x40, 0x21, 0x21},  // the wide blank: second byte below 127
                        Case{0xE0, 0x40, 0x5F, 0x21}}) {  // lead byte past 159
    int first = c.first;
    int second = c.second;
    SJ2J(first, second);
    EXPECT_EQ(first, c.jis_first) << c.first << " " << c.second;
    EXPECT_EQ(second, c.jis_second) << c.first << " " << c.second;
  }
}

class Records : public ::testing::Test {
 protected:
  RecordReader open(const std::string& bytes) {
    test::write_bytes(dir_ / "T.TMP", bytes);
    return RecordReader(dir_ / "T.TMP");
  }
  test::TempDir dir_;
  PlotState state_;
};

TEST_F(Records, JwhReturnsTheFixedPartAndLeavesTheTextInTheCommandBuffer) {
  const std::string line = "0123456789012345678901"s;
  const std::string text_fixed = "ABCDEFGHIJKLMNOPQRSTUVWX"s;
  RecordReader file = open("ititle\n" "s" + line + "\n" "m" + text_fixed + "hello\0\n"s + "t" + "i" + "tail\x1a" "z");
  EXPECT_EQ(file.kind(), 'i');
  EXPECT_EQ(JWH(state_, 'i', file), "");
  EXPECT_EQ(state_.plot_cmd, "title");
  EXPECT_EQ(file.kind(), 's');
  EXPECT_EQ(JWH(state_, 's', file), line);
  EXPECT_EQ(state_.plot_cmd, "");
  EXPECT_EQ(file.kind(), 'm');
  EXPECT_EQ(JWH(state_, 'm', file), text_fixed);
  EXPECT_EQ(state_.plot_cmd, "hello\0"s);
  EXPECT_EQ(file.kind(), 't');
  EXPECT_EQ(JWH(state_, 't', file), "");  // the end mark has no body
  EXPECT_EQ(file.kind(), 'i');
  JWH(state_, 'i', file);
  EXPECT_EQ(state_.plot_cmd, "tail");  // byte 26 ends a text as LF does
  EXPECT_EQ(file.kind(), 'z');
  EXPECT_EQ(file.kind(), -1);
}

TEST_F(Records, ARecordCutShortIsInputPastEndNotARead) {
  RecordReader file = open("s0123456789");
  file.kind();
  EXPECT_EQ(test::failure_code_of([&] { JWH(state_, 's', file); }), kInputPastEnd);
  RecordReader no_line_end = open("s0123456789012345678901?");
  no_line_end.kind();
  EXPECT_FALSE(no_line_end.read('s').complete);
}

TEST_F(Records, TextsLongerThanTheReadBufferStayWhole) {
  const std::string fixed_m(24, 'F');
  // Across several of the reader's blocks, far longer than a block's lead.
  const std::string text(5 * ReadAhead::kBlock / 2, 'T');
  const std::string line(22, 'L');
  // Two such text records straddling the refills, the second begun where
  // the first was held, then a line record behind them.
  const std::string second = text + "second";
  RecordReader file = open("s" + line + "\n" + "m" + fixed_m + text + "\0\n"s + "m" + fixed_m + second + "\0\n"s +
                           "s" + line + "\n");
  EXPECT_EQ(file.kind(), 's');
  EXPECT_EQ(file.read('s').fixed, line);
  for (const std::string& expected : {text, second}) {
    EXPECT_EQ(file.kind(), 'm');
    RecordReader::Record record = file.read('m');
    EXPECT_TRUE(record.complete);
    EXPECT_EQ(record.fixed, fixed_m);
    EXPECT_TRUE(record.text == expected + '\0') << expected.size();
  }
  EXPECT_EQ(file.kind(), 's');
  EXPECT_EQ(file.read('s').fixed, line);
  EXPECT_EQ(file.kind(), -1);
}

TEST_F(Records, RecordsAcrossTheEdgeOfABlockStayWhole) {
  const std::string fixed_m(24, 'F');
  const std::string text = std::string(ReadAhead::kLead + 50, 'T') + '\0';
  const std::string line(22, 'L');
  // A text record, then a line record, starting short of a block's edge by
  // a byte, by a line, by about a block's lead and by more.
  for (std::size_t before : {std::size_t{1}, std::size_t{24}, ReadAhead::kLead - 1, ReadAhead::kLead,
                             ReadAhead::kLead + 1, ReadAhead::kLead + 60}) {
    for (const std::string& first : {"m" + fixed_m + text + "\n", "s" + line + "\n"}) {
      const std::string filler(ReadAhead::kBlock - before - 2, 'i');
      RecordReader file = open("i" + filler + "\n" + first + "s" + line + "\n");
      EXPECT_EQ(file.kind(), 'i');
      EXPECT_EQ(file.read('i').text, filler);
      const int kind = file.kind();
      EXPECT_EQ(kind, first[0]);
      const RecordReader::Record record = file.read(kind);
      EXPECT_TRUE(record.complete) << before;
      EXPECT_EQ(record.fixed, kind == 'm' ? fixed_m : line) << before;
      EXPECT_TRUE(kind != 'm' || record.text == text) << before;
      EXPECT_EQ(file.kind(), 's');
      EXPECT_EQ(file.read('s').fixed, line) << before;
      EXPECT_EQ(file.kind(), -1);
    }
  }
}

}  // namespace
}  // namespace verdan
