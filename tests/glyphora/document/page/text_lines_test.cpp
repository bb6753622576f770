#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/document/page/text_lines.h"
#include "platform/system_error.h"

namespace {

using namespace glyphora;

// The lines as the breaker cuts them (line ends included).
std::vector<std::string> Cut(const std::string& text, int width, int limit) {
  std::vector<std::string> lines;
  std::int32_t start = 0;
  for (std::int32_t end : TextLineEnds(text.data(), static_cast<std::int32_t>(text.size()), width, limit)) {
    lines.push_back(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
    start = end;
  }
  return lines;
}

TEST(GlyphoraTextLines, BreaksAtCrAndBeforeWords) {
  struct Case {
    const char* name;
    std::string text;
    int width, limit;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"space dropped at the break", "a b", 1, 0, {"a ", "b"}},
      {"word carries over", "ab cd ef gh", 10, 0, {"ab cd ef ", "gh"}},
      {"CR LF belongs to the line", "ab\r\ncd", 10, 0, {"ab\r\n", "cd"}},
      {"CR alone", "ab\rcd\r", 10, 0, {"ab\r", "cd\r"}},
      {"empty lines", "\r\n\r\n", 5, 0, {"\r\n", "\r\n"}},
      {"long word broken at the width", "abcdefg", 3, 0, {"abc", "def", "g"}},
      {"word filling the width fits", "xx abc", 3, 0, {"xx ", "abc"}},
      {"line limit", "a b c d", 1, 2, {"a ", "b "}},
      {"bare LF is a character", "ab\ncd", 10, 0, {"ab\ncd"}},
      {"empty text", "", 4, 0, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Cut(c.text, c.width, c.limit), c.lines) << c.name;
}

TEST(GlyphoraTextLines, TrimTakesTrailingBlanksAndTellsClosed) {
  struct Case {
    std::string text;
    int width, length;
    bool closed;
  };
  const Case cases[] = {{"ab  \r\n", 10, 2, true}, {"ab cd ", 10, 5, false}, {"abcdef\r\n", 4, 4, false},
                        {"   ", 10, 0, false}};
  for (const Case& c : cases) {
    TextLine line = TrimTextLine(c.text.data(), 0, static_cast<std::int32_t>(c.text.size()), c.width);
    EXPECT_EQ(line.length, c.length) << c.text;
    EXPECT_EQ(line.closed, c.closed) << c.text;
  }
}

TEST(GlyphoraTextLines, PointerDimsMeasuresLongestLineAndCount) {
  struct Case {
    std::string text;
    int wrap, width, lines, error;
  };
  const Case cases[] = {
      {std::string(120, 'x') + "\r\n", 500, 120, 1, 0},
      {std::string(120, 'x') + "\r\n", 74, 74, 2, 0},
      {"abc   \r\nd\r\n", 500, 6, 2, 0},  // trailing spaces kept, as saved rows have them
      {"", 500, 0, 0, 0},
      {"ab", 0, 0, 0, platform::k_ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    int width = c.wrap, lines = 0;
    EXPECT_EQ(PagePointerDims(c.text.data(), static_cast<std::int32_t>(c.text.size()), &width, &lines), c.error);
    if (c.error != 0) continue;
    EXPECT_EQ(width, c.width) << c.text;
    EXPECT_EQ(lines, c.lines) << c.text;
  }
}

}  // namespace
