#include "quillet/common/gbk.h"

#include <gtest/gtest.h>

namespace {

// Trail bytes that look like ASCII: "\" 0x5C, "|" 0x7C, "@" 0x40 (the lowest trail byte).
const std::string k_trail5C = "\x95\x5C";
const std::string k_trail7C = "\xB1\x7C";
const std::string k_trail40 = "\x81\x40";

struct TCharCase {
  std::string text;
  std::size_t pos;
  std::size_t length;
};

TEST(Gbk, CharLengthTakesATrailByteOnlyAfterALeadByte) {
  const TCharCase cases[] = {
      {"a" + k_trail5C, 1, 2},  {"a" + k_trail5C, 0, 1}, {k_trail7C, 0, 2},
      {k_trail40, 0, 2},        {"\xD6\xD0", 0, 2},      {"\xFE\xFE", 0, 2},
      {"x\x81", 1, 1},          // a lone lead byte at the end
      {"\x81\x30", 0, 1},       // "0" cannot be a trail byte
      {"\x81\x7F", 0, 1},       // nor can 0x7F
      {"\x81\xFF", 0, 1},       // nor 0xFF
      {"\x81\x3F", 0, 1},       // the byte below "@"
      {"\x80\x41", 0, 1},       // 0x80 and 0xFF lead nothing
      {"\xFF\x41", 0, 1},       {"\\a", 0, 1},
  };
  for (const TCharCase& c : cases) {
    EXPECT_EQ(gbk::CharLength(c.text, c.pos), c.length) << testing::PrintToString(c.text) << " at " << c.pos;
    EXPECT_EQ(gbk::NextChar(c.text, c.pos), c.pos + c.length);
  }
  EXPECT_TRUE(gbk::IsLeadByte(0x81) && gbk::IsLeadByte(0xFE) && !gbk::IsLeadByte(0x80) && !gbk::IsLeadByte(0xFF));
  EXPECT_TRUE(gbk::IsTrailByte(0x40) && gbk::IsTrailByte(0xFE) && !gbk::IsTrailByte(0x7F) && !gbk::IsTrailByte(0x3F));
}

struct TCutCase {
  std::string text;
  std::size_t limit;
  std::string expected;
};

TEST(Gbk, CutNeverSplitsADoubleByteCharacter) {
  const TCutCase cases[] = {
      {"abc", 5, "abc"},
      {"abc", 2, "ab"},
      {"a\xD6\xD0", 2, "a"},
      {"a\xD6\xD0", 3, "a\xD6\xD0"},
      {k_trail5C + k_trail5C, 3, k_trail5C},
      {k_trail7C + "x", 1, ""},
      {k_trail40 + "x", 2, k_trail40},
      {"\x81\x30", 1, "\x81"},        // a lead byte without a trail byte is one character
      {"ab\x81", 3, "ab\x81"},        // a lone lead byte at the end is kept
      {"ab\x81\x81", 3, "ab"},        // 0x81 0x81 is one character of two bytes
      {"abc", 0, ""},
      {"", 4, ""},
  };
  for (const TCutCase& c : cases) {
    EXPECT_EQ(gbk::Cut(c.text, c.limit), c.expected) << testing::PrintToString(c.text) << " to " << c.limit;
    EXPECT_EQ(gbk::CutLength(c.text, c.limit), c.expected.size());
  }
}

TEST(Gbk, CaseFoldingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(gbk::UpperCase("Content-Type: text/\xD6\xD0"), "CONTENT-TYPE: TEXT/\xD6\xD0");
  EXPECT_EQ(gbk::LowerCase("IMAGE/GIF @[`{"), "image/gif @[`{");
  EXPECT_EQ(gbk::AsciiUpper('z'), 'Z');
  EXPECT_EQ(gbk::AsciiLower('\xC1'), '\xC1');
  EXPECT_EQ(gbk::HexDigitValue('0'), 0);
  EXPECT_EQ(gbk::HexDigitValue('9'), 9);
  EXPECT_EQ(gbk::HexDigitValue('a'), 10);
  EXPECT_EQ(gbk::HexDigitValue('F'), 15);
  EXPECT_EQ(gbk::HexDigitValue('g'), -1);
  EXPECT_EQ(gbk::HexDigitValue('\xC1'), -1);
  EXPECT_TRUE(gbk::StartsWithNoCase("mime-version: 1.0", "MIME-Version"));
  EXPECT_FALSE(gbk::StartsWithNoCase("Mime", "MIME-Version"));
  EXPECT_TRUE(gbk::EqualNoCase("BoUnDaRy", "boundary"));
  EXPECT_FALSE(gbk::EqualNoCase("boundary", "boundary2"));
}

struct TCompareCase {
  std::string a, b;
  int sign;
};

TEST(Gbk, CompareNoCaseFoldsLettersButNotTrailBytes) {
  const TCompareCase cases[] = {
      {"apple", "APPLE", 0},
      {"apple", "Banana", -1},
      {"Zeta", "\xB0\xA1", -1},                      // letters before Chinese
      {"\x81\x41", "\x81\x61", -1},                  // trail bytes that look like letters
      {"\xB0\x61 A", "\xB0\x41 a", 1},
      {"\xD6\xD0 Mail", "\xD6\xD0 mAIL", 0},
      {k_trail5C + "a", k_trail5C + "B", -1},
      {"ab", "abc", -1},
      {"", "", 0},
      {"x\x81", "X\x81", 0},                          // a lone lead byte at the end
      {"\x81\x30" "a", "\x81\x30" "A", 0},            // a lead byte without a trail byte
  };
  for (const TCompareCase& c : cases) {
    int result = gbk::CompareNoCase(c.a, c.b);
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << testing::PrintToString(c.a) << " vs " << testing::PrintToString(c.b);
    int back = gbk::CompareNoCase(c.b, c.a);
    EXPECT_EQ((back > 0) - (back < 0), -c.sign);
  }
}

}  // namespace
