// What makes the terminal truthful and usable: entries that blank the old value, the editing keys, the line front end.
#include <gtest/gtest.h>

#include <string>

#include "platform/codec/cp932.h"
#include "platform/frontends/terminal/line_console.h"
#include "platform/frontends/headless/scripted_console.h"
#include "platform/frontends/terminal/terminal_codec.h"
#include "platform/console/terminal_keys.h"
#include "platform/console/terminal_screen.h"

namespace verdan {
namespace {

TEST(Entries, TheOldValueUnderAnEntryIsBlankedUpToItsEnd) {
  ScriptedConsole console({"A", "1 2 3", "5"});
  console.write("FILE PRT.TXT [0=NO]");
  console.locate(0, 5);
  EXPECT_EQ(console.read_line(), "A");
  EXPECT_EQ(console.row_text(0), "FILE A       [0=NO]");
  // A re-asked prompt: the earlier entry goes whole, blanks and all.
  console.locate(2, 0);
  console.write("N? ");
  console.read_line();
  console.locate(2, 0);
  console.write("N? ");
  EXPECT_EQ(console.read_line(), "5");
  EXPECT_EQ(console.row_text(2), "N? 5");
}

TEST(EditingKeys, ControlKeysMoveAndDeleteLikeAShell) {
  LineEditor editor([](std::string_view) { return true; });
  auto type = [&](std::string_view text) {
    for (char c : text) editor.apply(entry_key(typed_character(static_cast<char32_t>(c))));
  };
  auto control = [&](char letter) { editor.apply(entry_key(typed_character(static_cast<char32_t>(letter - '@')))); };
  type("12 ab cd");
  control('W');
  EXPECT_EQ(editor.text(), "12 ab ");
  control('A');
  type("x");
  EXPECT_EQ(editor.text(), "x12 ab ");
  control('K');
  EXPECT_EQ(editor.text(), "x");
  type("yz");
  control('E');
  control('U');
  EXPECT_EQ(editor.text(), "");
  EXPECT_TRUE(is_repaint_key(typed_character(12)));
}

TEST(LineFrontEnd, PrintsChangedRowsThenThePromptWithoutALineEnd) {
  ScreenModel before(640, 384);
  before.put_text("TITLE");
  ScreenModel now = before;
  now.locate(3, 0);
  now.put_text("CHOICE? ");
  EXPECT_EQ(LineConsole::changed_rows(before, now), "CHOICE? ");
  EXPECT_EQ(LineConsole::changed_rows(std::nullopt, before).substr(0, 6), "\n\n\n\n\n\n");
}

TEST(LocaleCodeSets, EucJpAndShiftJisBothWays) {
  const std::string text = sj("山");
  EXPECT_EQ(encode_for_terminal(text, CodeSet::shift_jis), text);
  EXPECT_EQ(encode_for_terminal(text, CodeSet::euc_jp), "\xBB\xB3");
  EXPECT_EQ(decode_from_terminal("\xBB\xB3", CodeSet::euc_jp), text);
  EXPECT_EQ(encode_for_terminal(text, CodeSet::utf8), "山");
  EXPECT_EQ(code_set_named("eucJP"), CodeSet::euc_jp);
  EXPECT_EQ(code_set_named("SHIFT_JIS"), CodeSet::shift_jis);
  EXPECT_FALSE(terminal_code_set_usable("ANSI_X3.4-1968"));
}

}  // namespace
}  // namespace verdan
