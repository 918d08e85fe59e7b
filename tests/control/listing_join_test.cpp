// Joining listings into the index: which entry gets which file's facts.
#include "control/listing_join.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace verdan {
namespace {

std::vector<IndexEntry> index_of(const std::vector<std::string>& names) {
  std::vector<IndexEntry> index;
  for (const std::string& name : names) index.push_back(parse_index_line(name));
  return index;
}

std::vector<std::string> infos(const std::vector<IndexEntry>& index) {
  std::vector<std::string> result;
  for (const IndexEntry& entry : index) result.push_back(entry.updated_info);
  return result;
}

const std::string kNone(12, ' ');

TEST(ListingJoin, FilesMatchByWholeNameExactFirstAndOnlyTheFirstEntry) {
  std::vector<IndexEntry> index = index_of({"DATA.X", "data.y", "DATA.Y", "abc", "Abc", "NONE"});
  std::vector<ListedFile> files{{"ABC", 1, 1, 1}, {"Abc", 2, 2, 2}, {"DATA.X", 3, 3, 3}, {"DATA.Y", 4, 4, 4}};
  join_listed_files(index, files);
  // "abc" has no exact file and takes the first alike in byte order;
  // "Abc" has its own.
  EXPECT_EQ(infos(index), (std::vector<std::string>{"03/03       3", "04/04       4", kNone, "01/01       1",
                                                    "02/02       2", kNone}));
}

TEST(ListingJoin, ListingLinesGoToTheFirstEntryOfTheirKey) {
  std::vector<IndexEntry> index = index_of({"FRAME", "frame", "CROSS"});
  join_listing_lines(index, {{match_key("FRAME"), "02/20   1,234"}, {match_key("OTHER"), "01/01       1"}});
  EXPECT_EQ(infos(index), (std::vector<std::string>{"02/20   1,234", kNone, kNone}));
}

TEST(ListingJoin, OwnersTakeTheFirstNameOfTheirNumber) {
  std::vector<IndexEntry> index = index_of({"A          1000", "B          77", "C"});
  join_owner_names(index, {{1000, "X"}, {77, "Y"}, {1000, "Z"}});
  EXPECT_EQ(index[0].user_field, "X ");
  EXPECT_EQ(index[1].user_field, "Y ");
  EXPECT_EQ(index[2].user_field, std::string(7, ' '));
}

}  // namespace
}  // namespace verdan
