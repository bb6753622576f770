// The one line reader over a byte range: CR-ended lines (or any line end) of any length,
// refills at any place, nothing read past the range, long lines in pieces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillet/common/line_reader.h"
#include "tests/support/test_streams.h"

namespace {

using test_support::TSpyStream;
using test_support::TTrickleStream;

std::vector<std::string> Lines(TStream& s, std::int64_t start, std::int64_t end, TLineEnds ends = TLineEnds::Cr) {
  TLineReader reader(s, start, end - start, ends);
  std::vector<std::string> lines;
  std::string line;
  while (reader.ReadLine(line)) lines.push_back(line);
  EXPECT_EQ(reader.Position(), end);
  EXPECT_FALSE(reader.StreamEndedEarly());
  return lines;
}

struct TReadLine {
  std::string text;
  int pieces;
  std::int64_t positionAfter;
};

std::vector<TReadLine> ReadPieces(TStream& stream, std::int64_t offset, std::int64_t size) {
  TLineReader reader(stream, offset, size);
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

TEST(LineReader, LineEnds) {
  struct TCase {
    const char* text;
    TLineEnds ends;
    std::vector<std::string> lines;
  };
  const TCase cases[] = {
      {"one\r\ntwo\rthree\nstill three\r\n\r\nlast", TLineEnds::Cr, {"one", "two", "three\nstill three", "", "last"}},
      {"one\r\ntwo\rthree\nfour\n\nlast\n", TLineEnds::Any, {"one", "two", "three", "four", "", "last"}},
      {"a\n\r\nb\r\rc", TLineEnds::Any, {"a", "", "b", "", "c"}},
      {"", TLineEnds::Cr, {}},
      {"", TLineEnds::Any, {}},
  };
  for (const TCase& c : cases) {
    TMemoryStream s(c.text);
    EXPECT_EQ(Lines(s, 0, s.Size(), c.ends), c.lines) << c.text;
  }
}

// Each line end falls once on every place around the reader's refills (1 KB, then 2, 4,
// 8 and 16 KB reads), the CR and the LF on either side of one.
TEST(LineReader, LinesAcrossRefills) {
  for (size_t first = 1000; first < 1030; ++first) {
    std::string text = std::string(first, 'a') + "\r\n" + std::string(2046, 'b') + "\r\n" + std::string(40000, 'c') +
                       "\r\n\r\nz";
    TMemoryStream s(text);
    std::vector<std::string> lines = Lines(s, 0, s.Size());
    ASSERT_EQ(lines.size(), 5u) << first;
    EXPECT_EQ(lines[0].size(), first);
    EXPECT_EQ(lines[1], std::string(2046, 'b'));
    EXPECT_EQ(lines[2].size(), 40000u);
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "z");
  }
}

TEST(LineReader, TheRangeEndsTheLastLine) {
  TSpyStream s("before\r\nin one\r\nin two, cut\r\nafter\r\n");
  std::vector<std::string> lines = Lines(s, 8, 27);
  EXPECT_EQ(lines, (std::vector<std::string>{"in one", "in two, cut"}));
  EXPECT_EQ(s.lowest, 8);
  EXPECT_EQ(s.highest, 27);
  // A CR that is the last byte of the range: its LF lies outside and stays unread.
  TSpyStream cr("ab\r\ncd");
  EXPECT_EQ(Lines(cr, 0, 3), (std::vector<std::string>{"ab"}));
  EXPECT_EQ(cr.highest, 3);
}

TEST(LineReader, LineBreaksAndPositions) {
  TMemoryStream s("one\r\ntwo\rthree\nstill three\r\r\nlast");
  std::vector<TReadLine> lines = ReadPieces(s, 0, s.Size());
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

// The stream's end inside the range cuts the last line; the reader says so, while the
// range's own end does not count as early.
TEST(LineReader, RangeClipsLinesAndTheStreamEnd) {
  TMemoryStream s("xxab\r\ncd\r\nef");
  std::vector<TReadLine> lines = ReadPieces(s, 2, 6);  // "ab\r\ncd"
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].text, "cd");
  lines = ReadPieces(s, 10, 100);  // past the stream's end
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "ef");
  EXPECT_TRUE(ReadPieces(s, 12, 5).empty());
  EXPECT_TRUE(ReadPieces(s, 0, 0).empty());

  TLineReader early(s, 6, 100);
  std::string line;
  ASSERT_TRUE(early.ReadLine(line));
  EXPECT_EQ(line, "cd");
  EXPECT_FALSE(early.StreamEndedEarly());
  ASSERT_TRUE(early.ReadLine(line));
  EXPECT_EQ(line, "ef");
  EXPECT_TRUE(early.StreamEndedEarly());
}

TEST(LineReader, LongLinesComeInPiecesAndCrLfSplitByAReadStaysOneBreak) {
  const size_t largest = 256 * 1024;
  std::string longLine(largest + 10, 'L');
  std::string atFirstRead(1023, 'F');  // its CR is the first read's last byte
  std::string exact(largest - 1, 'E');
  std::string text = atFirstRead + "\r\n" + exact + "\r\n" + longLine + "\r\nend";
  TMemoryStream s(text);
  std::vector<TReadLine> lines = ReadPieces(s, 0, s.Size());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].positionAfter, 1025);
  EXPECT_TRUE(lines[1].text == exact);
  EXPECT_TRUE(lines[2].text == longLine);
  EXPECT_GE(lines[2].pieces, 2);
  EXPECT_EQ(lines[3].text, "end");
}

TEST(LineReader, SlowStreamGivesTheSameLines) {
  std::string text;
  for (int i = 0; i < 500; ++i) text += std::string(static_cast<size_t>(i % 90), 'a' + i % 26) + (i % 3 ? "\r\n" : "\r");
  TMemoryStream fast(text);
  TTrickleStream slow(text, 9);
  std::vector<TReadLine> a = ReadPieces(fast, 0, fast.Size()), b = ReadPieces(slow, 0, fast.Size());
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].text, b[i].text);
    EXPECT_EQ(a[i].positionAfter, b[i].positionAfter);
  }
}

}  // namespace
