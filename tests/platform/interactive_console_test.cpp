#include "platform/console/interactive_console.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/fallible_step.h"
#include "platform/frontends/headless/scripted_console.h"

namespace verdan {
namespace {

// A display typed into from a list; it notes what the loop asks of it.
class ListDisplay : public Display {
 public:
  std::deque<Input> inputs;
  bool repaints = false;
  bool taken = true;
  std::optional<std::string> clipboard;
  std::vector<std::string> calls;
  std::vector<ScreenDamage> damages;  // of each show
  std::vector<std::string> title_rows;  // row 1 of each show

  void show(const ScreenModel& model, const ScreenDamage& damage, int, int, Showing showing) override {
    calls.push_back(showing == Showing::entry ? "entry" : showing == Showing::final ? "final" : "screen");
    damages.push_back(damage);
    title_rows.push_back(model.row_text(1));
  }
  bool repaint_all() override {
    if (repaints) calls.push_back("repaint");
    return repaints;
  }
  // Nothing left: a wait times out, a read ends the program.
  std::optional<Input> poll(int timeout_ms) override {
    if (inputs.empty()) {
      if (timeout_ms < 0) throw ProgramEnd{3};
      return std::nullopt;
    }
    Input input = inputs.front();
    inputs.pop_front();
    return input;
  }
  void beep() override { calls.push_back("beep"); }
  bool on() const override { return taken; }
  void end() override { calls.push_back("end"); }
  void reads_entry(bool entry) override { calls.push_back(entry ? "reads entry" : "reads key"); }
  std::optional<std::string> clipboard_line() override { return clipboard; }
};

Input key(KeyName name) { return Input::pressed(Key::named(name)); }
Input character(std::string cp932) { return Input::pressed(Key::character(std::move(cp932))); }
Input text(std::string cp932) { return Input::typed(std::move(cp932)); }

class InteractiveConsoleTest : public ::testing::Test {
 protected:
  InteractiveConsoleTest() {
    auto owned = std::make_unique<ListDisplay>();
    display_ = owned.get();
    console_ = std::make_unique<InteractiveConsole>(std::move(owned), 160, 96);
  }
  void type(std::vector<Input> inputs) { display_->inputs.assign(inputs.begin(), inputs.end()); }

  ListDisplay* display_;
  std::unique_ptr<InteractiveConsole> console_;
};

TEST_F(InteractiveConsoleTest, CommittedTextIsOneKeyACharacterAndGoesIntoEntriesWithoutControls) {
  type({text("ab"), key(KeyName::enter)});
  EXPECT_EQ(console_->read_key(), 'a');
  EXPECT_EQ(console_->read_key(), 'b');
  EXPECT_EQ(console_->read_key(), 13);

  type({text("x\x01y"), character("z"), key(KeyName::enter)});
  EXPECT_EQ(console_->read_line(), "xyz");
}

TEST_F(InteractiveConsoleTest, CtrlVPastesTheClipboardLineOnlyWhereTheDisplayHasOne) {
  type({character("a"), character("\x16"), key(KeyName::enter)});
  EXPECT_EQ(console_->read_line(), "a");

  display_->clipboard = "bc";
  type({character("a"), character("\x16"), key(KeyName::enter)});
  EXPECT_EQ(console_->read_line(), "abc");
}

TEST_F(InteractiveConsoleTest, CtrlLRepaintsWhereTheDisplayCanElseItIsKeyTwelve) {
  type({character("\x0C"), character("q")});
  EXPECT_EQ(console_->read_key(), 12);

  display_->repaints = true;
  type({character("\x0C"), character("q")});
  EXPECT_EQ(console_->read_key(), 'q');
  EXPECT_EQ(display_->calls.back(), "repaint");
}

TEST_F(InteractiveConsoleTest, AWaitKeepsAtMost64InputsForLaterReads) {
  std::vector<Input> inputs(64, character("k"));
  inputs.push_back(character("x"));
  type(inputs);
  console_->wait_ticks(20);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(console_->read_key(), 'k') << i;
  // The 65th went with the wait; nothing is left to read.
  EXPECT_THROW(console_->read_key(), ProgramEnd);
}

TEST_F(InteractiveConsoleTest, DisplayHearsWhichReadStartsAndIsHandedBackAfterTheFinalScreen) {
  type({text("a"), key(KeyName::enter), character("k")});
  console_->read_line();
  console_->read_key();
  console_->hand_back();
  const std::vector<std::string> calls = {"screen", "reads entry", "entry", "entry",
                                          "screen", "reads key",   "final", "end"};
  EXPECT_EQ(display_->calls, calls);

  // A beep while the device is given back shows the screen first.
  display_->calls.clear();
  display_->taken = false;
  console_->beep();
  EXPECT_EQ(display_->calls, (std::vector<std::string>{"screen", "beep"}));
}

TEST_F(InteractiveConsoleTest, EachShowDrawsWhatTheEntryCopiesChangedOnTheDisplay) {
  console_->write("N? ");
  type({character("a"), character("b"), key(KeyName::backspace)});
  EXPECT_THROW(console_->read_line(), ProgramEnd);  // cut short
  console_->hand_back();
  ASSERT_EQ(display_->damages.size(), 6u);  // screen, entry x 4, final
  EXPECT_EQ(display_->damages[0].count(), 2) << "N and ?; the blank was blank before";
  EXPECT_EQ(display_->damages[1].count(), 0);
  EXPECT_EQ(display_->damages[2].count(), 1);
  EXPECT_TRUE(display_->damages[2].text_at(0, 3));
  EXPECT_TRUE(display_->damages[3].text_at(0, 4));
  // "b" rubbed out: its cell goes back to what the screen holds.
  EXPECT_TRUE(display_->damages[4].text_at(0, 4));
  // The screen has no entry: the final show takes the echo away.
  EXPECT_EQ(display_->calls.back(), "end");
  EXPECT_TRUE(display_->damages[5].text_at(0, 3));
  EXPECT_FALSE(display_->damages[5].at(0, 2));
}

// A screen with text in colours, a scroll window and a drawing.
void draw_screen(Console& console) {
  console.line(0, 0, 159, 95, 4);
  console.set_window(2, 20);
  console.set_color(3);
  console.locate(1, 4);
  console.write("TITLE");
  console.set_color(6);
  console.locate(5, 10);
  console.write("N? ");
}

Input f1() { return Input::pressed(Key::function(1)); }

TEST_F(InteractiveConsoleTest, F1AtAnEntryShowsThePageAndAnyKeyPutsTheScreenAndTheEntryBack) {
  draw_screen(*console_);
  console_->set_help({"HELP PAGE", "", "what to type"});
  type({character("1"), f1(), character("q"), character("2"), key(KeyName::enter)});
  EXPECT_EQ(console_->read_line(), "12");

  // The same entry typed without F1 leaves the same screen, byte for byte.
  auto plain_display = std::make_unique<ListDisplay>();
  plain_display->inputs = {character("1"), character("2"), key(KeyName::enter)};
  InteractiveConsole plain(std::move(plain_display), 160, 96);
  draw_screen(plain);
  plain.read_line();
  EXPECT_TRUE(console_->screen() == plain.screen());

  // Shown: the screen, the entry, the page, then the screen whole again.
  const auto page = std::find(display_->title_rows.begin(), display_->title_rows.end(), "  HELP PAGE");
  ASSERT_NE(page, display_->title_rows.end());
  const auto after = static_cast<std::size_t>(page - display_->title_rows.begin()) + 1;
  ASSERT_LT(after, display_->title_rows.size());
  EXPECT_EQ(display_->title_rows[after], "    TITLE");
  EXPECT_EQ(display_->damages[after].count(), kScreenRows * kScreenColumns);
  // The key that ended the page was read as a key, and the entry went on.
  const std::vector<std::string> page_and_back = {"screen", "reads key", "reads entry", "entry"};
  EXPECT_NE(std::search(display_->calls.begin(), display_->calls.end(), page_and_back.begin(), page_and_back.end()),
            display_->calls.end());
}

TEST_F(InteractiveConsoleTest, F1WhereAKeyIsReadIsAnyKeyAndWithoutAPageDoesNothingInAnEntry) {
  console_->set_help({"HELP PAGE"});
  type({f1()});
  EXPECT_EQ(console_->read_key(), 0);
  for (const std::string& row : display_->title_rows) EXPECT_EQ(row, "");

  console_->set_help({});
  type({character("a"), f1(), key(KeyName::enter)});
  EXPECT_EQ(console_->read_line(), "a");
  for (const std::string& row : display_->title_rows) EXPECT_EQ(row, "");
}

TEST(HelpScope, PutsTheScreensOwnPageBackAfterward) {
  ScriptedConsole console({});
  console.set_help({"SCREEN"});
  {
    HelpScope error_line(console, {"ERROR LINE"});
    EXPECT_EQ(console.help().front(), "ERROR LINE");
  }
  EXPECT_EQ(console.help().front(), "SCREEN");
}

}  // namespace
}  // namespace verdan
