// Screen pictures without libpng: the stb writer's PNG of the screen.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/console/png_picture.h"
#include "tests/windows/windows_fixture.h"

namespace verdan {
namespace {

using WindowsPicture = test::WindowsHost;

TEST_F(WindowsPicture, IndexedPixelsBecomeAPngFile) {
  std::vector<std::uint8_t> indices(8 * 4, 0);
  indices[5] = 15;
  write_indexed_png("SHOT.PNG", 8, 4, indices);
  const std::string bytes = read(dir_ / "SHOT.PNG");
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
}

TEST_F(WindowsPicture, SizeNotMatchingThePixelsIsRefused) {
  EXPECT_THROW(write_indexed_png("SHOT.PNG", 8, 4, std::vector<std::uint8_t>(3)), Failure);
}

}  // namespace
}  // namespace verdan
