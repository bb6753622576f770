#include <gtest/gtest.h>

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

}  // namespace
