#include <gtest/gtest.h>

#include "quillet/message/header/header_utils.h"

namespace {

TEST(HeaderTrim, StripsSpacesAndTabsOnly) {
  EXPECT_EQ(Trim(" \t a b \t"), "a b");
  EXPECT_EQ(Trim("\r\nx\r\n"), "\r\nx\r\n");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim(""), "");
}

TEST(HeaderTrim, EmptyLinesGoFromBothEndsOnly) {
  TStringList lines = {"", "", "a", "", "b", ""};
  TrimEmptyLines(lines);
  EXPECT_EQ(lines, (TStringList{"a", "", "b"}));
  TStringList empty = {"", ""};
  TrimEmptyLines(empty);
  EXPECT_TRUE(empty.empty());
}

TEST(GetField, JoinsContinuationLinesWithOneSpace) {
  TStringList header = {"From: a@b", "Subject: Hello", "\t  world  ", " again", "To: c@d"};
  EXPECT_EQ(GetField(header, "Subject:"), "Hello world again");
  EXPECT_EQ(GetField(header, "To:"), "c@d");
}

TEST(GetField, NameIsCaseInsensitivePrefixAndFirstFieldWins) {
  TStringList header = {"content-type: text/plain;", " charset=gb2312", "Content-Type: text/html"};
  EXPECT_EQ(GetField(header, "Content-Type"), "text/plain; charset=gb2312");
  EXPECT_EQ(GetField(header, "CONTENT-TYPE:"), "text/plain; charset=gb2312");
}

TEST(GetField, AbsentFieldIsEmpty) {
  TStringList header = {"From: a@b"};
  EXPECT_EQ(GetField(header, "Subject:"), "");
  EXPECT_EQ(GetField({}, "Subject:"), "");
}

TEST(GetField, BlankContinuationsAddNoSpacesAndEmptyValueHasNoLeadingSpace) {
  TStringList header = {"Subject:", "   ", " text", "From: x"};
  EXPECT_EQ(GetField(header, "Subject:"), "text");
}

TEST(GetField, LineWithoutColonIsNoField) {
  TStringList header = {"From someone Mon Dec 7", "From: real@host"};
  EXPECT_EQ(GetField(header, "From"), "real@host");
}

TEST(GetFieldValues, SplitsValueAndContinuationsIntoItems) {
  TStringList header = {"To: a@b, \"Smith, J\" <j@x>,", " c@d,", "\te@f", "Cc: g@h"};
  TStringList values = {"kept"};
  GetFieldValues(header, "To:", values);
  EXPECT_EQ(values, (TStringList{"kept", "a@b", "\"Smith, J\" <j@x>", "c@d", "e@f"}));
}

TEST(GetFieldValues, ItemFoldedOverTwoLinesStaysWhole) {
  TStringList header = {"To: \"Long Name\"", " <long@host>, b@c"};
  TStringList values;
  GetFieldValues(header, "To:", values);
  EXPECT_EQ(values, (TStringList{"\"Long Name\" <long@host>", "b@c"}));
}

TEST(GetFieldValues, AbsentFieldAddsNothing) {
  TStringList values;
  GetFieldValues({"From: a"}, "Members:", values);
  EXPECT_TRUE(values.empty());
}

TEST(HasEightBit, FindsHighBytesInTextAndLines) {
  EXPECT_FALSE(HasEightBit(std::string("plain ascii\x7f")));
  EXPECT_TRUE(HasEightBit(std::string("a\x80")));
  EXPECT_TRUE(HasEightBit(std::string("中")));
  EXPECT_FALSE(HasEightBit(TStringList{"a", "b"}));
  EXPECT_TRUE(HasEightBit(TStringList{"a", "主题"}));
}

TEST(MainValue, StopsAtBlankOrSemicolon) {
  EXPECT_EQ(MainValue("text/plain; charset=x"), "text/plain");
  EXPECT_EQ(MainValue("  multipart/mixed;boundary=x"), "multipart/mixed");
  EXPECT_EQ(MainValue("base64 "), "base64");
  EXPECT_EQ(MainValue("text/html\tname=x"), "text/html");
  EXPECT_EQ(MainValue(""), "");
}

TEST(GetParam, QuotedBoundaryLosesItsQuotes) {
  EXPECT_EQ(GetParam("boundary", "multipart/mixed; boundary=\"----=_NextPart_000_0001\""),
            "----=_NextPart_000_0001");
  EXPECT_EQ(GetParam("BOUNDARY", "multipart/mixed;\tBoundary = \"a b\" ; x=y"), "a b");
}

TEST(GetParam, MissingParameterGivesSentinel) {
  EXPECT_EQ(GetParam("charset", "text/plain"), "$$Unable to Get$$");
  EXPECT_EQ(std::string(k_unableToGet), "$$Unable to Get$$");
  EXPECT_EQ(GetParam("", "text/plain"), k_unableToGet);
}

TEST(GetParam, UnquotedValueEndsAtBlankOrSemicolon) {
  EXPECT_EQ(GetParam("charset", "text/plain; charset=us-ascii;format=flowed"), "us-ascii");
  EXPECT_EQ(GetParam("charset", "text/plain; charset=gb2312 format=flowed"), "gb2312");
  EXPECT_EQ(GetParam("charset", "text/plain; CHARSET=GB2312;"), "GB2312");
}

struct TParamCase {
  const char* name;
  const char* value;
  const char* expected;
};

// Mailers write names with blanks unquoted; the value then runs to the next ";", unless a
// blank is followed by another parameter or a comment.
TEST(GetParam, UnquotedValueMayHoldBlanks) {
  const TParamCase cases[] = {
      {"filename", "attachment; filename=This is a test.txt", "This is a test.txt"},
      {"filename", "attachment; filename=This is a test.txt; size=12", "This is a test.txt"},
      {"filename", "attachment; filename=  two  blanks .txt  ;", "two  blanks .txt"},
      {"name", "application/pdf; name=Q3 \xB1\xA8\xB8\xE6.pdf", "Q3 \xB1\xA8\xB8\xE6.pdf"},
      {"name", "text/plain; name=a b.txt charset=gbk", "a b.txt"},          // another token=
      {"name", "text/plain; name=a b.txt x-mac-type = 0", "a b.txt"},       // blanks before "="
      {"charset", "text/plain; charset=us-ascii (Plain text)", "us-ascii"},  // a comment
      {"name", "text/plain; name=a = b", "a = b"},                          // "=" alone is no parameter
      {"name", "text/plain; name=x\tthen y", "x\tthen y"},
  };
  for (const TParamCase& c : cases) EXPECT_EQ(GetParam(c.name, c.value), c.expected) << c.value;
}

TEST(GetParam, EmptyValueIsEmptyNotMissing) {
  EXPECT_EQ(GetParam("name", "application/octet-stream; name="), "");
  EXPECT_EQ(GetParam("name", "application/octet-stream; name=\"\""), "");
  EXPECT_EQ(GetParam("charset", "text/plain; charset"), "");
}

TEST(GetParam, PrefersARealParameterOverASubstring) {
  const std::string value = "application/x; filename=\"f.txt\"; name=\"n.txt\"";
  EXPECT_EQ(GetParam("name", value), "n.txt");
  EXPECT_EQ(GetParam("filename", value), "f.txt");
  // With no real "name" parameter the substring inside "filename" still answers.
  EXPECT_EQ(GetParam("name", "attachment; filename=\"a.txt\""), "a.txt");
}

TEST(GetParam, TextInsideQuotedValuesIsNotAParameter) {
  EXPECT_EQ(GetParam("charset", "multipart/mixed; boundary=\"=_charset=x\""), k_unableToGet);
  EXPECT_EQ(GetParam("charset", "multipart/mixed; boundary=\"charset=x\"; charset=big5"), "big5");
}

TEST(GetParam, UnclosedQuoteRunsToTheEnd) {
  EXPECT_EQ(GetParam("name", "text/plain; name=\"abc def"), "abc def");
  EXPECT_EQ(GetParam("name", "text/plain; name=\""), "");
}

TEST(GetParam, KeepsDoubleByteNamesAndBackslashes) {
  EXPECT_EQ(GetParam("name", "application/octet-stream; name=\"报告.doc\""), "报告.doc");
  EXPECT_EQ(GetParam("name", "application/octet-stream; name=\"C:\\dir\\\""), "C:\\dir\\");
}

TEST(GetPriority, ReadsDigitsAndWords) {
  EXPECT_EQ(GetPriority({"X-Priority: 1 (Highest)"}, "Priority"), 1);
  EXPECT_EQ(GetPriority({"X-Priority: 2 (High)"}, "Priority"), 1);
  EXPECT_EQ(GetPriority({"X-Priority: 3"}, "Priority"), 3);
  EXPECT_EQ(GetPriority({"X-Priority: 4"}, "Priority"), 5);
  EXPECT_EQ(GetPriority({"X-Priority: 5 (Lowest)"}, "Priority"), 5);
  EXPECT_EQ(GetPriority({"X-MSMail-Priority: High"}, "Priority"), 1);
  EXPECT_EQ(GetPriority({"x-msmail-priority: low"}, "Priority"), 5);
  EXPECT_EQ(GetPriority({"X-Priority: Normal"}, "Priority"), 3);
}

TEST(GetPriority, NoFieldIsNormal) {
  EXPECT_EQ(GetPriority({"From: a", "Subject: b"}, "Priority"), 3);
  EXPECT_EQ(GetPriority({}, "Priority"), 3);
}

TEST(GetPriority, OnlyFieldNamesAndFieldStartsCount) {
  TStringList header = {"Subject: top priority: 1", " X-Priority: 1", "X-Priority: 5"};
  EXPECT_EQ(GetPriority(header, "Priority"), 5);
}

TEST(GetPartialInfo, ReadsIdNumberAndTotal) {
  TStringList header = {"Content-Type: message/partial;", " id=\"abc@host\"; number=2; total=3"};
  std::string id;
  int number = 0, total = 0;
  ASSERT_TRUE(GetPartialInfo(header, id, number, total));
  EXPECT_EQ(id, "abc@host");
  EXPECT_EQ(number, 2);
  EXPECT_EQ(total, 3);
}

TEST(GetPartialInfo, NotPartialOrNoIdIsFalse) {
  std::string id = "before";
  int number = 7, total = 8;
  EXPECT_FALSE(GetPartialInfo({"Content-Type: text/plain; id=x"}, id, number, total));
  EXPECT_FALSE(GetPartialInfo({"Content-Type: message/partial; number=1"}, id, number, total));
  EXPECT_FALSE(GetPartialInfo({"Content-Type: message/partial; id=\"\""}, id, number, total));
  EXPECT_FALSE(GetPartialInfo({"Subject: message/partial; id=x"}, id, number, total));
  EXPECT_EQ(id, "before");
  EXPECT_EQ(number, 7);
}

TEST(GetPartialInfo, NonNumericCountsAreLeftAlone) {
  std::string id;
  int number = -1, total = -1;
  ASSERT_TRUE(GetPartialInfo({"Content-Type: Message/Partial; id=x1; number=two; total=99999999999"}, id, number,
                             total));
  EXPECT_EQ(id, "x1");
  EXPECT_EQ(number, -1);
  EXPECT_EQ(total, -1);
}

}  // namespace
