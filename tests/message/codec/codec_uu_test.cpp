#include <gtest/gtest.h>

#include <string>

#include "codec_test_support.h"
#include "quillet/message/codec/codecs.h"

namespace {

using namespace codec_test;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t crlf; (crlf = text.find("\r\n", start)) != std::string::npos; start = crlf + 2)
    lines.push_back(text.substr(start, crlf - start));
  EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
  return lines;
}

TEST(UUEncode, LineShapes) {
  EXPECT_EQ(UUEncode("Cat"), "#0V%T`\r\n`\r\n");  // n*4/3+1 characters: one more than the data
  EXPECT_EQ(UUEncode("abc"), "#86)C`\r\n`\r\n");
  EXPECT_EQ(UUEncode("a"), "!80\r\n`\r\n");
  EXPECT_EQ(UUEncode("ab"), "\"86(\r\n`\r\n");
  EXPECT_EQ(UUEncode(""), "``\r\n");
  EXPECT_EQ(UUEncode(std::string(3, '\0')), "#`````\r\n`\r\n");

  std::vector<std::string> lines = SplitLines(UUEncode(RandomBytes(46, 1)));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), 61u);
  EXPECT_EQ(lines[0][0], 'M');
  EXPECT_EQ(lines[1].size(), 3u);
  EXPECT_EQ(lines[1][0], '!');
  EXPECT_EQ(lines[2], "`");

  // A multiple of 45: the empty last chunk's "``" closes the data.
  lines = SplitLines(UUEncode(RandomBytes(90, 2)));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], "``");
  for (const std::string& line : SplitLines(UUEncode(RandomBytes(1000, 3)))) {
    for (char c : line) EXPECT_TRUE(c >= '!' && c <= '`') << line;
  }
}

TEST(UUEncode, WrongModeRaisesButStillEnds) {
  TMemoryStream in("abc"), out;
  TUUCode codec(&in, TCodecMode::Decode, &out, 3, 0);
  TEventLog log;
  log.Attach(codec, &codec);
  try {
    codec.Encode();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Internal Error: TUUEncode.Encode");
  }
  EXPECT_EQ(log.events, (std::vector<std::string>{"100", "end"}));
  EXPECT_EQ(out.Size(), 0);
}

TEST(UUDecode, StopLines) {
  std::string data = UUEncode("hello, world");
  EXPECT_EQ(UUDecode("begin 644 hello.txt\r\n" + data + "end\r\n"), "hello, world");
  EXPECT_EQ(UUDecode("BEGIN 644 hello.txt\r\n" + data), "hello, world");  // any case
  EXPECT_EQ(UUDecode(data), "hello, world");                              // no begin line
  EXPECT_EQ(UUDecode("%86)C9&4`\r\nend\r\n%86)C9&4`\r\n"), "abcde");
  EXPECT_EQ(UUDecode("%86)C9&4`\r\n\r\n%86)C9&4`\r\n"), "abcde");
  EXPECT_EQ(UUDecode("%86)C9&4`\r\n \r\n%86)C9&4`\r\n"), "abcde");   // count 0 written as a space
  EXPECT_EQ(UUDecode("%86)C9&4`\r\n`\r\n%86)C9&4`\r\n"), "abcde");
  EXPECT_EQ(UUDecode(""), "");
}

TEST(UUDecode, MissingTrailingCharactersCountAsZero) {
  // A transport that strips trailing spaces leaves the line short: the count still rules.
  std::string bytes("ab\0\0\0\0", 6);
  std::string line = SplitLines(UUEncode(bytes))[0];
  ASSERT_EQ(line, "&86(``````");
  EXPECT_EQ(UUDecode("&86(\r\n"), bytes);
  EXPECT_EQ(UUDecode("&86(      \r\n"), bytes);
}

TEST(UUDecode, TooLongLineRaisesAndKeepsTheLinesBefore) {
  std::string first = SplitLines(UUEncode("first"))[0];
  EXPECT_EQ(UUDecode(first + "\r\n!" + std::string(255, 'A') + "\r\n"), "first\x86");  // 256: allowed
  TMemoryStream in(first + "\r\n!" + std::string(256, 'A') + "\r\n"), out;
  TUUCode codec(&in, TCodecMode::Decode, &out, in.Size(), 0);
  TEventLog log;
  log.Attach(codec, &codec);
  try {
    codec.Decode();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid UUEncode format");
  }
  EXPECT_EQ(out.Bytes(), "first");
  ASSERT_GE(log.events.size(), 3u);
  EXPECT_EQ(log.events.front(), "start");
  EXPECT_EQ(log.events[log.events.size() - 2], "100");
  EXPECT_EQ(log.events.back(), "end");
  // Far longer than the reader's buffer: the same error.
  EXPECT_THROW(UUDecode("M" + std::string(600 * 1024, 'A')), Exception);
}

TEST(UUDecode, ReadsOnlyItsRange) {
  std::string block = "begin 600 x\r\n" + UUEncode("range") + "end";
  std::string text = "before\r\n" + block + "\r\nafter";
  TMemoryStream in(text), out;
  TUUCode codec(&in, TCodecMode::Decode, &out, static_cast<std::int64_t>(block.size()), 8);
  codec.Decode();
  EXPECT_EQ(out.Bytes(), "range");
}

TEST(UUCode, RoundTripsRandomDataWithProgress) {
  for (size_t size = 0; size < 200; ++size) {
    std::string bytes = RandomBytes(size, static_cast<unsigned>(size) + 7);
    ASSERT_EQ(UUDecode(UUEncode(bytes)), bytes) << size;
  }
  std::string bytes = RandomBytes(45 * 1000 + 3, 4);
  TMemoryStream in(bytes), encoded;
  TUUCode encoder(&in, TCodecMode::Encode, &encoded, in.Size(), 0);
  TEventLog log;
  log.Attach(encoder, &encoder);
  encoder.Encode();
  EXPECT_FALSE(log.wrongSender);
  EXPECT_EQ(log.events.front(), "start");
  EXPECT_EQ(log.events.back(), "end");
  EXPECT_EQ(log.percents.size(), 22u);  // 0, 5, ..., 100 and the closing 100

  encoded.SetPosition(0);
  TMemoryStream decoded;
  TUUCode decoder(&encoded, TCodecMode::Decode, &decoded, encoded.Size(), 0);
  TEventLog decodeLog;
  decodeLog.Attach(decoder, &decoder);
  decoder.Decode();
  EXPECT_TRUE(decoded.Bytes() == bytes);
  EXPECT_EQ(decodeLog.percents.back(), 100);
}

TEST(UUCode, AbortStopsAndStillClosesTheData) {
  std::string bytes = RandomBytes(45 * 100, 5);
  TMemoryStream in(bytes), out;
  TUUCode encoder(&in, TCodecMode::Encode, &out, in.Size(), 0);
  encoder.OnProgress = [&](void*, int percent) {
    if (percent == 30) encoder.Abort = true;
  };
  encoder.Encode();
  std::vector<std::string> lines = SplitLines(out.Bytes());
  EXPECT_LT(lines.size(), 50u);
  EXPECT_EQ(lines.back(), "`");
  std::string decoded = UUDecode(out.Bytes());
  EXPECT_EQ(decoded, bytes.substr(0, decoded.size()));
}

TEST(UUCode, SlowInputGivesTheSameResult) {
  std::string bytes = RandomBytes(5000, 6);
  TTrickleStream slow(bytes, 11);
  TMemoryStream out;
  TUUCode encoder(&slow, TCodecMode::Encode, &out, 5000, 0);
  encoder.Encode();
  EXPECT_EQ(out.Bytes(), UUEncode(bytes));
  TTrickleStream slowText(out.Bytes(), 5);
  TMemoryStream decoded;
  TUUCode decoder(&slowText, TCodecMode::Decode, &decoded, out.Size(), 0);
  decoder.Decode();
  EXPECT_EQ(decoded.Bytes(), bytes);
}

TEST(IsUUBeginLine, RecognisesABlockAndItsFileName) {
  std::string full = "M" + std::string(60, 'A');
  std::string name = "unchanged";
  EXPECT_TRUE(IsUUBeginLine("begin 644 photo.jpg", full, name));
  EXPECT_EQ(name, "photo.jpg");
  EXPECT_TRUE(IsUUBeginLine("BEGIN 600 表 格.doc", "!80", name));  // short last line, any case
  EXPECT_EQ(name, "表 格.doc");
  EXPECT_TRUE(IsUUBeginLine("begin  readme.txt", "#86)C", name));  // no mode digits
  EXPECT_EQ(name, "readme.txt");

  name = "unchanged";
  EXPECT_FALSE(IsUUBeginLine("begin 644 ", full, name));          // ten characters only
  EXPECT_FALSE(IsUUBeginLine("beginning of the text", full, name));
  EXPECT_FALSE(IsUUBeginLine("begin 644 x.txt", "", name));
  EXPECT_FALSE(IsUUBeginLine("begin 644 x.txt", full + "A", name));    // long line: exact length
  EXPECT_FALSE(IsUUBeginLine("begin 644 x.txt", "!" + std::string(5, 'A'), name));  // off by 4
  EXPECT_TRUE(IsUUBeginLine("begin 644 x.txt", "!" + std::string(4, 'A'), name));   // off by 3
  EXPECT_FALSE(IsUUBeginLine("Dear Sir, begin 644 x", full, name));
  EXPECT_EQ(name, "x.txt");
}

}  // namespace
