// The ".BO~" header: its bytes, its checks, and the chunk arithmetic.
#include <gtest/gtest.h>

#include <string>

#include "quillet/store/system/cipher_format.h"

namespace {

TCipherHeader Sample() {
  TCipherHeader header;
  header.Iterations = 600000;
  header.ChunkSize = 65536;
  header.PlainSize = 200000;
  for (std::size_t i = 0; i < header.Salt.size(); ++i) header.Salt[i] = static_cast<std::uint8_t>(i + 1);
  header.KeyCheck.fill(0xCC);
  return header;
}

TEST(CipherFormat, Crc32KnownAnswer) {
  const std::string check = "123456789";
  EXPECT_EQ(Crc32(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()), 0xCBF43926u);
}

TEST(CipherFormat, HeaderBytesAndBack) {
  TCipherHeaderBytes bytes = EncodeCipherHeader(Sample());
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), std::string("KWBCIPH\x1A"));
  EXPECT_EQ(bytes[8], 1);                          // version
  EXPECT_EQ(bytes[12] | bytes[13] << 8 | bytes[14] << 16, 600000);
  EXPECT_EQ(bytes[18], 1);                         // 65536
  EXPECT_EQ(bytes[20] | bytes[21] << 8 | bytes[22] << 16, 200000);
  EXPECT_EQ(bytes[28], 1);                         // salt
  EXPECT_EQ(bytes[44], 0xCC);                      // key check
  TCipherHeader back;
  ASSERT_EQ(DecodeCipherHeader(bytes.data(), bytes.size(), back), TCipherHeaderState::Valid);
  EXPECT_EQ(EncodeCipherHeader(back), bytes);
}

TEST(CipherFormat, DecodeTellsOtherFormatsFromDamage) {
  struct Case {
    const char* what;
    std::size_t at;       // byte changed (64: none)
    std::size_t size;     // bytes given
    bool fixCrc;
    TCipherHeaderState expected;
  };
  const Case cases[] = {
      {"whole", 64, 64, false, TCipherHeaderState::Valid},
      {"magic", 2, 64, false, TCipherHeaderState::OtherFormat},
      {"magic in a short file", 0, 10, false, TCipherHeaderState::OtherFormat},
      {"version", 8, 64, true, TCipherHeaderState::OtherFormat},
      {"version, CRC not fitting", 8, 64, false, TCipherHeaderState::Damaged},
      {"short", 64, 63, false, TCipherHeaderState::Damaged},
      {"salt", 30, 64, false, TCipherHeaderState::Damaged},
      {"iterations past the range", 15, 64, true, TCipherHeaderState::Damaged},
      {"chunk size past the range", 19, 64, true, TCipherHeaderState::Damaged},
      {"plain size past the range", 27, 64, true, TCipherHeaderState::Damaged},
  };
  for (const Case& c : cases) {
    TCipherHeaderBytes bytes = EncodeCipherHeader(Sample());
    if (c.at < 64) bytes[c.at] ^= 0x40;
    if (c.fixCrc) {
      std::uint32_t crc = Crc32(bytes.data(), 60);
      for (int i = 0; i < 4; ++i) bytes[60 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    }
    TCipherHeader header;
    EXPECT_EQ(DecodeCipherHeader(bytes.data(), c.size, header), c.expected) << c.what;
  }
}

TEST(CipherFormat, ChunkArithmetic) {
  struct Case {
    std::uint64_t plain;
    std::uint32_t chunk;
    std::uint64_t chunks;
    std::uint32_t last;
  };
  const Case cases[] = {{0, 64, 1, 0}, {1, 64, 1, 1}, {64, 64, 1, 64}, {65, 64, 2, 1}, {200000, 65536, 4, 3392}};
  for (const Case& c : cases) {
    TCipherHeader header;
    header.PlainSize = c.plain;
    header.ChunkSize = c.chunk;
    EXPECT_EQ(header.ChunkCount(), c.chunks) << c.plain;
    EXPECT_EQ(header.ChunkPlainSize(c.chunks - 1), c.last) << c.plain;
    EXPECT_EQ(header.FileSize(), 64 + c.plain + 16 * c.chunks) << c.plain;
  }
}

}  // namespace
