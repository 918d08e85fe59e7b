#include "platform/frontends/sdl_window/window_keys.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/console/terminal_keys.h"

namespace verdan {
namespace {

TEST(WindowKeys, EditingKeysByNameAndCtrlLettersAsControlCharacters) {
  EXPECT_EQ(window_key(SDLK_UP, KMOD_NONE), Key::named(KeyName::up));
  EXPECT_EQ(window_key(SDLK_KP_ENTER, KMOD_NONE), Key::named(KeyName::enter));
  EXPECT_EQ(window_key(SDLK_DELETE, KMOD_LCTRL), Key::named(KeyName::del));
  EXPECT_EQ(window_key(SDLK_ESCAPE, KMOD_NONE), Key::named(KeyName::escape));
  EXPECT_EQ(window_key(SDLK_F3, KMOD_NONE), Key::function(3));
  EXPECT_EQ(window_key(SDLK_a, KMOD_LCTRL), Key::character("\x01"));
  EXPECT_EQ(window_key(SDLK_z, KMOD_RCTRL), Key::character("\x1A"));
  // Their characters come as text input.
  EXPECT_EQ(window_key(SDLK_a, KMOD_NONE), std::nullopt);
  EXPECT_EQ(window_key(SDLK_a, KMOD_LCTRL | KMOD_LALT), std::nullopt);
  EXPECT_EQ(window_key(SDLK_1, KMOD_LCTRL), std::nullopt);
}

// The codes and edits the window gave before its keys went through the
// common rules.
TEST(WindowKeys, CodesAndEditsAsTheProgramsKnowThem) {
  auto code = [](SDL_Keycode key, Uint16 modifiers) {
    std::optional<Key> pressed = window_key(key, modifiers);
    return pressed ? one_key_code(*pressed) : -1;
  };
  EXPECT_EQ(code(SDLK_RETURN, KMOD_NONE), 13);
  EXPECT_EQ(code(SDLK_TAB, KMOD_NONE), 9);
  EXPECT_EQ(code(SDLK_HOME, KMOD_NONE), 11);
  EXPECT_EQ(code(SDLK_END, KMOD_NONE), -1);
  EXPECT_EQ(code(SDLK_j, KMOD_LCTRL), 10);
  EXPECT_EQ(code(SDLK_l, KMOD_LCTRL), 12);

  auto edit = [](SDL_Keycode key, Uint16 modifiers) {
    return entry_key(*window_key(key, modifiers)).action;
  };
  EXPECT_EQ(edit(SDLK_h, KMOD_LCTRL), EntryAction::backspace);
  EXPECT_EQ(edit(SDLK_m, KMOD_LCTRL), EntryAction::enter);
  EXPECT_EQ(edit(SDLK_u, KMOD_LCTRL), EntryAction::erase_to_start);
  EXPECT_EQ(edit(SDLK_j, KMOD_LCTRL), EntryAction::none);
  EXPECT_EQ(edit(SDLK_INSERT, KMOD_NONE), EntryAction::none);
  EXPECT_EQ(edit(SDLK_ESCAPE, KMOD_NONE), EntryAction::none);
}

TEST(WindowKeys, CtrlVPastes) {
  // The entry loop asks the clipboard for its line on this character.
  EXPECT_EQ(window_key(SDLK_v, KMOD_LCTRL), Key::character("\x16"));
  EXPECT_EQ(window_key(SDLK_v, KMOD_NONE), std::nullopt);
  EXPECT_EQ(window_key(SDLK_v, KMOD_LCTRL | KMOD_LGUI), std::nullopt);
}

}  // namespace
}  // namespace verdan
