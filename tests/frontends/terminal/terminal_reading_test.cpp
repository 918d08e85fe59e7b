// What makes the terminal truthful and usable: entries that blank the old value, the editing keys, the line front end.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

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

// Input lines for the line front end and everything it printed.
class LineFrontEndTest : public ::testing::Test {
 protected:
  LineFrontEndTest() {
    EXPECT_EQ(::pipe(input_), 0);
    EXPECT_EQ(::pipe(output_), 0);
    ::fcntl(output_[0], F_SETFL, O_NONBLOCK);
  }
  ~LineFrontEndTest() override {
    for (int fd : {input_[0], input_[1], output_[0], output_[1]}) ::close(fd);
  }
  void type(const std::string& lines) {
    ASSERT_EQ(::write(input_[1], lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
  }
  // What was printed since the last call.
  std::string printed() {
    std::string text;
    char bytes[4096];
    for (ssize_t n; (n = ::read(output_[0], bytes, sizeof bytes)) > 0;) text.append(bytes, static_cast<std::size_t>(n));
    return text;
  }

  int input_[2] = {-1, -1};
  int output_[2] = {-1, -1};
};

TEST_F(LineFrontEndTest, TextPicturesArePrintedInTheTerminalsCodeAndLineEnds) {
  LineConsole console(CodeSet::utf8, input_[0], output_[1]);
  ASSERT_TRUE(console.wants_text_picture());
  console.show_text_picture(to_cp932(" 2FL +-  1\r\n＊\r\n\r\n"));
  EXPECT_EQ(printed(), " 2FL +-  1\n＊\n\n");
}

TEST_F(LineFrontEndTest, PrintsTheRowsWhoseTextChangedThenThePromptWithoutALineEnd) {
  LineConsole console(CodeSet::utf8, input_[0], output_[1]);
  type("k\nk\nk\nENTRY\nk\n");
  console.write("TITLE");
  console.locate(2, 0);
  console.write("SUBTITLE");
  console.locate(0, 5);
  console.read_key();
  EXPECT_EQ(printed(), "\nSUBTITLE\n" + std::string(21, '\n') + "TITLE") << "the first prompt prints every row";

  // The same text in another colour prints nothing again.
  console.set_color(3);
  console.locate(0, 0);
  console.write("TITLE");
  console.locate(3, 0);
  console.write("CHOICE? ");
  console.read_key();
  EXPECT_EQ(printed(), "CHOICE? ");

  console.locate(2, 0);
  console.write("SUP");
  console.locate(5, 0);
  console.read_key();
  EXPECT_EQ(printed(), "SUPTITLE\n") << "a changed row is printed whole";

  // The entry and its line end, which scrolls every row up, are on the
  // terminal already.
  console.locate(23, 0);
  console.write("N? ");
  EXPECT_EQ(console.read_line(), "ENTRY");
  EXPECT_EQ(printed(), "N? ");
  console.read_key();
  EXPECT_EQ(printed(), "");
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
