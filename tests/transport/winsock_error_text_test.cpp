#include <gtest/gtest.h>

#include "platform/winsock_errors.h"
#include "quillet/transport/winsock_error_text.h"

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

}  // namespace
