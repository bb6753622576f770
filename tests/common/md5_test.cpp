#include "quillet/common/md5.h"

#include <gtest/gtest.h>

// The test suite of RFC 1321's appendix, and lengths around the padding's block boundary
// (55, 56 and 64 bytes: the length field fits the last block, needs another, or the
// padding fills a whole block).
TEST(Md5, ReferenceVectorsAndBlockBoundaries) {
  struct Case {
    std::string text;
    const char* hex;
  };
  const Case cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
      {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
      {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
      {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
      // The APOP example of the POP3 standard: timestamp then the shared secret.
      {"<1896.697170952@dbc.mtview.ca.us>tanstaaf", "c4c9334bac560ecc979e58001b3e22fb"},
  };
  for (const Case& c : cases) EXPECT_EQ(md5::HexDigest(c.text), c.hex) << c.text.size() << " bytes";
  EXPECT_EQ(md5::Digest("abc").size(), md5::k_digestSize);
}

// RFC 2104's and RFC 2202's HMAC-MD5 vectors (a key longer than a block among them), and
// the challenge login example of RFC 2195.
TEST(Md5, HmacReferenceVectors) {
  struct Case {
    std::string key;
    std::string text;
    const char* hex;
  };
  const Case cases[] = {
      {std::string(16, '\x0b'), "Hi There", "9294727a3638bb1c13f48ef8158bfc9d"},
      {"Jefe", "what do ya want for nothing?", "750c783e6ab0b503eaa86e310a5db738"},
      {std::string(16, '\xaa'), std::string(50, '\xdd'), "56be34521d144c88dbb8c733f0e8b3f6"},
      {std::string(80, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
       "6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd"},
      {"tanstaaftanstaaf", "<1896.697170952@postoffice.reston.mci.net>", "b913a602c7eda7a495b4e6e7334d3890"},
  };
  for (const Case& c : cases) EXPECT_EQ(md5::Hex(md5::Hmac(c.key, c.text)), c.hex) << c.text;
}
