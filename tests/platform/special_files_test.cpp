// Names in a shared directory that are not ordinary files: FIFOs, devices,
// links. Nothing here may hang, and nothing but a regular file may ever be
// deleted or replaced.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <future>
#include <string>
#include <thread>

#include "platform/failure.h"
#include "platform/host/file_kinds.h"
#include "platform/host/files.h"
#include "platform/host/line_reader.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

namespace fs = std::filesystem;

// A step that hangs is a failure, not a stuck test run: it runs in a child
// that an alarm ends. 254 when it took too long.
int within_seconds(unsigned seconds, const std::function<int()>& step) {
  const int status = test::run_in_child([&] {
    ::alarm(seconds);
    return step();
  });
  return status == 255 ? 254 : status;
}

bool is_fifo(const std::string& path) { return fs::is_fifo(fs::symlink_status(path)); }

class SpecialFiles : public ::testing::Test {
 protected:
  std::string at(const std::string& name) const { return dir_ / name; }
  void make_fifo(const std::string& name) const { ASSERT_EQ(::mkfifo(at(name).c_str(), 0666), 0); }

  test::TempDir dir_;
};

TEST_F(SpecialFiles, OwnFilesThatAreFifosAreRefusedAtOnceAndLeftThere) {
  make_fifo("INDEX");
  // Every reader and writer of the programs' own files, none of them waiting.
  const std::function<void()> opens[] = {
      [&] { File::open_input(at("INDEX")); },
      [&] { File::open_text(at("INDEX")); },
      [&] { LineReader(at("INDEX"), 100); },
      [&] { probe(at("INDEX")); },
      [&] { probe(at("INDEX"), EmptyProbe::keep); },
      [&] { TextFile::open_output(at("INDEX")); },
      [&] { TextFile::open_append(at("INDEX")); },
      [&] { TextFile::open_replacing(at("INDEX")); },
      [&] { TextFile::open_text_append(at("INDEX")); },
      [&] { TextFile::open_text_replacing(at("INDEX")); },
  };
  for (const auto& open : opens) {
    EXPECT_EQ(within_seconds(5, [&] { return test::failure_code_of(open); }), kAccessDenied);
    EXPECT_TRUE(is_fifo(at("INDEX")));
  }
  try {
    File::open_input(at("INDEX"));
  } catch (const Failure& failure) {
    EXPECT_EQ(std::string(failure.what()), "not a regular file (a FIFO): " + at("INDEX"));
  }
}

TEST_F(SpecialFiles, ProbesDeleteOnlyAnEmptyRegularFileNeverALinkOrAFifo) {
  test::write_bytes(at("EMPTY"), "");
  test::write_bytes(at("TARGET"), "");
  fs::create_symlink("TARGET", at("LINK"));
  fs::create_symlink("/dev/null", at("PRT.TXT"));
  make_fifo("PIPE");

  EXPECT_EQ(probe(at("EMPTY")), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(at("EMPTY"))));
  // A link to an empty file is no file, but the link and its file stay.
  EXPECT_EQ(probe(at("LINK")), 0);
  EXPECT_TRUE(fs::is_symlink(at("LINK")));
  EXPECT_TRUE(fs::exists(at("TARGET")));
  // A print file may be a printer or a pipe: it holds nothing to keep.
  EXPECT_EQ(probe(at("PRT.TXT"), EmptyProbe::remove, SpecialFile::write_in_place), 0);
  EXPECT_EQ(probe(at("PIPE"), EmptyProbe::remove, SpecialFile::write_in_place), 0);
  EXPECT_EQ(test::failure_code_of([&] { probe(at("PRT.TXT")); }), kAccessDenied);
  EXPECT_EQ(fs::read_symlink(at("PRT.TXT")), "/dev/null");
  EXPECT_TRUE(is_fifo(at("PIPE")));
}

// The same as an ordinary user, where a shared directory is writable by
// many: no probe, reading or writing leaves anything but regular files
// changed.
TEST_F(SpecialFiles, AsAnOrdinaryUserNothingButRegularFilesIsDeleted) {
  make_fifo("INDEX");
  fs::create_symlink("/dev/null", at("VERDAN.INI"));
  fs::create_symlink("INDEX", at("VDN-USER.DAT"));
  test::write_bytes(at("EMPTY"), "");
  const int code = test::run_unprivileged(dir_.path(), [&] {
    return within_seconds(10, [&] {
      for (const char* own : {"INDEX", "VERDAN.INI", "VDN-USER.DAT"}) {
        for (EmptyProbe empty : {EmptyProbe::remove, EmptyProbe::keep}) {
          if (test::failure_code_of([&] { probe(at(own), empty); }) != kAccessDenied) return 1;
        }
        if (test::failure_code_of([&] { File::open_text(at(own)); }) != kAccessDenied) return 2;
        if (test::failure_code_of([&] { TextFile::open_text_replacing(at(own)); }) != kAccessDenied) return 3;
      }
      return probe(at("EMPTY")) == 0 ? 0 : 4;
    });
  });
  if (code == 200) GTEST_SKIP() << "cannot drop root privileges";
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(is_fifo(at("INDEX")));
  EXPECT_EQ(fs::read_symlink(at("VERDAN.INI")), "/dev/null");
  EXPECT_EQ(fs::read_symlink(at("VDN-USER.DAT")), "INDEX");
  EXPECT_FALSE(fs::exists(at("EMPTY")));
}

// As root, device nodes of our own (the null and the full device) stand in
// for a print file that names a device; they must stay device nodes.
TEST_F(SpecialFiles, DeviceNodesAreNeverDeletedOrReplaced) {
  if (::mknod(at("NULLDEV").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0 ||
      ::mknod(at("FULLDEV").c_str(), S_IFCHR | 0666, ::makedev(1, 7)) != 0) {
    GTEST_SKIP() << "device nodes need root";
  }
  auto still_devices = [&] {
    return fs::is_character_file(fs::symlink_status(at("NULLDEV"))) &&
           fs::is_character_file(fs::symlink_status(at("FULLDEV")));
  };
  EXPECT_EQ(probe(at("NULLDEV"), EmptyProbe::remove, SpecialFile::write_in_place), 0);
  EXPECT_EQ(test::failure_code_of([&] { probe(at("NULLDEV")); }), kAccessDenied);
  TextFile replaced = TextFile::open_replacing(at("NULLDEV"), SpecialFile::write_in_place);
  replaced.write("listing");
  replaced.commit();
  TextFile appended = TextFile::open_append(at("NULLDEV"), SpecialFile::write_in_place);
  appended.write("listing");
  appended.close();
  EXPECT_EQ(test::failure_code_of([&] { TextFile::open_replacing(at("NULLDEV")).commit(); }), kAccessDenied);
  // A full printer is a full disk, and nothing is cut back or replaced.
  TextFile full = TextFile::open_append(at("FULLDEV"), SpecialFile::write_in_place);
  full.write("listing");
  EXPECT_EQ(test::failure_code_of([&] { full.close(); }), kDiskFull);
  EXPECT_TRUE(still_devices());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 2);
}

TEST_F(SpecialFiles, APrintFileThatIsAFifoIsWrittenInPlaceWhenSomeoneReads) {
  make_fifo("SPOOL");
  // The spooler: reads everything until the writer closes.
  std::future<std::string> spooled = std::async(std::launch::async, [&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // comes late
    return test::read_bytes(at("SPOOL"));
  });
  TextFile file = TextFile::open_replacing(at("SPOOL"), SpecialFile::write_in_place);
  file.write("LINE");
  file.end_line();
  file.commit();
  EXPECT_EQ(spooled.get(), "LINE\r\n");
  EXPECT_TRUE(is_fifo(at("SPOOL")));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

TEST_F(SpecialFiles, AFifoWithoutReaderIsNotReadyAfterABoundedWait) {
  make_fifo("SPOOL");
  const auto start = std::chrono::steady_clock::now();
  const int code = within_seconds(5, [&] {
    return test::failure_code_of(
        [&] { open_special_for_writing(at("SPOOL"), O_WRONLY, std::chrono::milliseconds(300)); });
  });
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(code, kDriveNotReady);
  EXPECT_GE(waited, std::chrono::milliseconds(300));
  EXPECT_TRUE(is_fifo(at("SPOOL")));
}

TEST_F(SpecialFiles, AReplacementGoesThroughLinksAndKeepsThem) {
  fs::create_directories(at("shared"));
  test::write_bytes(at("shared/VERDAN.INI"), "old");
  ::chmod(at("shared/VERDAN.INI").c_str(), 0640);
  fs::create_symlink("shared/VERDAN.INI", at("VERDAN.INI"));
  // A chain: a link to the link.
  fs::create_symlink(at("VERDAN.INI"), at("ALIAS.INI"));
  // A link to a name not there yet makes that file.
  fs::create_symlink("shared/NEW.INI", at("NEW.INI"));

  for (const char* name : {"VERDAN.INI", "ALIAS.INI", "NEW.INI"}) {
    TextFile file = TextFile::open_replacing(at(name));
    file.write(name);
    file.commit();
  }
  EXPECT_TRUE(fs::is_symlink(at("VERDAN.INI")));
  EXPECT_TRUE(fs::is_symlink(at("ALIAS.INI")));
  EXPECT_TRUE(fs::is_symlink(at("NEW.INI")));
  EXPECT_EQ(test::read_bytes(at("shared/VERDAN.INI")), "ALIAS.INI");
  EXPECT_EQ(test::read_bytes(at("shared/NEW.INI")), "NEW.INI");
  EXPECT_EQ(fs::status(at("shared/VERDAN.INI")).permissions(), fs::perms(0640));
  // No temporary is left in either directory.
  EXPECT_EQ(std::distance(fs::directory_iterator(at("shared")), fs::directory_iterator()), 2);

  fs::create_symlink("LOOP", at("LOOP"));
  EXPECT_EQ(test::failure_code_of([&] { TextFile::open_replacing(at("LOOP")); }), kPathNotFound);
}

// A file of zeros after a crash (2 GB, sparse) is damage at the bound, in a
// moment and without taking memory.
TEST_F(SpecialFiles, LinesWithoutEndAreDamageAtTheBound) {
  test::write_bytes(at("ZEROS"), "");
  fs::resize_file(at("ZEROS"), std::uintmax_t{2} << 30);
  test::write_bytes(at("BLANKS"), std::string(kLongestTextLine + 1, ' ') + "x\r\n");
  test::write_bytes(at("QUOTED"), "\"" + std::string(kLongestTextLine + 1, 'q') + "\r\n");
  test::write_bytes(at("LONGEST"), std::string(kLongestTextLine, 'a') + "\r\n" + std::string(kLongestTextLine, 'b'));
  const int code = within_seconds(20, [&] {
    test::limit_file_size(std::uint64_t{4} << 30);
    if (test::failure_code_of([&] { File::open_text(at("ZEROS")).read_line(); }) != kLineBufferOverflow) return 1;
    if (test::failure_code_of([&] { File::open_text(at("ZEROS")).read_field(); }) != kLineBufferOverflow) return 2;
    if (test::failure_code_of([&] { File::open_text(at("BLANKS")).read_field(); }) != kLineBufferOverflow) return 3;
    if (test::failure_code_of([&] { File::open_text(at("QUOTED")).read_field(); }) != kLineBufferOverflow) return 4;
    File longest = File::open_text(at("LONGEST"));
    if (longest.read_line().size() != kLongestTextLine || longest.read_field().size() != kLongestTextLine) return 5;
    return 0;
  });
  EXPECT_EQ(code, 0);
}

// Makes ftruncate and truncate fail from now on in this process, as a file
// system that cannot shorten a file would.
bool refuse_truncation() {
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_ftruncate, 2, 0),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_truncate, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
  };
  sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
  return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// An append that fails half-way is cut back; when it cannot be, the failure
// says so and names the file, since a retry would add the listing twice.
TEST_F(SpecialFiles, AnAppendThatCannotBeCutBackIsTold) {
  test::write_bytes(at("PRT.TXT"), "before\r\n");
  for (bool can_cut : {true, false}) {
    std::string detail;
    const int code = test::run_in_child([&] {
      test::limit_file_size(200000);  // room for the first blocks only
      if (!can_cut && !refuse_truncation()) return 200;
      TextFile file = TextFile::open_append(at("PRT.TXT"));
      try {
        for (int i = 0; i < 10000; ++i) file.write_line(std::string(78, 'x'));
        file.close();
      } catch (const Failure& failure) {
        const bool told = std::string(failure.what()).find(at("PRT.TXT") + " may now hold part of this append") !=
                          std::string::npos;
        return failure.code() == kDiskFull && told != can_cut ? 0 : 1;
      }
      return 2;
    });
    if (code == 200) GTEST_SKIP() << "no seccomp here";
    EXPECT_EQ(code, 0) << (can_cut ? "cut back" : "not cut back");
    if (can_cut) {
      EXPECT_EQ(test::read_bytes(at("PRT.TXT")), "before\r\n");
    } else {
      EXPECT_GT(fs::file_size(at("PRT.TXT")), 8u);
    }
  }
}

// The analysis program appends to INDEX without a lock: a replacement made
// from an earlier reading must not go over a file that grew meanwhile.
TEST_F(SpecialFiles, AReplacementIsDroppedWhenTheOldFileGrewSinceItWasRead) {
  test::write_bytes(at("INDEX"), "\"A\"\r\n\"B\"\r\n");
  const auto read_length = static_cast<std::int64_t>(fs::file_size(at("INDEX")));
  TextFile stale = TextFile::open_replacing(at("INDEX"));
  stale.write_line("\"A\"");
  test::write_bytes(at("INDEX"), "\"A\"\r\n\"B\"\r\n\"SAVED\"\r\n");  // the analysis program's append
  EXPECT_FALSE(stale.commit_if_old_length(read_length));
  EXPECT_EQ(test::read_bytes(at("INDEX")), "\"A\"\r\n\"B\"\r\n\"SAVED\"\r\n");
  TextFile fresh = TextFile::open_replacing(at("INDEX"));
  fresh.write_line("\"A\"");
  fresh.write_line("\"SAVED\"");
  EXPECT_TRUE(fresh.commit_if_old_length(static_cast<std::int64_t>(fs::file_size(at("INDEX")))));
  EXPECT_EQ(test::read_bytes(at("INDEX")), "\"A\"\r\n\"SAVED\"\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace verdan
