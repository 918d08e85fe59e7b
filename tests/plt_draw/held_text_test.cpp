#include "plt_draw/held_text.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/host/files.h"
#include "platform/host/spool_file.h"
#include "platform/write_behind.h"
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

std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Held entities of a few megabytes, most of them spooled, the last part
// still in memory.
std::string hold_entities(HeldText& held) {
  std::string expected;
  for (int i = 0; expected.size() < 3 * HeldText::kMemoryLimit + 1000; ++i) {
    const std::string line = "  0\r\nLINE\r\n" + std::to_string(i) + "\r\n";
    held.append(line);
    expected += line;
  }
  return expected;
}

// Written to a file, what is held comes out whole after what came before
// and before what follows, whichever road it takes: copied by the host
// into a replacement behind its writer, through the writer into one that
// may pass the cache, through the program onto an append, into memory.
TEST(HeldText, WrittenToAFileItComesOutWholeWhicheverRoadItTakes) {
  test::TempDir dir;
  test::ScopedEnv tmpdir("TMPDIR", dir.path());
  HeldText held;
  const std::string expected = hold_entities(held);
  // A replacement that may pass the cache takes the spool through its
  // writer instead.
  for (const bool may_pass_cache : {false, true}) {
    {
      TextFile file = TextFile::open_replacing(dir / "DRAWING.DXF");
      if (may_pass_cache) file.pass_cache_when_large(0);
      WriteBehind out(file);
      out.write("HEAD");
      held.write_to(out);
      out.write("TAIL");
      out.finish();
      file.commit();
    }
    EXPECT_TRUE(file_bytes(dir / "DRAWING.DXF") == "HEAD" + expected + "TAIL") << may_pass_cache;
  }

  std::ofstream(dir / "LOG", std::ios::binary) << "OLD";
  {
    TextFile file = TextFile::open_append(dir / "LOG");
    held.write_to(file);
    file.close();
  }
  EXPECT_TRUE(file_bytes(dir / "LOG") == "OLD" + expected);

  StringSink memory;
  held.write_to(memory);
  EXPECT_TRUE(memory.text() == expected);
}

// The host's copy goes in parts, each told; a file it cannot copy into (one
// open for reading only) gets the plain road instead, from the start.
TEST(HeldText, ASpoolCopiedByTheHostIsToldPartByPartOrGoesThePlainRoad) {
  test::TempDir dir;
  test::ScopedEnv tmpdir("TMPDIR", dir.path());
  SpoolFile spool;
  std::string expected;
  while (expected.size() < (std::size_t{9} << 20)) expected += "0123456789ABCDEF" + std::to_string(expected.size());
  spool.append(expected);

  const int into = ::open((dir / "COPY").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(into, 0);
  std::int64_t copied = 0;
  int parts = 0;
  std::string handed;
  const auto hand = [&handed](std::string_view bytes) { handed += bytes; };
  const auto refuse = [](int err) { FAIL() << "copy failed: " << err; };
  spool.replay_into(into, [&](std::int64_t n) { copied += n, ++parts; }, hand, refuse);
  ::close(into);
  EXPECT_TRUE(file_bytes(dir / "COPY") + handed == expected);
  // A host or file system without the copy hands every byte over instead.
  if (copied > 0) {
    EXPECT_EQ(copied, static_cast<std::int64_t>(expected.size()));
    EXPECT_GE(parts, 2);
  }

  const int read_only = ::open((dir / "COPY").c_str(), O_RDONLY);
  ASSERT_GE(read_only, 0);
  copied = 0;
  handed.clear();
  spool.replay_into(read_only, [&](std::int64_t n) { copied += n; }, hand, refuse);
  ::close(read_only);
  EXPECT_EQ(copied, 0);
  EXPECT_TRUE(handed == expected);
}

}  // namespace
}  // namespace verdan
