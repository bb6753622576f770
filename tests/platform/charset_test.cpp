#include <gtest/gtest.h>

#include "platform/charset.h"

namespace {

std::string ToGbk(const std::string& charset, const std::string& text) {
  std::string out = "untouched";
  EXPECT_TRUE(platform::ConvertToGbk(charset, text, out)) << charset;
  return out;
}

TEST(ConvertToGbk, CommonCharsets) {
  EXPECT_EQ(ToGbk("ISO-8859-1", "caf\xE9"), "caf\xA8\xA6");
  EXPECT_EQ(ToGbk("UTF-8", "\xE4\xB8\xAD\xE6\x96\x87"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(ToGbk("big5", "\xA4\xA4"), "\xD6\xD0");
  EXPECT_EQ(ToGbk("gb18030", "\xD6\xD0"), "\xD6\xD0");
  EXPECT_EQ(ToGbk("windows-1251", "\xC0"), "\xA7\xA1");  // Cyrillic A
  EXPECT_EQ(ToGbk("koi8-r", "\xE1"), "\xA7\xA1");
  EXPECT_EQ(ToGbk("us-ascii", "plain"), "plain");
}

TEST(ConvertToGbk, NameIsCaseInsensitiveAndMayCarryALanguage) {
  EXPECT_EQ(ToGbk("Utf-8", "\xE4\xB8\xAD"), "\xD6\xD0");
  EXPECT_EQ(ToGbk("iso-8859-1*fr", "\xE9"), "\xA8\xA6");
}

TEST(ConvertToGbk, WhatGbkCannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(ToGbk("utf-8", "a\xF0\x9F\x98\x80z"), "a?z");  // an emoji
  EXPECT_EQ(ToGbk("utf-8", "\xE0\xB8\x81"), "?");           // Thai ko kai
  EXPECT_EQ(ToGbk("utf-8", "a\xFFz"), "a?z");               // not UTF-8 at all
  EXPECT_EQ(ToGbk("gb18030", "a\x94\x39\xFC\x36\xD6\xD0"), "a?\xD6\xD0");  // four-byte emoji
  EXPECT_EQ(ToGbk("utf-8", ""), "");
}

TEST(ConvertToGbk, UnknownCharsetLeavesTheOutputAlone) {
  std::string out = "untouched";
  EXPECT_FALSE(platform::ConvertToGbk("x-no-such-charset", "abc", out));
  EXPECT_FALSE(platform::ConvertToGbk("utf-8//TRANSLIT", "abc", out));
  EXPECT_FALSE(platform::ConvertToGbk("", "abc", out));
  EXPECT_EQ(out, "untouched");
}

TEST(GbkUtf8, RoundTrip) {
  EXPECT_EQ(platform::GbkToUtf8("\xCA\xD5\xBC\xFE\xCF\xE4 in"), "\xE6\x94\xB6\xE4\xBB\xB6\xE7\xAE\xB1 in");
  EXPECT_EQ(platform::Utf8ToGbk("\xE6\x94\xB6\xE4\xBB\xB6\xE7\xAE\xB1 in"), "\xCA\xD5\xBC\xFE\xCF\xE4 in");
  EXPECT_EQ(platform::GbkToUtf8(""), "");
  EXPECT_EQ(platform::Utf8ToGbk(""), "");
}

TEST(GbkUtf8, UndecodableBytesBecomeQuestionMarks) {
  EXPECT_EQ(platform::GbkToUtf8("a\xFF" "b"), "a?b");
  EXPECT_EQ(platform::Utf8ToGbk("a\xFF" "b"), "a?b");
  EXPECT_EQ(platform::Utf8ToGbk("\xF0\x9F\x98\x80"), "?");
}

}  // namespace
