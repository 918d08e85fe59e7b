#include "platform/console/terminal_keys.h"

#include <gtest/gtest.h>

#include <string>

// Last, for the KEY_ numbers: curses defines macros with common names.
#include <curses.h>

namespace verdan {
namespace {

TerminalKey function_key(int code) { return {true, static_cast<std::uint32_t>(code)}; }
TerminalKey character(char32_t cp) { return {false, static_cast<std::uint32_t>(cp)}; }

TEST(OneKeyCodes, CursorAndEditingKeysGiveTheClassicConsoleCodes) {
  struct Case {
    int key;
    int code;
  };
  const Case cases[] = {
      {KEY_UP, 30},   {KEY_DOWN, 31},       {KEY_LEFT, 29},  {KEY_RIGHT, 28},
      {KEY_HOME, 11}, {KEY_IC, 18},         {KEY_DC, 127},   {KEY_BACKSPACE, 8},
      {KEY_ENTER, 13}, {KEY_END, -1},       {KEY_F(1), -1},  {KEY_NPAGE, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(one_key_code(function_key(c.key)), c.code) << c.key;
}

TEST(OneKeyCodes, CharactersGiveTheirFirstCp932Byte) {
  struct Case {
    char32_t cp;
    int code;
  };
  const Case cases[] = {
      {U'a', 97},  {U'~', 126},  {U' ', 32},  {U'\t', 9},
      {U'\r', 13}, {U'\n', 13},  {27, 27},    // Enter either way; a lone ESC
      {0x7F, 8},                               // what terminals send for Backspace
      {U'ア', 0x83}, {U'山', 0x8E},             // 0x8341, 0x8E52
      {U'ｱ', 0xB1},                            // half-width katakana: one byte
      {U'é', '?'},                             // not in CP932
      {0x110000, -1},                          // no character at all
  };
  for (const Case& c : cases) {
    EXPECT_EQ(one_key_code(character(c.cp)), c.code) << static_cast<std::uint32_t>(c.cp);
  }
}

TEST(EntryKeys, BackspaceInEveryFormDeleteAndTypedCharactersInCp932) {
  for (TerminalKey key : {function_key(KEY_BACKSPACE), character(0x08), character(0x7F)}) {
    EXPECT_EQ(entry_key(key).action, EntryAction::backspace) << key.value;
  }
  EXPECT_EQ(entry_key(function_key(KEY_DC)).action, EntryAction::erase);
  EXPECT_EQ(entry_key(character(U'\r')).action, EntryAction::enter);
  EXPECT_EQ(entry_key(function_key(KEY_UP)).action, EntryAction::none);
  EXPECT_EQ(entry_key(character(27)).action, EntryAction::none);

  EntryKey typed = entry_key(character(U'山'));
  EXPECT_EQ(typed.action, EntryAction::insert);
  EXPECT_EQ(typed.text, "\x8E\x52");
  EXPECT_EQ(entry_key(character(U'ｶ')).text, "\xB6");
}

EntryKey insert(const std::string& cp932) { return {EntryAction::insert, cp932}; }
EntryKey act(EntryAction action) { return {action, {}}; }

LineEditor roomy_editor() {
  return LineEditor([](std::string_view) { return true; });
}

TEST(LineEditor, TypingAndEditingAnywhereInTheEntry) {
  LineEditor editor = roomy_editor();
  for (const char* c : {"a", "b", "d"}) EXPECT_TRUE(editor.apply(insert(c)));
  EXPECT_TRUE(editor.apply(act(EntryAction::backspace)));
  EXPECT_TRUE(editor.apply(insert("c")));
  EXPECT_TRUE(editor.apply(act(EntryAction::left)));
  EXPECT_TRUE(editor.apply(act(EntryAction::left)));
  EXPECT_TRUE(editor.apply(insert("Z")));
  EXPECT_EQ(editor.text(), "aZbc");
  EXPECT_EQ(editor.cursor(), 2u);
  EXPECT_TRUE(editor.apply(act(EntryAction::home)));
  EXPECT_TRUE(editor.apply(insert("<")));
  EXPECT_TRUE(editor.apply(act(EntryAction::end)));
  EXPECT_TRUE(editor.apply(insert("\x8E\x52")));  // 山
  EXPECT_EQ(editor.text(), "<aZbc\x8E\x52");
  EXPECT_EQ(editor.cursor(), 7u);

  EXPECT_TRUE(editor.apply(act(EntryAction::left)));  // over both bytes of 山
  EXPECT_EQ(editor.cursor(), 5u);
  EXPECT_TRUE(editor.apply(act(EntryAction::backspace)));
  EXPECT_EQ(editor.text(), "<aZb\x8E\x52");
  EXPECT_TRUE(editor.apply(act(EntryAction::erase)));  // Delete takes 山 whole
  EXPECT_EQ(editor.text(), "<aZb");
  EXPECT_EQ(editor.cursor(), 4u);
}

TEST(LineEditor, RefusesWhatCannotBeDoneAndLeavesTheEntryAlone) {
  LineEditor editor = roomy_editor();
  EXPECT_FALSE(editor.apply(act(EntryAction::backspace)));
  EXPECT_FALSE(editor.apply(act(EntryAction::left)));
  EXPECT_FALSE(editor.apply(act(EntryAction::erase)));
  EXPECT_FALSE(editor.apply(act(EntryAction::right)));
  EXPECT_TRUE(editor.apply(act(EntryAction::none)));  // ignored keys do not beep
  EXPECT_EQ(editor.text(), "");

  for (int i = 0; i < 254; ++i) ASSERT_TRUE(editor.apply(insert("x")));
  EXPECT_FALSE(editor.apply(insert("\x8E\x52"))) << "would make 256 bytes";
  EXPECT_TRUE(editor.apply(insert("x")));
  EXPECT_FALSE(editor.apply(insert("x")));
  EXPECT_EQ(editor.text().size(), 255u);

  LineEditor cramped([](std::string_view text) { return text.size() <= 2; });
  EXPECT_TRUE(cramped.apply(insert("a")));
  EXPECT_FALSE(cramped.apply(insert("\x8E\x52")));
  EXPECT_TRUE(cramped.apply(act(EntryAction::home)));
  EXPECT_TRUE(cramped.apply(insert("b")));
  EXPECT_FALSE(cramped.apply(insert("c")));
  EXPECT_EQ(cramped.text(), "ba");
  EXPECT_EQ(cramped.cursor(), 1u);
}

TEST(LineEditor, StepsBackOverACharacterWhoseSecondByteLooksLikeALeadByte) {
  // メ is 0x83 0x81, and 0x81 alone would start a double-byte character.
  LineEditor editor = roomy_editor();
  editor.apply(insert("a"));
  editor.apply(insert("\x83\x81"));
  editor.apply(insert("b"));
  EXPECT_TRUE(editor.apply(act(EntryAction::left)));
  EXPECT_EQ(editor.cursor(), 3u);
  EXPECT_TRUE(editor.apply(act(EntryAction::backspace)));
  EXPECT_EQ(editor.text(), "ab");
  EXPECT_EQ(editor.cursor(), 1u);
}

TEST(EntryFits, WrapsLikeTheScreenAndKeepsACellForTheCursor) {
  const std::string nine(9, 'x');
  const std::string ten(10, 'x');
  EXPECT_TRUE(entry_fits(nine, 5, 70, 5)) << "columns 70-78, cursor in 79";
  EXPECT_FALSE(entry_fits(ten, 5, 70, 5)) << "the cursor would need row 6";
  EXPECT_TRUE(entry_fits(ten, 5, 70, 6));
  EXPECT_FALSE(entry_fits(std::string(160, 'x'), 5, 0, 6));
  EXPECT_TRUE(entry_fits(std::string(159, 'x'), 5, 0, 6));

  // A double-byte character never starts in column 79.
  EXPECT_TRUE(entry_fits("\x8E\x52", 5, 79, 6));
  EXPECT_FALSE(entry_fits("\x8E\x52", 5, 79, 5));
  EXPECT_FALSE(entry_fits("a\x8E\x52", 5, 77, 5)) << "a in 77, then 山 wraps";
  EXPECT_TRUE(entry_fits("\x8E\x52", 5, 77, 5));

  // Column 80: the prompt filled its row and the entry starts on the next.
  EXPECT_TRUE(entry_fits("a", 5, 80, 6));
  EXPECT_FALSE(entry_fits("a", 5, 80, 5));
}

}  // namespace
}  // namespace verdan
