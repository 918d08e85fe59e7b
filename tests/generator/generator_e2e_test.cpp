// The built VDN-GENE run headless, with the control program beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/codec/cp932.h"
#include "platform/host/temporary_owner.h"
#include "tests/headless_run.h"

namespace verdan {
namespace {

using GeneratorHeadless = test::HeadlessRun;

TEST_F(GeneratorHeadless, FirstRunHandsOverToTheControlProgramAndBack) {
  // No settings anywhere: the control program runs its settings screen,
  // writes the file and starts the generator again, which shows its menu.
  test::Outcome out = run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n");
  EXPECT_EQ(out.status, 3);  // input ends at the generator's menu
  EXPECT_TRUE(std::filesystem::exists(dir_ / "home/app/verdan/VERDAN.INI"));
  // Three final screens: the generator's (blank, before handing over), the
  // control program's and the generator's title screen.
  std::string last = out.screen.substr(out.screen.rfind("環境設定"));
  EXPECT_NE(last.find("任意フレーム応力解析 [VERDAN] DATA GENERATOR <VDN-GENE> Ver 2.59"), std::string::npos);
  EXPECT_NE(last.find("Data DIR = C:"), std::string::npos);
}

TEST_F(GeneratorHeadless, FramePictureInTheSnapshot) {
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");
  test::Outcome out = run("VDN-GENE", "1\n3\n2\n6\n\n\n4\n\n", "", "/usr/bin:/bin", built_programs(),
                          "VERDAN_SNAPSHOT='" + dir_ / "frame.png" + "'");
  EXPECT_EQ(out.status, 3);
  EXPECT_NE(out.screen.find("ITEM ="), std::string::npos);
  EXPECT_GT(std::filesystem::file_size(dir_ / "frame.png"), 1000u);
}

TEST_F(GeneratorHeadless, F1AtTheMenuShowsItsPageAndTheNextKeyPutsTheScreenBackByteForByte) {
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");
  const auto plain = final_screen("VDN-GENE", "");
  const auto page = final_screen("VDN-GENE", "\x1bOP\n");  // input ends on the page
  EXPECT_NE(page.first.find("ヘルプ：メニュー"), std::string::npos) << page.first;
  EXPECT_NE(page.second, plain.second);
  const auto back = final_screen("VDN-GENE", "\x1bOP\n\n");
  EXPECT_EQ(back.first, plain.first);
  EXPECT_TRUE(back.second == plain.second) << "the pictures differ";
}

TEST_F(GeneratorHeadless, FrameRoadFromTheMenuToTheAnalysisProgram) {
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");  // settings with the defaults: data in C:
  const std::string bin = stand_in("VERDAN", "echo \"$*\" > '" + dir_ / "analysis" + "'\n");
  test::ScopedEnv drive("VERDAN_DRIVE_C", std::nullopt);
  // Data directory C: is the start directory; print file PRT.TXT there.
  test::Outcome out = run("VDN-GENE", "1\n1\n1\n6\n3.5\n5\n\n\n\n", "", bin + ":/usr/bin:/bin");
  EXPECT_EQ(out.status, 0);
  EXPECT_EQ(test::read_bytes(dir_ / "analysis"), "FRAME\n");
  EXPECT_EQ(test::read_bytes(dir_ / "home/FRAME"),
            "VERDAN V2.50\r\n"
            " 4             4             1             0 \r\n"
            " 0             0 \r\n"
            " 600           0 \r\n"
            " 0             350 \r\n"
            " 600           350 \r\n"
            "  1   3   1   -1             0             0             0             0 \r\n"
            "  2   4   1   -1             0             0             0             0 \r\n"
            "  1   2   1   -1             0             0             0             0 \r\n"
            "  3   4   1   -1             0             0             0             0 \r\n"
            " 1            -1             0             0             0 \r\n");
  EXPECT_EQ(test::read_bytes(dir_ / "home/PRT.TXT"),
            to_cp932("柱　　　　部材番号　  1 -  2 \r\n"
                     "梁　　　　部材番号　  3 -  4 \r\n") +
                "\r\n"
                "\r\n"
                " 2FL +-    3 --  4--- 4\r\n"
                "     |     |          |\r\n"
                "     |     |          |\r\n"
                "   3.500   1          2\r\n"
                "     |     |          |\r\n"
                "     |     |          |\r\n"
                " 1FL +-    1 --  3--- 2\r\n"
                "\r\n"
                "           |          |\r\n"
                "           +-  6.000 -+\r\n"
                "           0          1\r\n"
                "\r\n"
                "\r\n");
}

TEST_F(GeneratorHeadless, SecondRunAppendsOrReplacesTheListingAndReplacesTheDataFile) {
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");
  const std::string path = stand_in("VERDAN", "") + ":/usr/bin:/bin";
  test::write_bytes(dir_ / "home/PRT.TXT", "old listing\r\n");
  test::write_bytes(dir_ / "home/FRAME", std::string(5000, 'x'));
  // "maybe" is asked again; an empty answer appends.
  EXPECT_EQ(run("VDN-GENE", "1\n1\n1\n6\n3.5\n5\n\n\n\nmaybe\n\n", "", path).status, 0);
  std::string listing = test::read_bytes(dir_ / "home/PRT.TXT");
  EXPECT_EQ(listing.substr(0, 13), "old listing\r\n");
  EXPECT_EQ(test::read_bytes(dir_ / "home/FRAME").substr(0, 14), "VERDAN V2.50\r\n");
  EXPECT_EQ(test::read_bytes(dir_ / "home/FRAME").find('x'), std::string::npos);
  // "n" appends again; "Y" replaces.
  EXPECT_EQ(run("VDN-GENE", "1\n1\n1\n6\n3.5\n5\n\n\n\nn\n", "", path).status, 0);
  EXPECT_EQ(test::read_bytes(dir_ / "home/PRT.TXT").size(), 13 + 2 * (listing.size() - 13));
  EXPECT_EQ(run("VDN-GENE", "1\n1\n1\n6\n3.5\n5\n\n\n\nY\n", "", path).status, 0);
  EXPECT_EQ(test::read_bytes(dir_ / "home/PRT.TXT"), listing.substr(13));
}

TEST_F(GeneratorHeadless, GridBeamRoadToTheAnalysisProgram) {
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");
  const std::string bin = stand_in("VERDAN", "echo \"$*\" > '" + dir_ / "analysis" + "'\n");
  test::Outcome out = run("VDN-GENE", "2\n2\n2\n6\n\n5\n\n", "", bin + ":/usr/bin:/bin");
  EXPECT_EQ(out.status, 0);
  EXPECT_EQ(test::read_bytes(dir_ / "analysis"), "CROSS\n");
  EXPECT_EQ(test::read_bytes(dir_ / "home/CROSS"),
            "VERDAN V2.50\r\n"
            " 6             5             1             0 \r\n"
            " 500           200 \r\n"
            " 600           300 \r\n"
            " 1100          200 \r\n"
            " 1100          300 \r\n"
            " 1600          300 \r\n"
            " 1700          200 \r\n"
            "  1   3   1   -1             0             0             0             0 \r\n"
            "  3   6   1   -1             0             0             0             0 \r\n"
            "  2   4   1   -1             0             0             0             0 \r\n"
            "  4   5   1   -1             0             0             0             0 \r\n"
            "  3   4   4   -1             0             0             0             0 \r\n"
            " 1            -1             0             0             0 \r\n");
  EXPECT_EQ(test::read_bytes(dir_ / "home/PRT.TXT").find("\r\n" + to_cp932("つなぎ材　部材番号   5 -   5")), 0u);
}

// On a new machine the analysis program is usually not installed: the run
// ends on the error screen, and once the console is handed back it says
// which files it wrote, where, and where the program would have been found.
TEST_F(GeneratorHeadless, WithoutTheAnalysisProgramTheRunSaysWhatItWroteAndWhereToPutTheProgram) {
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");
  const std::string home = std::filesystem::canonical(dir_ / "home").string();
  EXPECT_EQ(run("VDN-GENE", "1\n1\n1\n6\n3.5\n5\n\n\n\n").status, 3);
  const std::string err = test::read_bytes(dir_ / "err");
  EXPECT_NE(err.find("VDN-GENE: wrote " + home + "/FRAME\n"), std::string::npos) << err;
  EXPECT_NE(err.find("VDN-GENE: added to " + home + "/PRT.TXT\n"), std::string::npos) << err;
  EXPECT_NE(err.find("VDN-GENE: VERDAN.EXE was not found"), std::string::npos) << err;
  EXPECT_NE(err.find("in the current directory: " + home + "\n"), std::string::npos) << err;
  EXPECT_NE(err.find("along PATH: /usr/bin, /bin\n"), std::string::npos) << err;
  // The account comes after the screen is given back, not mixed into it.
  EXPECT_EQ(test::read_bytes(dir_ / "out").find("VDN-GENE: wrote"), std::string::npos);
}

TEST_F(GeneratorHeadless, BeforeTheAnalysisProgramStartsTheRunSaysWhatItWroteOnce) {
  const std::string home = std::filesystem::canonical(dir_ / "home").string();
  // First run: the control program makes the settings and starts the generator.
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");
  EXPECT_NE(test::read_bytes(dir_ / "err").find("VDN-CNTL: wrote " + home + "/app/verdan/VERDAN.INI\n"),
            std::string::npos);
  const std::string bin = stand_in("VERDAN", "echo started >&2\n");
  EXPECT_EQ(run("VDN-GENE", "1\n1\n1\n6\n3.5\n5\n\n\n\n", "", bin + ":/usr/bin:/bin").status, 0);
  EXPECT_EQ(test::read_bytes(dir_ / "err"),
            "VDN-GENE: added to " + home + "/PRT.TXT\n"
            "VDN-GENE: wrote " + home + "/FRAME\n"
            "started\n");
}

// A request to stop (SIGTERM, SIGHUP) ends a headless run as any other end
// does: the final screen is written, the status is the signal's, and an
// append in progress is cut back rather than left half-written.
class StopRequest : public test::HeadlessRun {
 protected:
  // Starts VDN-GENE on a FIFO of keys that never ends by itself, feeds it
  // `keys`, waits until `ready` (a shell test) holds, sends `signal`, and
  // returns the program's exit status.
  int run_and_stop(const std::string& keys, const std::string& ready, const char* signal) {
    const std::string bin = stand_in("VERDAN", "");
    const std::string script = "cd '" + dir_ / "home" + "' || exit 1\n"
        "mkfifo ../keys\n"
        "env -i PATH='" + bin + ":/usr/bin:/bin' APPDATA='" + dir_ / "home/app" + "' OS=Linux '" +
        built_programs() + "/VDN-GENE' < ../keys > ../out 2> ../err &\n"
        "pid=$!\n"
        "exec 3> ../keys\n"
        "printf '" + keys + "' >&3\n"
        "tries=0\n"
        "until " + ready + "; do sleep 0.01; tries=$((tries + 1)); [ $tries -lt 6000 ] || exit 99; done\n"
        "kill -" + signal + " $pid\n"
        "wait $pid\n"
        "echo $? > ../status\n";
    test::write_bytes(dir_ / "stop.sh", script);
    if (std::system(("sh '" + dir_ / "stop.sh" + "'").c_str()) != 0) return -1;
    return std::stoi(test::read_bytes(dir_ / "status"));
  }
};

// Blocked in a read of standard input (read is call 0 on this host). Where
// the system does not let a sibling read that, a second's wait stands in.
constexpr const char* kWaitingForInput =
    "s=$(cut -d' ' -f1,2 /proc/$pid/syscall 2>/dev/null) || s=; "
    "[ \"$s\" = '0 0x0' ] || { [ -z \"$s\" ] && sleep 1; }";

TEST_F(StopRequest, WaitingForAKeyTheRunEndsWithItsScreen) {
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");
  for (const char* signal : {"TERM", "HUP"}) {
    const int status = run_and_stop("", kWaitingForInput, signal);
    EXPECT_EQ(status, std::string(signal) == "TERM" ? 143 : 129) << signal;
    // Killed, it would have written no screen.
    EXPECT_NE(test::read_bytes(dir_ / "out").find("DATA GENERATOR"), std::string::npos) << signal;
    std::filesystem::remove(dir_ / "keys");
  }
}

TEST_F(StopRequest, AnAppendInProgressIsCutBackAndNoTemporaryIsLeft) {
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");
  test::write_bytes(dir_ / "home/PRT.TXT", "old listing\r\n");
  test::write_bytes(dir_ / "home/FRAME", "old frame\r\n");
  // A frame large enough that its listing takes a while, every rising
  // brace, appended to the print file ("n"): long enough that the stop
  // lands within the append also on a busy machine, whose watcher may look
  // only every few tens of milliseconds. Keys as printf reads them.
  std::string same;
  for (int i = 1; i < 1200; ++i) same += "\\n";
  const std::string keys = "1\\n1200\\n1200\\n6\\n" + same + "3.5\\n" + same + "1\\n1-1200\\n0-1200\\n\\n5\\n\\n\\n\\nn\\n";
  const int status = run_and_stop(keys, "[ $(stat -c %s PRT.TXT) -gt 13 ]", "TERM");
  EXPECT_EQ(status, 143);
  const std::string screen = test::read_bytes(dir_ / "out");
  EXPECT_EQ(std::count(screen.begin(), screen.end(), '\n'), 24);
  EXPECT_EQ(test::read_bytes(dir_ / "home/PRT.TXT"), "old listing\r\n");
  EXPECT_EQ(test::read_bytes(dir_ / "home/FRAME"), "old frame\r\n");
  for (const auto& entry : std::filesystem::directory_iterator(dir_ / "home")) {
    EXPECT_NE(entry.path().filename().string().rfind(".~", 0), 0u) << entry.path();
  }
}

// A run killed while replacing a file left its temporary; the next start of
// either program clears every place the two write, not only the one it
// next replaces.
TEST_F(GeneratorHeadless, EitherProgramsStartSweepsDeadTemporariesEverywhereItWrites) {
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");
  const std::string name =
      temporary_prefix(machine_label(test::host_name()), static_cast<std::uint64_t>(test::ended_process())) + "0";
  const std::string places[] = {dir_ / "home/" + name, dir_ / "home/app/verdan/" + name};
  for (const char* program : {"VDN-GENE", "VDN-CNTL"}) {
    for (const std::string& place : places) test::write_bytes(place, "half a frame");
    // The generator at its menu, the control program in its settings.
    EXPECT_EQ(run(program, std::string(program) == "VDN-GENE" ? "" : "1\n").status, 3) << program;
    for (const std::string& place : places) EXPECT_FALSE(std::filesystem::exists(place)) << program << " " << place;
  }
}

}  // namespace
}  // namespace verdan
