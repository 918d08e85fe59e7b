// Description files the dialogue would not take: each is refused with its
// place and what was expected, status 2, and nothing written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/headless_run.h"

namespace verdan {
namespace {

using BatchErrors = test::HeadlessRun;

TEST_F(BatchErrors, EachMalformedFileIsToldAtItsLineAndColumnAndNothingIsWritten) {
  const std::string frame = "[frame]\nspans = [6]\nstoreys = [3]\n";
  std::string ones = "[1";
  for (int i = 1; i < 2000; ++i) ones += ", 1";
  const std::string wide = "[frame]\nspans = " + ones + "]\nstoreys = " + ones + "]\n";
  const struct {
    std::string file, message;
  } cases[] = {
      {"[frame\nspans = [1]\n", "1:7: Error while parsing table header: expected ']', saw '\\n'"},
      {"title = \"x\"\n" + frame, "1:1: unknown key 'title' in the file; expected frame or grid"},
      {frame + "[grid]\nx_spans = [1, 1]\ny_spans = [1, 1]\n", "1:1: expected one [frame] or one [grid] table"},
      {"# nothing\n", "1:1: expected one [frame] or one [grid] table"},
      {"frame = 5\n", "1:9: frame must be a table"},
      {"[frame]\nstoreys = [3]\n", "1:1: [frame] needs spans"},
      {"[frame]\nspans = [6]\nstoreys = 5\n", "3:11: storeys must be an array of lengths in metres"},
      {"[frame]\nspans = []\nstoreys = [3]\n", "2:9: spans must hold at least one length"},
      {"[frame]\nspans = [6, \"7\"]\nstoreys = [3]\n", "2:13: spans must hold numbers of metres"},
      {"[frame]\nspans = [6, 0]\nstoreys = [3]\n", "2:13: a length must be above 0 (after rounding to the millimetre)"},
      {"[frame]\nspans = [6]\nstoreys = [ -3 ]\n", "3:13: a length must be above 0 (after rounding to the millimetre)"},
      {"[frame]\nspans = [0.0004]\nstoreys = [3]\n", "2:10: a length must be above 0 (after rounding to the millimetre)"},
      {"[frame]\nspans = [1e39]\nstoreys = [3]\n", "2:10: length beyond the range of the coordinates"},
      {"[frame]\nspans = [6]\nstoreys = [3e38, 3e38]\n", "3:11: storeys add up beyond the range of the coordinates"},
      {wide, "3:11: (spans + 1) x (storeys + 1) grid points go beyond 4000000"},
      {frame + "height = 3\n", "4:1: unknown key 'height' in [frame]; expected spans, storeys, edit or numbering"},
      {frame + "edit = \"x\"\n", "4:8: edit must be tables [[frame.edit]]"},
      {frame + "\n[[frame.edit]]\nmembers = \"braces\"\nstoreys = \"1\"\naxes = \"0-1\"\n",
       "6:11: members must be \"rising-braces\", \"falling-braces\", \"columns\" or \"beams\""},
      {frame + "\n[[frame.edit]]\nmembers = \"columns\"\nstoreys = 1\naxes = \"0-1\"\n",
       "7:11: storeys must be a range list string"},
      {frame + "[[frame.edit]]\nmembers = \"columns\"\nstoreys = \"1\"\naxes = \"\"\n",
       "7:8: axes must be a range list string"},
      {frame + "\n[[frame.edit]]\nmembers = \"columns\"\nstoreys = \"1\"\n", "5:1: [[frame.edit]] needs axes"},
      {frame + "\n[frame.numbering]\nbraces = \"1\"\n", "6:10: braces must be 0 (horizontal) or 1 (vertical)"},
      {"[grid]\nx_spans = [6]\ny_spans = [3, 3]\n", "2:11: x_spans must hold at least two lengths"},
  };
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");  // settings with the defaults
  const auto before = std::distance(std::filesystem::directory_iterator(dir_ / "home"), {});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.substr(0, 200));
    test::write_bytes(dir_ / "home/frame.toml", c.file);
    EXPECT_EQ(run("VDN-GENE", "", "--batch frame.toml").status, 2);
    EXPECT_EQ(test::read_bytes(dir_ / "err"), "frame.toml:" + c.message + "\n");
    std::filesystem::remove(dir_ / "home/frame.toml");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "home"), {}), before);
  }
  // From standard input the place is named so.
  EXPECT_EQ(run("VDN-GENE", "[frame]\nspans = [6]\n", "--batch -").status, 2);
  EXPECT_EQ(test::read_bytes(dir_ / "err"), "standard input:1:1: [frame] needs storeys\n");
}

TEST_F(BatchErrors, OptionsOutsideTheirRoadAreRefused) {
  EXPECT_EQ(run("VDN-GENE", "", "--batch").status, 2);
  EXPECT_EQ(test::read_bytes(dir_ / "err"), "VDN-GENE: --batch needs a value\n");
  EXPECT_EQ(run("VDN-GENE", "", "--batch f.toml --colour").status, 2);
  EXPECT_EQ(test::read_bytes(dir_ / "err"), "VDN-GENE: unknown argument --colour\n");
  EXPECT_EQ(run("VDN-GENE", "", "--batch f.toml --picture f.gif").status, 2);
  EXPECT_EQ(run("VDN-GENE", "", "--batch f.toml --record r.toml").status, 2);
  EXPECT_EQ(run("VDN-GENE", "", "--picture f.png").status, 2);
  EXPECT_EQ(run("VDN-GENE", "", "--batch missing.toml").status, 2);
  EXPECT_EQ(test::read_bytes(dir_ / "err"), "VDN-GENE: missing.toml: cannot be read\n");
}

}  // namespace
}  // namespace verdan
