#include "platform/console/keys.h"

#include <gtest/gtest.h>

#include <string>

namespace verdan {
namespace {

Key named(KeyName name) { return Key::named(name); }
Key bytes(const std::string& cp932) { return Key::character(cp932); }

TEST(TypedCharacters, ControlsWithAKeyOfTheirOwnAndTheRestInCp932) {
  struct Case {
    char32_t cp;
    Key key;
  };
  const Case cases[] = {
      {U'\r', named(KeyName::enter)},     {U'\n', named(KeyName::enter)},
      {0x7F, named(KeyName::backspace)},  // what terminals send for Backspace
      {27, named(KeyName::escape)},       {U'\t', named(KeyName::tab)},
      {U'a', bytes("a")},                 {0x08, bytes("\x08")},
      {0, bytes(std::string(1, '\0'))},   // Ctrl-@ is a key too
      {U'ア', bytes("\x83\x41")},         {U'ｱ', bytes("\xB1")},
      {U'é', bytes("?")},                 // not in CP932
      {0x110000, named(KeyName::other)},  // no character at all
  };
  for (const Case& c : cases) {
    EXPECT_EQ(typed_character(c.cp), c.key) << static_cast<std::uint32_t>(c.cp);
  }
}

}  // namespace
}  // namespace verdan
