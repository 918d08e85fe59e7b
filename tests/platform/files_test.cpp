#include "platform/host/files.h"
#include "platform/host/temporary_owner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "platform/codec/cp932.h"
#include "platform/write_behind.h"
#include "tests/platform/host_fixtures.h"
#include "tests/platform/past_cache_probe.h"

namespace verdan {
namespace {

namespace fs = std::filesystem;

// Whether `dir`'s file system opens a file for writes past the cache.
bool takes_writes_past_cache(const std::string& dir) {
  const std::string probe_name = dir + "/.probe";
  const int fd = ::open(probe_name.c_str(), O_WRONLY | O_CREAT | O_DIRECT, 0600);
  if (fd >= 0) ::close(fd);
  ::unlink(probe_name.c_str());
  return fd >= 0;
}

// Whether the temporary that stands beside `path` is open here for writes
// past the cache.
bool temporary_writes_past_cache(const std::string& path) {
  const fs::path dir = fs::path(path).parent_path();
  return test::descriptor_past_cache([&](const fs::path& target) {
    return target.parent_path() == dir && target.filename().string().rfind(".~", 0) == 0;
  });
}

class FilesTest : public ::testing::Test {
 protected:
  std::string dos(const std::string& name) const { return dir_.path() + "/" + name; }
  std::set<std::string> entries() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  test::TempDir dir_;
};

// ---- failure codes from real failing calls ----

TEST_F(FilesTest, MissingDirectoryAndMissingFileHaveTheirOwnCodes) {
  EXPECT_EQ(test::failure_code_of([&] { File::open_input(dos("NODIR\\FILE")); }), 55);
  EXPECT_EQ(test::failure_code_of([&] { TextFile::open_output(dos("NODIR\\FILE")); }), 55);
  EXPECT_EQ(test::failure_code_of([&] { probe(dos("NODIR\\SETTINGS.INI")); }), 55);
  EXPECT_EQ(test::failure_code_of([&] { File::open_input(dos("FILE")); }), 63);
  EXPECT_EQ(test::failure_code_of([&] { delete_file(dos("FILE")); }), 63);
  EXPECT_EQ(test::failure_code_of([&] { file_length(dos("FILE")); }), 63);
  EXPECT_EQ(test::failure_code_of([&] { rename_file(dos("FILE"), dos("NEW")); }), 63);
  EXPECT_EQ(test::failure_code_of([&] { change_directory(dos("NODIR")); }), 55);
}

TEST_F(FilesTest, DirectoryOperationsFailLikeDos) {
  make_directory(dos("SUB"));
  EXPECT_TRUE(directory_exists(dos("sub")));
  EXPECT_EQ(test::failure_code_of([&] { make_directory(dos("SUB")); }), 58);
  test::write_bytes(dos("SUB/F"), "x");
  EXPECT_EQ(test::failure_code_of([&] { remove_directory(dos("SUB")); }), 75);
  EXPECT_EQ(test::failure_code_of([&] { File::open_input(dos("SUB")); }), 75);
  delete_file(dos("SUB\\F"));
  remove_directory(dos("SUB"));
  EXPECT_FALSE(directory_exists(dos("SUB")));
}

TEST_F(FilesTest, RenameNeverReplacesAnExistingName) {
  test::write_bytes(dos("settings.dat"), "OLD");
  test::write_bytes(dos("taken"), "T");
  EXPECT_EQ(test::failure_code_of([&] { rename_file(dos("SETTINGS.DAT"), dos("TAKEN")); }), 58);
  EXPECT_EQ(test::read_bytes(dos("taken")), "T");
  rename_file(dos("SETTINGS.DAT"), dos("SETTINGS.INI"));
  EXPECT_EQ(entries(), (std::set<std::string>{"SETTINGS.INI", "taken"}));
  EXPECT_EQ(test::failure_code_of([&] { rename_file(dos("TAKEN"), dos("NODIR\\X")); }), 55);
}

TEST_F(FilesTest, FullDiskIsCode61) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "/dev/full is not writable here";
  TextFile small = TextFile::open_output("/dev/full", SpecialFile::write_in_place);
  small.write("A");
  EXPECT_EQ(test::failure_code_of([&] { small.close(); }), 61);
  // A write larger than the buffer goes out at once.
  TextFile large = TextFile::open_output("/dev/full", SpecialFile::write_in_place);
  EXPECT_EQ(test::failure_code_of([&] { large.write(std::string(200000, 'x')); }), 61);
}

TEST_F(FilesTest, DeniedWriteIsCode75) {
  fs::create_directories(dos("locked"));
  fs::permissions(dos("locked"), fs::perms(0755));
  // Root ignores permission bits, so the attempt runs as nobody.
  int code = test::run_in_child([&] {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 200;
    return test::failure_code_of([&] { TextFile::open_output(dos("locked\\DATA")); });
  });
  if (code == 200) GTEST_SKIP() << "cannot drop root privileges";
  EXPECT_EQ(code, 75);
}

TEST_F(FilesTest, ReadOnlyMediumIsCode73) {
  fs::create_directories(dos("medium"));
  // A read-only bind mount in a private mount namespace of a child process.
  int code = test::run_in_child([&] {
    const std::string medium = dos("medium");
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount(medium.c_str(), medium.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
        ::mount(nullptr, medium.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
      return 200;
    }
    return test::failure_code_of([&] { TextFile::open_output(dos("medium\\DATA")); });
  });
  if (code == 200) GTEST_SKIP() << "read-only bind mounts need mount privileges";
  EXPECT_EQ(code, 73);
}

// ---- reading ----

TEST_F(FilesTest, FieldsReadTheWayInputReadsThem) {
  test::write_bytes(dos("F"),
                    "  \"Tokyo, Japan\" ,next\r\n"  // quoted keeps its comma
                    "  12 ,  34  \r\n"              // blanks around unquoted fields go
                    "\r\n"                          // a blank line is one empty field
                    "short\r\n"                     // a field ends at the line end
                    "\"a\"junk,b\n"                 // after the quote, up to the comma
                    "\"unterminated\r\n" +
                        sj("\"ソフト\",表,") + "\r\n" + "last");
  File file = File::open_input(dos("F"));
  const std::vector<std::string> expected = {
      "Tokyo, Japan", "next", "12", "34", "", "short", "a", "b", "unterminated",
      sj("ソフト"),   sj("表"), "",  "last"};
  for (const std::string& field : expected) {
    ASSERT_FALSE(file.eof());
    EXPECT_EQ(file.read_field(), field);
  }
  EXPECT_TRUE(file.eof());
  EXPECT_EQ(test::failure_code_of([&] { file.read_field(); }), 62);
}

TEST_F(FilesTest, LinesEndAtCrLfOrLf) {
  test::write_bytes(dos("F"), "one\r\ntwo\nlone\rcr\r\n\r\nthree");
  File file = File::open_input(dos("F"));
  EXPECT_EQ(file.read_line(), "one");
  EXPECT_EQ(file.read_line(), "two");
  EXPECT_EQ(file.read_line(), "lone\rcr");
  EXPECT_EQ(file.read_line(), "");
  EXPECT_EQ(file.read_line(), "three");
  EXPECT_TRUE(file.eof());
  EXPECT_EQ(test::failure_code_of([&] { file.read_line(); }), 62);
  file.rewind();
  EXPECT_EQ(file.read_line(), "one");
}

TEST_F(FilesTest, LineEndSplitAcrossReadBlocksIsStillOneLineEnd) {
  // 64 KiB blocks: fifteen lines of 4096 bytes with their ends, then one
  // whose CR is the last byte of the first block.
  const std::string line(4094, 'x');
  const std::string last(4095, 'y');
  std::string text;
  for (int i = 0; i < 15; ++i) text += line + "\r\n";
  text += last + "\r\nend";
  ASSERT_EQ(text[65535], '\r');
  test::write_bytes(dos("F"), text);
  File lines = File::open_input(dos("F"));
  File fields = File::open_input(dos("F"));
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(lines.read_line(), line);
    EXPECT_EQ(fields.read_field(), line);
  }
  EXPECT_EQ(lines.read_line(), last);
  EXPECT_EQ(lines.read_line(), "end");
  EXPECT_EQ(fields.read_field(), last);
  EXPECT_EQ(fields.read_field(), "end");
}

TEST_F(FilesTest, BytesAreReadExactlyAndNotPastTheEnd) {
  test::write_bytes(dos("F"), std::string("s\x1A\0\xFF", 4));
  File file = File::open_input(dos("F"));
  std::string bytes = "kept";
  file.read_bytes(bytes, 1);
  EXPECT_EQ(bytes, "kepts");
  file.read_bytes(bytes, 2);
  EXPECT_EQ(bytes, std::string("kepts\x1A\0", 7));
  EXPECT_EQ(test::failure_code_of([&] { file.read_bytes(bytes, 2); }), 62);
  EXPECT_EQ(bytes, std::string("kepts\x1A\0", 7));
  file.read_bytes(bytes, 1);
  EXPECT_EQ(bytes.substr(7), "\xFF");

  // Straight into the caller's memory: what the buffer holds first, then
  // from the file, every byte a binary one.
  std::string large(300000, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 256);
  test::write_bytes(dos("G"), "head\n" + large);
  File g = File::open_input(dos("G"));
  EXPECT_EQ(g.read_line(), "head");
  std::string into(large.size(), '.');
  g.read_into(into.data(), 3);
  g.read_into(into.data() + 3, large.size() - 3);
  EXPECT_TRUE(into == large);
  EXPECT_EQ(test::failure_code_of([&] { g.read_into(into.data(), 1); }), 62);
}

TEST_F(FilesTest, RandomOpenCreatesAMissingFile) {
  File file = File::open_random(dos("NEW"));
  EXPECT_EQ(file.length(), 0);
  EXPECT_TRUE(file.eof());
  EXPECT_TRUE(file_exists(dos("NEW")));
}

// ---- writing ----

TEST_F(FilesTest, TextFileEndsLinesWithCrLfAndKeepsItsColumn) {
  TextFile out = TextFile::open_output(dos("OUT"));
  out.write(sj("表"));
  EXPECT_EQ(out.column(), 2);
  out.end_line();
  EXPECT_EQ(out.column(), 0);
  out.write("BC");
  out.close();
  EXPECT_EQ(test::read_bytes(dos("OUT")), sj("表") + "\r\nBC");

  TextFile again = TextFile::open_output(dos("out"));  // empties the same file
  again.write("Z");
  again.close();
  TextFile more = TextFile::open_append(dos("OUT"));
  more.end_line();
  more.write("Y");
  more.close();
  EXPECT_EQ(test::read_bytes(dos("OUT")), "Z\r\nY");
}

TEST_F(FilesTest, LargeOutputArrivesWholeAndInOrder) {
  std::string expected;
  {
    TextFile out = TextFile::open_output(dos("BIG"));
    for (int i = 0; i < 30000; ++i) {
      std::string item = std::to_string(i);
      out.write(item);
      out.end_line();
      expected += item + "\r\n";
    }
    std::string block(100000, 'b');  // larger than the buffer
    out.write(block);
    expected += block;
    out.write("tail");
    expected += "tail";
  }  // the destructor writes out what is left
  EXPECT_EQ(test::read_bytes(dos("BIG")), expected);
}

// Lines written whole, made in place and pieced together, across the
// change from small to large blocks: a line made in place must never be
// split, lost or overwritten at a block's end, nor one wider than a block.
TEST_F(FilesTest, LinesArriveWholeHoweverTheyAreMade) {
  std::string expected;
  TextFile out = TextFile::open_replacing(dos("LINES"));
  for (int i = 0; expected.size() < 3'000'000; ++i) {
    const std::string text(static_cast<std::size_t>(i * 37 % 300), static_cast<char>('a' + i % 26));
    switch (i % 3) {
      case 0:
        out.write_line(text);
        break;
      case 1: {
        char* room = out.line_room(400);
        text.copy(room, text.size());
        out.end_line_at(room + text.size());
        break;
      }
      default:
        out.write(text);
        out.end_line();
        break;
    }
    EXPECT_EQ(out.column(), 0);
    expected += text + "\r\n";
  }
  const std::string wide(3'000'000, 'w');
  char* room = out.line_room(wide.size());
  wide.copy(room, wide.size());
  out.end_line_at(room + wide.size());
  expected += wide + "\r\n";
  out.commit();
  EXPECT_TRUE(test::read_bytes(dos("LINES")) == expected);
}

TEST_F(FilesTest, ReplacementLeavesTheOldFileWholeUntilCommitted) {
  test::write_bytes(dos("result"), "OLD\r\n");
  fs::permissions(dos("result"), fs::perms(0640));
  {
    TextFile out = TextFile::open_replacing(dos("RESULT"));
    // Large enough to be synced behind the writing while it is dropped.
    out.write(std::string(std::size_t{20} << 20, 'n'));
    EXPECT_EQ(test::read_bytes(dos("result")), "OLD\r\n");
  }  // dropped, as when a failure unwinds past it
  EXPECT_EQ(test::read_bytes(dos("result")), "OLD\r\n");
  EXPECT_EQ(entries(), std::set<std::string>{"result"});

  TextFile out = TextFile::open_replacing(dos("RESULT"));
  out.write("NEW");
  out.end_line();
  out.commit();
  EXPECT_EQ(test::read_bytes(dos("result")), "NEW\r\n");
  EXPECT_EQ(entries(), std::set<std::string>{"result"});
  EXPECT_EQ(fs::status(dos("result")).permissions(), fs::perms(0640));
}

// A head known only at the end goes over the room left for it, past the
// buffered and the large writes alike; only a replacement's written start
// may be written over.
TEST_F(FilesTest, ReplacementsStartIsWrittenOverAtTheCommit) {
  test::write_bytes(dos("drawing"), "OLD");
  TextFile out = TextFile::open_replacing(dos("DRAWING"));
  out.write(std::string(4, '\0'));
  const std::string body(3 << 20, 'b');
  out.write(body);
  out.write("end");
  out.commit_with_start("HEAD");
  EXPECT_TRUE(test::read_bytes(dos("drawing")) == "HEAD" + body + "end");
  EXPECT_EQ(entries(), std::set<std::string>{"drawing"});

  TextFile longer = TextFile::open_replacing(dos("DRAWING"));
  longer.write("ab");
  EXPECT_EQ(test::failure_code_of([&] { longer.commit_with_start("HEAD"); }), kIllegalFunctionCall);
  TextFile plain = TextFile::open_output(dos("OTHER"));
  plain.write("abcd");
  EXPECT_EQ(test::failure_code_of([&] { plain.commit_with_start("HEAD"); }), kIllegalFunctionCall);
}

// A replacement's bytes written over: a piece of the same size in place, a
// longer or shorter one moving the megabytes after it on or back, past
// the cache or through it, from behind the program; what is written next
// follows them. Only a replacement's own bytes may be written over.
TEST_F(FilesTest, AReplacementsBytesAreWrittenOverWithTheRestMovingAlong) {
  std::string body(3 << 20, '\0');
  for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>('a' + i % 251 % 26);
  for (const std::string piece : {"TABLE", "TAB", "LONGER TABLE", ""}) {
    SCOPED_TRACE(piece);
    test::write_bytes(dos("drawing"), "OLD");
    TextFile out = TextFile::open_replacing(dos("DRAWING"));
    out.pass_cache_when_large(std::int64_t{1} << 20);
    {
      WriteBehind behind(out);
      behind.write("head");
      const std::int64_t at = behind.rewritable_size();
      EXPECT_EQ(at, 4);
      behind.write("TABLE");
      behind.write(body);
      EXPECT_EQ(behind.rewritable_size(), static_cast<std::int64_t>(9 + body.size()));
      behind.rewrite(at, 5, piece);
      behind.write("end");
      behind.finish();
    }
    EXPECT_EQ(test::read_bytes(dos("drawing")), "OLD");
    out.commit();
    EXPECT_TRUE(test::read_bytes(dos("drawing")) == "head" + piece + body + "end");
    EXPECT_EQ(entries(), std::set<std::string>{"drawing"});
  }

  TextFile plain = TextFile::open_output(dos("OTHER"));
  plain.write("abcd");
  EXPECT_EQ(plain.rewritable_size(), -1);
  EXPECT_EQ(test::failure_code_of([&] { plain.rewrite(0, 1, "x"); }), kIllegalFunctionCall);
  TextFile replacement = TextFile::open_replacing(dos("THIRD"));
  replacement.write("abcd");
  EXPECT_EQ(test::failure_code_of([&] { replacement.rewrite(2, 3, "x"); }), kIllegalFunctionCall);
  EXPECT_EQ(test::failure_code_of([&] { replacement.rewrite(-1, 1, "x"); }), kIllegalFunctionCall);
}

// A drawing of many megabytes handed over in whole blocks from behind the
// program: when asked, the bytes past the first 8 MB go straight to
// the medium where its file system takes that, and through the cache where
// it does not; the head written over at the end and the tail go through
// the cache. Either way the file is the bytes written.
// Written from behind the program in whole blocks, or in pieces of a few
// hundred bytes straight to the file, whose buffer then sends whole blocks.
enum class Writer { behind, pieces };

std::string write_large_drawing(const std::string& dos_path, bool& went_past_cache, bool pass = true,
                                Writer writer = Writer::behind) {
  TextFile out = TextFile::open_replacing(dos_path);
  if (pass) out.pass_cache_when_large(std::int64_t{8} << 20);
  std::string expected(4, '\0');
  {
    WriteBehind behind(out);
    TextSink& sink = writer == Writer::behind ? static_cast<TextSink&>(behind) : out;
    sink.write(expected);
    for (int n = 0; expected.size() < (std::size_t{20} << 20); ++n) {
      const std::string piece(100 + n % 331, static_cast<char>('a' + n % 26));
      sink.write(piece);
      expected += piece;
    }
    behind.finish();
    went_past_cache = temporary_writes_past_cache(dos_path);
  }
  out.write("tail");
  out.commit_with_start("HEAD");
  return "HEAD" + expected.substr(4) + "tail";
}

TEST_F(FilesTest, ALargeReplacementGoesPastTheCacheWhereItCanAndArrivesWhole) {
  bool past = false;
  const std::string expected = write_large_drawing(dos("PLOT"), past);
  EXPECT_TRUE(test::read_bytes(dos("PLOT")) == expected);
  EXPECT_EQ(entries(), std::set<std::string>{"PLOT"});
  EXPECT_EQ(past, takes_writes_past_cache(dir_.path()));
  const std::string in_pieces = write_large_drawing(dos("PLOT"), past, true, Writer::pieces);
  EXPECT_TRUE(test::read_bytes(dos("PLOT")) == in_pieces);
  EXPECT_EQ(past, takes_writes_past_cache(dir_.path()));
  // Unless asked, a replacement stays in the cache however large.
  const std::string again = write_large_drawing(dos("PLOT"), past, false);
  EXPECT_TRUE(test::read_bytes(dos("PLOT")) == again);
  EXPECT_FALSE(past);

  // A file system without such writes (ramfs) gets the same bytes.
  const int code = test::run_in_child([&] {
    const std::string medium = dos("ramfs");
    fs::create_directory(medium);
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("ramfs", medium.c_str(), "ramfs", 0, nullptr) != 0) {
      return 200;
    }
    if (takes_writes_past_cache(medium)) return 201;
    bool on_ramfs = true;
    const std::string written = write_large_drawing(medium + "/PLOT", on_ramfs);
    return test::read_bytes(medium + "/PLOT") == written && !on_ramfs ? 0 : 1;
  });
  if (code == 200) GTEST_SKIP() << "mounting ramfs needs mount privileges";
  if (code == 201) GTEST_SKIP() << "ramfs here takes writes past the cache";
  EXPECT_EQ(code, 0);
}

TEST_F(FilesTest, ReplacementOfAMissingFileCreatesIt) {
  TextFile out = TextFile::open_replacing(dos("FRESH"));
  out.write("1");
  out.close();
  EXPECT_EQ(test::read_bytes(dos("FRESH")), "1");
  EXPECT_EQ(entries(), std::set<std::string>{"FRESH"});
}

TEST_F(FilesTest, KilledRunsTemporariesGoWithTheNextReplacementOtherMachinesOnlyWhenOld) {
  const pid_t dead = test::ended_process();
  const std::string host = test::host_name();
  const std::string here = ".~" + machine_label(host) + ".";
  const std::string live = std::to_string(::getppid());
  const std::string gone = std::to_string(dead);
  // Another machine's pid says nothing here: its fresh temporary may be a
  // run still writing over the network, its day-old one is a dead run's.
  const std::string other = ".~" + machine_label(host) + "x.";
  for (const std::string& name : std::vector<std::string>{here + gone + ".0", here + gone + ".7", here + live + ".0", other + gone + ".0",
                                  other + gone + ".1", ".~" + gone + ".0", ".~notes", "keep"}) {
    test::write_bytes(dos(name), "x");
  }
  const auto two_days_ago = fs::file_time_type::clock::now() - std::chrono::hours(48);
  fs::last_write_time(dos(other + gone + ".1"), two_days_ago);
  TextFile out = TextFile::open_replacing(dos("DATA"));
  out.write("1");
  out.commit();
  EXPECT_EQ(entries(), (std::set<std::string>{here + live + ".0", other + gone + ".0", ".~" + gone + ".0", ".~notes",
                                              "keep", "DATA"}));
}

TEST(TemporaryNames, OwnerIsReadBackFromTheNameAndStrangeNamesAreNone) {
  EXPECT_EQ(machine_label("build-7.example.org"), "build-7");
  EXPECT_EQ(machine_label("日本"), "host");
  EXPECT_EQ(machine_label(std::string(40, 'a')), std::string(32, 'a'));
  const auto owner = temporary_owner(temporary_prefix("pc-1", 4321) + "12");
  ASSERT_TRUE(owner);
  EXPECT_EQ(owner->machine, "pc-1");
  EXPECT_EQ(owner->pid, 4321u);
  for (const char* name : {".~notes", ".~pc.12", ".~pc.12.", ".~.12.0", ".~p c.1.0", "~pc.1.0", ".~pc.1.x"}) {
    EXPECT_FALSE(temporary_owner(name)) << name;
  }
}

// ---- appending ----

// A disk that fills in the middle of an append: the file goes back to what
// it held, so the step retried appends once.
TEST_F(FilesTest, FailedAppendLeavesTheFileAsItWas) {
  test::write_bytes(dos("PRT"), "OLD\r\n");
  const std::string block(200000, 'b');  // written past the buffer at once
  int code = test::run_in_child([&] {
    test::limit_file_size(100);
    return test::failure_code_of([&] {
      TextFile file = TextFile::open_append(dos("PRT"));
      file.write(block);
    });
  });
  EXPECT_EQ(code, 61);
  EXPECT_EQ(test::read_bytes(dos("PRT")), "OLD\r\n");

  code = test::run_in_child([&] {
    test::limit_file_size(100);
    return test::failure_code_of([&] {
      TextFile file = TextFile::open_append(dos("PRT"));
      for (int i = 0; i < 50; ++i) file.write("line\r\n");
      file.close();  // the buffered lines go out here and do not fit
    });
  });
  EXPECT_EQ(code, 61);
  EXPECT_EQ(test::read_bytes(dos("PRT")), "OLD\r\n");

  TextFile retried = TextFile::open_append(dos("PRT"));
  retried.write("NEW");
  retried.end_line();
  retried.close();
  EXPECT_EQ(test::read_bytes(dos("PRT")), "OLD\r\nNEW\r\n");
}

// ---- probing and existence ----

TEST_F(FilesTest, ProbeLeavesNoEmptyFileBehindUnlessAskedTo) {
  EXPECT_EQ(probe(dos("SETTINGS.INI")), 0);
  EXPECT_FALSE(file_exists(dos("SETTINGS.INI")));
  EXPECT_EQ(probe(dos("USERS.DAT"), EmptyProbe::keep), 0);
  EXPECT_TRUE(file_exists(dos("USERS.DAT")));
  // An empty file found by a probe goes as well.
  EXPECT_EQ(probe(dos("USERS.DAT")), 0);
  EXPECT_FALSE(file_exists(dos("USERS.DAT")));
  test::write_bytes(dos("list"), "12345");
  EXPECT_EQ(probe(dos("LIST")), 5);
  EXPECT_EQ(test::read_bytes(dos("list")), "12345");
}

// A read-only program folder or medium holds no settings that are not there.
TEST_F(FilesTest, ProbeWhereNothingCanBeMadeFindsNoFile) {
  fs::create_directories(dos("ro"));
  test::write_bytes(dos("ro/FULL"), "12345");
  test::write_bytes(dos("ro/EMPTY"), "");
  fs::permissions(dos("ro"), fs::perms(0555));
  int code = test::run_unprivileged(dir_.path(), [&] {
    if (probe(dos("ro\\SETTINGS.INI")) != 0) return 1;
    if (probe(dos("ro\\USERS.DAT"), EmptyProbe::keep) != 0) return 2;
    if (probe(dos("ro\\EMPTY")) != 0) return 3;  // an empty file that cannot go is still none
    if (probe(dos("ro\\FULL")) != 5) return 4;
    return test::failure_code_of([&] { probe(dos("ro\\NODIR\\SETTINGS.INI")); }) == 55 ? 0 : 5;
  });
  if (code == 200) GTEST_SKIP() << "cannot drop root privileges";
  EXPECT_EQ(code, 0);
  EXPECT_EQ(entries(), std::set<std::string>{"ro"});
}

TEST_F(FilesTest, ProbeOfADirectoryFails) {
  fs::create_directories(dos("SETTINGS.INI"));
  EXPECT_EQ(test::failure_code_of([&] { probe(dos("SETTINGS.INI")); }), 75);
}

TEST_F(FilesTest, ExistenceTellsFilesFromDirectories) {
  test::write_bytes(dos("plain"), "x");
  fs::create_directories(dos("dir"));
  EXPECT_TRUE(file_exists(dos("PLAIN")));
  EXPECT_FALSE(directory_exists(dos("PLAIN")));
  EXPECT_TRUE(directory_exists(dos("DIR")));
  EXPECT_FALSE(file_exists(dos("DIR")));
  EXPECT_FALSE(file_exists(dos("PLAIN\\UNDER")));
  EXPECT_FALSE(file_exists(dos("NONE")));
}

TEST_F(FilesTest, ChangeDirectoryAcceptsDosForm) {
  fs::create_directories(dos("work/sub"));
  test::ScopedCwd restore(dir_.path());
  change_directory("WORK\\SUB");
  EXPECT_EQ(fs::current_path().string(), dos("work/sub"));
}

}  // namespace
}  // namespace verdan
