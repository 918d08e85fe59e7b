#include "plt_draw/held_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

// A drawing's entities past a megabyte go to a spool file without a name:
// they come back whole and in order, and nothing is left in the directory
// for temporaries, while the entities are held or after.
TEST(HeldText, WhatIsHeldPastTheMemoryLimitComesBackWholeAndLeavesNoFile) {
  test::TempDir temporaries;
  test::ScopedEnv tmpdir("TMPDIR", temporaries.path());
  std::string expected;
  {
    HeldText held;
    for (int i = 0; expected.size() < 3 * HeldText::kMemoryLimit; ++i) {
      const std::string line = "  0\r\nLINE\r\n  8\r\nPEN" + std::to_string(i % 3) + "\r\n" + std::to_string(i) + "\r\n";
      held.append(line);
      expected += line;
    }
    EXPECT_TRUE(std::filesystem::is_empty(temporaries.path()));
    std::string replayed;
    held.replay([&replayed](std::string_view part) { replayed += part; });
    EXPECT_EQ(replayed.size(), expected.size());
    EXPECT_TRUE(replayed == expected);
    // A second replay gives the same again; clearing forgets it all.
    EXPECT_TRUE(held.all() == expected);
    held.clear();
    EXPECT_TRUE(held.empty());
    EXPECT_EQ(held.all(), "");
    held.append("again");
    EXPECT_EQ(held.all(), "again");
  }
  EXPECT_TRUE(std::filesystem::is_empty(temporaries.path()));
}

}  // namespace
}  // namespace verdan
