// Base64 of short in-memory texts: the standard test vectors both ways, on one line.
#include <gtest/gtest.h>

#include <string>

#include "quillet/message/codec/base64_text.h"

namespace {

TEST(Base64Text, StandardVectorsBothWays) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
      {std::string("\0me\0secret", 10), "AG1lAHNlY3JldA=="},
      // Longer than one 57-byte codec line: still one line.
      {std::string(100, '\xff'), std::string(132, '/') + "/w=="},
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(Base64Text(bytes), text) << text;
    std::string decoded = "left over";
    EXPECT_TRUE(Base64Decode(text, decoded)) << text;
    EXPECT_EQ(decoded, bytes) << text;
  }
  std::string decoded;
  EXPECT_FALSE(Base64Decode("Zm9v!", decoded));
}

}  // namespace
