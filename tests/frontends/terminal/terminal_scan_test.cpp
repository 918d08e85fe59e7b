#include <gtest/gtest.h>

#include <string>

#include "platform/frontends/terminal/ansi_keys.h"

namespace verdan {
namespace {

struct Expected {
  const char* bytes;
  std::size_t used;
  Key key;
};

Key named(KeyName name) { return Key::named(name); }
Key character(const char* cp932) { return Key::character(cp932); }
const Key kNone;

void expect_scans(const Expected& e, CodeSet set, bool more_may_come = true) {
  ScannedKey scanned = scan_key(e.bytes, set, more_may_come);
  EXPECT_EQ(scanned.used, e.used) << e.bytes + 1;
  if (scanned.used == 0) return;
  EXPECT_EQ(scanned.key, e.key) << e.bytes + 1;
}

TEST(ScanKey, CursorAndEditingSequencesInBothCursorModes) {
  const Expected cases[] = {
      {"\033[A", 3, named(KeyName::up)},       {"\033OB", 3, named(KeyName::down)},
      {"\033[C", 3, named(KeyName::right)},    {"\033OD", 3, named(KeyName::left)},
      {"\033[H", 3, named(KeyName::home)},     {"\033OF", 3, named(KeyName::end)},
      {"\033[1~", 4, named(KeyName::home)},    {"\033[7~", 4, named(KeyName::home)},
      {"\033[2~", 4, named(KeyName::insert)},  {"\033[3~", 4, named(KeyName::del)},
      {"\033[4~", 4, named(KeyName::end)},     {"\033[8~", 4, named(KeyName::end)},
      {"\033[1;5A", 6, named(KeyName::up)},    {"\033[9~", 4, named(KeyName::other)},
      {"\033OM", 3, named(KeyName::enter)},
  };
  for (const Expected& e : cases) expect_scans(e, CodeSet::utf8);
}

// F1 asks for help, so each terminal's way of sending the function keys
// must come out as the key, never as ESC and letters.
TEST(ScanKey, FunctionKeysOfXtermVt220AndTheLinuxConsole) {
  const Expected cases[] = {
      {"\033OP", 3, Key::function(1)},     {"\033OS", 3, Key::function(4)},
      {"\033[11~", 5, Key::function(1)},   {"\033[15~", 5, Key::function(5)},
      {"\033[17~", 5, Key::function(6)},   {"\033[21~", 5, Key::function(10)},
      {"\033[24~", 5, Key::function(12)},  {"\033[16~", 5, named(KeyName::other)},
      {"\033[1;2P", 6, Key::function(1)},  {"\033[[A", 4, Key::function(1)},
      {"\033[[E", 4, Key::function(5)},    {"\033[[Z", 4, named(KeyName::other)},
      {"\033[[", 0, kNone},
  };
  for (const Expected& e : cases) expect_scans(e, CodeSet::utf8);
}

TEST(ScanKey, KeysAfterASequenceStayForTheNextScan) {
  expect_scans({"\033[3~\033[2~", 4, named(KeyName::del)}, CodeSet::utf8);
  expect_scans({"\033[Dx", 3, named(KeyName::left)}, CodeSet::utf8);
}

TEST(ScanKey, AnUnfinishedSequenceWaitsThenItsEscapeIsAKey) {
  expect_scans({"\033", 0, kNone}, CodeSet::utf8);
  expect_scans({"\033[", 0, kNone}, CodeSet::utf8);
  expect_scans({"\033[3", 0, kNone}, CodeSet::utf8);
  expect_scans({"\033", 1, named(KeyName::escape)}, CodeSet::utf8, false);
  expect_scans({"\033[3", 1, named(KeyName::escape)}, CodeSet::utf8, false);
  // ESC and then a character: two keys.
  expect_scans({"\033a", 1, named(KeyName::escape)}, CodeSet::utf8);
}

TEST(ScanKey, CharactersInTheLocalesCodeSet) {
  expect_scans({"\r", 1, named(KeyName::enter)}, CodeSet::utf8);
  expect_scans({"\x7F", 1, named(KeyName::backspace)}, CodeSet::utf8);
  expect_scans({"\xE5\xB1\xB1", 3, character("\x8E\x52")}, CodeSet::utf8);
  expect_scans({"\xE5\xB1", 0, kNone}, CodeSet::utf8);
  expect_scans({"\xBB\xB3", 2, character("\x8E\x52")}, CodeSet::euc_jp);
  expect_scans({"\x8E\xB1", 2, character("\xB1")}, CodeSet::euc_jp);
  expect_scans({"\x8E\x52", 2, character("\x8E\x52")}, CodeSet::shift_jis);
  expect_scans({"\xB1", 1, character("\xB1")}, CodeSet::shift_jis);
}

}  // namespace
}  // namespace verdan
