#include "platform/console/terminal_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace verdan {
namespace {

Key named(KeyName name) { return Key::named(name); }
Key bytes(const std::string& cp932) { return Key::character(cp932); }

TEST(OneKeyCodes, CursorAndEditingKeysGiveTheClassicConsoleCodes) {
  struct Case {
    KeyName key;
    int code;
  };
  const Case cases[] = {
      {KeyName::up, 30},      {KeyName::down, 31},      {KeyName::left, 29},
      {KeyName::right, 28},   {KeyName::home, 11},      {KeyName::insert, 18},
      {KeyName::del, 127},    {KeyName::backspace, 8},  {KeyName::enter, 13},
      {KeyName::escape, 27},  {KeyName::tab, 9},        {KeyName::end, -1},
      {KeyName::page_down, -1}, {KeyName::other, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(one_key_code(named(c.key)), c.code) << static_cast<int>(c.key);
  }
  EXPECT_EQ(one_key_code(Key::function(1)), 0) << "any key will do where a key is read";
}

TEST(OneKeyCodes, CharactersGiveTheirFirstCp932Byte) {
  struct Case {
    const char* cp932;
    int code;
  };
  const Case cases[] = {
      {"a", 97},      {"~", 126},      {" ", 32},    {"\x0C", 12},
      {"\x0A", 10},  // Ctrl-J of the window: not Enter
      {"\x83\x41", 0x83}, {"\x8E\x52", 0x8E},  // ア, 山
      {"\xB1", 0xB1},                            // half-width katakana: one byte
  };
  for (const Case& c : cases) EXPECT_EQ(one_key_code(bytes(c.cp932)), c.code) << c.cp932;
  EXPECT_EQ(one_key_code(bytes(std::string(1, '\0'))), 0);
}

TEST(EntryKeys, BackspaceInEveryFormDeleteAndTypedCharactersInCp932) {
  for (const Key& key : {named(KeyName::backspace), bytes("\x08")}) {
    EXPECT_EQ(entry_key(key).action, EntryAction::backspace) << key.text;
  }
  EXPECT_EQ(entry_key(named(KeyName::del)).action, EntryAction::erase);
  EXPECT_EQ(entry_key(named(KeyName::enter)).action, EntryAction::enter);
  EXPECT_EQ(entry_key(bytes("\r")).action, EntryAction::enter);
  for (const Key& key : {named(KeyName::up), named(KeyName::escape), named(KeyName::tab),
                         named(KeyName::insert), bytes("\x0A"), bytes("\x0C"), bytes("\x7F")}) {
    EXPECT_EQ(entry_key(key).action, EntryAction::none) << static_cast<int>(key.name) << key.text;
  }
  EXPECT_EQ(entry_key(bytes("\x01")).action, EntryAction::home);
  EXPECT_EQ(entry_key(bytes("\x17")).action, EntryAction::erase_word);

  EntryKey typed = entry_key(bytes("\x8E\x52"));
  EXPECT_EQ(typed.action, EntryAction::insert);
  EXPECT_EQ(typed.text, "\x8E\x52");
  EXPECT_EQ(entry_key(bytes("\xB6")).text, "\xB6");
}

TEST(RepaintKey, OnlyCtrlL) {
  EXPECT_TRUE(is_repaint_key(bytes("\x0C")));
  EXPECT_FALSE(is_repaint_key(bytes("L")));
  EXPECT_FALSE(is_repaint_key(named(KeyName::other)));
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
