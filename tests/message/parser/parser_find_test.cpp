#include <gtest/gtest.h>

#include <string>

#include "parser_test_util.h"
#include "quillet/message/parser/find_at_line_start.h"

namespace {

using parser_test::ErrorOf;
using test_support::TSpyStream;

// Position of the match, or -1.
std::int64_t Find(TStream& s, std::int64_t from, std::int64_t limit, const std::string& text, bool exact,
                  bool startIsLineStart = false) {
  s.SetPosition(from);
  return FindAtLineStart(s, text, limit, exact, startIsLineStart) ? s.Position() : -1;
}

std::int64_t Find(const std::string& bytes, const std::string& text, bool exact, bool startIsLineStart = false) {
  TMemoryStream s(bytes);
  return Find(s, 0, static_cast<std::int64_t>(bytes.size()), text, exact, startIsLineStart);
}

TEST(FindAtLineStart, FindsTextAfterALineBreak) {
  EXPECT_EQ(Find("abc\r\nbegin 644 x\r\n", "begin ", false), 5);
  EXPECT_EQ(Find("abc begin \r\nx", "begin ", false), -1);
  EXPECT_EQ(Find("abc\nbegin \r\n", "begin ", false), -1);  // a bare LF is no line break
}

TEST(FindAtLineStart, TheStartCountsAsALineStartOnlyWhenTold) {
  EXPECT_EQ(Find("--b\r\nx\r\n--b\r\n", "--b", true), 8);
  EXPECT_EQ(Find("--b\r\nx\r\n--b\r\n", "--b", true, true), 0);
  EXPECT_EQ(Find("--bx\r\n--b\r\n", "--b", true, true), 6);
}

TEST(FindAtLineStart, ExactMatchesTheWholeLineOrTheClosingForm) {
  const std::string body = "x\r\n--bnd-more\r\n--bnd -x\r\n--bnd--x\r\n--bnd--\r\n";
  EXPECT_EQ(Find(body, "--bnd", false), 3);
  EXPECT_EQ(Find(body, "--bnd", true), static_cast<std::int64_t>(body.find("--bnd--\r\n")));
  EXPECT_EQ(Find("x\r\n--bnd\r\n", "--bnd", true), 3);
  // Transport padding after a delimiter is allowed.
  EXPECT_EQ(Find("x\r\n--bnd \t\r\n", "--bnd", true), 3);
  EXPECT_EQ(Find("x\r\n--bnd--  \r\n", "--bnd", true), 3);
  // The end of the searched bytes ends the line.
  EXPECT_EQ(Find("x\r\n--bnd", "--bnd", true), 3);
  EXPECT_EQ(Find("x\r\n--bnd--", "--bnd", true), 3);
  EXPECT_EQ(Find("x\r\n--bnd-", "--bnd", true), -1);
}

TEST(FindAtLineStart, NothingToSearch) {
  EXPECT_EQ(Find("", "x", false), -1);
  TMemoryStream s("\r\nabc");
  EXPECT_EQ(Find(s, 0, 0, "abc", false), -1);
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(Find(s, 0, 4, "abc", false), -1);  // the match would end past the limit
  EXPECT_EQ(s.Position(), 4);
}

// A match whose CR, LF, text or line end falls on either side of a window border is
// still found, and a false candidate there is still rejected.
TEST(FindAtLineStart, MatchesAcrossWindowBordersAreFound) {
  const std::string text = "--boundary";
  for (size_t border : {8192u, 16384u}) {
    for (size_t cr = border - 16; cr <= border + 4; ++cr) {
      std::string bytes(cr, 'a');
      bytes += "\r\n" + text + "-x\r\n";  // a false candidate first
      std::string filler(1000, 'b');
      bytes += filler;
      std::int64_t expected = static_cast<std::int64_t>(bytes.size()) + 2;
      bytes += "\r\n" + text + "--\r\ntail";
      EXPECT_EQ(Find(bytes, text, true), expected) << "CR at " << cr;
      std::string plain(cr, 'a');
      plain += "\r\n" + text;
      EXPECT_EQ(Find(plain, text, true), static_cast<std::int64_t>(cr) + 2) << "CR at " << cr;
      EXPECT_EQ(Find(plain + "\r\n", text, false), static_cast<std::int64_t>(cr) + 2) << "CR at " << cr;
    }
  }
}

TEST(FindAtLineStart, LinesLongerThanTheWindow) {
  std::string bytes = std::string(20000, 'z') + "\r\n--b\r\n";
  EXPECT_EQ(Find(bytes, "--b", true), 20002);
  // Padding longer than a window: no delimiter line, but the search goes on after it.
  std::string padded = "x\r\n--b" + std::string(9000, ' ') + "\r\n--b\r\n";
  EXPECT_EQ(Find(padded, "--b", true), static_cast<std::int64_t>(padded.size()) - 5);
}

TEST(FindAtLineStart, LongTextsAreFound) {
  std::string text(300, 'q');
  std::string bytes = std::string(8100, 'a') + "\r\n" + text + "\r\n";
  EXPECT_EQ(Find(bytes, text, true), 8102);
}

TEST(FindAtLineStart, NeverReadsOutsideTheSearchedBytes) {
  const std::string before = "--b\r\nbefore\r\n";
  const std::string inside = "part one\r\n--b-not\r\nend";
  const std::string after = "\r\n--b\r\nafter\r\n";
  TSpyStream s(before + inside + after);
  const std::int64_t from = static_cast<std::int64_t>(before.size());
  const std::int64_t limit = static_cast<std::int64_t>(inside.size());
  EXPECT_EQ(Find(s, from, limit, "--b", true), -1);
  EXPECT_GE(s.lowest, from);
  EXPECT_LE(s.highest, from + limit);
  EXPECT_EQ(s.Position(), from + limit);
  // The line start before the range is not taken either: the start is only a line start
  // when the caller says so.
  s.lowest = INT64_MAX;
  EXPECT_EQ(Find(s, 5, 20, "before", false), -1);
  EXPECT_GE(s.lowest, 5);
}

TEST(FindAtLineStart, AStreamShorterThanTheLimitIsAnError) {
  TMemoryStream s("abc\r\nxyz");
  EXPECT_EQ(ErrorOf([&] { Find(s, 0, 100, "nothing", false); }), "Can not read message, message format error");
  try {
    Find(s, 0, 100, "nothing", false);
  } catch (const EMsgDecodeError&) {
    SUCCEED();
    return;
  }
  ADD_FAILURE() << "not an EMsgDecodeError";
}

}  // namespace
