#include <gtest/gtest.h>

#include <string>

#include "codec_test_support.h"
#include "quillet/message/codec/codecs.h"

namespace {

using namespace codec_test;
using Lines = TStringList;

TEST(QuotedPrintableEncode, EscapesControlsEqualsAndHighBytesButNoSpaces) {
  EXPECT_EQ(QPEncode("a\tb"), Lines{"a=09b"});
  EXPECT_EQ(QPEncode("1+1=2"), Lines{"1+1=3D2"});
  EXPECT_EQ(QPEncode("表 "), Lines{"=B1=ED "});  // GBK bytes B1 ED; the trailing space stays
  EXPECT_EQ(QPEncode(std::string("\x00\x1F\x7F\x80\xFF", 5)), Lines{"=00=1F\x7F=80=FF"});
  EXPECT_EQ(QPEncode("plain text, nothing to do."), Lines{"plain text, nothing to do."});
}

TEST(QuotedPrintableEncode, LongLineIsCutBeforeSpacesWithSoftBreaks) {
  std::string text;
  while (text.size() < 130) text += "words ";
  text.resize(130);
  Lines lines = QPEncode(text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].back(), '=');
  EXPECT_EQ(lines[1].back(), '=');
  EXPECT_NE(lines[2].back(), '=');
  EXPECT_EQ(lines[1][0], ' ');  // the space starts the next piece
  EXPECT_EQ(lines[2][0], ' ');
  std::string joined;
  for (size_t i = 0; i < lines.size(); ++i) {
    joined += i + 1 < lines.size() ? lines[i].substr(0, lines[i].size() - 1) : lines[i];
    EXPECT_LE(lines[i].size(), 66u);
  }
  EXPECT_EQ(joined, text);
}

TEST(QuotedPrintableEncode, PieceLengthRules) {
  EXPECT_EQ(QPEncode(std::string(64, 'x')), Lines{std::string(64, 'x')});
  EXPECT_EQ(QPEncode(std::string(65, 'x')), Lines{std::string(65, 'x')});
  EXPECT_EQ(QPEncode(std::string(66, 'x')), (Lines{std::string(65, 'x') + "=", "x"}));
  // 65 characters with a space are cut before it, even though they would fit.
  std::string sixtyFive = std::string(30, 'a') + " " + std::string(34, 'b');
  EXPECT_EQ(QPEncode(sixtyFive), (Lines{std::string(30, 'a') + "=", " " + std::string(34, 'b')}));
  // Escapes count as one source character each.
  Lines high = QPEncode(std::string(70, '\xB1'));
  ASSERT_EQ(high.size(), 2u);
  EXPECT_EQ(high[0].size(), 65u * 3 + 1);
}

// A piece that starts with the space it was cut before, followed by 64 characters without
// one, must not be cut before that same space again (an endless loop).
TEST(QuotedPrintableEncode, PieceStartingWithASpaceStillMovesOn) {
  std::string text = std::string(64, 'a') + " " + std::string(100, 'b');
  Lines lines = QPEncode(text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], std::string(64, 'a') + "=");
  EXPECT_EQ(lines[1], " " + std::string(64, 'b') + "=");
  EXPECT_EQ(lines[2], std::string(36, 'b'));
}

TEST(QuotedPrintableEncode, ParagraphBreaks) {
  EXPECT_EQ(QPEncode("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(QPEncode("a\rb\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(QPEncode("a\r\n\r\nb"), (Lines{"a", "", "b"}));
  // Blank lines of LF-only and CR-only text are kept too.
  EXPECT_EQ(QPEncode("a\n\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(QPEncode("a\r\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(QPEncode("a\n\r\nb"), (Lines{"a", "", "b"}));
  // A break at the end closes the last paragraph; an empty text is one empty line.
  EXPECT_EQ(QPEncode("a\r\n"), Lines{"a"});
  EXPECT_EQ(QPEncode("a\n"), Lines{"a"});
  EXPECT_EQ(QPEncode("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(QPEncode("\r\n"), Lines{""});
  EXPECT_EQ(QPEncode(""), Lines{""});
}

TEST(QuotedPrintableEncode, ReadsTheWholeStreamAndAppendsToTheList) {
  TMemoryStream in("one\r\ntwo");
  in.Seek(0, TSeekOrigin::End);
  Lines lines{"kept"};
  TQuotedPrintable codec(&in, &lines);
  codec.Encode();
  EXPECT_EQ(lines, (Lines{"kept", "one", "two"}));
}

TEST(QuotedPrintableEncode, ParagraphLimit) {
  EXPECT_EQ(QPEncode(std::string(4095, 'x')).size(), 63u);
  TMemoryStream in("first\r\n" + std::string(4096, 'x') + "\r\nlast");
  Lines lines;
  TQuotedPrintable codec(&in, &lines);
  try {
    codec.Encode();
    FAIL() << "no exception";
  } catch (const EMIMEError& e) {
    EXPECT_EQ(e.Message(), "QP: Paragraph too large to encode");
  }
  EXPECT_EQ(lines, Lines{"first"});
}

TEST(QuotedPrintableEncode, AbortStopsAfterTheParagraph) {
  TMemoryStream in("one\r\ntwo\r\nthree");
  Lines lines;
  TQuotedPrintable codec(&in, &lines);
  codec.Abort = true;
  codec.Encode();
  EXPECT_EQ(lines, Lines{"one"});
}

TEST(QuotedPrintableDecode, SoftLinesJoinAndHardLinesEndWithCrLf) {
  EXPECT_EQ(QPDecode({"abc=", "def"}), "abcdef\r\n");
  EXPECT_EQ(QPDecode({"one", "", "two"}), "one\r\n\r\ntwo\r\n");
  EXPECT_EQ(QPDecode({"ends soft="}), "ends soft");
  EXPECT_EQ(QPDecode({}), "");
  EXPECT_EQ(QPDecode({"="}), "");
}

TEST(QuotedPrintableDecode, HexEscapes) {
  EXPECT_EQ(QPDecode({"=41=42c"}), "ABc\r\n");
  EXPECT_EQ(QPDecode({"=b1=ED"}), "表\r\n");     // either case
  EXPECT_EQ(QPDecode({"=4"}), "=4\r\n");         // not two digits: stays
  EXPECT_EQ(QPDecode({"=XY=2"}), "=XY=2\r\n");
  EXPECT_EQ(QPDecode({"==41"}), "=A\r\n");
  EXPECT_EQ(QPDecode({"a=41=", "b"}), "aAb\r\n");
  EXPECT_EQ(QPDecode({"a=4=", "1"}), "a=41\r\n");  // an escape does not span lines
  EXPECT_EQ(QPDecode({"=0D=0A"}), "\r\n\r\n");
}

TEST(QuotedPrintableDecode, WritesAtTheStreamPosition) {
  TMemoryStream out("before|");
  out.Seek(0, TSeekOrigin::End);
  Lines lines{"after"};
  TQuotedPrintable codec(&out, &lines);
  codec.Decode();
  EXPECT_EQ(out.Bytes(), "before|after\r\n");
}

// The decoder takes every paragraph the encoder writes, and the long soft-broken
// paragraphs of HTML mail; only a paragraph over 16 MiB is refused.
TEST(QuotedPrintableDecode, ParagraphLimit) {
  std::string longest(4095, '\xB1');
  EXPECT_EQ(QPDecode(QPEncode(longest)), longest + "\r\n");
  EXPECT_EQ(QPDecode({std::string(4095, 'x')}).size(), 4097u);
  Lines html;
  for (int i = 0; i < 1000; ++i) html.push_back(std::string(75, 'h') + "=");
  html.push_back("end");
  EXPECT_EQ(QPDecode(html), std::string(75000, 'h') + "end\r\n");
  TMemoryStream out;
  Lines lines{"first", std::string(8u << 20, 'x') + "=", std::string((8u << 20) + 1, 'y')};
  TQuotedPrintable codec(&out, &lines);
  try {
    codec.Decode();
    FAIL() << "no exception";
  } catch (const EMIMEError& e) {
    EXPECT_EQ(e.Message(), "Paragraph is too large");
  }
  EXPECT_EQ(out.Bytes(), "first\r\n");  // the complete paragraph before is written
}

TEST(QuotedPrintableDecode, AbortStopsAfterTheLine) {
  TMemoryStream out;
  Lines lines{"one=", "two", "three"};
  TQuotedPrintable codec(&out, &lines);
  codec.Abort = true;
  codec.Decode();
  EXPECT_EQ(out.Bytes(), "one");
}

TEST(QuotedPrintable, RoundTripsRandomText) {
  std::mt19937 random(12);
  for (int round = 0; round < 200; ++round) {
    std::string text;
    int paragraphs = 1 + static_cast<int>(random() % 6);
    for (int p = 0; p < paragraphs; ++p) {
      size_t length = random() % 300;
      for (size_t i = 0; i < length; ++i) {
        char c = static_cast<char>(random() % 3 == 0 ? ' ' : random() & 0xFF);
        text += c == '\r' || c == '\n' ? 'x' : c;
      }
      text += "\r\n";
    }
    Lines lines = QPEncode(text);
    for (const std::string& line : lines) {
      for (char c : line) {
        unsigned char u = static_cast<unsigned char>(c);
        ASSERT_TRUE(u >= 32 && u < 128) << "unescaped byte in " << line;
      }
    }
    ASSERT_EQ(QPDecode(lines), text);
  }
}

}  // namespace
