#include "platform/console/front_end.h"

#include <gtest/gtest.h>

#include <string>

namespace verdan {
namespace {

TEST(ConsoleChoice, FollowsTheSettingThenWhetherInputIsATerminal) {
  struct Case {
    const char* setting;
    bool tty;
    ConsoleKind kind;
    bool requested;
    bool noted;
  };
  const Case cases[] = {
      {nullptr, false, ConsoleKind::headless, false, false},
      {nullptr, true, ConsoleKind::terminal, false, false},
      {"", true, ConsoleKind::terminal, false, false},
      {"headless", true, ConsoleKind::headless, true, false},
      {"terminal", false, ConsoleKind::terminal, true, false},
      {"Terminal", false, ConsoleKind::headless, false, true},
  };
  for (const Case& c : cases) {
    ConsoleChoice choice = choose_console(c.setting, c.tty);
    SCOPED_TRACE(std::string(c.setting ? c.setting : "(unset)") + (c.tty ? " tty" : " pipe"));
    EXPECT_EQ(choice.kind, c.kind);
    EXPECT_EQ(choice.requested, c.requested);
    EXPECT_EQ(!choice.note.empty(), c.noted);
  }
}

// A desktop launch gets the window unless VERDAN_CONSOLE says otherwise.
TEST(ConsoleChoice, DesktopLaunchOpensTheWindowAndTheSettingStillWins) {
  EXPECT_EQ(choose_console(nullptr, false, true).kind, ConsoleKind::window);
  EXPECT_FALSE(choose_console(nullptr, false, true).requested);
  EXPECT_EQ(choose_console("headless", false, true).kind, ConsoleKind::headless);
  EXPECT_EQ(choose_console("terminal", false, true).kind, ConsoleKind::terminal);
  ConsoleChoice asked = choose_console("window", true, false);
  EXPECT_EQ(asked.kind, ConsoleKind::window);
  EXPECT_TRUE(asked.requested);
  EXPECT_TRUE(asked.note.empty());
}

}  // namespace
}  // namespace verdan
