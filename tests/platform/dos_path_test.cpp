#include "platform/host/dos_path.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "platform/codec/cp932.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

namespace fs = std::filesystem;

// A temporary tree as drive D: and as the current directory; every other
// drive letter unset unless a test sets it.
class DosPathTest : public ::testing::Test {
 protected:
  DosPathTest() {
    fs::create_directories(root_ / "data");
    test::write_bytes(root_ / "data/Frame", "x");
    fs::create_directories(root_ / "データ");
    fs::create_directories(root_ / "amb/Ab");
    fs::create_directories(root_ / "amb/aB");
    fs::create_directories(root_ / "c/DATA");
  }

  static std::vector<std::unique_ptr<test::ScopedEnv>> unset_drives() {
    std::vector<std::unique_ptr<test::ScopedEnv>> drives;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      drives.push_back(
          std::make_unique<test::ScopedEnv>(std::string("VERDAN_DRIVE_") + letter, std::nullopt));
    }
    return drives;
  }

  test::TempDir root_;
  std::vector<std::unique_ptr<test::ScopedEnv>> drives_ = unset_drives();
  test::ScopedEnv drive_d_{"VERDAN_DRIVE_D", root_.path()};
  test::ScopedCwd cwd_{root_.path()};
};

TEST_F(DosPathTest, MapsDosFormToHostPaths) {
  test::ScopedEnv drive_c("VERDAN_DRIVE_C", root_ / "c/");
  const std::string t = root_.path();
  struct Case {
    std::string dos;
    std::string host;
  };
  const std::vector<Case> cases = {
      // A drive without a separator is the current directory.
      {"C:FRAME", "FRAME"},
      {"C:", "."},
      {"C:\\DATA\\FRAME", t + "/c/DATA/FRAME"},
      {"D:\\X\\", t + "/X"},
      {"D:\\", t},
      // Existing names are found whatever the case of the text.
      {"D:\\DATA\\FRAME", t + "/data/Frame"},
      {"d:\\Data\\frame", t + "/data/Frame"},
      {"D:\\data  \\FRAME   ", t + "/data/Frame"},
      {"D:/DATA/FRAME", t + "/data/Frame"},
      // Several names match: the exact one, else the first in byte order.
      {"D:\\AMB\\AB", t + "/amb/Ab"},
      {"D:\\amb\\aB", t + "/amb/aB"},
      // Missing names keep the case they were given, and so does all below.
      {"DATA\\NEW\\FILE", "data/NEW/FILE"},
      {"..\\VERDAN-NO-SUCH-NAME", "../VERDAN-NO-SUCH-NAME"},
      // ソ is 83 5C: its second byte is no separator.
      {sj("D:\\データ\\ソフト"), t + "/データ/ソフト"},
      {sj("D:\\データ"), t + "/データ"},
      // Host paths pass as they are, apart from the separators.
      {t + "\\DATA\\FRAME", t + "/data/Frame"},
      {"/", "/"},
      // A root without a drive is the current drive's: here D.
      {"\\DATA", t + "/data"},
      // A drive without a setting is the host's root.
      {"E:\\VERDAN-NO-SUCH-DIR\\X", "/VERDAN-NO-SUCH-DIR/X"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(host_path(c.dos), c.host) << "DOS path: " << to_utf8(c.dos);
  }
}

TEST_F(DosPathTest, EmptyPathOrOneHoldingANulIsABadFileName) {
  EXPECT_EQ(test::failure_code_of([] { host_path(""); }), 64);
  EXPECT_EQ(test::failure_code_of([] { host_path("   "); }), 64);
  // The host would stop at the NUL and name the file before it.
  EXPECT_EQ(test::failure_code_of([] { host_path(std::string("FRAME\0X", 7)); }), 64);
}

// Bytes of no character would all become U+FFFD: "\x83/AB" and "\x82/AB"
// would be one host name, the file U+FFFD "AB" that another name made.
TEST_F(DosPathTest, BytesOfNoCharacterAreABadFileNameNeverAReplacement) {
  test::write_bytes(root_ / "\xEF\xBF\xBD" "AB", "someone else's");
  for (const std::string name : {"\x83/AB", "AB\x83", "\x85\x40X", "\x80X", "X\xA0", "\xFD"}) {
    EXPECT_EQ(test::failure_code_of([&] { host_path(name); }), 64) << name;
    EXPECT_EQ(test::failure_code_of([&] { host_path("D:\\" + name); }), 64) << name;
  }
  try {
    host_path("DATA\\\x83/AB");
    ADD_FAILURE() << "mapped";
  } catch (const Failure& failure) {
    EXPECT_NE(std::string(failure.what()).find("83 2F"), std::string::npos) << failure.what();
  }
  // ソ (83 5C), half-width kana and a user-defined code (F0 40) are characters.
  EXPECT_EQ(host_path(sj("ソ") + "\xB1"), "ソｱ");
  EXPECT_EQ(host_path("\xF0\x40"), "\xEE\x80\x80");
}

TEST_F(DosPathTest, MatchNamePrefersExactThenByteOrder) {
  EXPECT_EQ(match_name(root_ / "amb", "aB"), "aB");
  EXPECT_EQ(match_name(root_ / "amb", "AB"), "Ab");
  EXPECT_EQ(match_name(root_ / "amb", "ABC"), "");
  EXPECT_EQ(match_name(root_ / "no-such-dir", "x"), "");
  EXPECT_EQ(matching_names(root_ / "amb", "ab"), (std::vector<std::string>{"Ab", "aB"}));
  EXPECT_EQ(matching_names(root_ / "amb", "aB"), (std::vector<std::string>{"aB", "Ab"}));
}

// The names a lookup found are kept while the directory stays unchanged;
// a name made or removed after that, in a directory just changed or in one
// long still, must be seen by the next lookup.
TEST_F(DosPathTest, NamesMadeOrRemovedAfterALookupAreSeen) {
  const fs::path dir = root_ / "kept";
  fs::create_directories(dir);
  for (bool long_still : {false, true}) {
    if (long_still) fs::last_write_time(dir, fs::file_time_type::clock::now() - std::chrono::seconds(60));
    EXPECT_EQ(match_name(dir, "NEW"), "");
    test::write_bytes(dir / "new", "x");
    EXPECT_EQ(match_name(dir, "NEW"), "new");
    fs::rename(dir / "new", dir / "New");
    EXPECT_EQ(matching_names(dir, "nEW"), std::vector<std::string>{"New"});
    test::write_bytes(dir / "NEW", "x");
    EXPECT_EQ(matching_names(dir, "NEW"), (std::vector<std::string>{"NEW", "New"}));
    fs::remove(dir / "New");
    fs::remove(dir / "NEW");
    EXPECT_EQ(match_name(dir, "new"), "");
  }
}

TEST_F(DosPathTest, CurrentDirectoryInDosForm) {
  EXPECT_EQ(dos_current_directory(), "D:\\");
  fs::current_path(root_ / "data");
  EXPECT_EQ(dos_current_directory(), "D:\\data");
  fs::current_path(root_ / "データ");
  EXPECT_EQ(dos_current_directory(), "D:\\\x83\x66\x81\x5B\x83\x5E");
}

TEST_F(DosPathTest, LongestDriveRootWins) {
  test::ScopedEnv drive_e("VERDAN_DRIVE_E", root_ / "data");
  // A root is a prefix by whole names only: /x/data is not under /x/dat.
  test::ScopedEnv drive_f("VERDAN_DRIVE_F", root_ / "dat");
  fs::create_directories(root_ / "dat");
  fs::current_path(root_ / "data");
  EXPECT_EQ(dos_current_directory(), "E:\\");
  fs::current_path(root_ / "amb");
  EXPECT_EQ(dos_current_directory(), "D:\\amb");
}

TEST_F(DosPathTest, WithoutDriveSettingsTheHostRootIsDriveC) {
  test::ScopedEnv no_d("VERDAN_DRIVE_D", std::nullopt);
  std::string expected = "C:" + root_.path();
  for (char& c : expected) {
    if (c == '/') c = '\\';
  }
  EXPECT_EQ(dos_current_directory(), expected);
  fs::current_path("/");
  EXPECT_EQ(dos_current_directory(), "C:\\");
}

TEST_F(DosPathTest, CurrentDirectoryMapsBackToItself) {
  const std::string deep = root_ / "データ/ソフト/表";
  fs::create_directories(deep);
  for (const std::string& dir : {root_.path(), deep}) {
    fs::current_path(dir);
    EXPECT_EQ(host_path(dos_current_directory()), dir);
  }
  test::ScopedEnv no_d("VERDAN_DRIVE_D", std::nullopt);
  fs::current_path(deep);
  EXPECT_EQ(host_path(dos_current_directory()), deep);
}

TEST_F(DosPathTest, CurrentDirectoryLongerThan255BytesIsEmpty) {
  std::string deep = root_.path();
  while (deep.size() - root_.path().size() < 260) deep += "/" + std::string(50, 'n');
  fs::create_directories(deep);
  fs::current_path(deep);
  EXPECT_EQ(dos_current_directory(), "");
}

}  // namespace
}  // namespace verdan
