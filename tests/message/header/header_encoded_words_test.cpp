#include <gtest/gtest.h>

#include "quillet/message/header/header_utils.h"

namespace {

TEST(DecodeWords, TextWithoutWordsIsUnchanged) {
  EXPECT_EQ(DecodeWords("Plain subject"), "Plain subject");
  EXPECT_EQ(DecodeWords("原始 8-bit 主题"), "原始 8-bit 主题");
  EXPECT_EQ(DecodeWords(""), "");
}

TEST(DecodeWords, QuotedPrintableWord) {
  EXPECT_EQ(DecodeWords("=?gb2312?Q?=D6=D0=CE=C4?="), "中文");
  EXPECT_EQ(DecodeWords("Re: =?GBK?q?=d6=d0=CE=c4?= ok"), "Re: 中文 ok");
  // "=" without two hex digits stands as it is.
  EXPECT_EQ(DecodeWords("=?us-ascii?Q?a=3Db=zz=4?="), "a=b=zz=4");
}

TEST(DecodeWords, UnderscoreInAQWordIsASpace) {
  EXPECT_EQ(DecodeWords("=?us-ascii?Q?Hello_World?="), "Hello World");
  EXPECT_EQ(DecodeWords("=?us-ascii?Q?a=5Fb?="), "a_b");
  EXPECT_EQ(DecodeWords("snake_case =?us-ascii?B?YV9i?="), "snake_case a_b");
}

// Raw GBK left in a Q word by a careless mailer: the trail byte 0x5F of a double-byte
// character is not the "_" that stands for a space.
TEST(DecodeWords, RawDoubleByteCharactersInAQWordStayWhole) {
  const std::string trailUnderscore = "\xB1\x5F";
  EXPECT_EQ(DecodeWords("=?gb2312?Q?" + trailUnderscore + "_x?="), trailUnderscore + " x");
  // A plain text with such a character and HZ-looking markers elsewhere is still plain.
  const std::string trailTilde = "\x81\x7E";
  EXPECT_EQ(DecodeWords(trailTilde + "{a " + trailTilde + "}"), trailTilde + "{a " + trailTilde + "}");
}

TEST(DecodeWords, TwoBase64WordsAreBothDecoded) {
  EXPECT_EQ(DecodeWords("=?gb2312?B?1tDOxA==?= =?gb2312?B?xOO6w6OsysC95w==?="), "中文你好，世界");
  EXPECT_EQ(DecodeWords("=?gb2312?b?1tDOxA==?=-=?gb2312?b?1tDOxA==?="), "中文-中文");
}

TEST(DecodeWords, WhiteSpaceBetweenAdjacentWordsIsDropped) {
  EXPECT_EQ(DecodeWords("=?gb2312?Q?a?=  \t =?gb2312?Q?b?="), "ab");
  EXPECT_EQ(DecodeWords("=?gb2312?Q?a?=\r\n =?gb2312?Q?b?="), "ab");
  EXPECT_EQ(DecodeWords("=?gb2312?Q?a?= x =?gb2312?Q?b?="), "a x b");
  EXPECT_EQ(DecodeWords("x =?gb2312?Q?a?= y"), "x a y");
}

TEST(DecodeWords, Base64WordWithHzCharsetIsAlsoHzDecoded) {
  EXPECT_EQ(DecodeWords("=?HZ-GB-2312?B?fntWUH59?="), "中");
  EXPECT_EQ(DecodeWords("=?hz-gb-2312?Q?~{VP~}?="), "中");
}

TEST(DecodeWords, PlainHzTextIsDecoded) {
  EXPECT_EQ(DecodeWords("a ~{VP~} b"), "a 中 b");
  EXPECT_EQ(DecodeWords("only ~{ open"), "only ~{ open");
}

TEST(DecodeWords, QuestionMarksElsewhereDoNotConfuseTheWordParser) {
  // "Q?" before the word once made the text before it be taken for a charset.
  EXPECT_EQ(DecodeWords("FAQ? =?gb2312?B?1tDOxA==?="), "FAQ? 中文");
  EXPECT_EQ(DecodeWords("What?= =?gb2312?Q?=D6=D0?= ?B?"), "What?= 中 ?B?");
}

TEST(DecodeWords, DecodedTextIsNotDecodedAgain) {
  EXPECT_EQ(DecodeWords("=?us-ascii?Q?=3D=3Fus-ascii=3FQ=3Fx=3F=3D?="), "=?us-ascii?Q?x?=");
}

TEST(DecodeWords, MalformedWordsStandAsTheyAre) {
  EXPECT_EQ(DecodeWords("=?gb2312?Q?unterminated"), "=?gb2312?Q?unterminated");
  EXPECT_EQ(DecodeWords("=?gb2312?X?abc?="), "=?gb2312?X?abc?=");
  EXPECT_EQ(DecodeWords("=?\?Q?abc?="), "=?\?Q?abc?=");
  EXPECT_EQ(DecodeWords("=?gb 2312?Q?abc?="), "=?gb 2312?Q?abc?=");
  EXPECT_EQ(DecodeWords("=?=?=?"), "=?=?=?");
  EXPECT_EQ(DecodeWords("=?"), "=?");
  EXPECT_EQ(DecodeWords("=?a?Q?x\r\ny?="), "=?a?Q?x\r\ny?=");
}

TEST(DecodeWords, ManyCandidatesSharingOneFarCloseAreAllRejected) {
  // Each "=?a?B?x" looks like the start of a word whose end is the final "?=".
  std::string base64Text;
  for (int i = 0; i < 20000; ++i) base64Text += "=?a?B?x";
  base64Text += "!?=";
  EXPECT_TRUE(DecodeWords(base64Text) == base64Text);
  std::string brokenLines;
  for (int i = 0; i < 20000; ++i) brokenLines += "=?a?Q?x\r";
  brokenLines += "?=";
  EXPECT_TRUE(DecodeWords(brokenLines) == brokenLines);
}

TEST(DecodeWords, BrokenBase64LeavesThatWordAsItIs) {
  EXPECT_EQ(DecodeWords("=?gb2312?B?1t@@DOxA==?= =?gb2312?B?1tDOxA==?="), "=?gb2312?B?1t@@DOxA==?= 中文");
}

TEST(DecodeWords, Base64WithoutPaddingOrRunTogether) {
  EXPECT_EQ(DecodeWords("=?us-ascii?B?YWI?="), "ab");
  EXPECT_EQ(DecodeWords("=?us-ascii?B?YQ==YQ==?="), "aa");
  EXPECT_EQ(DecodeWords("=?us-ascii?B?\?="), "");
}

TEST(DecodeWords, LongBase64WordIsDecodedInFull) {
  const std::string text(400, 'x');
  // 400 "x" in Base64: "eHh4" repeated, the last 1 byte as "eA==".
  std::string encoded;
  for (int i = 0; i < 133; ++i) encoded += "eHh4";
  encoded += "eA==";
  EXPECT_EQ(DecodeWords("=?us-ascii?B?" + encoded + "?="), text);
}

TEST(DecodeWords, LanguageSuffixOfTheCharsetIsIgnored) {
  EXPECT_EQ(DecodeWords("=?US-ASCII*EN?Q?Keith_Moore?="), "Keith Moore");
}

TEST(DecodeWords, OtherCharsetsAreConvertedToTheSystemCodePage) {
  EXPECT_EQ(DecodeWords("=?UTF-8?B?5Lit5paH?="), "中文");
  EXPECT_EQ(DecodeWords("=?big5?Q?=A4=A4?="), "中");
  EXPECT_EQ(DecodeWords("=?ISO-8859-1?Q?caf=E9?="), "caf\xA8\xA6");
  EXPECT_EQ(DecodeWords("=?utf-8?Q?=F0=9F=98=80!?="), "?!");
}

TEST(DecodeWords, GbTextLabelledLatinIsKept) {
  EXPECT_EQ(DecodeWords("=?ISO-8859-1?B?1tDOxA==?="), "中文");
  EXPECT_EQ(DecodeWords("=?us-ascii?Q?=D6=D0?="), "中");
}

TEST(DecodeWords, UnknownCharsetKeepsTheBytes) {
  EXPECT_EQ(DecodeWords("=?x-unknown-charset?Q?=D6=D0?="), "中");
}

TEST(EncodeWord, QEncodesWithTheGbLabel) {
  EXPECT_EQ(EncodeWord("中文"), "=?GB2312?Q?=D6=D0=CE=C4?=");
  EXPECT_EQ(EncodeWord("张三 <x>?_="), "=?GB2312?Q?=D5=C5=C8=FD_=3Cx=3E=3F=5F=3D?=");
  EXPECT_EQ(EncodeWord("a b"), "=?GB2312?Q?a_b?=");
  EXPECT_EQ(EncodeWord(""), "");
}

TEST(EncodeWord, CharactersOutsideGb2312GetTheGbkLabel) {
  EXPECT_EQ(EncodeWord("丂"), "=?GBK?Q?=81=40?=");
}

TEST(EncodeWord, LongTextBecomesSeveralWordsThatDecodeBack) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "中文 test? ";
  const std::string encoded = EncodeWord(text);
  size_t start = 0;
  int words = 0;
  while (start < encoded.size()) {
    size_t end = encoded.find(' ', start);
    if (end == std::string::npos) end = encoded.size();
    const std::string word = encoded.substr(start, end - start);
    EXPECT_LE(word.size(), 75u) << word;
    EXPECT_EQ(word.compare(0, 11, "=?GB2312?Q?"), 0) << word;
    EXPECT_EQ(word.substr(word.size() - 2), "?=") << word;
    // Each word holds whole characters: it decodes to an even number of high bytes.
    std::string decoded = DecodeWords(word);
    int highBytes = 0;
    for (char c : decoded) highBytes += static_cast<unsigned char>(c) >= 0x80;
    EXPECT_EQ(highBytes % 2, 0) << word;
    ++words;
    start = end + 1;
  }
  EXPECT_GT(words, 5);
  EXPECT_EQ(DecodeWords(encoded), text);
}

}  // namespace
