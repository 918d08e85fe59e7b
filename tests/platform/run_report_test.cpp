#include "platform/run_report.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/host/files.h"
#include "platform/host/program_start.h"
#include "platform/host/written_files.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

class RunAccountTest : public ::testing::Test {
 protected:
  RunAccountTest() { take_run_account(); }
  std::string path(const std::string& name) const { return dir_.path() + "/" + name; }
  test::TempDir dir_;
};

// Only files that were really written count, each once, with its full path,
// whether the run replaced it or added to it.
TEST_F(RunAccountTest, CountsCompletedWritesOnceAndNothingThatLeftNoTrace) {
  TextFile::open_append(path("EMPTY")).close();  // created, nothing added
  TextFile::open_replacing(path("DROPPED")).write("gone");  // dropped without commit
  for (int i = 0; i < 2; ++i) {
    TextFile data = TextFile::open_replacing(path("FRAME"));
    data.write_line("VERDAN V2.50");
    data.commit();
    TextFile listing = TextFile::open_append(path("PRT.TXT"));
    listing.write_line("listing");
    listing.close();
  }
  const RunAccount account = take_run_account();
  ASSERT_EQ(account.files.size(), 2u);
  EXPECT_EQ(account.files[0].path, path("FRAME"));
  EXPECT_FALSE(account.files[0].appended);
  EXPECT_EQ(account.files[1].path, path("PRT.TXT"));
  EXPECT_TRUE(account.files[1].appended);
  EXPECT_TRUE(take_run_account().files.empty());
}

TEST_F(RunAccountTest, RelativeNamesAreReportedFromTheRoot) {
  test::ScopedCwd here(dir_.path());
  TextFile file = TextFile::open_output("FRAME");
  file.write_line("x");
  file.close();
  const std::string real = std::filesystem::canonical(dir_.path()).string();
  EXPECT_EQ(run_report_text("VDN-GENE", take_run_account(), {}, real), "VDN-GENE: wrote " + real + "/FRAME\n");
}

TEST_F(RunAccountTest, AMissingProgramIsRecordedWithItsFailure) {
  EXPECT_THROW(program_to_start("NO-SUCH-PROGRAM.EXE", "FRAME"), Failure);
  EXPECT_EQ(take_run_account().missing_program, "NO-SUCH-PROGRAM.EXE");
}

// The search is told in the order it goes: beside the program, the current
// directory, then PATH (where "." is the current directory again).
TEST(RunReportText, TellsWhereAMissingProgramIsLookedForInOrder) {
  RunAccount account;
  account.missing_program = "VERDAN.EXE";
  EXPECT_EQ(run_report_text("VDN-GENE", account, {"/opt/v/bin", ".", "/usr/bin", "."}, "/home/u"),
            "VDN-GENE: VERDAN.EXE was not found, so it was not started.\n"
            "VDN-GENE: Programs are looked for, in this order:\n"
            "VDN-GENE:   beside VDN-GENE: /opt/v/bin\n"
            "VDN-GENE:   in the current directory: /home/u\n"
            "VDN-GENE:   along PATH: /usr/bin, /home/u\n"
            "VDN-GENE: Put VERDAN.EXE (or a link to it; the name is matched with or without .EXE, "
            "in any case) in one of them.\n");
  account.missing_program = "C:\\BIN\\VERDAN.EXE";
  EXPECT_EQ(run_report_text("VDN-GENE", account, {"/bin"}, "/home/u"),
            "VDN-GENE: C:\\BIN\\VERDAN.EXE was not found, so it was not started.\n"
            "VDN-GENE: It is looked for only in /bin, the directory its name gives; put it there or correct "
            "the name.\n");
}

}  // namespace
}  // namespace verdan
