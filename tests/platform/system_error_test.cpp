#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "platform/system_error.h"

namespace {

using namespace platform;

TEST(PlatformSystemError, FileFailuresGiveTheSameNumbersOnEveryPlatform) {
  std::string folder = TempFolder() + "pse_missing_folder";
  struct Case {
    std::string path;
    int error;
  };
  const Case cases[] = {
      {TempFolder() + "pse_missing_file.txt", k_ERROR_FILE_NOT_FOUND},
      {folder + PathSeparator() + "x.txt", k_ERROR_PATH_NOT_FOUND},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileOpen(c.path, FileAccess::Read), k_invalidFile);
    int error = LastSystemError();
    // A missing folder is "path not found" on Windows; posix cannot tell it from a
    // missing file.
    if (c.error == k_ERROR_PATH_NOT_FOUND) EXPECT_TRUE(error == c.error || error == k_ERROR_FILE_NOT_FOUND);
    else EXPECT_EQ(error, c.error) << c.path;
    EXPECT_FALSE(SystemErrorMessage(error).empty());
  }
}

TEST(PlatformSystemError, EveryNumberHasAMessageWithoutALineEnd) {
  for (int code : {k_ERROR_FILE_NOT_FOUND, k_ERROR_ACCESS_DENIED, k_ERROR_NOT_ENOUGH_MEMORY,
                   k_ERROR_INVALID_DATA, k_ERROR_INVALID_PARAMETER, k_ERROR_DISK_FULL, 123456}) {
    std::string text = SystemErrorMessage(code);
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_NE(text.back(), '\n') << code;
    EXPECT_NE(text.back(), '\r') << code;
  }
}

}  // namespace
