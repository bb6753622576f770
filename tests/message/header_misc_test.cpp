#include <gtest/gtest.h>

#include "platform/file.h"
#include "platform/winsock_errors.h"
#include "quillet/message/header_utils.h"

namespace {

TEST(WinSockErrorText, KnownNumbersHaveTexts) {
  EXPECT_EQ(WinSockErrorText(platform::k_WSAECONNREFUSED), "WinSock Error: Connection refused");
  EXPECT_EQ(WinSockErrorText(10060), "WinSock Error: Connection timed out");
  EXPECT_EQ(WinSockErrorText(11001), "WinSock Error: Host not found");
  EXPECT_EQ(WinSockErrorText(10093), "WinSock Error: WinSock not initialised");
  for (int error : {10004, 10013, 10014, 10022, 10024, 10035, 10036, 10050, 10054, 10091, 10092, 11002, 11003,
                    11004}) {
    std::string text = WinSockErrorText(error);
    EXPECT_EQ(text.compare(0, 15, "WinSock Error: "), 0) << error;
    EXPECT_EQ(text.find(std::to_string(error)), std::string::npos) << text;
    EXPECT_GT(text.size(), 20u) << error;
  }
}

TEST(WinSockErrorText, UnknownNumberIsShownAsItIsAndZeroIsEmpty) {
  EXPECT_EQ(WinSockErrorText(12345), "WinSock Error: 12345");
  EXPECT_EQ(WinSockErrorText(-1), "WinSock Error: -1");
  EXPECT_EQ(WinSockErrorText(0), "");
}

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
