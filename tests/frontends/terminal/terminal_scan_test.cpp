#include <gtest/gtest.h>

#include <string>

#include "platform/frontends/terminal/ansi_keys.h"

// Last, for the KEY_ numbers: curses defines macros with common names.
#include <curses.h>

namespace verdan {
namespace {

struct Expected {
  const char* bytes;
  std::size_t used;
  bool function_key;
  std::uint32_t value;
};

void expect_scans(const Expected& e, CodeSet set, bool more_may_come = true) {
  ScannedKey scanned = scan_key(e.bytes, set, more_may_come);
  EXPECT_EQ(scanned.used, e.used) << e.bytes + 1;
  if (scanned.used == 0) return;
  EXPECT_EQ(scanned.key.function_key, e.function_key) << e.bytes + 1;
  EXPECT_EQ(scanned.key.value, e.value) << e.bytes + 1;
}

TEST(ScanKey, CursorAndEditingSequencesInBothCursorModes) {
  const Expected cases[] = {
      {"\033[A", 3, true, KEY_UP},     {"\033OB", 3, true, KEY_DOWN},   {"\033[C", 3, true, KEY_RIGHT},
      {"\033OD", 3, true, KEY_LEFT},   {"\033[H", 3, true, KEY_HOME},   {"\033OF", 3, true, KEY_END},
      {"\033[1~", 4, true, KEY_HOME},  {"\033[7~", 4, true, KEY_HOME},  {"\033[2~", 4, true, KEY_IC},
      {"\033[3~", 4, true, KEY_DC},    {"\033[4~", 4, true, KEY_END},   {"\033[8~", 4, true, KEY_END},
      {"\033[1;5A", 6, true, KEY_UP},  {"\033[15~", 5, true, 0},        {"\033OM", 3, true, KEY_ENTER},
  };
  for (const Expected& e : cases) expect_scans(e, CodeSet::utf8);
}

TEST(ScanKey, KeysAfterASequenceStayForTheNextScan) {
  expect_scans({"\033[3~\033[2~", 4, true, KEY_DC}, CodeSet::utf8);
  expect_scans({"\033[Dx", 3, true, KEY_LEFT}, CodeSet::utf8);
}

TEST(ScanKey, AnUnfinishedSequenceWaitsThenItsEscapeIsAKey) {
  expect_scans({"\033", 0, false, 0}, CodeSet::utf8);
  expect_scans({"\033[", 0, false, 0}, CodeSet::utf8);
  expect_scans({"\033[3", 0, false, 0}, CodeSet::utf8);
  expect_scans({"\033", 1, false, 0x1B}, CodeSet::utf8, false);
  expect_scans({"\033[3", 1, false, 0x1B}, CodeSet::utf8, false);
  // ESC and then a character: two keys.
  expect_scans({"\033a", 1, false, 0x1B}, CodeSet::utf8);
}

TEST(ScanKey, CharactersInTheLocalesCodeSet) {
  expect_scans({"\r", 1, false, '\r'}, CodeSet::utf8);
  expect_scans({"\x7F", 1, false, 0x7F}, CodeSet::utf8);
  expect_scans({"\xE5\xB1\xB1", 3, false, U'山'}, CodeSet::utf8);
  expect_scans({"\xE5\xB1", 0, false, 0}, CodeSet::utf8);
  expect_scans({"\xBB\xB3", 2, false, U'山'}, CodeSet::euc_jp);
  expect_scans({"\x8E\xB1", 2, false, U'ｱ'}, CodeSet::euc_jp);
  expect_scans({"\x8E\x52", 2, false, U'山'}, CodeSet::shift_jis);
  expect_scans({"\xB1", 1, false, U'ｱ'}, CodeSet::shift_jis);
}

}  // namespace
}  // namespace verdan
