#include "platform/console.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"

namespace {

TEST(Console, ExecutablePathIsTheRunningProgramInItsFolder) {
  const std::string path = platform::ExecutablePath();
  const std::string folder = platform::ExecutableFolder();
  EXPECT_TRUE(platform::FileExists(path)) << path;
  ASSERT_LT(folder.size(), path.size());
  EXPECT_EQ(path.substr(0, folder.size()), folder);
  EXPECT_NE(path.find("test_platform", folder.size()), std::string::npos) << path;
}

TEST(Console, SetEnvironmentSetsAndRemoves) {
  const std::string name = "QUILLET_CONSOLE_TEST";
  ASSERT_TRUE(platform::SetEnvironment(name, "value \xD3\xCA"));
  EXPECT_EQ(platform::GetEnvironment(name), "value \xD3\xCA");
  ASSERT_TRUE(platform::SetEnvironment(name, ""));
  EXPECT_EQ(platform::GetEnvironment(name), "");
}

}  // namespace
