#include <gtest/gtest.h>

#include "platform/file.h"
#include "quillet/message/header/header_utils.h"

namespace {

TEST(WithBackslash, AddsTheSeparatorOnce) {
  const std::string separator(1, platform::PathSeparator());
  EXPECT_EQ(WithBackslash("C:\\Mail"), "C:\\Mail" + separator);
  EXPECT_EQ(WithBackslash("C:\\Mail\\"), "C:\\Mail\\");
  EXPECT_EQ(WithBackslash("/tmp/mail/"), "/tmp/mail/");
  EXPECT_EQ(WithBackslash("邮件"), "邮件" + separator);
  EXPECT_EQ(WithBackslash(""), "");
}

TEST(WithBackslash, TrailByteBackslashOfADoubleByteCharacterIsNoSeparator) {
  const std::string separator(1, platform::PathSeparator());
  const std::string folder = "C:\\\x81\x5C";  // the last character is GBK 0x815C
  EXPECT_EQ(WithBackslash(folder), folder + separator);
  EXPECT_EQ(WithBackslash(folder + "\\"), folder + "\\");
  // A stray lead byte before a separator that cannot be a trail byte does not hide it.
  EXPECT_EQ(WithBackslash("C:\\a\x81/"), "C:\\a\x81/");
}

}  // namespace
