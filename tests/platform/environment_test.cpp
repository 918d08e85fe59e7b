#include "platform/host/environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

using test::ScopedEnv;

std::optional<std::string> host_value(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

TEST(Environment, ValuesComeBackAsCp932) {
  ScopedEnv set("VERDAN_TEST_VALUE", "/home/データ");
  ScopedEnv unset("VERDAN_TEST_UNSET", std::nullopt);
  EXPECT_EQ(get_env("VERDAN_TEST_VALUE"), "/home/\x83\x66\x81\x5B\x83\x5E");
  EXPECT_EQ(get_env("VERDAN_TEST_UNSET"), "");
}

TEST(Environment, AppDataComesFromTheXdgConfigDirectoryFirst) {
  ScopedEnv appdata("APPDATA", std::nullopt);
  ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
  ScopedEnv home("HOME", "/home/u");
  apply_posix_defaults();
  EXPECT_EQ(host_value("APPDATA"), "/cfg");
}

TEST(Environment, AppDataFallsBackToConfigUnderHome) {
  ScopedEnv appdata("APPDATA", std::nullopt);
  ScopedEnv home("HOME", "/home/u");
  for (std::optional<std::string> xdg : {std::optional<std::string>(), std::optional<std::string>("")}) {
    ScopedEnv unset_appdata("APPDATA", std::nullopt);
    ScopedEnv config("XDG_CONFIG_HOME", xdg);
    apply_posix_defaults();
    EXPECT_EQ(host_value("APPDATA"), "/home/u/.config");
  }
}

TEST(Environment, NothingIsInventedWhereTheHostHasNothing) {
  ScopedEnv appdata("APPDATA", std::nullopt);
  ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
  ScopedEnv home("HOME", std::nullopt);
  apply_posix_defaults();
  EXPECT_EQ(host_value("APPDATA"), std::nullopt);
}

TEST(Environment, ValuesTheUserSetAreKept) {
  ScopedEnv appdata("APPDATA", "/mine");
  ScopedEnv os("OS", "Windows_NT");
  ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
  apply_posix_defaults();
  EXPECT_EQ(host_value("APPDATA"), "/mine");
  EXPECT_EQ(host_value("OS"), "Windows_NT");
}

#ifdef __linux__
TEST(Environment, OsBecomesTheKernelName) {
  ScopedEnv os("OS", std::nullopt);
  apply_posix_defaults();
  EXPECT_EQ(get_env("OS"), "Linux");
}
#endif

}  // namespace
}  // namespace verdan
