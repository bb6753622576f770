// The ciphers against published known answers (RFC 7914 section 11 for PBKDF2-HMAC-SHA256;
// the GCM paper's test case 16, a 256-bit key with additional data), on both platforms.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/crypto.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FromHex(const std::string& hex) {
  Bytes out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

TEST(Pbkdf2Sha256, KnownAnswers) {
  struct Case {
    const char* password;
    const char* salt;
    std::uint32_t iterations;
    const char* key;
  };
  const Case cases[] = {
      {"passwd", "salt", 1,
       "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
       "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"},
      {"Password", "NaCl", 80000,
       "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
       "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d"},
  };
  for (const Case& c : cases) {
    Bytes key(64);
    std::string salt = c.salt;
    ASSERT_TRUE(
        platform::DeriveKeyPbkdf2Sha256(c.password, salt.data(), salt.size(), c.iterations, key.data(), key.size()));
    EXPECT_EQ(key, FromHex(c.key)) << c.password;
  }
  Bytes key(32);
  EXPECT_FALSE(platform::DeriveKeyPbkdf2Sha256("p", "s", 1, 0, key.data(), key.size()));
  // An empty password is a password like any other.
  EXPECT_TRUE(platform::DeriveKeyPbkdf2Sha256("", "salt", 4, 2, key.data(), key.size()));
}

// Test case 16 of the GCM paper.
struct GcmCase {
  Bytes key = FromHex("feffe9928665731c6d6a8f9467308308feffe9928665731c6d6a8f9467308308");
  Bytes nonce = FromHex("cafebabefacedbaddecaf888");
  Bytes aad = FromHex("feedfacedeadbeeffeedfacedeadbeefabaddad2");
  Bytes plain = FromHex(
      "d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a72"
      "1c3c0c95956809532fcf0e2449a6b525b16aedf5aa0de657ba637b39");
  Bytes cipher = FromHex(
      "522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa"
      "8cb08e48590dbb3da7b08b1056828838c5f61e6393ba7a0abcc9f662");
  Bytes tag = FromHex("76fc6ece0f4e1768cddf8853bb2d551b");
};

TEST(AesGcm, SealsAndOpensTheKnownAnswerAgainAndAgain) {
  GcmCase c;
  platform::AesGcmKey key(c.key.data());
  ASSERT_TRUE(key.IsValid());
  for (int round = 0; round < 3; ++round) {  // one key, many chunks
    Bytes cipher(c.plain.size()), tag(platform::k_gcmTagSize), plain(c.plain.size());
    ASSERT_TRUE(key.Seal(c.nonce.data(), c.aad.data(), c.aad.size(), c.plain.data(), c.plain.size(), cipher.data(),
                         tag.data()));
    EXPECT_EQ(cipher, c.cipher);
    EXPECT_EQ(tag, c.tag);
    ASSERT_TRUE(key.Open(c.nonce.data(), c.aad.data(), c.aad.size(), cipher.data(), cipher.size(), tag.data(),
                         plain.data()));
    EXPECT_EQ(plain, c.plain);
  }
}

TEST(AesGcm, AnyChangeFailsTheTagAndReleasesNothing) {
  GcmCase c;
  struct Change {
    const char* what;
    Bytes* field;
    std::size_t at;
  };
  Bytes key = c.key;
  Change changes[] = {{"cipher text", &c.cipher, 5}, {"tag", &c.tag, 0},      {"nonce", &c.nonce, 11},
                      {"additional data", &c.aad, 19}, {"key", &key, 31}};
  for (const Change& change : changes) {
    GcmCase fresh;
    key = fresh.key;
    c = fresh;
    (*change.field)[change.at] ^= 0x80;
    platform::AesGcmKey aes(key.data());
    Bytes plain(c.cipher.size(), 0xAA);
    EXPECT_FALSE(aes.Open(c.nonce.data(), c.aad.data(), c.aad.size(), c.cipher.data(), c.cipher.size(), c.tag.data(),
                          plain.data()))
        << change.what;
    EXPECT_EQ(plain, Bytes(c.cipher.size(), 0)) << change.what;
  }
}

TEST(AesGcm, EmptyChunkStillCarriesATag) {
  GcmCase c;
  platform::AesGcmKey key(c.key.data());
  std::uint8_t none = 0;
  Bytes tag(platform::k_gcmTagSize);
  ASSERT_TRUE(key.Seal(c.nonce.data(), c.aad.data(), c.aad.size(), &none, 0, &none, tag.data()));
  EXPECT_TRUE(key.Open(c.nonce.data(), c.aad.data(), c.aad.size(), &none, 0, tag.data(), &none));
  tag[3] ^= 1;
  EXPECT_FALSE(key.Open(c.nonce.data(), c.aad.data(), c.aad.size(), &none, 0, tag.data(), &none));
}

TEST(RandomBytes, FillsDifferentBytesEachTime) {
  Bytes a(32, 0), b(32, 0);
  ASSERT_TRUE(platform::RandomBytes(a.data(), a.size()));
  ASSERT_TRUE(platform::RandomBytes(b.data(), b.size()));
  EXPECT_NE(a, b);
  EXPECT_NE(a, Bytes(32, 0));
}

}  // namespace
