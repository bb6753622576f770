// The plain split: messages without MIME, and any message decoded as text.
#include <gtest/gtest.h>

#include <string>

#include "parser_test_util.h"

namespace {

using parser_test::Crlf;
using parser_test::ErrorOf;
using parser_test::TDecoded;

// "Cat" uuencoded.
const std::string k_catBlock = "begin 644 cat.txt\n#0V%T\n`\nend\n";

TEST(PlainSplit, UuencodedBlockBecomesAnAttachment) {
  TDecoded d(Crlf("From: a@b\nSubject: uu\n\nHello\n" + k_catBlock + "Bye\n"));
  EXPECT_FALSE(d.msg.IsMime());
  ASSERT_EQ(d.msg.Sections().size(), 3u);
  const TMsgSection& text = d.msg.Sections()[0];
  const TMsgSection& uu = d.msg.Sections()[1];
  EXPECT_EQ(text.Kind, TTransferKind::None);
  EXPECT_EQ(d.Body(text), "\r\nHello\r\n");  // the body starts at the empty line's line end
  EXPECT_EQ(uu.Kind, TTransferKind::UUEncode);
  EXPECT_EQ(uu.FileName, "cat.txt");
  EXPECT_EQ(d.Body(uu), "begin 644 cat.txt\r\n#0V%T\r\n`\r\nend");
  EXPECT_EQ(d.Body(d.msg.Sections()[2]), "\r\nBye\r\n");
  EXPECT_EQ(d.Text(), "\r\nHello\r\n\r\nBye\r\n");
  EXPECT_EQ(d.msg.DisplayText().Bytes().back(), '\0');
  ASSERT_EQ(d.msg.Attachments().size(), 1u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "cat.txt");
  EXPECT_EQ(d.Attachment(0), "Cat");
}

TEST(PlainSplit, HeaderLinesAreThePhysicalLines) {
  std::string longLine = "X-Long: " + std::string(400, 'l');
  TDecoded d(Crlf("Subject: one\n  two\n" + longLine + "\n\nbody\n"));
  ASSERT_EQ(d.msg.HeaderLines().size(), 3u);
  EXPECT_EQ(d.msg.HeaderLines()[1], "  two");
  EXPECT_EQ(d.msg.HeaderLines()[2], longLine);  // kept whole, not cut at 255 bytes
}

TEST(PlainSplit, BlockOnTheFirstBodyLineAndBackToBackBlocks) {
  TDecoded d(Crlf("Subject: x\n\n" + k_catBlock + k_catBlock));
  ASSERT_EQ(d.msg.Attachments().size(), 2u);
  EXPECT_EQ(d.Attachment(0), "Cat");
  EXPECT_EQ(d.Attachment(1), "Cat");
  // Around the blocks: the empty line's line end, the line ends between and after them.
  EXPECT_EQ(d.Text(), "\r\n\r\n\r\n");
}

TEST(PlainSplit, ABeginLineThatOpensNoBlockIsPassedOver) {
  TDecoded d(Crlf("Subject: x\n\nbegin the meeting at ten\nsharp, please.\n" + k_catBlock));
  ASSERT_EQ(d.msg.Attachments().size(), 1u);
  EXPECT_EQ(d.Attachment(0), "Cat");
  EXPECT_EQ(d.Text(), "\r\nbegin the meeting at ten\r\nsharp, please.\r\n\r\n");
}

TEST(PlainSplit, ABlockWithoutEndIsText) {
  const std::string message = Crlf("Subject: x\n\nbegin 644 cat.txt\n#0V%T\n`\n");
  TDecoded d(message);
  EXPECT_TRUE(d.msg.Attachments().empty());
  ASSERT_EQ(d.msg.Sections().size(), 1u);
  EXPECT_EQ(d.Text(), Crlf("\nbegin 644 cat.txt\n#0V%T\n`\n"));
}

TEST(PlainSplit, UnsafeUuencodedNamesAreMadeSafe) {
  TDecoded d(Crlf("Subject: x\n\nbegin 644 ../../evil.exe\n#0V%T\n`\nend\n"));
  ASSERT_EQ(d.msg.Attachments().size(), 1u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "evil.exe");
}

TEST(PlainSplit, HeaderWithoutEmptyLineIsAnError) {
  TMemoryStream s(Crlf("Subject: x\nFrom: y\n"));
  TMsgDecode msg(&s, s.Size(), 0);
  EXPECT_EQ(ErrorOf([&] { msg.Decode(); }), "Message Format Error");
  EXPECT_EQ(msg.HeaderLines().size(), 2u);  // what was read stays
}

TEST(PlainSplit, MessageWithoutHeaderOrBody) {
  TDecoded empty(Crlf("\n"));
  EXPECT_TRUE(empty.msg.HeaderLines().empty());
  EXPECT_EQ(empty.Text(), "\r\n");
  TDecoded headerOnly(Crlf("Subject: x\n\n"));
  EXPECT_EQ(headerOnly.Text(), "\r\n");
  EXPECT_EQ(headerOnly.msg.DisplayText().Size(), 3);
}

TEST(PlainSplit, HzTextIsDecodedWhenTheCharsetSaysSo) {
  // "~{" ... "~}" runs get bit 7 set: "<R" becomes BC D2 ("家" in GBK).
  TDecoded d(Crlf("Content-Type: text/plain; charset=HZ-GB-2312\n\nA~{<R~}B\n"));
  EXPECT_EQ(d.Text(), "\r\nA\xBC\xD2" "B\r\n");
  TDecoded plain(Crlf("Subject: x\n\nA~{<R~}B\n"));
  EXPECT_EQ(plain.Text(), "\r\nA~{<R~}B\r\n");
}

TEST(PlainSplit, DecodeAsTextTreatsAMimeMessageAsOnePlainBody) {
  const std::string message = Crlf(
      "Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"b\"\n\n--b\n"
      "Content-Type: text/plain\n\nhello\n--b--\n");
  TDecoded asText(message, true);
  EXPECT_FALSE(asText.msg.IsMime());
  EXPECT_EQ(asText.Text(), Crlf("\n--b\nContent-Type: text/plain\n\nhello\n--b--\n"));
  TDecoded asMime(message);
  EXPECT_TRUE(asMime.msg.IsMime());
  EXPECT_EQ(asMime.Text(), "hello\r\n");
}

TEST(PlainSplit, MimeVersionMustBeAField) {
  // (A multipart whose body uses its boundary is split as MIME without the field.)
  TDecoded notAField(Crlf("Mime-Versionless: 1.0\nContent-Type: text/plain; boundary=b\n\n--b\n\nx\n--b--\n"));
  EXPECT_FALSE(notAField.msg.IsMime());
  TDecoded field(Crlf("MIME-Version : 1.0\n\nx\n"));
  EXPECT_TRUE(field.msg.IsMime());
}

TEST(PlainSplit, DecodingTwiceGivesTheSameResult) {
  TDecoded d(Crlf("Subject: x\n\nHello\n" + k_catBlock));
  std::string first = d.Text();
  d.msg.Decode();
  EXPECT_EQ(d.Text(), first);
  EXPECT_EQ(d.msg.Attachments().size(), 1u);
  EXPECT_EQ(d.msg.Sections().size(), 3u);
}

}  // namespace
