// The list's deletion against other writers of "INDEX": the analysis program
// appends a line when it saves, and a second session of this program may
// rewrite the index while the list is open. No line of a file still there
// is lost, and no line of a file deleted comes back.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "platform/host/directory_lock.h"
#include "tests/control/file_management_fixture.h"

namespace verdan {
namespace {

using test::pad;
using Key = ScriptedConsole;

const std::string kDown = Key::key(31), kReturn = "", kEsc = Key::key(27);

const std::string kLineA = "A          1234   2019/02/20   alpha";
const std::string kLineB = "B          2345   2019/02/21   beta";
const std::string kLineC = "C          3456   98/12/01   gamma";  // the earlier layout
const std::string kLineD = "D          4567   2019/03/01   delta";
const std::string kLineE = "E          5678   2019/03/02   epsilon";

// A line of the current layout as the index holds it.
std::string stored(const std::string& line) { return "\"" + line + "\"\r\n"; }
// The same line written back: the comment padded to its 30 bytes.
std::string written(const std::string& line) { return "\"" + pad(line, 61) + "\"\r\n"; }
const std::string kWrittenC = "\"C          3456   1998/12/01   " + pad("gamma", 30) + "\"\r\n";

class IndexInterleaving : public test::FileManagementRun {
 protected:
  IndexInterleaving() {
    test::write_bytes(dir_ / "DATA/INDEX", stored(kLineA) + stored(kLineB) + stored(kLineC));
    for (const char* name : {"A", "B", "C"}) write_data_file(name, 1);
  }

  // What the analysis program does when it saves: the data file, then its
  // line added at the end of "INDEX".
  void analysis_saves(const std::string& name, const std::string& line) {
    write_data_file(name, 1);
    std::ofstream(dir_ / "DATA/INDEX", std::ios::binary | std::ios::app) << stored(line);
  }

  // This session: the list, RETURN on the first entry, then ESC (item 3).
  static std::vector<std::string> delete_first() { return {"2", "1", kReturn, kEsc, "0", "0"}; }
  static constexpr std::size_t kFirstEsc = 3;
  // The second session: the list, RETURN on the third entry, then ESC (item 5).
  static std::vector<std::string> delete_third() { return {"2", "1", kDown, kDown, kReturn, kEsc, "0", "0"}; }
  static constexpr std::size_t kThirdEsc = 5;
};

TEST_F(IndexInterleaving, ALineSavedWhileTheListIsOpenStays) {
  ASSERT_EQ(run(delete_first(), {{kFirstEsc, [&] { analysis_saves("D", kLineD); }}}), 0);
  EXPECT_EQ(data("INDEX"), written(kLineB) + kWrittenC + written(kLineD));
  EXPECT_FALSE(has("DATA/A"));
}

// Each session deletes one file; the analysis program saves inside the
// second session's list and again between the two deletions.
TEST_F(IndexInterleaving, TwoSessionsAndTheAnalysisProgramLoseNoLine) {
  const Actions second_session = {{kFirstEsc, [&] {
    EXPECT_EQ(run_other(delete_third(), {{kThirdEsc, [&] { analysis_saves("D", kLineD); }}}), 0);
    EXPECT_EQ(data("INDEX"), written(kLineA) + written(kLineB) + written(kLineD));
    analysis_saves("E", kLineE);
  }}};
  ASSERT_EQ(run(delete_first(), second_session), 0);
  EXPECT_EQ(data("INDEX"), written(kLineB) + written(kLineD) + written(kLineE));
  EXPECT_FALSE(has("DATA/A") || has("DATA/C"));
  EXPECT_TRUE(has("DATA/B") && has("DATA/D") && has("DATA/E"));
}

// With nothing deleted the index is not written at all, so nothing saved
// meanwhile can be lost and no line changes its form.
TEST_F(IndexInterleaving, NothingDeletedWritesNothing) {
  const std::string index = data("INDEX");
  ASSERT_EQ(run({"2", "1", kEsc, "0", "0"}, {{2, [&] { analysis_saves("D", kLineD); }}}), 0);
  EXPECT_EQ(data("INDEX"), index + stored(kLineD));
}

// A line twice in the index, one copy marked: one copy goes, as often as
// it was marked, whatever else came meanwhile.
TEST_F(IndexInterleaving, OnlyTheMarkedCopyOfARepeatedLineGoes) {
  test::write_bytes(dir_ / "DATA/INDEX", stored(kLineA) + stored(kLineA) + stored(kLineB));
  ASSERT_EQ(run(delete_first(), {{kFirstEsc, [&] { analysis_saves("D", kLineD); }}}), 0);
  EXPECT_EQ(data("INDEX"), written(kLineA) + written(kLineB) + written(kLineD));
}

// A second session replacing the index holds the lock on the data
// directory; this one waits for it and takes its lines out of that
// session's index, not of the one it read before.
TEST_F(IndexInterleaving, TheRewriteWaitsForAnotherSessionsReplacement) {
  std::thread other;
  const Actions replace_meanwhile = {{kFirstEsc, [&] {
    auto lock = std::make_unique<DirectoryLock>("DATA\\");
    ASSERT_TRUE(lock->held());
    other = std::thread([this, lock = std::move(lock)]() mutable {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      // The other session deleted C.
      std::filesystem::remove(dir_ / "DATA/C");
      test::write_bytes(dir_ / "DATA/INDEX.NEW", written(kLineA) + written(kLineB));
      std::filesystem::rename(dir_ / "DATA/INDEX.NEW", dir_ / "DATA/INDEX");
      lock.reset();
    });
  }}};
  const int status = run(delete_first(), replace_meanwhile);
  if (other.joinable()) other.join();
  ASSERT_EQ(status, 0);
  EXPECT_EQ(data("INDEX"), written(kLineB));
}

}  // namespace
}  // namespace verdan
