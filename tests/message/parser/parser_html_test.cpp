// HTML bodies in the display text of messages without a plain-text body.
#include <gtest/gtest.h>

#include <string>

#include "parser_test_util.h"

namespace {

using parser_test::Crlf;
using parser_test::TDecoded;

const char* const k_head = "From: a@b\nMime-Version: 1.0\n";

std::string Multipart(const std::string& type, const std::string& parts) {
  return Crlf(std::string(k_head) + "Content-Type: multipart/" + type + "; boundary=b\n\n" + parts + "--b--\n");
}

struct THtmlMessage {
  const char* what;
  std::string message;
  std::string text;          // the display text
  std::size_t attachments;   // the HTML body stays one of them
};

TEST(HtmlBody, RenderedWhenThereIsNoPlainText) {
  const THtmlMessage cases[] = {
      {"single HTML body",
       Crlf(std::string(k_head) + "Content-Type: text/html\n\n<html><body><p>Hi &amp; bye</p></body></html>\n"),
       "Hi & bye\r\n", 1},
      {"related with a picture",
       Multipart("related", "--b\nContent-Type: text/html; charset=gb2312\n\n<div>你好</div><img src=cid:x>\n"
                            "--b\nContent-Type: image/gif\nContent-Transfer-Encoding: base64\n\nR0lGODlh\n"),
       "你好\r\n", 2},
      {"quoted-printable UTF-8",
       Crlf(std::string(k_head) + "Content-Type: text/html; charset=utf-8\nContent-Transfer-Encoding: quoted-printable\n\n"
                                  "<p>=E4=B8=AD=E6=96=87</p>\n"),
       "中文\r\n", 1},
      {"Base64 with the charset in the HTML head",
       // <meta charset="utf-8"><p>中</p>
       Crlf(std::string(k_head) + "Content-Type: text/html\nContent-Transfer-Encoding: base64\n\n"
                                  "PG1ldGEgY2hhcnNldD0idXRmLTgiPjxwPuS4rTwvcD4=\n"),
       "中\r\n", 1},
      {"alternative of HTML alone",
       Multipart("alternative", "--b\nContent-Type: text/html\n\n<p>only</p>\n"), "only\r\n", 1},
  };
  for (const THtmlMessage& c : cases) {
    TDecoded d(c.message);
    EXPECT_EQ(d.Text(), c.text) << c.what;
    ASSERT_EQ(d.msg.Attachments().size(), c.attachments) << c.what;
    EXPECT_EQ(d.msg.Attachments()[0].FileName, "unknown.HTM") << c.what;
    EXPECT_EQ(d.msg.Attachments()[0].Section.ContentType, "text/html") << c.what;
  }
}

TEST(HtmlBody, NotRenderedBesideAPlainTextBody) {
  const THtmlMessage cases[] = {
      {"alternative", Multipart("alternative", "--b\nContent-Type: text/plain\n\nplain\n"
                                               "--b\nContent-Type: text/html\n\n<p>html</p>\n"),
       "plain\r\n", 1},
      {"alternative inside mixed",
       Multipart("mixed", "--b\nContent-Type: multipart/alternative; boundary=c\n\n"
                          "--c\nContent-Type: text/plain\n\nplain\n--c\nContent-Type: text/html\n\n<p>html</p>\n--c--\n"
                          "--b\nContent-Type: application/pdf; name=a.pdf\n\n%PDF\n"),
       "plain\r\n", 2},
      {"a body without a type is plain text",
       Multipart("mixed", "--b\n\nuntyped\n--b\nContent-Type: text/html\n\n<p>html</p>\n"), "untyped\r\n", 1},
      {"a named HTML file is an attachment only",
       Multipart("mixed", "--b\nContent-Type: text/html; name=page.html\n\n<p>html</p>\n"), "", 1},
  };
  for (const THtmlMessage& c : cases) {
    TDecoded d(c.message);
    EXPECT_EQ(d.Text(), c.text) << c.what;
    EXPECT_EQ(d.msg.Attachments().size(), c.attachments) << c.what;
  }
}

TEST(HtmlBody, AForwardedHtmlMessageIsRenderedInside) {
  TDecoded d(Multipart("mixed", "--b\nContent-Type: text/plain\n\nsee below\n"
                                "--b\nContent-Type: message/rfc822\n\nFrom: c@d\nSubject: s\nMime-Version: 1.0\n"
                                "Content-Type: text/html\n\n<p>inner</p>\n"));
  const std::string text = d.Text();
  EXPECT_EQ(text.find("see below\r\n"), 0u);
  EXPECT_NE(text.find("\r\n\r\ninner\r\n" + std::string(60, '-')), std::string::npos) << text;
  ASSERT_EQ(d.msg.Attachments().size(), 1u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "unknown.HTM");
}

// Rendering is an addition: a body it cannot decode changes nothing else.
TEST(HtmlBody, UndecodableHtmlStaysAnAttachmentAndTheMessageIsShown) {
  TDecoded d(Multipart("related", "--b\nContent-Type: text/html\nContent-Transfer-Encoding: base64\n\n*not base64*\n"
                                  "--b\nContent-Type: image/gif; name=x.gif\nContent-Transfer-Encoding: base64\n\nR0lG\n"));
  EXPECT_EQ(d.Text(), "");
  ASSERT_EQ(d.msg.Attachments().size(), 2u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "unknown.HTM");
}

}  // namespace
