// The unnamed spool file through the Windows calls: what is appended comes
// back whole, and the file goes with its handle.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/host/spool_file.h"
#include "tests/windows/windows_fixture.h"

namespace verdan {
namespace {

using WindowsSpool = test::WindowsHost;

TEST_F(WindowsSpool, WhatIsSpooledComesBackWholeAndTheFileGoesWithIt) {
  // The directory for temporaries is this test's own, to see it emptied.
  wchar_t old_tmp[MAX_PATH + 1] = {};
  const bool had_tmp = GetEnvironmentVariableW(L"TMP", old_tmp, MAX_PATH + 1) > 0;
  ASSERT_TRUE(SetEnvironmentVariableW(L"TMP", dir_.wstring().c_str()));
  std::string expected;
  {
    SpoolFile spool;
    for (int i = 0; expected.size() < (std::size_t{3} << 20); ++i) {
      const std::string line = "  0\r\nLINE\r\n" + std::to_string(i) + "\r\n";
      spool.append(line);
      expected += line;
    }
    std::string replayed;
    spool.replay([&replayed](std::string_view part) { replayed += part; });
    EXPECT_EQ(replayed.size(), expected.size());
    EXPECT_TRUE(replayed == expected);
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir_));
  SetEnvironmentVariableW(L"TMP", had_tmp ? old_tmp : nullptr);
}

}  // namespace
}  // namespace verdan
