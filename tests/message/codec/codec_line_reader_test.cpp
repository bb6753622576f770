#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec_test_support.h"
#include "quillet/message/codec/codec_line_reader.h"
#include "quillet/message/codec/codec_output.h"

namespace {

struct TReadLine {
  std::string text;
  int pieces;
  std::int64_t positionAfter;
};

std::vector<TReadLine> ReadAll(TStream& stream, std::int64_t offset, std::int64_t size) {
  TCodecLineReader reader(stream, offset, size);
  std::vector<TReadLine> lines;
  TLinePiece piece;
  while (reader.Next(piece)) {
    if (piece.first) lines.push_back({"", 0, 0});
    lines.back().text.append(piece.data, piece.length);
    ++lines.back().pieces;
    if (piece.last) lines.back().positionAfter = reader.Position();
  }
  return lines;
}

TEST(CodecLineReader, LineBreaksAndPositions) {
  TMemoryStream s("one\r\ntwo\rthree\nstill three\r\r\nlast");
  std::vector<TReadLine> lines = ReadAll(s, 0, s.Size());
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].text, "one");
  EXPECT_EQ(lines[0].positionAfter, 5);
  EXPECT_EQ(lines[1].text, "two");
  EXPECT_EQ(lines[2].text, "three\nstill three");  // a bare LF is no line end
  EXPECT_EQ(lines[3].text, "");
  EXPECT_EQ(lines[4].text, "last");
  EXPECT_EQ(lines[4].positionAfter, s.Size());
  EXPECT_EQ(s.Position(), s.Size());  // the stream is left after the last line
}

TEST(CodecLineReader, RangeClipsLinesAndTheStreamEnd) {
  TMemoryStream s("xxab\r\ncd\r\nef");
  std::vector<TReadLine> lines = ReadAll(s, 2, 6);  // "ab\r\ncd"
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].text, "cd");
  lines = ReadAll(s, 10, 100);  // past the stream's end
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "ef");
  EXPECT_TRUE(ReadAll(s, 12, 5).empty());
  EXPECT_TRUE(ReadAll(s, 0, 0).empty());
}

TEST(CodecLineReader, LongLinesComeInPiecesAndCrLfSplitByAReadStaysOneBreak) {
  const size_t buffer = 256 * 1024;
  std::string longLine(buffer + 10, 'L');
  std::string exact(buffer - 1, 'E');  // its CR is the buffer's last byte, the LF the next one's first
  std::string text = exact + "\r\n" + longLine + "\r\nend";
  TMemoryStream s(text);
  std::vector<TReadLine> lines = ReadAll(s, 0, s.Size());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(lines[0].text == exact);
  EXPECT_EQ(lines[0].positionAfter, static_cast<std::int64_t>(buffer + 1));
  EXPECT_TRUE(lines[1].text == longLine);
  EXPECT_GE(lines[1].pieces, 2);
  EXPECT_EQ(lines[2].text, "end");
}

TEST(CodecLineReader, SlowStreamGivesTheSameLines) {
  std::string text;
  for (int i = 0; i < 500; ++i) text += std::string(static_cast<size_t>(i % 90), 'a' + i % 26) + (i % 3 ? "\r\n" : "\r");
  TMemoryStream fast(text);
  codec_test::TTrickleStream slow(text, 9);
  std::vector<TReadLine> a = ReadAll(fast, 0, fast.Size()), b = ReadAll(slow, 0, fast.Size());
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].text, b[i].text);
    EXPECT_EQ(a[i].positionAfter, b[i].positionAfter);
  }
}

TEST(CodecOutput, GathersWritesAndDropsAnUnfinishedLine) {
  TMemoryStream s;
  {
    TCodecOutput out(s);
    out.Append("kept ", 5);
    out.MarkLine();
    out.Append("dropped", 7);
    out.DropLine();
    EXPECT_EQ(s.Size(), 0);  // nothing reaches the stream before a flush
    out.Flush();
    EXPECT_EQ(s.Bytes(), "kept ");
    std::string big(200000, 'b');  // more than the buffer holds at once
    out.Append(big.data(), big.size());
    out.Append("!", 1);
  }
  EXPECT_EQ(s.Size(), 5 + 200000 + 1);
  EXPECT_EQ(s.Bytes().back(), '!');
}

}  // namespace
