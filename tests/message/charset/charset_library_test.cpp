#include "quillet/message/charset/charset_library.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "quillet/message/charset/charset_texts.h"
#include "tests/support/recording_prompts.h"

namespace {

// Opens the named file instead of MCHSET.DLL and counts the attempts.
struct TCountingOpener {
  std::string file;
  int* opened;
  std::unique_ptr<platform::TLibrary> operator()(const std::string& name) const {
    EXPECT_EQ(name, k_charsetLibraryName);
    ++*opened;
    return platform::LoadLibraryByName(file);
  }
};

class CharsetLibraryTest : public ::testing::Test {
 protected:
  std::string Converted(std::string text, bool toBig5) {
    EXPECT_GE(library_.ConvertText(text, toBig5), 0);
    return text;
  }

  test_support::TRecordingPrompts prompts_;
  TCharsetLibrary library_{prompts_};
};

struct TWordCase {
  const char* gb;    // simplified, compiled to GBK
  const char* big5;  // its traditional form in Big5
};

TEST_F(CharsetLibraryTest, CommonWordsBothWays) {
  const TWordCase cases[] = {
      {"简体", "\xC2\xB2\xC5\xE9"},                // 簡體
      {"中国", "\xA4\xA4\xB0\xEA"},                // 中國
      {"电脑软件", "\xB9\x71\xB8\xA3\xB3\x6E\xA5\xF3"},  // 電腦軟件
      {"发送邮件", "\xB5\x6F\xB0\x65\xB6\x6C\xA5\xF3"},  // 發送郵件
      {"为什么", "\xAC\xB0\xA4\xB0\xBB\xF2"},      // 為什麼
      {"里面", "\xB8\xCC\xAD\xB1"},                // 裡面
      {"后台", "\xAB\xE1\xBB\x4F"},                // 後臺
      {"个们", "\xAD\xD3\xAD\xCC"},                // 個們
      {"，。！", "\xA1\x41\xA1\x43\xA1\x49"},
      {"Hi, 世界!\r\n", "Hi, \xA5\x40\xAC\xC9!\r\n"},
  };
  for (const TWordCase& c : cases) {
    EXPECT_EQ(Converted(c.gb, true), c.big5) << c.gb;
    EXPECT_EQ(Converted(c.big5, false), c.gb) << c.gb;
  }
  EXPECT_TRUE(prompts_.shown.empty());
}

// Every GB2312 hanzi whose Big5 form no other hanzi shares comes back unchanged.
TEST_F(CharsetLibraryTest, Gb2312HanziRoundTripWhereTheMapIsOneToOne) {
  std::string hanzi;
  for (int lead = 0xB0; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      if (lead == 0xD7 && trail >= 0xFA) continue;  // unassigned
      hanzi += static_cast<char>(lead);
      hanzi += static_cast<char>(trail);
    }
  }
  const std::string big5 = Converted(hanzi, true);
  ASSERT_EQ(big5.size(), hanzi.size());
  std::map<std::string, int> uses;
  for (size_t i = 0; i < big5.size(); i += 2) ++uses[big5.substr(i, 2)];
  std::string unique, original;
  for (size_t i = 0; i < big5.size(); i += 2) {
    const std::string code = big5.substr(i, 2);
    if (uses[code] != 1 || code == "\xA1\x48") continue;  // shared, or "？"
    unique += code;
    original += hanzi.substr(i, 2);
  }
  EXPECT_GT(original.size() / 2, 6400u);
  const std::string back = Converted(unique, false);
  for (size_t i = 0; i < back.size(); i += 2) {
    EXPECT_EQ(back.substr(i, 2), original.substr(i, 2)) << "Big5 " << std::hex
        << (static_cast<unsigned char>(unique[i]) << 8 | static_cast<unsigned char>(unique[i + 1]));
  }
}

struct TOddCase {
  std::string input;
  bool toBig5;
  std::string expected;
  int replaced;
};

TEST_F(CharsetLibraryTest, OddInputKeepsItsLengthAndItsEnd) {
  const TOddCase cases[] = {
      {"", true, "", 0},
      {"plain ASCII 123 \\|@\r\n", true, "plain ASCII 123 \\|@\r\n", 0},
      {"a\xD6\xD0\xB9", true, "a\xA4\xA4\xB9", 0},                       // lead byte at the end
      {std::string("\xB0\0\xD6\xD0", 4), true, std::string("\xB0\0\xD6\xD0", 4), 0},  // stops at NUL
      {"\xB0 x\x80\xFF", true, "\xB0 x\x80\xFF", 0},                    // no valid pair
      {"\xA4\xA2\xD6\xD0", true, "\xA1\x48\xA4\xA4", 1},                // あ has no Big5 form
      {"\xA3\xE1\xA4\xA4", false, "\xA3\xBF\xD6\xD0", 1},               // unassigned Big5
  };
  for (const TOddCase& c : cases) {
    std::string text = c.input;
    EXPECT_EQ(library_.ConvertText(text, c.toBig5), c.replaced) << c.expected;
    EXPECT_EQ(text, c.expected);
  }
}

// A library that is missing, or lacks Big5ToGB, is shown, freed and tried again at the
// next conversion, which gives -1 and keeps the text.
TEST_F(CharsetLibraryTest, UnusableLibraryIsShownAndTriedAgain) {
  const std::pair<const char*, const char*> cases[] = {
      {"NOSUCH.DLL", "Missing DLL: MCHSET.DLL"},
      {"MCHSET_ONE.DLL", "Incorrect function in MCHSET.DLL"},
  };
  for (const auto& [file, message] : cases) {
    test_support::TRecordingPrompts prompts;
    int opened = 0;
    TCharsetLibrary library(prompts, TCountingOpener{file, &opened});
    EXPECT_FALSE(library.LoadCharsetLibrary());
    std::string text = "中国";
    EXPECT_EQ(library.ConvertText(text, true), -1);
    EXPECT_EQ(text, "中国");
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(prompts.shown, std::vector<std::string>(2, message)) << file;
  }
}

TEST_F(CharsetLibraryTest, LoadedOnceUntilUnloaded) {
  int opened = 0;
  TCharsetLibrary library(prompts_, TCountingOpener{"MCHSET.DLL", &opened});
  EXPECT_TRUE(library.LoadCharsetLibrary());
  std::string text = "中国";
  EXPECT_EQ(library.ConvertText(text, true), 0);
  EXPECT_EQ(opened, 1);
  library.UnloadCharsetLibrary();
  EXPECT_EQ(library.ConvertText(text, false), 0);
  EXPECT_EQ(text, "中国");
  EXPECT_EQ(opened, 2);
  EXPECT_TRUE(prompts_.shown.empty());
}

// A library whose conversion writes a byte and then throws.
std::int32_t MCHSET_CALL ThrowHalfWay(char* text) {
  text[0] = 'X';
  throw std::runtime_error("conversion failed");
}

class TThrowingLibrary : public platform::TLibrary {
 public:
  platform::TLibraryFunction Function(const std::string&) const override {
    return reinterpret_cast<platform::TLibraryFunction>(&ThrowHalfWay);
  }
};

TEST_F(CharsetLibraryTest, ThrowingConversionGivesMinusOneAndKeepsTheText) {
  TCharsetLibrary library(prompts_, [](const std::string&) {
    return std::unique_ptr<platform::TLibrary>(new TThrowingLibrary);
  });
  std::string text = "abc";
  EXPECT_EQ(library.ConvertText(text, true), -1);
  EXPECT_EQ(text, "abc");
  EXPECT_TRUE(prompts_.shown.empty());
}

}  // namespace
