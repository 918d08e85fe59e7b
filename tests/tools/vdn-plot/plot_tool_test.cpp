// VDN-PLOT run as a command: options, errors, and its plots of a frame.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/program_info.h"
#include "tests/build_kind.h"
#include "tests/platform/host_fixtures.h"
#include "tests/platform/png_reader.h"
#include "tests/plt_draw/outside_readers.h"

namespace verdan {
namespace {

using namespace std::string_literals;

// A 2-span, 2-storey frame as VDN-GENE writes it: spans of 6 m and 4 m,
// storeys of 3.5 m and 3 m, one brace (connection code 4).
const std::string kFrame =
    "VERDAN V2.50\r\n"
    " 9             11            1             0 \r\n"
    " 0             0 \r\n"
    " 600           0 \r\n"
    " 1000          0 \r\n"
    " 0             350 \r\n"
    " 600           350 \r\n"
    " 1000          350 \r\n"
    " 0             650 \r\n"
    " 600           650 \r\n"
    " 1000          650 \r\n"
    "  1   4   1   -1             0             0             0             0 \r\n"
    "  2   5   1   -1             0             0             0             0 \r\n"
    "  3   6   1   -1             0             0             0             0 \r\n"
    "  4   7   1   -1             0             0             0             0 \r\n"
    "  5   8   1   -1             0             0             0             0 \r\n"
    "  6   9   1   -1             0             0             0             0 \r\n"
    "  4   5   1   -1             0             0             0             0 \r\n"
    "  5   6   1   -1             0             0             0             0 \r\n"
    "  7   8   1   -1             0             0             0             0 \r\n"
    "  8   9   1   -1             0             0             0             0 \r\n"
    "  2   6   4   -1             0             0             0             0 \r\n"
    " 1            -1             0             0             0 \r\n";

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class PlotTool : public ::testing::Test {
 protected:
  PlotTool() { test::write_bytes(dir_ / "FRAME", kFrame); }

  static std::string program() {
    const char* bin = std::getenv("VERDAN_TEST_BIN");
    return std::string(bin ? bin : VERDAN_BUILT_PROGRAMS) + "/VDN-PLOT";
  }

  // `limits` go before the program: "ulimit -v ...; timeout ...".
  Outcome run(const std::string& arguments, const std::string& limits = "") {
    std::string command =
        "cd '" + dir_.path() + "' && " + limits + " '" + program() + "' " + arguments + " > out.txt 2> err.txt";
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::read_bytes(dir_ / "out.txt"),
            test::read_bytes(dir_ / "err.txt")};
  }

  // Runs in a pipe, as in front of a spooler: FRAME piped in, standard
  // output piped on into out.txt.
  Outcome pipe(const std::string& arguments) {
    const std::string command = "cd '" + dir_.path() + "' && cat FRAME | { '" + program() + "' " + arguments +
                                " 2> err.txt; echo $? > status.txt; } | cat > out.txt";
    if (std::system(command.c_str()) != 0) return {-1, "", ""};
    return {std::stoi(test::read_bytes(dir_ / "status.txt")), test::read_bytes(dir_ / "out.txt"),
            test::read_bytes(dir_ / "err.txt")};
  }

  test::TempDir dir_;
};

TEST_F(PlotTool, HelpAndCommandLineMistakes) {
  Outcome help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: VDN-PLOT [OPTION]... DATA-FILE PLOT-FILE\n", 0), 0u);
  Outcome version = run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind(std::string("VDN-PLOT (VERDAN companion programs) ") + project_version() + "\n", 0), 0u);

  struct Case {
    const char* arguments;
    const char* says;
  };
  for (const Case& c : {Case{"FRAME", "a data file and a plot file are needed"},
                        Case{"-d x FRAME P", "device must be 1 to 7, not 'x'"},
                        Case{"--paper 5 FRAME P", "paper for device 3 must be 1 to 4, not '5'"},
                        Case{"-d5 FRAME P.tmp --jwc P.tmp", "the JW_CAD file would replace the intermediate file"},
                        Case{"--colour FRAME P", "unknown option '--colour'"},
                        Case{"FRAME P --paper", "option '--paper' needs a value"}}) {
    SCOPED_TRACE(c.arguments);
    Outcome r = run(c.arguments);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Try 'VDN-PLOT --help'"), std::string::npos);
  }
}

TEST_F(PlotTool, MissingOrMalformedDataFilesAreNamedWithTheirLine) {
  Outcome missing = run("NOFRAME out.plt");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "VDN-PLOT: NOFRAME: file not found (code 63)\n");

  struct Case {
    std::string bytes;
    const char* says;
  };
  const std::string head = "VERDAN V2.50\r\n 2             1             1             0 \r\n";
  for (const Case& c :
       {Case{"VERDAN V9\r\n", "FRAME: line 1: not a VERDAN data file"},
        Case{head + " 0             0 \r\n", "FRAME: line 4: the file ends where node 2 should be"},
        Case{head + " 0             0 \r\n 1x            0 \r\n", "FRAME: line 4: '1x' is not a number"},
        Case{head + " 0             0 \r\n 600           0 \r\n  1   3   1 \r\n 1 \r\n",
             "FRAME: line 5: the second end of member 1 must be a whole number from 1 to 2"},
        Case{head + " 0             0 \r\n 600           0 \r\n  1   2   1 \r\n",
             "FRAME: line 6: the file ends where the closing line should be"},
        Case{"VERDAN V2.50\r\n 2.5           1             1             0 \r\n",
             "FRAME: line 2: the number of nodes must be a whole number"}}) {
    SCOPED_TRACE(c.says);
    test::write_bytes(dir_ / "FRAME", c.bytes);
    Outcome r = run("FRAME out.plt");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("VDN-PLOT: "s + c.says), std::string::npos) << r.err;
  }
}

// A frame of more nodes than are held in memory has its coordinates in a
// spool file; where none can be made, the message names the temporary, not
// the data file being read.
TEST_F(PlotTool, ASpoolFileThatCannotBeMadeIsNamedAsTheTemporary) {
  const int nodes = (1 << 19) + 1;
  std::string bytes = "VERDAN V2.50\r\n " + std::to_string(nodes) + "        1             1             0 \r\n";
  for (int n = 0; n < nodes; ++n) bytes += " " + std::to_string(n % 1000) + " " + std::to_string(n / 1000) + " \r\n";
  bytes += "  1   2   1   -1             0             0             0             0 \r\n";
  bytes += " 1            -1             0             0             0 \r\n";
  test::write_bytes(dir_ / "FRAME", bytes);

  Outcome r = run("-d 4 FRAME out.plt", "TMPDIR='" + dir_ / "none" + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("VDN-PLOT: a temporary spool file: ", 0), 0u) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out.plt"));

  r = run("-d 4 FRAME out.plt", "TMPDIR='" + dir_.path() + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  // Every node's number, a command or more a character.
  EXPECT_GT(std::filesystem::file_size(dir_ / "out.plt"), static_cast<std::uintmax_t>(nodes) * 6);
}

// An output that is the data file, by any name, would destroy it: the command
// line is refused before anything is written.
TEST_F(PlotTool, AnOutputThatIsTheDataFileIsACommandLineMistake) {
  std::filesystem::create_directory(dir_ / "sub");
  std::filesystem::create_hard_link(dir_ / "FRAME", dir_ / "LINKED");
  for (const char* arguments : {"FRAME FRAME", "FRAME frame", "FRAME sub/../FRAME", "FRAME LINKED",
                                "-d5 FRAME P.tmp --jwc FRAME", "-d5 FRAME FRAME.tmp --jwc ./frame"}) {
    SCOPED_TRACE(arguments);
    Outcome r = run(arguments);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("would replace the data file 'FRAME'"), std::string::npos) << r.err;
    EXPECT_EQ(test::read_bytes(dir_ / "FRAME"), kFrame);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "P.tmp"));
  }
}

// "-" is standard input as the data file and standard output as the plot
// file: the plot that goes down a pipe is the plot file, byte for byte.
TEST_F(PlotTool, DashReadsAndWritesThePipeAsTheFiles) {
  for (const std::string device : {"1", "2", "3", "4", "6", "7"}) {
    SCOPED_TRACE(device);
    ASSERT_EQ(run("-d " + device + " FRAME file.plt").status, 0);
    const std::string file = test::read_bytes(dir_ / "file.plt");
    ASSERT_GT(file.size(), 100u);
    Outcome piped = pipe("-d " + device + " - -");
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, file);
    // Either end alone.
    EXPECT_EQ(pipe("-d " + device + " - piped.plt").status, 0);
    EXPECT_EQ(test::read_bytes(dir_ / "piped.plt"), file);
    EXPECT_EQ(run("-d " + device + " FRAME -").out, file);
  }
  // JW_CAD reads its data from a pipe too.
  ASSERT_EQ(run("-d5 FRAME file.tmp").status, 0);
  EXPECT_EQ(pipe("-d5 - piped.tmp").status, 0);
  EXPECT_EQ(test::read_bytes(dir_ / "piped.tmp"), test::read_bytes(dir_ / "file.tmp"));
  EXPECT_EQ(test::read_bytes(dir_ / "piped.jwc"), test::read_bytes(dir_ / "file.jwc"));
  // Damage is named as where it came from.
  test::write_bytes(dir_ / "FRAME", "VERDAN V9\r\n");
  EXPECT_EQ(pipe("- -").err, "VDN-PLOT: standard input: line 1: not a VERDAN data file: the header is not "
                             "\"VERDAN V2.50\"\n");
}

// A stream can be redirected from or to the data file; device 5 converts
// its files by name, so it takes no stream for them.
TEST_F(PlotTool, DashesThatCannotBeAreCommandLineMistakes) {
  struct Case {
    std::string command;
    const char* says;
  };
  const std::string plot = "'" + program() + "'";
  for (const Case& c : {Case{plot + " - FRAME < FRAME", "would replace the data file on standard input"},
                        Case{plot + " FRAME - >> FRAME", "would replace the data file 'FRAME'"},
                        Case{plot + " -d5 - P.tmp --jwc FRAME < FRAME", "JW_CAD file would replace the data file on"},
                        Case{plot + " -d5 FRAME -", "device 5 (JW_CAD) writes its intermediate and JW_CAD files"},
                        Case{plot + " -d5 FRAME P.tmp --jwc -", "device 5 (JW_CAD) writes its intermediate"}}) {
    SCOPED_TRACE(c.command);
    const int status = std::system(("cd '" + dir_.path() + "' && " + c.command + " 2> err.txt").c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2);
    EXPECT_NE(test::read_bytes(dir_ / "err.txt").find(c.says), std::string::npos) << test::read_bytes(dir_ / "err.txt");
    EXPECT_EQ(test::read_bytes(dir_ / "FRAME"), kFrame);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "P.tmp"));
  }
}

// A line without end is damage once it passes a few kilobytes, never read
// A FIFO named as the data file is refused at once rather than waited on;
// one named as the plot file is written in place for whoever reads it
// (a spooler), and stays a FIFO.
TEST_F(PlotTool, FifosAreRefusedAsDataAndWrittenInPlaceAsPlots) {
  ASSERT_EQ(::mkfifo((dir_ / "PIPE").c_str(), 0666), 0);
  const Outcome refused = run("-d 3 PIPE out.plt", "timeout 20");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "VDN-PLOT: PIPE: not a regular file (a FIFO) (code 75)\n");

  ASSERT_EQ(run("-d 3 FRAME file.plt").status, 0);
  const std::string spooler = "cd '" + dir_.path() + "' && { timeout 20 '" + program() +
                              "' -d 3 FRAME PIPE & cat PIPE > spooled.plt; wait $!; }";
  EXPECT_EQ(std::system(spooler.c_str()), 0);
  EXPECT_EQ(test::read_bytes(dir_ / "spooled.plt"), test::read_bytes(dir_ / "file.plt"));
  EXPECT_TRUE(std::filesystem::is_fifo(dir_ / "PIPE"));
}

// whole; what a message quotes of a line is short and printable.
TEST_F(PlotTool, LongLinesAreDamageAtOnceAndMessagesQuoteLittle) {
  // The address-space limit catches a reader that grows; a sanitizer
  // build cannot start under it and relies on its own allocation limit.
  // A data file of zeros after a crash, 2 GB (sparse).
  test::write_bytes(dir_ / "ZEROS", "");
  std::filesystem::resize_file(dir_ / "ZEROS", std::uintmax_t{2} << 30);
  Outcome endless = run("ZEROS out.plt", test::kSanitized ? "timeout 60" : "ulimit -v 2000000; timeout 60");
  EXPECT_EQ(endless.status, 1);
  EXPECT_EQ(endless.err, "VDN-PLOT: ZEROS: line 1: longer than 4096 bytes, no line of a data file\n");

  const std::string head = "VERDAN V2.50\r\n 2             1             1             0 \r\n";
  test::write_bytes(dir_ / "FRAME", head + std::string(10000, '1') + "\r\n");
  EXPECT_EQ(run("FRAME out.plt").err, "VDN-PLOT: FRAME: line 3: longer than 4096 bytes, no line of a data file\n");

  test::write_bytes(dir_ / "FRAME", head + "\x01" + std::string(4000, 'x') + " 0\r\n");
  EXPECT_EQ(run("FRAME out.plt").err,
            "VDN-PLOT: FRAME: line 3: '?" + std::string(23, 'x') + "...' is not a number\n");
}

TEST_F(PlotTool, JwCadDrawingFromTheIntermediateFile) {
  Outcome r = run("--device=5 --paper=2 --scale=1 FRAME frame.tmp");
  ASSERT_EQ(r.status, 0) << r.err;
  std::string tmp = test::read_bytes(dir_ / "frame.tmp");
  EXPECT_EQ(tmp.substr(0, 79), "i" + std::string(32, ' ') + "\ni" + std::string(32, ' ') + "\ni1.00,0,4,\n");
  EXPECT_EQ(tmp.back(), 't');
  std::string jwc = test::read_bytes(dir_ / "frame.jwc");
  // Eleven members, nine numbers of one digit (two bytes with the zero).
  EXPECT_EQ(jwc.substr(200, 28), "11,0,9,0,0,1,1,1,1,1.00,0,4,");
  EXPECT_EQ(jwc.size(), 2421u + 11 * 22 + 9 * 24 + 18 + 1 + 2048 + 256);
  EXPECT_EQ(static_cast<int>(jwc[2421 + 18]), 9);             // members in ELEM
  EXPECT_EQ(static_cast<int>(jwc[2421 + 11 * 22 + 21]), 8);   // numbers in NODE
  EXPECT_EQ(jwc.substr(2421 + 11 * 22 + 9 * 24, 4), "1\0002\0"s);
}

// A PBM picture (P4), 1 bits black, as rows of booleans.
std::vector<std::vector<bool>> read_pbm(const std::string& bytes) {
  std::istringstream in(bytes);
  std::string magic;
  std::size_t width = 0, height = 0;
  in >> magic >> width >> height;
  in.get();
  const std::size_t start = static_cast<std::size_t>(in.tellg()), row_bytes = (width + 7) / 8;
  if (magic != "P4" || bytes.size() < start + row_bytes * height) return {};
  std::vector<std::vector<bool>> rows(height, std::vector<bool>(width));
  for (std::size_t y = 0; y < height; ++y) {
    for (std::size_t x = 0; x < width; ++x) {
      rows[y][x] = (static_cast<unsigned char>(bytes[start + y * row_bytes + x / 8]) >> (7 - x % 8)) & 1;
    }
  }
  return rows;
}

// The centres of the groups of neighbouring lines (of `count`) that hold a
// black run longer than `length`, and the longest run of each group.
std::vector<std::pair<double, int>> long_lines(std::size_t count, std::size_t along, std::size_t length,
                                               const std::function<bool(std::size_t, std::size_t)>& black) {
  std::vector<std::pair<double, int>> found;
  std::size_t first = 0;
  int best = 0;
  for (std::size_t i = 0; i <= count; ++i) {
    int longest = 0;
    for (std::size_t j = 0, run = 0; i < count && j < along; ++j) {
      run = black(i, j) ? run + 1 : 0;
      longest = std::max(longest, static_cast<int>(run));
    }
    if (static_cast<std::size_t>(longest) > length) {
      if (best == 0) first = i;
      best = std::max(best, longest);
    } else if (best > 0) {
      found.emplace_back((first + i - 1) / 2.0, best);
      best = 0;
    }
  }
  return found;
}

TEST_F(PlotTool, HpglPlotIsAcceptedByHp2xxAndItsPictureHasTheFramesLines) {
  ASSERT_EQ(run("--device=3 --paper=1 FRAME frame.plt").status, 0);
  const std::string plot = test::read_bytes(dir_ / "frame.plt");
  EXPECT_EQ(plot.rfind("\x1b.KDF;IP 0, 0,3200,2400;IW 0, 0, 7721, 11040;PA;CM1;CS6;CA101;PU", 0), 0u);
  EXPECT_EQ(plot.substr(plot.size() - 10), "SP0;PU0,0;");
  EXPECT_NE(plot.find("SP3;LT2,2;PD"), std::string::npos);  // the brace
  EXPECT_NE(plot.find(";SS;LB9\x03"), std::string::npos);    // the last node's number

  if (std::system("command -v hp2xx > /dev/null 2>&1") != 0) {
    GTEST_SKIP() << "hp2xx is not installed (scripts/test installs it): the plot was not rendered";
  }
  const std::string command = "cd '" + dir_.path() + "' && hp2xx -m pbm -d 150 -f frame.pbm frame.plt 2> log.txt";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string log = test::read_bytes(dir_ / "log.txt");
  EXPECT_NE(log.find("Unexpected event(s):  0"), std::string::npos) << log;
  // Only the character-mode command, which hp2xx does not know, is passed over.
  std::set<std::string> ignored;
  const std::regex ignored_command("([A-Za-z]{2}): ignored");
  for (auto it = std::sregex_iterator(log.begin(), log.end(), ignored_command); it != std::sregex_iterator(); ++it) {
    ignored.insert((*it)[1]);
  }
  EXPECT_EQ(ignored, std::set<std::string>{"CM"}) << log;

  const auto picture = read_pbm(test::read_bytes(dir_ / "frame.pbm"));
  ASSERT_GT(picture.size(), 100u);
  const std::size_t width = picture[0].size(), height = picture.size();
  // Three columns, 6 m and 4 m apart and 6.5 m high; beams on the two upper
  // levels only (the ground has none), 3 m apart.
  const auto columns = long_lines(width, height, height / 3, [&](auto x, auto y) { return picture[y][x]; });
  const auto beams = long_lines(height, width, width / 3, [&](auto y, auto x) { return picture[y][x]; });
  ASSERT_EQ(columns.size(), 3u);
  ASSERT_EQ(beams.size(), 2u);
  const double tall = columns[0].second;
  EXPECT_NEAR((columns[1].first - columns[0].first) / (columns[2].first - columns[0].first), 600.0 / 1000, 0.01);
  EXPECT_NEAR((columns[2].first - columns[0].first) / tall, 1000.0 / 650, 0.02);
  EXPECT_NEAR((beams[1].first - beams[0].first) / tall, 300.0 / 650, 0.01);
}

// The frame fitted to A4 portrait (20 mm margins): 0.17 mm a centimetre,
// columns at x = 20, 122 and 190 mm, levels at y = 93.25, 152.75, 203.75.
TEST_F(PlotTool, DxfOfTheFrameIsReadByEzdxfWithEveryMemberOnItsLayer) {
  const std::string help = run("--help").out;
  EXPECT_NE(help.find("6 DXF drawing"), std::string::npos);
  EXPECT_NE(help.find("7 SVG picture"), std::string::npos);
  EXPECT_EQ(run("-d 7 -p 5 FRAME frame.svg").status, 2);
  ASSERT_EQ(run("-d 6 FRAME frame.dxf").status, 0);
  VERDAN_SKIP_WITHOUT_EZDXF();
  const std::string summary = test::dxf_summary(dir_.path(), "frame.dxf");
  EXPECT_EQ(summary.rfind("version AC1009 ANSI_932 cp932\naudit errors 0 []\n"
                          "layers 0:7 Defpoints:7 L8-PEN2:7 L9-PEN1:1 L9-PEN2:7\n",
                          0),
            0u)
      << summary;
  auto count = [&](const std::string& start) {
    std::size_t n = 0;
    for (std::size_t at = summary.find("\n" + start); at != std::string::npos;
         at = summary.find("\n" + start, at + 1)) {
      ++n;
    }
    return n;
  };
  EXPECT_EQ(count("LINE L9-PEN2 BYLAYER "), 10u);
  EXPECT_EQ(count("LINE L9-PEN1 DASHED "), 1u);
  EXPECT_EQ(count("TEXT L8-PEN2 "), 9u);
  EXPECT_NE(summary.find("\nLINE L9-PEN2 BYLAYER 20 93.25 20 152.75\n"), std::string::npos);  // member 1
  EXPECT_NE(summary.find("\nLINE L9-PEN1 DASHED 122 93.25 190 152.75\n"), std::string::npos);  // the brace
  EXPECT_NE(summary.find("\nTEXT L8-PEN2 191 204.75 2.5 0 9\n"), std::string::npos);          // node 9
}

TEST_F(PlotTool, SvgOfTheFrameHasItsLinesWhereTheHpglPictureHasThem) {
  ASSERT_EQ(run("-d 7 FRAME frame.svg").status, 0);
  ASSERT_EQ(run("-d 3 FRAME frame.plt").status, 0);
  VERDAN_SKIP_WITHOUT("xmllint", "libxml2-utils");
  VERDAN_SKIP_WITHOUT("rsvg-convert", "librsvg2-bin");
  VERDAN_SKIP_WITHOUT("hp2xx", "hp2xx");
  const std::string cd = "cd '" + dir_.path() + "' && ";
  EXPECT_EQ(std::system((cd + "xmllint --noout frame.svg").c_str()), 0);
  // The page is 1240.2 pixels wide: the last column's uncovered part shows
  // the background.
  ASSERT_EQ(std::system((cd + "rsvg-convert -d 150 -p 150 -b white -o frame.png frame.svg").c_str()), 0);
  ASSERT_EQ(std::system((cd + "hp2xx -m pbm -d 150 -f frame.pbm frame.plt > /dev/null 2>&1").c_str()), 0);

  testing::RgbImage svg;
  ASSERT_TRUE(testing::read_png_rgb(dir_ / "frame.png", svg));
  auto dark = [&](std::size_t x, std::size_t y) { return svg.rgb[(y * svg.width + x) * 3] < 128; };
  const auto w = static_cast<std::size_t>(svg.width), h = static_cast<std::size_t>(svg.height);
  const auto svg_columns = long_lines(w, h, h / 6, [&](auto x, auto y) { return dark(x, y); });
  const auto svg_beams = long_lines(h, w, w / 3, [&](auto y, auto x) { return dark(x, y); });
  const auto hpgl = read_pbm(test::read_bytes(dir_ / "frame.pbm"));
  ASSERT_GT(hpgl.size(), 100u);
  const std::size_t hw = hpgl[0].size(), hh = hpgl.size();
  const auto hpgl_columns = long_lines(hw, hh, hh / 3, [&](auto x, auto y) { return hpgl[y][x]; });
  const auto hpgl_beams = long_lines(hh, hw, hw / 3, [&](auto y, auto x) { return hpgl[y][x]; });
  ASSERT_EQ(svg_columns.size(), 3u);
  ASSERT_EQ(svg_beams.size(), 2u);
  ASSERT_EQ(hpgl_columns.size(), 3u);
  ASSERT_EQ(hpgl_beams.size(), 2u);

  // On the sheet: 150 dots an inch, y from the top.
  const double px = 150 / 25.4;
  EXPECT_NEAR(svg_columns[0].first / px, 20, 0.5);
  EXPECT_NEAR(svg_columns[2].first / px, 190, 0.5);
  EXPECT_NEAR(svg_beams[0].first / px, 297 - 203.75, 0.5);
  // Against the HP-GL picture, which hp2xx crops to the drawing: the same
  // places relative to the outer columns and the frame's height.
  auto across = [](const auto& lines, std::size_t i) {
    return (lines[i].first - lines[0].first) / (lines[2].first - lines[0].first);
  };
  EXPECT_NEAR(across(svg_columns, 1), across(hpgl_columns, 1), 0.01);
  const double svg_tall = svg_columns[0].second, hpgl_tall = hpgl_columns[0].second;
  EXPECT_NEAR((svg_beams[1].first - svg_beams[0].first) / svg_tall,
              (hpgl_beams[1].first - hpgl_beams[0].first) / hpgl_tall, 0.01);
  EXPECT_NEAR((svg_columns[2].first - svg_columns[0].first) / svg_tall,
              (hpgl_columns[2].first - hpgl_columns[0].first) / hpgl_tall, 0.02);
}

}  // namespace
}  // namespace verdan
