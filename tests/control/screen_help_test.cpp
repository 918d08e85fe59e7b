#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control/screen_help.h"
#include "platform/codec/cp932.h"
#include "tests/control/control_fixture.h"

namespace verdan {
namespace {

const std::string kF1 = "\x1bOP";

std::string title(ControlScreen screen) { return to_utf8(control_screen_help(screen).front()); }

// Settings kept, then the register left at once, with F1 (and a key) before
// the entries that `help_at` names by their place in the plain dialogue.
std::vector<std::string> dialogue(const std::vector<std::size_t>& help_at) {
  const std::vector<std::string> plain = {"1", "", "", "", "", "", "", "", "", "Y", "2", "3", "-1", "0", "0"};
  std::vector<std::string> script;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (std::find(help_at.begin(), help_at.end(), i) != help_at.end()) script.insert(script.end(), {kF1, ""});
    script.push_back(plain[i]);
  }
  return script;
}

class ControlHelp : public test::ControlRun {};

TEST_F(ControlHelp, EveryEntryScreenHasItsPageAndTheRunEndsAsWithoutHelp) {
  ASSERT_EQ(run(dialogue({0, 1, 5, 9, 10, 11, 12, 13})), 0);
  EXPECT_EQ(console_->remaining(), 0u);
  const std::vector<std::string> expected = {
      title(ControlScreen::menu),           title(ControlScreen::settings),  title(ControlScreen::settings),
      title(ControlScreen::settings),       title(ControlScreen::menu),      title(ControlScreen::file_menu),
      title(ControlScreen::register_entry), title(ControlScreen::file_menu)};
  EXPECT_EQ(console_->help_titles(), expected);
  const ScreenModel with_help = console_->screen();
  const std::string settings = test::read_bytes(dir_ / "app/verdan/VERDAN.INI");

  std::filesystem::remove(dir_ / "app/verdan/VERDAN.INI");
  ASSERT_EQ(run(dialogue({})), 0);
  EXPECT_TRUE(console_->screen() == with_help);
  EXPECT_EQ(test::read_bytes(dir_ / "app/verdan/VERDAN.INI"), settings);
}

TEST(ControlHelpPages, EveryPageFitsTheScreenUnderItsTitle) {
  for (int screen = 0; screen <= static_cast<int>(ControlScreen::register_entry); ++screen) {
    const std::vector<std::string> page = control_screen_help(static_cast<ControlScreen>(screen));
    ASSERT_FALSE(page.empty()) << screen;
    EXPECT_LE(page.size(), 21u) << screen;
    // CP932 takes a byte a column.
    for (const std::string& line : page) EXPECT_LE(line.size(), 78u) << to_utf8(line);
  }
}

}  // namespace
}  // namespace verdan
