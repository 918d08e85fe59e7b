#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/screen_help.h"
#include "tests/generator/generator_fixture.h"

namespace verdan {
namespace {

const std::string kF1 = "\x1bOP";

std::string title(GeneratorScreen screen) { return to_utf8(generator_screen_help(screen).front()); }

class GeneratorHelp : public test::GeneratorRun {
 protected:
  // A 1 x 1 frame: a brace screen left at once, default numbering, the
  // print file appended to, and the missing analysis program ended on.
  std::vector<std::string> frame_dialogue(bool with_help) {
    auto f1 = [&](std::vector<std::string> items) {
      if (with_help) items.insert(items.begin(), {kF1, ""});
      return items;
    };
    std::vector<std::string> script;
    for (auto part : {f1({"1"}), f1({"1"}), std::vector<std::string>{"1"}, f1({"6"}), f1({"3.5"}), f1({"1"}),
                      f1({""}), f1({"5"}), f1({"", "", ""}), f1({"N"}), f1({"E"})}) {
      script.insert(script.end(), part.begin(), part.end());
    }
    return script;
  }
};

TEST_F(GeneratorHelp, EveryEntryScreenHasItsPageAndTheRunEndsAsWithoutHelp) {
  test::ScopedEnv path("PATH", dir_.path());  // no analysis program anywhere
  write_settings(test::settings_file("C:", "PRT.TXT"));
  test::write_bytes(dir_ / "PRT.TXT", "EARLIER\r\n");
  ASSERT_EQ(run(frame_dialogue(true)), 1);
  EXPECT_EQ(console_->remaining(), 0u);
  const std::vector<std::string> expected = {
      title(GeneratorScreen::menu),        title(GeneratorScreen::frame_size),
      title(GeneratorScreen::lengths),     title(GeneratorScreen::lengths),
      title(GeneratorScreen::member_menu), title(GeneratorScreen::range_lists),
      title(GeneratorScreen::member_menu), title(GeneratorScreen::numbering),
      title(GeneratorScreen::print_file),  title(GeneratorScreen::error_line)};
  EXPECT_EQ(console_->help_titles(), expected);
  const ScreenModel with_help = console_->screen();
  const std::string frame = test::read_bytes(dir_ / "FRAME");
  const std::string listing = test::read_bytes(dir_ / "PRT.TXT");

  std::filesystem::remove(dir_ / "FRAME");
  test::write_bytes(dir_ / "PRT.TXT", "EARLIER\r\n");
  ASSERT_EQ(run(frame_dialogue(false)), 1);
  EXPECT_TRUE(console_->help_titles().empty());
  EXPECT_TRUE(console_->screen() == with_help);
  EXPECT_EQ(test::read_bytes(dir_ / "FRAME"), frame);
  EXPECT_EQ(test::read_bytes(dir_ / "PRT.TXT"), listing);
}

TEST(GeneratorHelpPages, EveryPageFitsTheScreenUnderItsTitle) {
  for (int screen = 0; screen <= static_cast<int>(GeneratorScreen::error_line); ++screen) {
    const std::vector<std::string> page = generator_screen_help(static_cast<GeneratorScreen>(screen));
    ASSERT_FALSE(page.empty()) << screen;
    EXPECT_LE(page.size(), 21u) << screen;
    // CP932 takes a byte a column.
    for (const std::string& line : page) EXPECT_LE(line.size(), 78u) << to_utf8(line);
  }
}

}  // namespace
}  // namespace verdan
