// The MIME split and part parsing.
#include <gtest/gtest.h>

#include <string>

#include "parser_test_util.h"

namespace {

using parser_test::Crlf;
using parser_test::ErrorOf;
using parser_test::TDecoded;

std::string Multipart(const std::string& parts, const std::string& type = "mixed") {
  return Crlf("From: a@b\nMime-Version: 1.0\nContent-Type: multipart/" + type +
              "; boundary=\"=_b\"\n\nThis is the preamble.\n" + parts);
}

TEST(MimeSplit, SingleQuotedPrintableTextBody) {
  TDecoded d(Crlf("Mime-Version: 1.0\nContent-Type: text/plain; charset=iso-8859-1\n"
                  "Content-Transfer-Encoding: quoted-printable\n\n\nCaf=E9 au lait, soft=\n break\n\n"));
  ASSERT_EQ(d.msg.Sections().size(), 1u);
  const TMsgSection& s = d.msg.Sections()[0];
  EXPECT_EQ(s.Kind, TTransferKind::QuotedPrintable);
  EXPECT_EQ(s.ContentType, "text/plain");
  EXPECT_EQ(s.Charset, "iso-8859-1");
  EXPECT_TRUE(s.FileName.empty());
  // Leading and trailing empty lines are dropped before decoding.
  EXPECT_EQ(d.Text(), "Caf\xE9 au lait, soft break\r\n");
  EXPECT_TRUE(d.msg.Attachments().empty());
}

TEST(MimeSplit, Base64ApplicationWithoutNameIsAnAttachmentTextIsShown) {
  TDecoded d(Multipart(
      "--=_b\nContent-Type: text/plain\nContent-Transfer-Encoding: base64\n\naGVsbG8gd29ybGQ=\n"
      "--=_b\nContent-Type: application/octet-stream\nContent-Transfer-Encoding: BASE64\n\nAAEC/w==\n"
      "--=_b--\n"));
  ASSERT_EQ(d.msg.Sections().size(), 2u);
  EXPECT_EQ(d.Text(), "hello world");
  ASSERT_EQ(d.msg.Attachments().size(), 1u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "");
  EXPECT_EQ(d.msg.Attachments()[0].Section.Kind, TTransferKind::Base64);
  EXPECT_EQ(d.Attachment(0), std::string("\x00\x01\x02\xff", 4));
}

TEST(MimeSplit, Base64PicturesWithoutNameAreAttachmentsNotText) {
  TDecoded d(Multipart(
      "--=_b\nContent-Type: image/png\nContent-Transfer-Encoding: base64\nContent-ID: <pic1@x>\n\niVBORw0KGgo=\n"
      "--=_b\nContent-Type: image/gif\nContent-Transfer-Encoding: base64\n\nR0lGODlh\n"
      "--=_b--\n"));
  EXPECT_EQ(d.Text(), "");
  ASSERT_EQ(d.msg.Attachments().size(), 2u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "");
  EXPECT_EQ(d.msg.Attachments()[0].Section.ContentId, "pic1@x");
  EXPECT_EQ(d.Attachment(0), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(d.msg.Attachments()[1].FileName, "unknown.GIF");  // completed from the type
  EXPECT_EQ(d.Attachment(1), "GIF89a");
}

TEST(MimeSplit, HtmlTextWithoutNameIsTheUnknownHtmAttachment) {
  TDecoded d(Multipart(
      "--=_b\nContent-Type: text/plain\n\nplain\n"
      "--=_b\nContent-Type: text/html; charset=\"us-ascii\"\n\n<p>html</p>\n--=_b--\n",
      "alternative"));
  EXPECT_EQ(d.Text(), "plain\r\n");
  ASSERT_EQ(d.msg.Attachments().size(), 1u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "unknown.HTM");
  EXPECT_EQ(d.msg.Attachments()[0].Section.ContentType, "text/html");
  EXPECT_EQ(d.msg.Attachments()[0].Section.Charset, "us-ascii");
  EXPECT_EQ(d.Attachment(0), "<p>html</p>\r\n");
}

TEST(MimeSplit, FileNames) {
  TDecoded d(Multipart(
      "--=_b\nContent-Type: application/pdf; name=\"C:\\docs\\a.pdf\"\n\nx\n"
      "--=_b\nContent-Type: application/pdf; name=\"a.pdf\"\nContent-Disposition: attachment;\n"
      " filename=\"b.pdf\"\n\nx\n"
      "--=_b\nContent-Type: application/octet-stream;\n name=\"=?gb2312?B?sai45i5kb2M=?=\"\n\nx\n"
      "--=_b\nContent-Type: application/octet-stream\nContent-Disposition: attachment; "
      "filename=\"../../x.exe\"\n\nx\n"
      "--=_b\nContent-Type: text/plain; name=\"CON.txt\"\n\nx\n"
      "--=_b\nContent-Type: image/jpeg; name=\"photo.jpeg\"\n\nx\n"
      "--=_b\nContent-Type: application/pdf; name=\"=?gb2312?B?us/NrC5wZGY=?=\"\n\nx\n"
      "--=_b--\n"));
  ASSERT_EQ(d.msg.Attachments().size(), 7u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "a.pdf");
  EXPECT_EQ(d.msg.Attachments()[1].FileName, "b.pdf");
  EXPECT_EQ(d.msg.Attachments()[2].FileName, "报告.doc");  // a Base64 encoded word
  EXPECT_EQ(d.msg.Attachments()[3].FileName, "x.exe");
  EXPECT_EQ(d.msg.Attachments()[4].FileName, "_CON.txt");
  EXPECT_EQ(d.msg.Attachments()[5].FileName, "photo.JPG");  // the type's extension
  EXPECT_EQ(d.msg.Attachments()[6].FileName, "合同.pdf");  // its Base64 text holds a "/"
  EXPECT_EQ(d.Text(), "");
}

TEST(MimeSplit, PartFieldsAndRanges) {
  const std::string message = Multipart(
      "--=_b\nContent-Type: Text/Plain; charset=GB2312; format=flowed\nContent-ID: <id-1@host>\n"
      "Content-Transfer-Encoding: 8bit\n\nline one\nline two\n--=_b--\nepilogue\n");
  TDecoded d(message);
  ASSERT_EQ(d.msg.Sections().size(), 1u);
  const TMsgSection& s = d.msg.Sections()[0];
  EXPECT_EQ(s.Kind, TTransferKind::None);
  EXPECT_EQ(s.ContentType, "Text/Plain");
  EXPECT_EQ(s.Charset, "GB2312");
  EXPECT_EQ(s.ContentId, "id-1@host");
  EXPECT_EQ(s.Level, 1);
  EXPECT_EQ(s.Start, static_cast<std::int64_t>(message.find("line one")));
  EXPECT_EQ(d.Body(s), "line one\r\nline two\r\n");  // the line end before the delimiter included
  EXPECT_EQ(d.Text(), "line one\r\nline two\r\n");  // no preamble, no epilogue
  TDecoded bare(Multipart("--=_b\n\nbare\n--=_b--\n"));
  EXPECT_EQ(bare.msg.Sections().at(0).ContentType, "");
  EXPECT_EQ(bare.msg.Sections().at(0).Charset, "$$Unable to Get$$");
}

TEST(MimeSplit, DelimiterWithMoreCharactersDoesNotSplit) {
  TDecoded d(Multipart("--=_b\n\none\n--=_bx\ntwo\n--=_b-\n--=_b  \n\nthree\n--=_b--  \n\nignored\n"));
  ASSERT_EQ(d.msg.Sections().size(), 2u);
  EXPECT_EQ(d.Text(), Crlf("one\n--=_bx\ntwo\n--=_b-\nthree\n"));
}

// The first delimiter is the first line that begins with it; only the later ones must
// match the whole line.
TEST(MimeSplit, OpeningDelimiterLineMayGoOnWithMoreCharacters) {
  TDecoded d(Multipart("--=_b (first part)\n\nA\n--=_bx\n--=_b\n\nB\n--=_b--\n"));
  ASSERT_EQ(d.msg.Sections().size(), 2u);
  EXPECT_EQ(d.Text(), Crlf("A\n--=_bx\nB\n"));
  TDecoded closing(Multipart("--=_b--\n\nnot a part\n"));
  EXPECT_TRUE(closing.msg.Sections().empty());
}

// Only the type/subtype makes a container: a parameter that mentions "multipart" does
// not, and such a part is no boundary error.
TEST(MimeSplit, ParametersMentioningMultipartMakeNoContainer) {
  TDecoded d(Multipart(
      "--=_b\nContent-Type: text/plain; name=\"multipart.txt\"\n\nnamed\n"
      "--=_b\nContent-Type: text/plain; format=\"not-multipart\"\n\nshown\n--=_b--\n"));
  ASSERT_EQ(d.msg.Attachments().size(), 1u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "multipart.txt");
  EXPECT_EQ(d.Attachment(0), "named\r\n");
  EXPECT_EQ(d.Text(), "shown\r\n");
  TDecoded top(Crlf("Mime-Version: 1.0\nContent-Type: application/octet-stream; name=multipart.bin\n\nx\n"));
  ASSERT_EQ(top.msg.Attachments().size(), 1u);
  EXPECT_EQ(top.msg.Attachments()[0].FileName, "multipart.bin");
  // Any case, with or without a subtype.
  TDecoded bare(Crlf("Mime-Version: 1.0\nContent-Type: MultiPart; boundary=x\n\n--x\n\nin\n--x--\n"));
  EXPECT_EQ(bare.Text(), "in\r\n");
}

TEST(MimeSplit, NestedMultipartsAreSplitToTheirParts) {
  TDecoded d(Multipart(
      "--=_b\nContent-Type: multipart/mixed; boundary=inner\n\n--inner\n\nA\n--inner\n\nB\n--inner--\n"
      "--=_b\nContent-Type: multipart/alternative; boundary=\"=_b.2\"\n\npre\n--=_b.2\n\nC\n--=_b.2--\npost\n"
      "--=_b\n\nD\n--=_b--\n"));
  ASSERT_EQ(d.msg.Sections().size(), 4u);
  EXPECT_EQ(d.Text(), Crlf("A\nB\nC\nD\n"));
  EXPECT_EQ(d.msg.Sections()[0].Level, 2);
  EXPECT_EQ(d.msg.Sections()[3].Level, 1);
}

TEST(MimeSplit, MissingClosingDelimiterEndsAtTheMessageEnd) {
  TDecoded d(Multipart("--=_b\n\nfirst\n--=_b\nContent-Transfer-Encoding: base64\n\nTGFzdA==\n"));
  ASSERT_EQ(d.msg.Sections().size(), 2u);
  EXPECT_EQ(d.Text(), "first\r\nLast");
}

TEST(MimeSplit, EmptyPartsAndBodiesWithoutParts) {
  TDecoded empty(Multipart("--=_b\n--=_b\n\ntext\n--=_b--\n"));
  EXPECT_EQ(empty.msg.Sections().size(), 1u);
  EXPECT_EQ(empty.Text(), "text\r\n");
  // A multipart body without any delimiter line is still shown, as it stands.
  TDecoded preambleOnly(Multipart("no delimiter here\n"));
  ASSERT_EQ(preambleOnly.msg.Sections().size(), 1u);
  EXPECT_EQ(preambleOnly.Text(), "This is the preamble.\r\nno delimiter here\r\n");
  TDecoded closedAtOnce(Multipart("--=_b--\n--=_b\n\nafter the end\n"));
  EXPECT_TRUE(closedAtOnce.msg.Sections().empty());
}

TEST(MimeSplit, DelimiterOnTheFirstBodyLine) {
  TDecoded d(Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=x\n\n--x\n\nfirst\n--x--\n"));
  ASSERT_EQ(d.msg.Sections().size(), 1u);
  EXPECT_EQ(d.Text(), "first\r\n");
}

TEST(MimeSplit, ErrorTexts) {
  auto decode = [](const std::string& message) {
    return ErrorOf([&] { TDecoded d(message); });
  };
  EXPECT_EQ(decode(Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed\n\nx\n")),
            "Error: Miltipart message format - 'boundary' not found");
  EXPECT_EQ(decode(Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"\"\n\nx\n")),
            "Error: Miltipart message format - 'boundary' not found");
  EXPECT_EQ(decode(Multipart("--=_b\nContent-Type: multipart/mixed\n\n--x\n--=_b--\n")),
            "Error: Miltipart message format - 'boundary' not found");
  EXPECT_EQ(decode(Multipart("--=_b\nContent-Type: text/plain\n--=_b--\n")), "Message format error");
  EXPECT_EQ(decode(Crlf("Mime-Version: 1.0\nContent-Type: text/plain\n")), "Message format error");
  try {
    TDecoded d(Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed\n\nx\n"));
    ADD_FAILURE();
  } catch (const EMsgDecodeError&) {
  }
}

TEST(MimeSplit, PartErrorKeepsWhatWasParsed) {
  TMemoryStream s(Multipart("--=_b\n\nfine\n--=_b\nContent-Type: text/plain\n--=_b--\n"));
  TMsgDecode msg(&s, s.Size(), 0);
  EXPECT_EQ(ErrorOf([&] { msg.Decode(); }), "Message format error");
  EXPECT_EQ(msg.Sections().size(), 1u);
  EXPECT_EQ(msg.HeaderLines().size(), 3u);
}

TEST(MimeSplit, HzTextParts) {
  TDecoded d(Multipart(
      "--=_b\nContent-Type: text/plain; charset=hz-gb-2312\n\n~{<R~}\n"
      "--=_b\nContent-Type: text/plain; charset=HZ-GB-2312\nContent-Transfer-Encoding: base64\n\nfns8Un59\n"
      "--=_b\nContent-Type: text/plain; charset=HZ\nContent-Transfer-Encoding: quoted-printable\n\n~{<R~}=\n\n"
      "--=_b\nContent-Type: text/plain; charset=us-ascii\n\n~{<R~}\n--=_b--\n"));
  EXPECT_EQ(d.Text(), "家\r\n家家~{<R~}\r\n");
}

}  // namespace
