#include "platform/frontends/terminal/curses_keys.h"

#include <gtest/gtest.h>

// Last, for the KEY_ numbers: curses defines macros with common names.
#include <curses.h>

namespace verdan {
namespace {

TEST(CursesKeys, KeyNumbersByName) {
  struct Case {
    int code;
    Key key;
  };
  const Case cases[] = {
      {KEY_UP, Key::named(KeyName::up)},          {KEY_DOWN, Key::named(KeyName::down)},
      {KEY_LEFT, Key::named(KeyName::left)},      {KEY_RIGHT, Key::named(KeyName::right)},
      {KEY_HOME, Key::named(KeyName::home)},      {KEY_END, Key::named(KeyName::end)},
      {KEY_IC, Key::named(KeyName::insert)},      {KEY_DC, Key::named(KeyName::del)},
      {KEY_BACKSPACE, Key::named(KeyName::backspace)}, {KEY_ENTER, Key::named(KeyName::enter)},
      {KEY_PPAGE, Key::named(KeyName::page_up)},  {KEY_NPAGE, Key::named(KeyName::page_down)},
      {KEY_F(1), Key::function(1)},               {KEY_F(12), Key::function(12)},
      {KEY_MOUSE, Key::named(KeyName::other)},
  };
  for (const Case& c : cases) EXPECT_EQ(curses_key(true, static_cast<std::uint32_t>(c.code)), c.key) << c.code;
}

TEST(CursesKeys, CharactersAreTypedCharacters) {
  EXPECT_EQ(curses_key(false, U'\r'), Key::named(KeyName::enter));
  EXPECT_EQ(curses_key(false, 0x7F), Key::named(KeyName::backspace));
  EXPECT_EQ(curses_key(false, U'山'), Key::character("\x8E\x52"));
  // A character whose code point is a KEY_ number is still that character.
  EXPECT_EQ(curses_key(false, KEY_UP), typed_character(KEY_UP));
}

}  // namespace
}  // namespace verdan
