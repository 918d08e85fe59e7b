// VDN-GENE --batch against the dialogue: the same frame or grid typed and
// described gives the same data file and print file, and a recorded
// dialogue played back gives them again.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/headless_run.h"

namespace verdan {
namespace {

// One case both ways: the keys typed at the dialogue and the file.
struct Case {
  std::string keys;
  std::string description;
};

struct Files {
  std::string data, listing;
  bool operator==(const Files&) const = default;
};

class BatchRun : public test::HeadlessRun {
 protected:
  BatchRun() {
    run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");  // settings with the defaults
    path_ = stand_in("VERDAN", "") + ":/usr/bin:/bin";
  }

  // The files a run left in home/, which are then removed.
  Files take(const std::string& data_name) {
    Files files{test::read_bytes(dir_ / "home/" + data_name), test::read_bytes(dir_ / "home/PRT.TXT")};
    std::filesystem::remove(dir_ / "home/" + data_name);
    std::filesystem::remove(dir_ / "home/PRT.TXT");
    return files;
  }

  // Runs `c` typed (recording it) and described, and the recording; all
  // three give the same files.
  void expect_same(const Case& c, const std::string& data_name) {
    SCOPED_TRACE(c.description);
    ASSERT_EQ(run("VDN-GENE", c.keys, "--record ../recorded.toml", path_).status, 0);
    const Files typed = take(data_name);
    test::write_bytes(dir_ / "case.toml", c.description);
    ASSERT_EQ(run("VDN-GENE", "", "--batch ../case.toml", path_).status, 0) << test::read_bytes(dir_ / "err");
    EXPECT_TRUE(take(data_name) == typed);
    ASSERT_EQ(run("VDN-GENE", "", "--batch ../recorded.toml", path_).status, 0) << test::read_bytes(dir_ / "err");
    EXPECT_TRUE(take(data_name) == typed) << test::read_bytes(dir_ / "recorded.toml");
  }

  std::string path_;
};

// A length in metres as typed: whole millimetres, sometimes finer (rounded
// like any entry).
std::string length(std::mt19937& random) {
  std::uniform_int_distribution<int> mm(1, 15000), fine(0, 9), finer(0, 3);
  std::string text = std::to_string(mm(random) / 1000) + "." + std::to_string(1000 + mm(random) % 1000).substr(1);
  if (finer(random) == 0) text += std::to_string(fine(random));
  return text;
}

// A range list in the dialogue's syntax, up to one past the highest index.
std::string range_list(std::mt19937& random, int high) {
  std::uniform_int_distribution<int> index(0, high + 1), ranges(1, 3), form(0, 5);
  const char* separators[] = {",", " ", ", "};
  std::string list;
  for (int r = ranges(random); r > 0; --r) {
    if (!list.empty()) list += separators[form(random) % 3];
    const int a = index(random), b = index(random);
    switch (form(random)) {
      case 0: list += std::to_string(a); break;
      case 1: list += "-" + std::to_string(a); break;         // no start: the single number
      case 2: list += "１-" + std::to_string(b); break;        // full-width numeral
      default: list += std::to_string(a) + "-" + std::to_string(b); break;
    }
  }
  return list;
}

Case random_frame(std::mt19937& random) {
  std::uniform_int_distribution<int> spans(1, 9), storeys(1, 7), edits(0, 5), kind(1, 4), direction(-1, 2);
  const char* names[] = {"", "rising-braces", "falling-braces", "columns", "beams"};
  const int nx = spans(random), ns = storeys(random);
  Case c{"1\n" + std::to_string(nx) + "\n" + std::to_string(ns) + "\n", "[frame]\n"};
  for (int count : {nx, ns}) {
    c.description += count == nx && c.description == "[frame]\n" ? "spans = [" : "storeys = [";
    std::string previous;
    for (int i = 0; i < count; ++i) {
      // An entry of 0 repeats the one before.
      const bool repeat = i > 0 && kind(random) == 1;
      const std::string metres = repeat ? previous : length(random);
      c.keys += (repeat ? "0" : metres) + "\n";
      c.description += (i ? ", " : "") + metres;
      previous = metres;
    }
    c.description += "]\n";
  }
  for (int e = edits(random); e > 0; --e) {
    const int k = kind(random);
    const std::string levels = range_list(random, ns + 1), axes = range_list(random, nx);
    c.keys += std::to_string(k) + "\n" + levels + "\n" + axes + "\n\n";
    c.description += "[[frame.edit]]\nmembers = \"" + std::string(names[k]) + "\"\nstoreys = \"" + levels +
                     "\"\naxes = \"" + axes + "\"\n";
  }
  c.keys += "5\n";
  std::string numbering;
  for (const char* group : {"columns", "beams", "braces"}) {
    const int d = direction(random);
    c.keys += (d < 0 ? "" : std::to_string(d)) + "\n";
    if (d >= 0) numbering += std::string(group) + " = " + std::to_string(d) + "\n";
  }
  if (!numbering.empty()) c.description += "[frame.numbering]\n" + numbering;
  return c;
}

Case random_grid(std::mt19937& random) {
  std::uniform_int_distribution<int> count(2, 7);
  const int nx = count(random), ny = count(random);
  Case c{"2\n" + std::to_string(nx) + "\n" + std::to_string(ny) + "\n", "[grid]\n"};
  for (const auto& [key, n] : {std::pair{"x_spans", nx}, std::pair{"y_spans", ny}}) {
    c.description += std::string(key) + " = [";
    for (int i = 0; i < n; ++i) {
      const std::string metres = length(random);
      c.keys += metres + "\n";
      c.description += (i ? ", " : "") + metres;
    }
    c.description += "]\n";
  }
  return c;
}

TEST_F(BatchRun, TheRoadsOfTheDialogueTestsGiveTheSameFiles) {
  expect_same({"1\n1\n1\n6\n3.5\n5\n\n\n\n", "[frame]\nspans = [6]\nstoreys = [3.5]\n"}, "FRAME");
  expect_same({"1\n3\n2\n6\n\n\n4\n\n1\n1-2\n0-3\n\n5\n\n\n\n",
               "[frame]\nspans = [6, 6, 6]\nstoreys = [4, 4]\n"
               "[[frame.edit]]\nmembers = \"rising-braces\"\nstoreys = \"1-2\"\naxes = \"0-3\"\n"},
              "FRAME");
  expect_same({"2\n2\n2\n6\n\n5\n\n", "[grid]\nx_spans = [6, 6]\ny_spans = [5.0, 5.0]\n"}, "CROSS");
}

TEST_F(BatchRun, RandomFramesAndGridsGiveTheSameFilesTypedDescribedAndRecorded) {
  std::mt19937 random(30);
  for (int i = 0; i < 200; ++i) {
    if (i % 5 == 4) {
      expect_same(random_grid(random), "CROSS");
    } else {
      expect_same(random_frame(random), "FRAME");
    }
    if (HasFailure()) return;
  }
}

// The picture is the screen's drawing: the frame as the dialogue shows it,
// with the members that the edits add.
TEST_F(BatchRun, PictureOfTheFrameWithItsEdits) {
  const std::string frame = "[frame]\nspans = [6, 6]\nstoreys = [4]\n";
  test::write_bytes(dir_ / "plain.toml", frame);
  test::write_bytes(dir_ / "braced.toml",
                    frame + "[[frame.edit]]\nmembers = \"rising-braces\"\nstoreys = \"1\"\naxes = \"0-2\"\n");
  ASSERT_EQ(run("VDN-GENE", "", "--batch ../plain.toml --picture ../plain.png").status, 0);
  ASSERT_EQ(run("VDN-GENE", "", "--batch ../braced.toml --picture ../braced.png").status, 0);
  const std::string plain = test::read_bytes(dir_ / "plain.png"), braced = test::read_bytes(dir_ / "braced.png");
  EXPECT_EQ(plain.substr(1, 3), "PNG");
  EXPECT_NE(plain, braced);
  // The plot library's drawing: 3 columns and 4 beams solid, 2 braces dashed.
  ASSERT_EQ(run("VDN-GENE", "", "--batch ../braced.toml --picture ../braced.svg").status, 0);
  const std::string svg = test::read_bytes(dir_ / "braced.svg");
  auto count = [&](const std::string& what) {
    int n = 0;
    for (auto at = svg.find(what); at != std::string::npos; at = svg.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(svg.substr(0, 5), "<?xml");
  EXPECT_EQ(count("<line"), 9);
  EXPECT_EQ(count("stroke-dasharray"), 2);
  // A grid has no picture, and nothing is written.
  test::write_bytes(dir_ / "grid.toml", "[grid]\nx_spans = [6, 6]\ny_spans = [5, 5]\n");
  EXPECT_EQ(run("VDN-GENE", "", "--batch ../grid.toml --picture ../grid.png").status, 2);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "home/CROSS"));
  // A picture that cannot be written ends the run through the handler.
  const test::Outcome out = run("VDN-GENE", "", "--batch ../plain.toml --picture ../none/plain.png");
  EXPECT_EQ(out.status, 1);
  EXPECT_NE(test::read_bytes(dir_ / "err").find("VDN-GENE: ERROR : CODE = "), std::string::npos);
}

// Without settings nothing is handed over and nothing is made for them: the
// files go to the current directory, or where the options say.
using BatchWithoutSettings = test::HeadlessRun;

TEST_F(BatchWithoutSettings, FilesGoToTheCurrentDirectoryOrWhereTheOptionsSay) {
  const std::string bin = stand_in("VERDAN", "echo \"$*\" > '" + dir_ / "analysis" + "'\n");
  const std::string grid = "[grid]\nx_spans = [6, 6]\ny_spans = [5, 5]\n";
  test::write_bytes(dir_ / "home/grid.toml", grid);
  ASSERT_EQ(run("VDN-GENE", "", "--batch grid.toml", bin + ":/usr/bin:/bin").status, 0);
  const std::string listing = test::read_bytes(dir_ / "home/PRT.TXT");
  EXPECT_EQ(test::read_bytes(dir_ / "home/CROSS").substr(0, 14), "VERDAN V2.50\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "home/app/verdan"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "analysis"));
  // Appended by default, replaced when asked; elsewhere when asked.
  ASSERT_EQ(run("VDN-GENE", "", "--batch grid.toml").status, 0);
  EXPECT_EQ(test::read_bytes(dir_ / "home/PRT.TXT"), listing + listing);
  ASSERT_EQ(run("VDN-GENE", "", "--batch grid.toml --replace-print-file").status, 0);
  EXPECT_EQ(test::read_bytes(dir_ / "home/PRT.TXT"), listing);
  std::filesystem::create_directories(dir_ / "data");
  ASSERT_EQ(run("VDN-GENE", grid, "--batch - --data-dir ../data --print-file ../data/LIST.TXT --start-analysis",
                bin + ":/usr/bin:/bin")
                .status,
            0);
  EXPECT_EQ(test::read_bytes(dir_ / "data/LIST.TXT"), listing);
  EXPECT_EQ(test::read_bytes(dir_ / "data/CROSS"), test::read_bytes(dir_ / "home/CROSS"));
  EXPECT_EQ(test::read_bytes(dir_ / "analysis"), "CROSS\n");
}

}  // namespace
}  // namespace verdan
