// The parser's line reader over a byte range: CR-ended lines of any length, refills at
// any place, nothing read past the range.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parser_test_util.h"
#include "quillet/message/parser/range_line_reader.h"

namespace {

using msgdecode::TRangeLineReader;
using parser_test::TSpyStream;

std::vector<std::string> Lines(TStream& s, std::int64_t start, std::int64_t end) {
  TRangeLineReader reader(s, start, end);
  std::vector<std::string> lines;
  std::string line;
  while (reader.ReadLine(line)) lines.push_back(line);
  EXPECT_EQ(reader.Position(), end);
  return lines;
}

TEST(RangeLineReader, LineEnds) {
  TMemoryStream s("one\r\ntwo\rthree\nstill three\r\n\r\nlast");
  EXPECT_EQ(Lines(s, 0, s.Size()), (std::vector<std::string>{"one", "two", "three\nstill three", "", "last"}));
  TMemoryStream empty("");
  EXPECT_TRUE(Lines(empty, 0, 0).empty());
}

// Each line end falls once on every place around the reader's refills (1 KB, then 2, 4,
// 8 and 16 KB reads), the CR and the LF on either side of one.
TEST(RangeLineReader, LinesAcrossRefills) {
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

TEST(RangeLineReader, TheRangeEndsTheLastLine) {
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

}  // namespace
