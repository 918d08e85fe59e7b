#include "platform/console/interactive_console.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/fallible_step.h"

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

  void show(const ScreenModel&, const ScreenDamage& damage, int, int, Showing showing) override {
    calls.push_back(showing == Showing::entry ? "entry" : showing == Showing::final ? "final" : "screen");
    damages.push_back(damage);
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

}  // namespace
}  // namespace verdan
