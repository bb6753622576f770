#include <gtest/gtest.h>

#include <string>

#include "parser_test_util.h"
#include "quillet/message/header/mime_params.h"

namespace {

using msgdecode::GetMimeParam;
using parser_test::Crlf;
using parser_test::TDecoded;

TEST(MimeParam, PlainParametersAsGetParamReadsThem) {
  EXPECT_EQ(GetMimeParam("boundary", "multipart/mixed; boundary=\"a b\""), "a b");
  EXPECT_EQ(GetMimeParam("charset", "text/plain"), "$$Unable to Get$$");
  EXPECT_EQ(GetMimeParam("name", "application/x; name=a.bin; x*=y"), "a.bin");
}

TEST(MimeParam, ExtendedValuesArePercentDecoded) {
  EXPECT_EQ(GetMimeParam("filename", "attachment; filename*=UTF-8''%E6%8A%A5%E5%91%8A.doc"),
            "\xE6\x8A\xA5\xE5\x91\x8A.doc");
  EXPECT_EQ(GetMimeParam("boundary", "multipart/signed; boundary*=\"ansi-x3.4-1968''EeQf\""), "EeQf");
  EXPECT_EQ(GetMimeParam("charset", "text/plain; charset*=us-ascii'en'iso-8859-1"), "iso-8859-1");
  // A broken escape stays as it is.
  EXPECT_EQ(GetMimeParam("name", "x/y; name*=''100%; a"), "100%");
}

TEST(MimeParam, PiecesAreJoinedInOrder) {
  EXPECT_EQ(GetMimeParam("filename",
                         "attachment; filename*1=\"part-two\"; filename*0*=gbk''%B1%A8; filename*2*=%2Etxt"),
            "\xB1\xA8part-two.txt");
  // The extended form wins over a plain value of the same parameter.
  EXPECT_EQ(GetMimeParam("filename", "attachment; filename=\"old.txt\"; filename*=''new.txt"), "new.txt");
}

// GBK 0x955C ends in "\": inside a quoted piece it is a character, not an escape that
// would swallow the closing quote.
TEST(MimeParam, QuotedPiecesKeepDoubleByteCharactersWhole) {
  const std::string trail5C = "\x95\x5C";
  EXPECT_EQ(GetMimeParam("filename", "attachment; filename*0=\"" + trail5C + "\"; filename*1=\"b.txt\""),
            trail5C + "b.txt");
  EXPECT_EQ(GetMimeParam("filename", "attachment; filename*0=\"a\\\"q\"; filename*1=\"z\""), "a\"qz");
}

TEST(MimeParam, TextValuesAreConvertedFromTheirCharset) {
  EXPECT_EQ(msgdecode::GetMimeParamText("filename", "attachment; filename*=UTF-8''%E6%8A%A5%E5%91%8A.doc"),
            "报告.doc");
  EXPECT_EQ(msgdecode::GetMimeParamText("filename", "attachment; filename*=gb2312''%B1%A8.doc"), "报.doc");
  EXPECT_EQ(msgdecode::GetMimeParamText("filename", "attachment; filename*=x-unknown-7''a%41"), "aA");
  EXPECT_EQ(msgdecode::GetMimeParamText("filename", "attachment; filename=\"plain.txt\""), "plain.txt");
}

TEST(MimeParam, TheParserUsesThem) {
  TDecoded d(Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed;\n boundary*=\"us-ascii''b\"\n\n--b\n"
                  "Content-Type: application/octet-stream\n"
                  "Content-Disposition: attachment; filename*=gbk''%B1%A8%B8%E6.doc\n\nx\n--b--\n"));
  ASSERT_EQ(d.msg.Attachments().size(), 1u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "报告.doc");
}

}  // namespace
