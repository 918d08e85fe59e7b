// The window front end under Xvfb: what it shows against the picture the
// headless front end writes, Japanese text from the input method into the
// register, and closing the window.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "control/control_program.h"
#include "generator/generator_program.h"
#include "tests/control/file_management_fixture.h"
#include "tests/headless_run.h"
#include "tests/frontends/sdl_window/window_fixture.h"

#if defined(__SANITIZE_ADDRESS__)
// The X and GL libraries that SDL loads keep allocations for the life of the
// process and are unloaded before the leak check could name them.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
#endif

namespace verdan {
namespace {

// The RGB pixels of a PNG file; empty when it cannot be read.
std::vector<Rgb> read_png(const std::string& path, int& width, int& height) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<Rgb> pixels(static_cast<std::size_t>(image.width) * image.height);
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) return {};
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  return pixels;
}

class WindowGenerator : public test::HeadlessRun {
 protected:
  test::VirtualDisplay display_;
};

// The frame screen of a 3 x 2 frame: member lines and stroke digits in the
// drawing plane, the text over them.
TEST_F(WindowGenerator, FrameScreenIsThePictureTheHeadlessRunWrites) {
  VERDAN_NEED_DISPLAY(display_);
  run("VDN-GENE", "\n\n\n\n\n\n\n\nY\n0\n");  // settings with the defaults
  const std::vector<std::string> entries = {"1", "3", "2", "6", "", "", "4", ""};
  std::string typed;
  for (const std::string& entry : entries) typed += entry + "\n";
  test::Outcome headless = run("VDN-GENE", typed, "", "/usr/bin:/bin", built_programs(),
                               "VERDAN_SNAPSHOT='" + dir_ / "frame.png" + "'");
  ASSERT_EQ(headless.status, 3);
  int width = 0;
  int height = 0;
  const std::vector<Rgb> picture = read_png(dir_ / "frame.png", width, height);
  ASSERT_EQ(width, 640);
  ASSERT_EQ(height, 384);

  test::ScopedCwd home(dir_ / "home");
  test::ScopedEnv appdata("APPDATA", dir_ / "home/app");
  test::ScopedEnv os("OS", std::string("Linux"));
  test::WindowRun window;
  std::vector<Rgb> shown;
  int scale = 0;
  int damage_of_one_key = -1;
  window.on_wait = [&](WindowDisplay& console, std::size_t next) {
    if (next < entries.size()) return false;
    if (shown.empty()) {
      shown = console.shown_pixels();
      scale = console.scale();
      test::push_text("1");  // typed into the next entry
      return true;
    }
    damage_of_one_key = console.last_damage();
    return false;
  };
  std::vector<std::string> script = entries;
  const int status = window.run(script, [](Console& console) { return GeneratorProgram(console).run(); });
  EXPECT_EQ(status, WindowDisplay::kClosedStatus);
  EXPECT_EQ(scale, 1);  // 1024 x 768 leaves room for one scale only
  ASSERT_EQ(shown.size(), picture.size());
  int differing = 0;
  for (std::size_t i = 0; i < picture.size(); ++i) differing += shown[i] == picture[i] ? 0 : 1;
  EXPECT_EQ(differing, 0);
  // Only the cell of the typed character went to the window again.
  EXPECT_EQ(damage_of_one_key, 1);
}

class WindowRegister : public test::FileManagementRun {
 protected:
  std::string register_file() const { return test::read_bytes(dir_ / "VDN-USER.DAT"); }
  int run_window(const std::vector<std::string>& script,
                 const std::function<bool(WindowDisplay&, std::size_t)>& on_wait = {}) {
    window_.on_wait = on_wait;
    return window_.run(script, [](Console& console) { return ControlProgram(console, "").run(); });
  }
  test::VirtualDisplay display_;
  test::WindowRun window_;
};

// The name comes as the input method delivers it: a composition in kana,
// then the committed kanji.
TEST_F(WindowRegister, JapaneseNameFromTheInputMethodReachesTheRegisterInCp932) {
  VERDAN_NEED_DISPLAY(display_);
  test::write_bytes(dir_ / "VDN-USER.DAT", to_cp932("1234,\"山田  \"\r\n"));
  const std::vector<std::string> script = {"2", "3", "55", "鈴木", "Y", "-1", "0", "0"};
  int status = run_window(script, [&](WindowDisplay&, std::size_t next) {
    if (next == 3) test::push_composition("すずき");
    return false;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(register_file(), to_cp932("1234,\"山田  \"\r\n55,\"鈴木  \"\r\n"));
}

TEST_F(WindowRegister, ClosingTheWindowEndsWithStatusOneAndLeavesTheRegisterWhole) {
  VERDAN_NEED_DISPLAY(display_);
  const std::string before = to_cp932("1234,\"山田  \"\r\n");
  test::write_bytes(dir_ / "VDN-USER.DAT", before);
  // Closed at "OK (Y/N)" after the number and the name.
  EXPECT_EQ(run_window({"2", "3", "55", "鈴木"}), WindowDisplay::kClosedStatus);
  EXPECT_EQ(window_.typed(), 4u);
  EXPECT_EQ(register_file(), before);
}

// What a command printed on standard output.
std::string output_of(const std::string& command) {
  std::string text;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char bytes[256];
    for (std::size_t n; (n = std::fread(bytes, 1, sizeof bytes, pipe)) > 0;) text.append(bytes, n);
    ::pclose(pipe);
  }
  return text;
}

TEST_F(WindowRegister, TheWindowHasItsIconAndF1ShowsHelpThenTheSameScreenAgain) {
  VERDAN_NEED_DISPLAY(display_);
  std::string icon;
  std::vector<Rgb> before, page, after;
  int waits = 0;
  const int status = run_window({"0"}, [&](WindowDisplay& window, std::size_t next) {
    if (next != 0) return false;
    switch (waits++) {
      case 0:  // the menu
        icon = output_of("xprop -name test _NET_WM_ICON 2>&1");
        before = window.shown_pixels();
        test::push_key(SDLK_F1);
        return true;
      case 1:  // the page, waiting for any key
        page = window.shown_pixels();
        test::push_text(" ");
        return true;
      default:
        after = window.shown_pixels();
        return false;
    }
  });
  EXPECT_EQ(status, 0);
  EXPECT_NE(icon.find("Icon (48 x 48)"), std::string::npos) << icon.substr(0, 200);
  ASSERT_FALSE(before.empty());
  EXPECT_FALSE(page == before);
  EXPECT_TRUE(after == before);
}

}  // namespace
}  // namespace verdan
