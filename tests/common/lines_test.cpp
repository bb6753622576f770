#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "quillet/common/lines.h"

namespace {

std::string ReadOne(TMemoryStream& s) {
  std::string line;
  ReadLine(s, line);
  return line;
}

TEST(ReadLine, SplitsAtCrAndSkipsLf) {
  TMemoryStream s("one\r\ntwo\rthree\n\r\n");
  EXPECT_EQ(ReadOne(s), "one");
  EXPECT_EQ(s.Position(), 5);
  EXPECT_EQ(ReadOne(s), "two");
  EXPECT_EQ(s.Position(), 9);
  // A bare LF is no line end: the rest up to the CR is one line.
  EXPECT_EQ(ReadOne(s), "three\n");
  EXPECT_EQ(s.Position(), 17);
  EXPECT_EQ(ReadOne(s), "");
  EXPECT_EQ(s.Position(), 17);
}

TEST(ReadLine, LongLineIsCutAt255AndTheRestFollows) {
  std::string text(300, 'x');
  text += "\r\n";
  TMemoryStream s(text);
  EXPECT_EQ(ReadOne(s), std::string(255, 'x'));
  EXPECT_EQ(s.Position(), 255);
  EXPECT_EQ(ReadOne(s), std::string(45, 'x'));
  EXPECT_EQ(s.Position(), 302);
}

TEST(ReadLine, CrAtTheLastOf255BytesStillEatsTheLf) {
  std::string text(254, 'y');
  text += "\r\nz";
  TMemoryStream s(text);
  EXPECT_EQ(ReadOne(s), std::string(254, 'y'));
  EXPECT_EQ(s.Position(), 256);
  EXPECT_EQ(ReadOne(s), "z");
}

TEST(ReadLine, WithoutCrTheLineIsCutAtNul) {
  std::string text("ab");
  text += '\0';
  text += "cd";
  TMemoryStream s(text);
  EXPECT_EQ(ReadOne(s), "ab");
  EXPECT_EQ(s.Position(), 5);
}

TEST(ReadLine, EndOfStreamGivesEmptyLineAndPositionAtEnd) {
  TMemoryStream s("abc");
  s.SetPosition(10);
  EXPECT_EQ(ReadOne(s), "");
  EXPECT_EQ(s.Position(), 3);
}

TEST(WriteLine, AppendsCrLf) {
  TMemoryStream s;
  WriteLine(s, "hello");
  WriteLine(s, "");
  EXPECT_EQ(s.Bytes(), "hello\r\n\r\n");
}

// The splitter the command line and the fuzzers share.
TEST(SplitLines, SplitsAtLfAndDropsTheCrBeforeALineEnd) {
  const std::pair<std::string, TStringList> cases[] = {
      {"", {}},
      {"one", {"one"}},
      {"one\r\ntwo\nthree", {"one", "two", "three"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {"bare\rcr\r", {"bare\rcr"}},  // only the CR before a line's end goes
      {"\r\n", {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.first), c.second) << c.first;
}

TEST(WithCrLfLineEnds, EveryLineEndBecomesCrLf) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"a\r\nb\r\n", "a\r\nb\r\n"},  // already stored form: unchanged
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\n\r\n\r\rb", "a\r\n\r\n\r\n\r\nb"},
      {"no end", "no end"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithCrLfLineEnds(c.first), c.second) << c.first;
}

}  // namespace
