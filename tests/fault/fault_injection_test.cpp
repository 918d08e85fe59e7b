// Every dialogue that writes a file, run as the built program with a fault at
// each file call in turn (a failure once or for good, a short write, a kill
// just before or after the call). Whatever happens, each file is its old self
// or its new self, the program ends through its error handler with status 0,
// 1 or 3, and no temporary outlives the next start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/headless_run.h"

namespace verdan {
namespace {

namespace fs = std::filesystem;

// A file's state: its bytes, or nothing when absent.
using State = std::optional<std::string>;

struct Dialogue {
  std::string name;
  std::string program;
  std::string arguments;
  std::string script;
  std::function<void(const std::string& home)> lay_out;
  std::vector<std::string> files;  // watched, under home/
  // Extra rule over the states found after a faulty run (may be empty).
  std::function<void(const std::map<std::string, State>&, const std::map<std::string, State>&)> agree;
};

struct Fault {
  const char* kind;
  bool for_good;
};

constexpr Fault kFaults[] = {{"enospc", false}, {"eio", true},         {"eacces", true},
                             {"short", false},  {"kill_before", false}, {"kill_after", false}};

// The settings file the control program writes for `data_dir` (220 lines).
std::string settings_for(const std::string& data_dir) {
  std::string bytes = "\"" + data_dir + "\",\"C:\",\"PLT.OUT\",\"SI\",\"PRT.TXT\"\r\n";
  for (int i = 2; i <= 14; ++i) bytes += "\"fixed\"\r\n";
  bytes += "\"1.2\",\"0\",\"2.1\",\"0.02\"\r\n";
  for (int i = 16; i <= 220; ++i) bytes += "\"T" + std::to_string(i) + "\"\r\n";
  return bytes;
}

const char* const kFrameData =
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
    " 1            -1             0             0             0 \r\n";

// A grid of `side` x `side` nodes with its rows and columns as members:
// enough of them for a DXF's entities to pass the megabyte held in memory
// and go straight into the plot file, behind a layer table made ahead that
// is put right, smaller, at the end.
std::string grid_frame_data(int side) {
  std::string lines;
  for (int row = 0; row < side; ++row) {
    for (int column = 0; column < side; ++column) {
      lines += " " + std::to_string(column * 600) + " " + std::to_string(row * 350) + " \r\n";
    }
  }
  int members = 0;
  const auto member = [&](int a, int b) {
    lines += " " + std::to_string(a) + " " + std::to_string(b) + " 1 -1 0 0 0 0 \r\n";
    ++members;
  };
  for (int row = 0; row < side; ++row) {
    for (int column = 0; column < side; ++column) {
      const int node = row * side + column + 1;
      if (column + 1 < side) member(node, node + 1);
      if (row + 1 < side) member(node, node + side);
    }
  }
  return "VERDAN V2.50\r\n " + std::to_string(side * side) + " " + std::to_string(members) + " 1 0 \r\n" + lines +
         " 1 -1 0 0 0 \r\n";
}

std::string index_lines() {
  return "\"A          1234   2019/02/20   alpha\"\r\n"
         "\"B          2345   2019/02/21   beta\"\r\n"
         "\"C          3456   2019/02/22   gamma\"\r\n";
}

void lay_out_data(const std::string& home) {
  test::write_bytes(home + "/app/verdan/VERDAN.INI", settings_for("DATA\\"));
  fs::create_directories(home + "/DATA");
  test::write_bytes(home + "/DATA/INDEX", index_lines());
  for (const char* name : {"A", "B", "C", "UNLISTED"}) test::write_bytes(home + "/DATA/" + name, name);
}

void lay_out_frame(const std::string& home) {
  test::write_bytes(home + "/app/verdan/VERDAN.INI", settings_for("C:"));
  test::write_bytes(home + "/PRT.TXT", "old listing\r\n");
  test::write_bytes(home + "/FRAME", std::string(5000, 'x'));
}

std::vector<Dialogue> dialogues() {
  return {
      {"settings", "VDN-CNTL", "", "1\nD2\\\n\n\n\n\n\n\n\nY\n0\n",
       [](const std::string& home) { test::write_bytes(home + "/app/verdan/VERDAN.INI", settings_for("C:")); },
       {"app/verdan/VERDAN.INI"}, nullptr},
      {"deletion", "VDN-CNTL", "", "2\n1\n\n\x1f\x1f\n\x1b" "0\n0\n", lay_out_data,
       {"DATA/INDEX", "DATA/A", "DATA/B", "DATA/C", "DATA/UNLISTED"},
       // A line leaves the index only when its file is gone.
       [](const std::map<std::string, State>& now, const std::map<std::string, State>& after) {
         if (now.at("DATA/INDEX") == after.at("DATA/INDEX")) {
           EXPECT_FALSE(now.at("DATA/A")) << "the index lost the line of a file still there";
           EXPECT_FALSE(now.at("DATA/C")) << "the index lost the line of a file still there";
         }
       }},
      {"register", "VDN-CNTL", "", "2\n3\n4321\nNEW\nY\n-1\n0\n0\n",
       [](const std::string& home) {
         lay_out_data(home);
         test::write_bytes(home + "/VDN-USER.DAT", "1234,\"OLD   \"\r\n");
       },
       {"VDN-USER.DAT"}, nullptr},
      {"list_printing", "VDN-CNTL", "", "2\n2\n0\n0\n",
       [](const std::string& home) {
         lay_out_data(home);
         test::write_bytes(home + "/PRT.TXT", "EARLIER\r\n");
       },
       {"PRT.TXT"}, nullptr},
      {"frame", "VDN-GENE", "", "1\n1\n1\n6\n3.5\n5\n\n\n\nn\n", lay_out_frame, {"FRAME", "PRT.TXT"}, nullptr},
      {"print_file_replace", "VDN-GENE", "", "1\n1\n1\n6\n3.5\n5\n\n\n\nY\n", lay_out_frame, {"FRAME", "PRT.TXT"},
       nullptr},
      // With a print file already there, a killed run and the next start ask alike.
      {"grid", "VDN-GENE", "", "2\n2\n2\n6\n\n5\n\nY\n",
       [](const std::string& home) {
         test::write_bytes(home + "/app/verdan/VERDAN.INI", settings_for("C:"));
         test::write_bytes(home + "/CROSS", "old grid\r\n");
         test::write_bytes(home + "/PRT.TXT", "old listing\r\n");
       },
       {"CROSS", "PRT.TXT"}, nullptr},
      {"jw_cad_conversion", "VDN-PLOT", "--device=5 --paper=2 --scale=1 FRAME frame.tmp", "",
       [](const std::string& home) {
         test::write_bytes(home + "/FRAME", kFrameData);
         test::write_bytes(home + "/frame.jwc", "old drawing");
       },
       {"frame.jwc"}, nullptr},
      {"dxf_straight", "VDN-PLOT", "--device=6 --paper=2 FRAME frame.dxf", "",
       [](const std::string& home) {
         test::write_bytes(home + "/FRAME", grid_frame_data(64));
         test::write_bytes(home + "/frame.dxf", "old drawing");
       },
       {"frame.dxf"}, nullptr},
  };
}

// A built program run under the shim, in home/.
class ShimRun : public test::HeadlessRun {
 protected:
  std::string home() const { return dir_ / "home"; }

  // Runs `program` with the shim; `fault_env` chooses the fault.
  test::Outcome run_shimmed(const std::string& program, const std::string& script, const std::string& arguments,
                            const std::string& fault_env) {
    std::error_code ignored;
    fs::remove(dir_ / "log", ignored);
    const std::string bin = stand_in("VERDAN", "exit 0\n");
    const std::string env = "LD_PRELOAD='" VERDAN_FAULT_SHIM "' VERDAN_FAULT_LOG='" + dir_ / "log" + "' " +
                            "ASAN_OPTIONS=verify_asan_link_order=0 " + fault_env;
    return run(program, script, arguments, bin + ":/usr/bin:/bin", built_programs(), env);
  }

  std::string log() const { return fs::exists(dir_ / "log") ? test::read_bytes(dir_ / "log") : ""; }

  // The count the log gives after `key` ("calls", "only"); -1 without one.
  long logged_count(const std::string& key) const {
    const std::string text = log();
    std::size_t at = text.rfind(key + " ");
    return at == std::string::npos ? -1 : std::atol(text.c_str() + at + key.size() + 1);
  }

  // No temporary of a replacement anywhere under home/.
  void expect_no_temporary(const std::string& context) const {
    for (auto& entry : fs::recursive_directory_iterator(home())) {
      EXPECT_NE(entry.path().filename().string().rfind(".~", 0), 0u)
          << context << ": " << entry.path() << " left behind";
    }
  }
};

class FaultInjection : public ShimRun, public ::testing::WithParamInterface<Dialogue> {
 protected:
  void fresh() {
    std::error_code ignored;
    fs::remove_all(home(), ignored);
    fs::create_directories(home() + "/app/verdan");
    GetParam().lay_out(home());
  }

  std::map<std::string, State> states() const {
    std::map<std::string, State> found;
    for (const std::string& name : GetParam().files) {
      const std::string path = home() + "/" + name;
      found[name] = fs::exists(path) ? State(test::read_bytes(path)) : std::nullopt;
    }
    return found;
  }

  // Runs the dialogue with the shim; `fault_env` chooses the fault.
  test::Outcome run_with(const std::string& fault_env) {
    const Dialogue& d = GetParam();
    return run_shimmed(d.program, d.script, d.arguments, fault_env);
  }

  bool has_temporary() const {
    for (auto& entry : fs::recursive_directory_iterator(home())) {
      if (entry.path().filename().string().rfind(".~", 0) == 0) return true;
    }
    return false;
  }

  bool shows_error_handler(const test::Outcome&) const { return !test::read_bytes(dir_ / "err").empty(); }
};

TEST_P(FaultInjection, EveryFileCallFailingOrKilledLeavesOldOrNewFiles) {
  const Dialogue& d = GetParam();
  fresh();
  const std::map<std::string, State> before = states();
  test::Outcome clean = run_with("");
  ASSERT_EQ(clean.status, 0) << clean.screen << test::read_bytes(dir_ / "err");
  const std::map<std::string, State> after = states();
  ASSERT_NE(before, after) << "the dialogue wrote nothing";
  const long calls = logged_count("calls");
  ASSERT_GT(calls, 0) << "the shim counted no call";

  const char* only = std::getenv("VERDAN_FAULT_KINDS");  // a shorter run: some kinds only
  for (const Fault& fault : kFaults) {
    if (only && std::string(only).find(fault.kind) == std::string::npos) continue;
    const bool kill = std::string(fault.kind).rfind("kill", 0) == 0;
    for (long n = 1; n <= calls; ++n) {
      const std::string context = d.name + " " + fault.kind + (fault.for_good ? " for good" : "") + " at call " +
                                  std::to_string(n);
      fresh();
      test::Outcome out = run_with("VERDAN_FAULT_AT=" + std::to_string(n) + " VERDAN_FAULT_KIND=" + fault.kind +
                                   (fault.for_good ? " VERDAN_FAULT_GOOD=1" : ""));
      const bool fired = log().find("fired") != std::string::npos;
      const std::map<std::string, State> now = states();
      for (const auto& [name, state] : now) {
        // After a failure shown once, the rest of the script answers other
        // questions, so the new file may differ; it is still whole lines.
        const bool whole_lines = !fault.for_good && !kill && state && state->size() >= 2 &&
                                 state->compare(state->size() - 2, 2, "\r\n") == 0;
        EXPECT_TRUE(state == before.at(name) || state == after.at(name) || whole_lines)
            << context << ": " << name << " is neither old nor new";
      }
      if (d.agree) d.agree(now, after);
      if (kill && fired) {
        EXPECT_EQ(out.status, 128 + 9) << context;
      } else if (d.program == "VDN-PLOT") {
        EXPECT_TRUE(out.status == 0 || out.status == 1) << context << ": status " << out.status;
      } else {
        EXPECT_TRUE(out.status == 0 || out.status == 1 || out.status == 3) << context << ": status " << out.status;
      }
      // Status 1 comes only from the error handler; 0 after a lasting
      // failure means the failure was passed over.
      if (fired && fault.for_good && out.status == 0) {
        EXPECT_EQ(now, after) << context << ": a failure was passed over silently";
      }
      if (fired && fault.for_good && d.program == "VDN-PLOT" && out.status != 0) {
        EXPECT_TRUE(shows_error_handler(out)) << context << ": ended without a message";
      }
      if (has_temporary()) {
        // The next start clears what a kill or a failed removal left.
        test::Outcome next = run_with("");
        EXPECT_TRUE(next.status == 0 || next.status == 1 || next.status == 3) << context << ": next start";
        expect_no_temporary(context + ", after the next start");
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Writers, FaultInjection, ::testing::ValuesIn(dialogues()),
                         [](const ::testing::TestParamInfo<Dialogue>& info) { return info.param.name; });

// A large plot's syncs behind the writing: one that fails fails the plot,
// although the sync at its end succeeds, and the old drawing stays.
class SyncBehindFault : public ShimRun {
 protected:
  test::Outcome plot(const std::string& fault_env) {
    return run_shimmed("VDN-PLOT", "", "--device=3 --paper=2 FRAME frame.plt", "VERDAN_FAULT_ONLY=fsync " + fault_env);
  }
};

TEST_F(SyncBehindFault, FailedSyncBehindTheWritingFailsThePlot) {
  // 90,000 labels and 180,000 members: over 16 MiB of HP-GL.
  test::write_bytes(home() + "/FRAME", grid_frame_data(300));
  test::write_bytes(home() + "/frame.plt", "old drawing");
  ASSERT_EQ(plot("").status, 0) << test::read_bytes(dir_ / "err");
  ASSERT_GE(logged_count("only"), 2) << "no sync behind the writing";

  test::write_bytes(home() + "/frame.plt", "old drawing");
  const test::Outcome failed = plot("VERDAN_FAULT_AT=1 VERDAN_FAULT_KIND=eio");
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(test::read_bytes(dir_ / "err").find("fsync"), std::string::npos) << test::read_bytes(dir_ / "err");
  EXPECT_EQ(test::read_bytes(home() + "/frame.plt"), "old drawing");
  expect_no_temporary("a failed sync behind the writing");
}

}  // namespace
}  // namespace verdan
