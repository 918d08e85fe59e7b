// File management in-process: the menu, the index joined with the listing
// and the register, the list with its keys, deletion and printing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/frontends/headless/scripted_console.h"
#include "tests/control/file_management_fixture.h"

namespace verdan {
namespace {

using test::pad;
using Key = ScriptedConsole;

const std::string kUp = Key::key(30), kDown = Key::key(31), kDel = Key::key(127), kReturn = "",
                  kEsc = Key::key(27), kHome = Key::key(11);

class FileManagement : public test::FileManagementRun {
 protected:
  // Lines F01, F02, ... owned by 1234, registered 2019/02/20, "Comment nn".
  static std::vector<std::string> numbered_lines(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) {
      char text[64];
      std::snprintf(text, sizeof text, "F%02d        1234   2019/02/20   Comment %02d", i, i);
      lines.push_back(text);
    }
    return lines;
  }
  // The list row of such a line when no file of that name exists.
  static std::string numbered_row(int i) {
    char text[80];
    std::snprintf(text, sizeof text, "%3d F%02d        1234   2019/02/20%16sComment %02d", i, i, "", i);
    return text;
  }
  // The three-entry index of the joining cases, with its files and register.
  void lay_out_joined_case() {
    write_index({"FRAME      1234   2019/02/20   First frame", "cross      1000   98/12/01   Grid of beams",
                 "frame2     4321   2020/01/05   Third"});
    write_data_file("FRAME", 1234, 2019, 2, 20);
    write_data_file("CROSS", 7, 1998, 12, 1);
    write_data_file("FRAME2", 56789, 2020, 1, 5);
    test::write_bytes(dir_ / "VDN-USER.DAT", to_cp932("1234,\"山田  \"\r\n1000,\"別人  \"\r\n"));
  }
  void name_interpreter(const std::string& script) {
    test::write_bytes(dir_ / "cmd.sh", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> commands\n" + script);
    std::filesystem::permissions(dir_ / "cmd.sh", std::filesystem::perms::owner_all);
    interpreter_.emplace("ComSpec", dir_ / "cmd.sh");
  }
  std::optional<test::ScopedEnv> interpreter_;
};

TEST_F(FileManagement, MenuShowsItsItemsAndAsksAgainSilently) {
  EXPECT_EQ(run({"2"}), 3);
  EXPECT_EQ(console_->row_text(2), "               ＊ ＊   VERDAN  2.64  ファイル管理   ＊ ＊");
  EXPECT_EQ(console_->row_text(5), "                    １．ファイル名の一覧と削除");
  EXPECT_EQ(console_->row_text(7), "                    ２．ファイル名の印刷");
  EXPECT_EQ(console_->row_text(9), "                    ３．社員番号と氏名の登録");
  EXPECT_EQ(console_->row_text(14), "                    番号を選んで下さい( 0:終了) ?");
  EXPECT_EQ(console_->row_text(16), "");  // the listing was made
  EXPECT_EQ(run({"2", "4", "-1", "0.2", "0", "0"}), 0);
  EXPECT_EQ(console_->beeps(), 0);
  EXPECT_EQ(console_->remaining(), 0u);
}

TEST_F(FileManagement, NoIndexListsAndPrintsNothingAndLeavesNoEmptyFile) {
  ASSERT_EQ(run({"2", "1", "2", "0", "0"}), 0);
  test::write_bytes(dir_ / "DATA/INDEX", "");
  ASSERT_EQ(run({"2", "1", "2", "0", "0"}), 0);
  EXPECT_FALSE(has("DATA/INDEX"));
  EXPECT_FALSE(has("PRT.TXT"));
  EXPECT_FALSE(has("VDN-USER.DAT"));
}

TEST_F(FileManagement, ListJoinsTheIndexTheFilesAndTheRegister) {
  lay_out_joined_case();
  EXPECT_EQ(run({"2", "1"}), 3);
  EXPECT_EQ(console_->row_text(0), " *** FILE の削除 *** (Home/Clear:終了)");
  EXPECT_EQ(console_->row_text(1), "    FILE NAME  USER    DATA登録   更新   サイズ  コメント");
  EXPECT_EQ(console_->row_text(2), "  1 FRAME      山田   2019/02/20  02/20   1,234  First frame");
  // Owner 1000 is always the program's own name, whatever the register says;
  // the earlier layout's year gets its century.
  EXPECT_EQ(console_->row_text(3), "  2 cross      権兵衛 1998/12/01  12/01       7  Grid of beams");
  EXPECT_EQ(console_->row_text(4), "  3 frame2     4321   2020/01/05  01/05  56,789  Third");
  EXPECT_EQ(console_->row_text(5), "  4");
  EXPECT_EQ(console_->row_text(22), " 21");
  EXPECT_EQ(console_->row_text(23),
            "  RETURN 設定変更 (赤:削除 白:不変)    ESC:削除開始        ↑↓･INS・DEL:ｽｸﾛｰﾙ");
  EXPECT_EQ(color_at(0, 20), 4);
  EXPECT_EQ(color_at(23), 6);
  EXPECT_EQ(color_at(2), 4);  // under the cursor
  EXPECT_EQ(color_at(3), 7);
  EXPECT_EQ(console_->beeps(), 2);  // reading and converting
}

TEST_F(FileManagement, InterpreterListingIsWaitedForReadByColumnAndRemoved) {
  lay_out_joined_case();
  name_interpreter("case \"$1\" in *DIR*) cp listing DATA/INDEX.NOW;; *VER*) cp version DATA/OS.VER;; esac\n");
  test::write_bytes(dir_ / "listing",
                    "\r\n Volume in drive C\r\n Directory of C:\\DATA\r\n"
                    "FRAME       " "   " "   1234" "    " "02-20-19  10:00\r\n"
                    "CROSS       " "   " "      7" "    " "12-01-98  09:00\r\n"
                    "        2 file(s)\r\n");
  test::write_bytes(dir_ / "version", "\r\nVersion 6\r\n");
  EXPECT_EQ(run({"2", "1"}), 3);
  EXPECT_EQ(test::read_bytes(dir_ / "commands"), "/C DIR DATA\\*.*>DATA\\INDEX.NOW\n/C VER>DATA\\OS.VER\n");
  EXPECT_EQ(console_->row_text(2), "  1 FRAME      山田   2019/02/20  02/20   1,234  First frame");
  EXPECT_EQ(console_->row_text(3), "  2 cross      権兵衛 1998/12/01  12/01       7  Grid of beams");
  EXPECT_EQ(console_->row_text(4), "  3 frame2     4321   2020/01/05                Third");
  ASSERT_EQ(run({"2", "0", "0"}), 0);
  EXPECT_FALSE(has("DATA/INDEX.NOW"));
  EXPECT_FALSE(has("DATA/OS.VER"));
}

// Today's interpreters put the date first in the locale's order and the
// name last: a year-first date is the line's own, the others the file
// system's; a name the listing garbled still gets its file's facts.
TEST_F(FileManagement, DateFirstListingIsReadByWordsAndTheFileSystemFillsItIn) {
  lay_out_joined_case();
  name_interpreter("case \"$1\" in *DIR*) cp listing DATA/INDEX.NOW;; *VER*) cp version DATA/OS.VER;; esac\n");
  test::write_bytes(dir_ / "listing",
                    " Volume in drive C has no label.\r\n Volume Serial Number is 4300-0000\r\n\r\n"
                    " Directory of C:\\DATA\r\n\r\n"
                    "2019/03/21  10:00             1,000 FRAME\r\n"
                    "  2/3/1999   9:00 AM             8  CROSS\r\n"
                    "01/05/2020  10:00    <DIR>          frame2\r\n"
                    "               2 File(s)          1,008 bytes\r\n");
  test::write_bytes(dir_ / "version", "\r\nMicrosoft Windows [Version 10.0]\r\n");
  EXPECT_EQ(run({"2", "1"}), 3);
  EXPECT_EQ(console_->row_text(2), "  1 FRAME      山田   2019/02/20  03/21   1,000  First frame");
  EXPECT_EQ(console_->row_text(3), "  2 cross      権兵衛 1998/12/01  12/01       8  Grid of beams");
  EXPECT_EQ(console_->row_text(4), "  3 frame2     4321   2020/01/05  01/05  56,789  Third");
}

TEST_F(FileManagement, InterpreterThatMakesNoListingIsReportedNotFatal) {
  lay_out_joined_case();
  name_interpreter("exit 0\n");
  EXPECT_EQ(run({"2"}), 3);
  EXPECT_EQ(console_->row_text(16), "                    ※ 更新日とサイズの一覧が得られませんでした");
  EXPECT_EQ(run({"2", "1"}), 3);
  EXPECT_EQ(console_->row_text(2), "  1 FRAME      山田   2019/02/20                First frame");
  EXPECT_EQ(run({"2", "1", kHome, "2", "0", "0"}), 0);
}

TEST_F(FileManagement, DelPagesUpAndDownBeepAtTheEnds) {
  write_index(numbered_lines(30));
  EXPECT_EQ(run({"2", "1", kUp, kDel}), 3);
  EXPECT_EQ(console_->beeps(), 3);
  EXPECT_EQ(console_->row_text(2), numbered_row(1));
  EXPECT_EQ(console_->row_text(22), numbered_row(21));  // still the first page
  EXPECT_EQ(color_at(2), 7);
  EXPECT_EQ(color_at(22), 4);
  EXPECT_EQ(run({"2", "1", kDel, kDel, kDown}), 3);
  EXPECT_EQ(console_->beeps(), 4);
  EXPECT_EQ(console_->row_text(2), numbered_row(10));
  EXPECT_EQ(console_->row_text(22), numbered_row(30));
  EXPECT_EQ(console_->cursor_row(), 22);
  // INS goes back a page less one entry; the rows do not move until needed.
  EXPECT_EQ(run({"2", "1", kDel, kDel, Key::key(18), Key::key(18)}), 3);
  EXPECT_EQ(console_->row_text(2), numbered_row(1));
  EXPECT_EQ(color_at(2), 4);
}

TEST_F(FileManagement, ReturnMarksAndUnmarks) {
  write_index(numbered_lines(3));
  EXPECT_EQ(run({"2", "1", kDown, kReturn}), 3);
  EXPECT_EQ(color_at(3), 2);
  EXPECT_EQ(run({"2", "1", kDown, kReturn, kUp}), 3);
  EXPECT_EQ(color_at(2), 4);
  EXPECT_EQ(color_at(3), 2);  // marked, off the cursor
  EXPECT_EQ(run({"2", "1", kDown, kReturn, kReturn}), 3);
  EXPECT_EQ(color_at(3), 4);
}

// The index is another program's file too: with nothing deleted it is not
// written, so its earlier layout stays as well.
TEST_F(FileManagement, EscWithNothingMarkedLeavesTheIndexAsItIs) {
  lay_out_joined_case();
  const std::string index = data("INDEX");
  ASSERT_EQ(run({"2", "1", kEsc, "0", "0"}), 0);
  EXPECT_EQ(data("INDEX"), index);
  EXPECT_TRUE(has("DATA/FRAME") && has("DATA/CROSS") && has("DATA/FRAME2"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "DATA"), std::filesystem::directory_iterator()),
            4);  // no temporary left beside
}

TEST_F(FileManagement, EscWithEverythingMarkedLeavesNoIndexHomeLeavesEveryFile) {
  lay_out_joined_case();
  write_data_file("OTHER", 3);
  const std::string index = data("INDEX");
  ASSERT_EQ(run({"2", "1", kReturn, kDown, kReturn, kDown, kReturn, kHome, "0", "0"}), 0);
  EXPECT_EQ(data("INDEX"), index);
  EXPECT_TRUE(has("DATA/FRAME") && has("DATA/CROSS") && has("DATA/FRAME2"));
  EXPECT_EQ(console_->lingered_ticks(), 0);

  ASSERT_EQ(run({"2", "1", kReturn, kDown, kReturn, kDown, kReturn, kEsc, "0", "0"}), 0);
  // The deleted names stay in view two seconds or until a key; the script
  // loses no key to it.
  EXPECT_EQ(console_->lingered_ticks(), 200);
  EXPECT_FALSE(has("DATA/INDEX"));
  // "cross" in the index is the file CROSS: names match regardless of case.
  EXPECT_FALSE(has("DATA/FRAME") || has("DATA/CROSS") || has("DATA/FRAME2"));
  EXPECT_TRUE(has("DATA/OTHER"));
}

TEST_F(FileManagement, MarkedNamesOutsideTheDataDirectoryAreKeptAndReported) {
  std::filesystem::create_directory(dir_ / "SUB");
  test::write_bytes(dir_ / "SECRET", "s");
  test::write_bytes(dir_ / "SUB/X", "x");
  write_data_file("LONGNAME123", 1);
  write_data_file("LONGNAME", 1);
  write_index({"..\\SECRET  1234   2019/02/20   up", "..\\SUB\\X   1234   2019/02/20   down",
               "LONGNAME1231234   2019/02/20   whole name"});
  ASSERT_EQ(run({"2", "1", kReturn, kDown, kReturn, kDown, kReturn, kEsc}), 3);  // waits for a key
  EXPECT_EQ(console_->row_text(3), "    ..\\SECRET  は削除しません (INDEX に残します)");
  EXPECT_EQ(console_->row_text(4), "    ..\\SUB\\X  は削除しません (INDEX に残します)");
  EXPECT_EQ(console_->row_text(5), "    LONGNAME123");
  EXPECT_EQ(console_->row_text(6), "    Hit any key !!");
  EXPECT_TRUE(has("SECRET") && has("SUB/X") && has("DATA/LONGNAME"));
  EXPECT_FALSE(has("DATA/LONGNAME123"));
  EXPECT_EQ(data("INDEX"), "\"..\\SECRET  1234   2019/02/20   " + pad("up", 30) + "\"\r\n" +
                               "\"..\\SUB\\X   1234   2019/02/20   " + pad("down", 30) + "\"\r\n");
}

// A line leaves the index only when its file is gone.
TEST_F(FileManagement, MarkedNamesThatAreNoFilesOfTheListKeepTheirLines) {
  write_data_file("FRAME", 1);
  std::filesystem::create_directory(dir_ / "DATA/SUBDIR");
  std::filesystem::create_directory(dir_ / "ELSEWHERE");
  std::filesystem::create_directory_symlink(dir_ / "ELSEWHERE", dir_ / "DATA/DIRLINK");
  // The host would end this name at the NUL and delete FRAME.
  const char index[] = "\"FRAME\0X    1234   2019/02/20   nul\"\r\n"
                       "\"SUBDIR     1234   2019/02/20   directory\"\r\n"
                       "\"DIRLINK    1234   2019/02/20   link\"\r\n";
  test::write_bytes(dir_ / "DATA/INDEX", std::string(index, sizeof index - 1));
  ASSERT_EQ(run({"2", "1", kReturn, kDown, kReturn, kDown, kReturn, kEsc}), 3);  // waits for a key
  EXPECT_EQ(console_->row_text(3), "    FRAME X  は削除しません (INDEX に残します)");
  EXPECT_EQ(console_->row_text(4), "    SUBDIR  は削除しません (INDEX に残します)");
  EXPECT_EQ(console_->row_text(5), "    DIRLINK  は削除しません (INDEX に残します)");
  EXPECT_TRUE(has("DATA/FRAME") && has("DATA/SUBDIR") && has("DATA/DIRLINK") && has("ELSEWHERE"));
  EXPECT_EQ(data("INDEX"), std::string(index, sizeof index - 1));
}

// Nothing but a regular file is deleted from the list: a FIFO, a device
// (as root, a private node of the null device), a link to one; nor the
// settings when the data directory is also the start one.
TEST_F(FileManagement, MarkedNamesThatAreNoRegularFilesOrOwnFilesAreKept) {
  ASSERT_EQ(::mkfifo((dir_ / "DATA/PIPE").c_str(), 0666), 0);
  std::filesystem::create_symlink("PIPE", dir_ / "DATA/PIPELINK");
  const bool device = ::mknod((dir_ / "DATA/NULLDEV").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
  write_data_file("GONE", 1);
  write_index({"PIPE       1234   2019/02/20   fifo", "PIPELINK   1234   2019/02/20   link",
               "NULLDEV    1234   2019/02/20   device", "GONE       1234   2019/02/20   deleted"});
  ASSERT_EQ(run({"2", "1", kReturn, kDown, kReturn, kDown, kReturn, kDown, kReturn, kEsc}), 3);
  EXPECT_EQ(console_->row_text(3), "    PIPE  は削除しません (INDEX に残します)");
  EXPECT_EQ(console_->row_text(4), "    PIPELINK  は削除しません (INDEX に残します)");
  if (device) {
    EXPECT_EQ(console_->row_text(5), "    NULLDEV  は削除しません (INDEX に残します)");
    EXPECT_TRUE(std::filesystem::is_character_file(dir_ / "DATA/NULLDEV"));
  }
  EXPECT_TRUE(std::filesystem::is_fifo(dir_ / "DATA/PIPE") && std::filesystem::is_symlink(dir_ / "DATA/PIPELINK"));
  EXPECT_FALSE(has("DATA/GONE"));

  // The start directory as the data directory, the settings in it.
  StringSink ini;
  write_env_lines(ini, {".\\", "C:", "PLT.OUT", "SI", "PRT.TXT", "1.2", "0", "2.1", "0.02"}, "2.64");
  test::write_bytes(dir_ / "VERDAN.INI", ini.text());
  test::write_bytes(dir_ / "INDEX", "\"verdan.ini 1234   2019/02/20   settings\"\r\n");
  ASSERT_EQ(run({"2", "1", kReturn, kEsc}), 3);
  EXPECT_EQ(console_->row_text(3), "    verdan.ini  は削除しません (INDEX に残します)");
  EXPECT_TRUE(has("VERDAN.INI"));
}

// "\x83/AB" has no host name of its own: replaced, it would be U+FFFD "AB",
// another file.
TEST_F(FileManagement, MarkedNameWithBytesOfNoCharacterIsKeptAndReported) {
  write_data_file("\xEF\xBF\xBD" "AB", 1);
  write_data_file("GONE", 1);
  const std::string index = "\"\x83/AB       1234   2019/02/20   lossy\"\r\n"
                            "\"GONE       1234   2019/02/20   deleted\"\r\n";
  test::write_bytes(dir_ / "DATA/INDEX", index);
  ASSERT_EQ(run({"2", "1", kReturn, kDown, kReturn, kEsc}), 3);  // waits for a key
  EXPECT_NE(console_->row_text(3).find("AB  は削除しません (INDEX に残します)"), std::string::npos)
      << console_->row_text(3);
  EXPECT_EQ(console_->row_text(4), "    GONE");
  EXPECT_TRUE(has("DATA/\xEF\xBF\xBD" "AB"));
  EXPECT_FALSE(has("DATA/GONE"));
  EXPECT_EQ(data("INDEX"), "\"\x83/AB       1234   2019/02/20   " + pad("lossy", 30) + "\"\r\n");
}

TEST_F(FileManagement, EndingOnAFailedDeletionKeepsTheLinesOfFilesStillThere) {
  // Root may delete anything; the run is made as nobody in a sticky data
  // directory, where root's file cannot be deleted.
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give files away";
  write_index({"GONE       1234   2019/02/20   deleted", "STUCK      1234   2019/02/20   undeletable",
               "LATER      1234   2019/02/20   not reached", "KEPT       1234   2019/02/20   unmarked"});
  for (const char* name : {"GONE", "STUCK", "LATER", "KEPT"}) write_data_file(name, 1);
  for (const char* name : {"", "app", "app/verdan", "app/verdan/VERDAN.INI"}) ::chmod((dir_ / name).c_str(), 0777);
  ::chmod((dir_ / "DATA").c_str(), 01777);
  for (const char* name : {"DATA/INDEX", "DATA/GONE", "DATA/LATER", "DATA/KEPT"}) {
    ASSERT_EQ(::chown((dir_ / name).c_str(), 65534, 65534), 0);
  }
  int status = test::run_in_child([&] {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 200;
    // The error screen of the failed deletion is left with ESC.
    return run({"2", "1", kReturn, kDown, kReturn, kDown, kReturn, kEsc, kEsc});
  });
  ASSERT_NE(status, 200) << "cannot become nobody";
  EXPECT_EQ(status, 1);
  EXPECT_FALSE(has("DATA/GONE"));
  EXPECT_TRUE(has("DATA/STUCK") && has("DATA/LATER") && has("DATA/KEPT"));
  EXPECT_EQ(data("INDEX"), "\"STUCK      1234   2019/02/20   " + pad("undeletable", 30) + "\"\r\n" +
                               "\"LATER      1234   2019/02/20   " + pad("not reached", 30) + "\"\r\n" +
                               "\"KEPT       1234   2019/02/20   " + pad("unmarked", 30) + "\"\r\n");
}

// A DOS end-of-file mark ends the text; what follows it stays behind it.
TEST_F(FileManagement, IndexEndsAtTheEndOfFileMarkWhichStaysLast) {
  write_data_file("FRAME", 1);
  write_data_file("CROSS", 1);
  test::write_bytes(dir_ / "DATA/INDEX", "\"FRAME      1234   2019/02/20   one\"\r\n"
                                         "\"CROSS      1234   2019/02/20   two\"\r\n\x1a"
                                         "\"HIDDEN     1234   2019/02/20   old\"\r\n");
  EXPECT_EQ(run({"2", "1"}), 3);
  EXPECT_EQ(console_->row_text(4), "  3");
  ASSERT_EQ(run({"2", "1", kReturn, kEsc, "0", "0"}), 0);
  EXPECT_FALSE(has("DATA/FRAME"));
  EXPECT_EQ(data("INDEX"), "\"CROSS      1234   2019/02/20   " + pad("two", 30) + "\"\r\n\x1a" +
                               "\"HIDDEN     1234   2019/02/20   old\"\r\n");
}

// Without an interpreter each entry shows the facts of the file its whole
// name reaches.
TEST_F(FileManagement, NamesThatDifferInTheirExtensionShowTheirOwnFacts) {
  write_index({"DATA.X     1234   2019/02/20   x", "data.y     1234   2019/02/20   y",
               "DATA.Z     1234   2019/02/20   none"});
  write_data_file("DATA.X", 1, 2019, 3, 4);
  write_data_file("DATA.Y", 22, 2019, 5, 6);
  EXPECT_EQ(run({"2", "1"}), 3);
  EXPECT_EQ(console_->row_text(2), "  1 DATA.X     1234   2019/02/20  03/04       1  x");
  EXPECT_EQ(console_->row_text(3), "  2 data.y     1234   2019/02/20  05/06      22  y");
  EXPECT_EQ(console_->row_text(4), "  3 DATA.Z     1234   2019/02/20                none");
}

TEST_F(FileManagement, KeyCodeZeroOnAScrolledListOnlyRedrawsTheCursorRow) {
  write_index(numbered_lines(30));
  EXPECT_EQ(run({"2", "1", kDel, kDel, Key::key(0)}), 3);
  EXPECT_EQ(console_->row_text(1), "    FILE NAME  USER    DATA登録   更新   サイズ  コメント");
  EXPECT_EQ(console_->row_text(2), numbered_row(10));
  EXPECT_EQ(console_->row_text(22), numbered_row(30));
  EXPECT_EQ(color_at(22), 4);
  EXPECT_EQ(console_->cursor_row(), 22);
}

// Past 999 entries the numbers take a fourth digit, on the screen and in
// print alike, with the headings moved over them; every entry is reached.
TEST_F(FileManagement, ListsOfMoreThan999EntriesShowAndPrintEveryEntryWhole) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 1002; ++i) {
    char text[64];
    std::snprintf(text, sizeof text, "N%04d      1234   2019/02/20   c%d", i, i);
    lines.push_back(text);
  }
  write_index(lines);
  std::vector<std::string> keys{"2", "1"};
  keys.insert(keys.end(), 51, kDel);
  EXPECT_EQ(run(keys), 3);
  EXPECT_EQ(console_->row_text(1), "     FILE NAME  USER    DATA登録   更新   サイズ  コメント");
  // The last entry is reached, and one more page beeps.
  EXPECT_EQ(console_->row_text(22), "1002 N1002      1234   2019/02/20                c1002");
  EXPECT_EQ(console_->row_text(2).substr(0, 10), " 982 N0982");
  EXPECT_EQ(console_->beeps(), 3);

  ASSERT_EQ(run({"2", "2", "0", "0"}), 0);
  const std::string printed = test::read_bytes(dir_ / "PRT.TXT");
  auto line = [](const char* number, int i) {
    char text[96];
    std::snprintf(text, sizeof text, "%s  N%04d      1234   2019/02/20%16s%-30s\r\n", number, i, "",
                  ("c" + std::to_string(i)).c_str());
    return std::string(text);
  };
  EXPECT_EQ(printed.substr(0, printed.find(line("   6", 6))),
            to_cp932("      FILE NAME  USER    DATA登録   更新   サイズ  コメント") + "\r\n\r\n" + line("   1", 1) +
                line("   2", 2) + line("   3", 3) + line("   4", 4) + line("   5", 5) + "\r\n");
  EXPECT_EQ(printed.substr(printed.size() - 2 * line("1002", 1002).size() - 2 - 2),
            "\r\n" + line("1001", 1001) + line("1002", 1002) + "\r\n");

  ASSERT_EQ(run({"2", "1", kReturn, kEsc, "0", "0"}), 0);
  std::string index = data("INDEX");
  EXPECT_EQ(index.substr(0, 12), "\"N0002      ");
  EXPECT_EQ(index.size(), 1001u * 65);
  EXPECT_EQ(index.substr(index.size() - 65), "\"N1002      1234   2019/02/20   " + pad("c1002", 30) + "\"\r\n");
}

TEST_F(FileManagement, PrintedListComesInGroupsOfFiveAfterEarlierContent) {
  write_index(numbered_lines(12));
  test::write_bytes(dir_ / "PRT.TXT", "EARLIER\r\n");
  ASSERT_EQ(run({"2", "2", "0", "0"}), 0);
  auto line = [](int i) {
    char text[96];
    std::snprintf(text, sizeof text, "%3d  F%02d        1234   2019/02/20%16sComment %02d%20s\r\n", i, i, "", i, "");
    return std::string(text);
  };
  std::string expected = "EARLIER\r\n" + to_cp932("     FILE NAME  USER    DATA登録   更新   サイズ  コメント") + "\r\n\r\n";
  for (int i = 1; i <= 12; ++i) expected += line(i) + (i == 5 || i == 10 || i == 12 ? "\r\n" : "");
  EXPECT_EQ(test::read_bytes(dir_ / "PRT.TXT"), expected);
}

// Printing leaves nothing else on screen, so the menu says once what it did.
TEST_F(FileManagement, TheMenuSaysOnceThatTheListWasPrinted) {
  write_index(numbered_lines(12));
  EXPECT_EQ(run({"2", "2"}), 3);
  EXPECT_EQ(console_->row_text(18), "                    ファイル名の一覧 12 件を PRT.TXT に追加しました");
  EXPECT_EQ(color_at(18, 20), 6);
  EXPECT_EQ(run({"2", "2", "9"}), 3);  // the next entry puts the menu back as it was
  EXPECT_EQ(console_->row_text(18), "");
  test::write_bytes(dir_ / "DATA/INDEX", "");
  EXPECT_EQ(run({"2", "2"}), 3);
  EXPECT_EQ(console_->row_text(18), "                    印刷するファイルがありません");
}

// A print file that is the index, the register or a data file, by case,
// ".." or a link, is refused on the error screen and nothing is written.
TEST_F(FileManagement, PrintingIntoOneOfTheProgramsOwnFilesIsRefused) {
  write_index(numbered_lines(3));
  write_data_file("FRAME", 10);
  test::write_bytes(dir_ / "VDN-USER.DAT", "1234,\"A     \"\r\n");
  std::filesystem::create_symlink(dir_ / "DATA/FRAME", dir_ / "LINK.TXT");
  const std::string index = data("INDEX"), frame = data("FRAME"), users = test::read_bytes(dir_ / "VDN-USER.DAT");
  for (const char* print_file : {"data\\index", "DATA\\..\\VDN-USER.DAT", "LINK.TXT"}) {
    StringSink ini;
    write_env_lines(ini, {"DATA\\", "C:", "PLT.OUT", "SI", print_file, "1.2", "0", "2.1", "0.02"}, "2.64");
    test::write_bytes(dir_ / "app/verdan/VERDAN.INI", ini.text());
    EXPECT_EQ(run({"2", "2"}), 3) << print_file;
    int row = console_->cursor_row();
    EXPECT_EQ(console_->row_text(row), "  ERROR : CODE = 75 LINE= 910  Hit any key !!  ESC:終了") << print_file;
    EXPECT_EQ(run({"2", "2", "x", kEsc}), 1) << print_file;
    EXPECT_EQ(data("INDEX"), index);
    EXPECT_EQ(data("FRAME"), frame);
    EXPECT_EQ(test::read_bytes(dir_ / "VDN-USER.DAT"), users);
  }
}

// A read-only program folder: the settings come from the per-user directory
// and a data directory without "INDEX" lists and prints nothing.
TEST_F(FileManagement, ReadOnlyStartAndDataDirectoriesAreNoDeadEnd) {
  std::filesystem::permissions(dir_ / "DATA", std::filesystem::perms(0555));
  std::filesystem::permissions(dir_.path(), std::filesystem::perms(0555));
  int status = test::run_unprivileged(dir_.path(), [&] { return run({"2", "1", "2", "0", "0"}); });
  if (status == 200) GTEST_SKIP() << "cannot drop root privileges";
  EXPECT_EQ(status, 0);
  EXPECT_FALSE(has("DATA/INDEX"));
}

}  // namespace
}  // namespace verdan
