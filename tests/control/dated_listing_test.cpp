// Listings of NT-family command interpreters: each locale's line read for
// its name and size, the date only where its order is plain. How the file
// system fills in the rest: the control program's file management tests.
#include "control/dated_listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/codec/cp932.h"

namespace verdan {
namespace {

struct Line {
  std::string text;
  std::string name;
  std::int64_t size;
  int month, day;
};

TEST(DatedListing, EachLocalesLineGivesNameSizeAndAPlainDate) {
  const std::vector<Line> lines{
      {"  3/5/2024  12:00 PM         1,234  FRAME", "FRAME", 1234, 0, 0},        // wine's cmd
      {"03/05/2024  12:00 PM             1,234 FRAME", "FRAME", 1234, 0, 0},    // en-US
      {"2024/03/05  12:00                 987 CROSS", "CROSS", 987, 3, 5},      // ja-JP
      {"05.03.2024  12:00         1.234.567 A.TXT", "A.TXT", 1234567, 0, 0},  // de-DE
      {"05/03/2024  12:00             1 234 567 12 AB", "12 AB", 1234567, 0, 0},  // fr-FR
      {"2024-03-05  PM 12:00              12 My file.txt  ", "My file.txt", 12, 3, 5},
      {"2024/12/31  23:59                   0 " + sj("表データ"), sj("表データ"), 0, 12, 31},
  };
  for (const Line& line : lines) {
    SCOPED_TRACE(line.text);
    auto file = dated_listing_line(line.text);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->name, line.name);
    EXPECT_EQ(file->size, line.size);
    EXPECT_EQ(file->month, line.month);
    EXPECT_EQ(file->day, line.day);
  }
}

TEST(DatedListing, HeadingsTotalsDirectoriesAndTheOldLayoutDescribeNoFile) {
  for (const std::string& text :
       {std::string(" Volume in drive C has no label."), std::string(" Directory of C:\\DATA"),
        std::string("       2 File(s)          1,237 bytes"), std::string(" 12/8/2026   1:18 AM  <DIR>         .."),
        std::string("2024/03/05  12:00    <JUNCTION>     Link [C:\\X]"), std::string("2024/03/05  12:00"),
        std::string("FRAME           1234 02-20-19  10:00"), std::string("2024/03/05  FRAME   1234"), std::string()}) {
    EXPECT_FALSE(dated_listing_line(text)) << text;
  }
}

}  // namespace
}  // namespace verdan
