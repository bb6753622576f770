#include "quillet/message/codec/html_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct THtmlCase {
  const char* what;
  std::string html;
  std::string text;
};

template <std::size_t N>
void ExpectAll(const THtmlCase (&cases)[N]) {
  for (const THtmlCase& c : cases) EXPECT_EQ(HtmlToText(c.html), c.text) << c.what << ": " << testing::PrintToString(c.html);
}

TEST(HtmlToText, BlockElementsBreakLines) {
  const THtmlCase cases[] = {
      {"paragraphs", "<p>Hello</p><p>World</p>", "Hello\r\n\r\nWorld\r\n"},
      {"br", "a<br>b<BR/>c", "a\r\nb\r\nc\r\n"},
      {"br runs collapse", "a<br><br><br><br>b", "a\r\n\r\nb\r\n"},
      {"divs", "<div>one</div><div>two</div>", "one\r\ntwo\r\n"},
      {"list", "<ul><li>x</li><li> y </li></ul>after", "* x\r\n* y\r\n\r\nafter\r\n"},
      {"table", "<table><tr><td>a</td><td>b</td></tr><tr><th>c</th></tr></table>end", "a\tb\r\nc\r\n\r\nend\r\n"},
      {"heading", "<h1>Title</h1>text<h6>small</h6>", "Title\r\n\r\ntext\r\n\r\nsmall\r\n"},
      {"blockquote", "said:<blockquote>q</blockquote>", "said:\r\n\r\nq\r\n"},
      {"empty", "", ""},
      {"only tags", "<html><body><p></p><div></div></body></html>", ""},
  };
  ExpectAll(cases);
}

TEST(HtmlToText, WhiteSpaceCollapsesOutsidePre) {
  const THtmlCase cases[] = {
      {"runs", "  lots   of\r\n\t space  ", "lots of space\r\n"},
      {"inline tags", "<b>bold</b> and <i>it</i>alic", "bold and italic\r\n"},
      {"line edges", "<p>\r\n  para  \r\n</p>", "para\r\n"},
      {"pre keeps", "<pre>  x  1\r\n\r\n\r\n  y</pre>z", "  x  1\r\n\r\n  y\r\n\r\nz\r\n"},
      {"nbsp", "a&nbsp;b", "a b\r\n"},
  };
  ExpectAll(cases);
}

TEST(HtmlToText, EntitiesAreDecodedToGbk) {
  const THtmlCase cases[] = {
      {"basic five", "&amp; &lt; &gt; &quot; &apos;", "& < > \" '\r\n"},
      {"numeric ascii", "&#65;&#x42;&#X43;&#68", "ABCD\r\n"},
      {"numeric Chinese", "&#20013;&#x6587;", "中文\r\n"},
      {"named to GBK", "2&times;3 = 6&deg;", "2\xA1\xC1" "3 = 6\xA1\xE3\r\n"},
      {"not in GBK", "&#x1F600;", "?\r\n"},
      {"windows-1252 numbers", "&#146;&#147;&#128;&#129;", "\xA1\xAF\xA1\xB0\x80?\r\n"},
      {"invalid numbers", "&#0;&#1;&#xD800;&#99999999999;&#x110000;", "?????\r\n"},
      {"unknown stays", "AT&T &foo; & x &#; &#x;", "AT&T &foo; & x &#; &#x;\r\n"},
      {"case matters", "&AMP;", "&AMP;\r\n"},
      {"lt is no tag", "&lt;b&gt;x", "<b>x\r\n"},
      {"soft hyphen", "co&shy;op", "coop\r\n"},
  };
  ExpectAll(cases);
}

TEST(HtmlToText, HiddenContentCommentsAndBrokenMarkup) {
  const THtmlCase cases[] = {
      {"style and script", "<style>p{color:red}</style><script>if (a<b) x();</script>shown", "shown\r\n"},
      {"any case", "<SCRIPT type=x>x</ScRiPt >y", "y\r\n"},
      {"title", "<head><title>T</title></head><body>b</body>", "b\r\n"},
      {"comment and declarations", "<!DOCTYPE html><?xml version=\"1.0\"?>x<!-- a > b -->y", "xy\r\n"},
      {"lone angle brackets", "a < b > c <3", "a < b > c <3\r\n"},
      {"quoted >", "<a href=\"x>y\" title='p>q'>link</a>", "link\r\n"},
      {"open comment", "x<!-- never closed", "x\r\n"},
      {"open tag", "x<div class='a", "x\r\n"},
      {"open script", "x<script>y", "x\r\n"},
      {"NUL dropped", std::string("a\0b", 3), "ab\r\n"},
  };
  ExpectAll(cases);
}

// Trail bytes "\" 0x5C, "|" 0x7C and "@" 0x40 belong to their character.
TEST(HtmlToText, DoubleByteTextStaysWhole) {
  const THtmlCase cases[] = {
      {"trail bytes", "<b>\x95\x5C</b>\xB1\x7C \x81\x40", "\x95\x5C\xB1\x7C \x81\x40\r\n"},
      {"Chinese paragraphs", "<p>你好</p><p>世界</p>", "你好\r\n\r\n世界\r\n"},
      {"lone lead byte", "x\x81", "x\x81\r\n"},
  };
  ExpectAll(cases);
}

}  // namespace
