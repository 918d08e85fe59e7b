#include "platform/console/png_picture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "png_reader.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

std::string temp_path(const std::string& name) {
  return ::testing::TempDir() + "verdan_" + std::to_string(::getpid()) + "_" + name;
}

// A tiny font with glyphs whose ink is easy to point at.
class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    font_path_ = temp_path("font.hex");
    std::ofstream font(font_path_);
    font << "0041:FF" << std::string(30, '0') << "\n"                       // A: top row
         << "0042:" << std::string(64, 'F') << "\n"                         // B: too wide
         << "3042:FFFF" << std::string(56, '0') << "8001\n"                 // あ: top, corners
         << "FFFD:" << std::string(16, '0') << "18" << std::string(14, '0') << "\n";
  }
  void TearDown() override { std::remove(font_path_.c_str()); }

  int at(const std::vector<std::uint8_t>& picture, int x, int y) const {
    return picture[static_cast<std::size_t>(y) * kPictureWidth + x];
  }
  std::vector<std::uint8_t> render(const ScreenModel& screen) const {
    return render_picture(screen, Unifont::load(font_path_, code_points_on(screen)));
  }

  std::string font_path_;
};

TEST(PicturePalette, BitsAreBlueRedGreenBright) {
  EXPECT_EQ(palette_color(0), (Rgb{0, 0, 0}));
  EXPECT_EQ(palette_color(1), (Rgb{0, 0, 0xAA}));
  EXPECT_EQ(palette_color(2), (Rgb{0xAA, 0, 0}));
  EXPECT_EQ(palette_color(3), (Rgb{0xAA, 0, 0xAA}));
  EXPECT_EQ(palette_color(4), (Rgb{0, 0xAA, 0}));
  EXPECT_EQ(palette_color(6), (Rgb{0xAA, 0xAA, 0}));
  EXPECT_EQ(palette_color(7), (Rgb{0xAA, 0xAA, 0xAA}));
  EXPECT_EQ(palette_color(8), (Rgb{0x55, 0x55, 0x55}));
  EXPECT_EQ(palette_color(13), (Rgb{0x55, 0xFF, 0xFF}));  // bright cyan
  EXPECT_EQ(palette_color(15), (Rgb{0xFF, 0xFF, 0xFF}));
}

TEST_F(PictureTest, TextInkGoesOverTheDrawingAndBlankPartsShowIt) {
  ScreenModel screen(640, 384);
  screen.box(0, 0, 7, 15, 1);
  screen.fill(3, 3, 1, 1);
  screen.set_color(6);
  screen.put_text("A");
  auto picture = render(screen);
  EXPECT_EQ(at(picture, 0, 0), 6);
  EXPECT_EQ(at(picture, 7, 0), 6);
  EXPECT_EQ(at(picture, 3, 1), 1);
  EXPECT_EQ(at(picture, 7, 15), 1);
  EXPECT_EQ(at(picture, 8, 0), 0);
  EXPECT_EQ(at(picture, 0, 16), 0);
}

TEST_F(PictureTest, DoubleByteCharactersSpanTwoCells) {
  ScreenModel screen(640, 384);
  screen.locate(1, 4);
  screen.set_color(2);
  screen.put_text(sj("あ"));
  auto picture = render(screen);
  // Cell (1, 4) starts at x 32, y 16.
  EXPECT_EQ(at(picture, 32, 16), 2);
  EXPECT_EQ(at(picture, 47, 16), 2);
  EXPECT_EQ(at(picture, 48, 16), 0);
  EXPECT_EQ(at(picture, 32, 31), 2);
  EXPECT_EQ(at(picture, 47, 31), 2);
  EXPECT_EQ(at(picture, 33, 31), 0);
}

TEST_F(PictureTest, GlyphsStayInTheirCellsAndMissingOnesShowTheReplacement) {
  ScreenModel screen(640, 384);
  screen.put_text("BC");
  auto picture = render(screen);
  EXPECT_EQ(at(picture, 7, 5), 7);
  // Column 8 belongs to C, which the font lacks: only the U+FFFD ink there.
  EXPECT_EQ(at(picture, 8, 5), 0);
  EXPECT_EQ(at(picture, 8 + 3, 8), 7);
  EXPECT_EQ(at(picture, 8 + 4, 8), 7);
  EXPECT_EQ(at(picture, 8 + 2, 8), 0);
}

TEST_F(PictureTest, ASmallPlaneIsStretchedOverTheWholePicture) {
  ScreenModel screen(160, 96);
  screen.set_pixel(1, 1, 5);
  auto picture = render(screen);
  EXPECT_EQ(at(picture, 4, 4), 5);
  EXPECT_EQ(at(picture, 7, 7), 5);
  EXPECT_EQ(at(picture, 8, 4), 0);
  EXPECT_EQ(at(picture, 4, 3), 0);
}

TEST_F(PictureTest, OnlyTheGlyphsOnTheScreenAreLoaded) {
  ScreenModel screen(640, 384);
  screen.put_text(sj("A あ"));
  const std::set<char32_t> expected{0x41, 0x3042, 0xFFFD};
  EXPECT_EQ(code_points_on(screen), expected);
  Unifont font = Unifont::load(font_path_, expected);
  EXPECT_NE(font.find(0x3042), nullptr);
  EXPECT_EQ(font.find(0x3042)->width, 16);
  EXPECT_EQ(font.find(0x42), nullptr);
}

// The font is found when the picture is drawn, not fixed by the build.
TEST_F(PictureTest, VerdanFontNamesTheFontAtRunTime) {
  const std::string path = temp_path("own-font.png");
  ScreenModel screen(640, 384);
  screen.put_text("A");
  {
    test::ScopedEnv font("VERDAN_FONT", font_path_);
    write_png_picture(screen, path);
  }
  testing::RgbImage image;
  ASSERT_TRUE(testing::read_png_rgb(path, image));
  for (int x = 0; x < 8; ++x) EXPECT_EQ(image.at(x, 0), "170 170 170") << x;  // this font's A: top row
  std::remove(path.c_str());

  test::ScopedEnv missing("VERDAN_FONT", temp_path("no-such-font.hex"));
  try {
    write_png_picture(screen, path);
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.code(), kFileNotFound);
  }
}

TEST(PictureFile, PaletteIndicesComeBackAsThePaletteColours) {
  const std::string path = temp_path("palette.png");
  std::vector<std::uint8_t> indices(16);
  for (int i = 0; i < 16; ++i) indices[i] = static_cast<std::uint8_t>(i);
  write_indexed_png(path, 16, 1, indices);
  testing::RgbImage image;
  ASSERT_TRUE(testing::read_png_rgb(path, image));
  EXPECT_EQ(image.width, 16);
  EXPECT_EQ(image.height, 1);
  EXPECT_EQ(image.at(0, 0), "0 0 0");
  EXPECT_EQ(image.at(2, 0), "170 0 0");
  EXPECT_EQ(image.at(12, 0), "85 255 85");
  EXPECT_EQ(image.at(15, 0), "255 255 255");
  std::remove(path.c_str());
}

TEST(PictureFile, WritesTheScreenWithTheInstalledFont) {
  const std::string path = temp_path("screen.png");
  ScreenModel screen(640, 384);
  screen.put_text(sj("表"));
  screen.line(0, 100, 639, 100, 4);
  write_png_picture(screen, path);
  testing::RgbImage image;
  ASSERT_TRUE(testing::read_png_rgb(path, image));
  ASSERT_EQ(image.width, 640);
  ASSERT_EQ(image.height, 384);
  int ink = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) ink += image.at(x, y) == "170 170 170";
  }
  EXPECT_GT(ink, 20);
  EXPECT_EQ(image.at(320, 100), "0 170 0");
  std::remove(path.c_str());
}

TEST(PictureFile, ProblemsBecomeFailuresWithTheirCodes) {
  ScreenModel screen(640, 384);
  try {
    write_png_picture(screen, temp_path("x.png"), temp_path("no-such-font.hex"));
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.code(), kFileNotFound);
  }
  try {
    write_indexed_png(temp_path("no-such-dir/x.png"), 1, 1, {0});
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.code(), kPathNotFound);
  }
}

}  // namespace
}  // namespace verdan
