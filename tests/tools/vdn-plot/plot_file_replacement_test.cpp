// VDN-PLOT on frames of tens of thousands of members, read while they are
// plotted: whatever fails, the old plot file stays whole, no temporary is
// left, and the message names the same line as when the data file was read
// whole first. Streams and devices get nothing from a damaged data file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

const std::string kOldPlot = "old plot\r\n";

// The line of member `m` (from 1) in a frame of `nodes` nodes.
int member_line(int nodes, int m) { return 2 + nodes + m; }

std::string member(int a, int b) {
  return "  " + std::to_string(a) + "   " + std::to_string(b) +
         "   1   -1             0             0             0             0 \r\n";
}

// `nodes` nodes in a row, 1 m apart (or `far` cm out, both ways, for the
// first two), `members` members between neighbours, one closing line; the
// line of member `damaged_at` is `damage` instead, and the file stops after
// `lines` lines when given.
struct FrameText {
  int nodes = 1000;
  int members = 50'000;
  int damaged_at = 0;
  std::string damage = "";
  int lines = 0;
  std::string far = "";

  std::string bytes() const {
    std::string out = "VERDAN V2.50\r\n " + std::to_string(nodes) + "  " + std::to_string(members) + "  1  0 \r\n";
    for (int n = 1; n <= nodes; ++n) {
      const std::string x = !far.empty() && n <= 2 ? (n == 1 ? "-" : "") + far : std::to_string(100 * n);
      out += " " + x + "             0 \r\n";
    }
    for (int m = 1; m <= members; ++m) {
      const int a = (m - 1) % (nodes - 1) + 1;
      out += m == damaged_at ? damage : member(a, a + 1);
    }
    out += " 1            -1             0             0             0 \r\n";
    if (lines == 0) return out;
    std::size_t at = 0;
    for (int line = 0; line < lines; ++line) at = out.find('\n', at) + 1;
    return out.substr(0, at);
  }
};

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class PlotFileReplacement : public ::testing::Test {
 protected:
  static std::string program() {
    const char* bin = std::getenv("VERDAN_TEST_BIN");
    return std::string(bin ? bin : VERDAN_BUILT_PROGRAMS) + "/VDN-PLOT";
  }

  // `before` goes in front of the program: limits, or "cat FRAME |".
  Outcome run(const std::string& arguments, const std::string& before = "") {
    const std::string command = "cd '" + dir_.path() + "' && " + before + " timeout 120 '" + program() + "' " +
                                arguments + " > out.txt 2> err.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::read_bytes(dir_ / "out.txt"),
            test::read_bytes(dir_ / "err.txt")};
  }

  // The old plot is there, and nothing else but the run's own files.
  void expect_old_plot_alone(const std::string& context) {
    const std::string plot = test::read_bytes(dir_ / "out.plt");
    EXPECT_TRUE(plot == kOldPlot) << context << ": the plot file holds " << plot.size() << " bytes: "
                                  << plot.substr(0, 40);
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(name == "FRAME" || name == "out.plt" || name == "out.txt" || name == "err.txt")
          << context << ": " << name << " left behind";
    }
  }

  test::TempDir dir_;
};

// Damage past a dozen batches of members, each where the reading thread
// finds it: the same message as from a file read whole, and the old plot.
TEST_F(PlotFileReplacement, DamageDeepInTheMembersKeepsTheOldPlotAndNamesItsLine) {
  const int nodes = 1000;
  struct Case {
    FrameText frame;
    std::string says;
  };
  const int deep = 40'000;
  const Case cases[] = {
      {{.damaged_at = deep, .damage = "  7   8   x \r\n"},
       "line " + std::to_string(member_line(nodes, deep)) + ": 'x' is not a number"},
      {{.damaged_at = deep, .damage = member(7, nodes + 1)},
       "line " + std::to_string(member_line(nodes, deep)) + ": the second end of member 40000 must be a whole "
                                                            "number from 1 to 1000"},
      {{.lines = member_line(nodes, 45'000)},
       "line " + std::to_string(member_line(nodes, 45'001)) + ": the file ends where member 45001 should be"},
      {{.lines = member_line(nodes, 50'000)},
       "line " + std::to_string(member_line(nodes, 50'001)) + ": the file ends where the closing line should be"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.says);
    test::write_bytes(dir_ / "FRAME", c.frame.bytes());
    for (const char* device : {"3", "5"}) {
      test::write_bytes(dir_ / "out.plt", kOldPlot);
      const Outcome file = run("-d " + std::string(device) + " FRAME out.plt");
      EXPECT_EQ(file.status, 1);
      EXPECT_EQ(file.err, "VDN-PLOT: FRAME: " + c.says + "\n");
      expect_old_plot_alone(std::string("device ") + device);
    }
    // Read on the second thread from a pipe too.
    const Outcome piped = run("-d 3 - out.plt", "cat FRAME |");
    EXPECT_EQ(piped.err, "VDN-PLOT: standard input: " + c.says + "\n");
    expect_old_plot_alone("piped");
    // A stream gets nothing before the whole data file has been read.
    const Outcome streamed = run("-d 3 FRAME -");
    EXPECT_EQ(streamed.status, 1);
    EXPECT_TRUE(streamed.out.empty()) << streamed.out.size() << " bytes written";
    EXPECT_EQ(streamed.err, "VDN-PLOT: FRAME: " + c.says + "\n");
  }
}

// A point no device field holds (nodes at the ends of the double range make
// a fit of no scale) fails the first member: the old plot stays. When the
// data file is damaged further on as well, its damage is what is reported,
// as when the whole file was read before plotting.
TEST_F(PlotFileReplacement, APlotFailureKeepsTheOldPlotAndDamageIsReportedFirst) {
  test::write_bytes(dir_ / "FRAME", FrameText{.far = "1.7E+308"}.bytes());
  test::write_bytes(dir_ / "out.plt", kOldPlot);
  const Outcome refused = run("-d 3 FRAME out.plt");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "VDN-PLOT: out.plt: value out of range (code 6)\n");
  expect_old_plot_alone("refused");

  test::write_bytes(dir_ / "FRAME", FrameText{.damaged_at = 45'000, .damage = " 1 \r\n", .far = "1.7E+308"}.bytes());
  const Outcome both = run("-d 3 FRAME out.plt");
  EXPECT_EQ(both.status, 1);
  EXPECT_EQ(both.err, "VDN-PLOT: FRAME: line " + std::to_string(member_line(1000, 45'000)) +
                          ": expected the two ends and the code of member 45000\n");
  expect_old_plot_alone("damaged too");
}

// The plot file cannot grow past 128 KB (a full disk, for this program):
// the write fails while the reading thread waits for room, and the old plot
// stays.
TEST_F(PlotFileReplacement, AFailedWriteKeepsTheOldPlot) {
  test::write_bytes(dir_ / "FRAME", FrameText{}.bytes());
  for (const char* device : {"1", "5", "7"}) {
    SCOPED_TRACE(device);
    test::write_bytes(dir_ / "out.plt", kOldPlot);
    const Outcome full = run("-d " + std::string(device) + " FRAME out.plt", "trap '' XFSZ; ulimit -f 128;");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err.rfind("VDN-PLOT: out.plt: ", 0), 0u) << full.err;
    expect_old_plot_alone("full");
  }
  // The same frame whole, as a check that it needs far more room.
  ASSERT_EQ(run("-d 3 FRAME out.plt").status, 0);
  EXPECT_GT(std::filesystem::file_size(dir_ / "out.plt"), 1'000'000u);
}

}  // namespace
}  // namespace verdan
