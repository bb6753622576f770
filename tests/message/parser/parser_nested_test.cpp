// Nested messages in the display text, and the bounds on nesting and on parts.
#include <gtest/gtest.h>

#include <string>

#include "parser_test_util.h"

namespace {

using parser_test::Crlf;
using parser_test::TDecoded;

const std::string k_dashes = std::string(60, '-') + "\r\n";

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

const std::string k_nested = Crlf(
    "From: \"Smith, Bob\" <bob@x>\n"
    "To: a@x,\n c@y\n"
    "Subject: Hello, world =?gb2312?B?xOO6ww==?=\n"
    "Date: Mon, 7 Dec 1998 9:05:03 +0800\n"
    "Mime-Version: 1.0\n"
    "Content-Type: multipart/mixed; boundary=inner\n\n"
    "--inner\n\ninner text\n"
    "--inner\nContent-Type: application/octet-stream; name=\"in.bin\"\nContent-Transfer-Encoding: base64\n\nAAEC\n"
    "--inner--\n");

std::string Outer(const std::string& nestedPart) {
  return Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=b\n\n--b\n\nIntro\n--b\n") + nestedPart +
         Crlf("\n--b\nContent-Type: application/pdf; name=after.pdf\n\nx\n--b\n\nOutro\n--b--\n");
}

TEST(NestedMessage, IsShownInlineWithItsHeaderLines) {
  TDecoded d(Outer(Crlf("Content-Type: message/rfc822\n\n") + k_nested));
  EXPECT_EQ(d.Text(), "Intro\r\n" + k_dashes +
                          "From: \"Smith, Bob\" <bob@x>\r\n"
                          "To: a@x\r\n"
                          " c@y\r\n"
                          "Subject: Hello, world 你好\r\n"
                          "Date: Mon, 7 Dec 1998 9:05:03 +0800\r\n"
                          "\r\n"
                          "inner text\r\n" +
                          k_dashes + "Outro\r\n");
  // The nested message's attachments come in their place in the list.
  ASSERT_EQ(d.msg.Attachments().size(), 2u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "in.bin");
  EXPECT_EQ(d.Attachment(0), std::string("\x00\x01\x02", 3));
  EXPECT_EQ(d.msg.Attachments()[1].FileName, "after.pdf");
  EXPECT_TRUE(d.prompts.shown.empty());
}

TEST(NestedMessage, MissingFieldsGiveEmptyLines) {
  TDecoded d(Outer(Crlf("Content-Type: Message/RFC822\n\nX-Other: 1\n\nplain body\n")));
  EXPECT_EQ(d.Text(), "Intro\r\n" + k_dashes + "From: \r\nTo: \r\nSubject: \r\nDate: \r\n\r\n\r\nplain body\r\n\r\n" +
                          k_dashes + "Outro\r\n");
}

TEST(NestedMessage, AttachedWithANameItIsAnAttachment) {
  TDecoded d(Outer(Crlf("Content-Type: message/rfc822; name=\"fwd.eml\"\n\n") + k_nested));
  EXPECT_EQ(d.Text(), "Intro\r\nOutro\r\n");
  ASSERT_EQ(d.msg.Attachments().size(), 2u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "fwd.eml");
  EXPECT_EQ(d.Attachment(0), k_nested + "\r\n");
}

TEST(NestedMessage, AnErrorIsShownAndDecodingGoesOn) {
  TDecoded d(Outer(Crlf("Content-Type: message/rfc822\n\nMime-Version: 1.0\nContent-Type: multipart/mixed\n\nx\n")));
  ASSERT_EQ(d.prompts.shown.size(), 1u);
  EXPECT_EQ(d.prompts.shown[0], "Error: Miltipart message format - 'boundary' not found");
  EXPECT_EQ(d.Text(), "Intro\r\nOutro\r\n");
  ASSERT_EQ(d.msg.Attachments().size(), 1u);
  EXPECT_EQ(d.msg.Attachments()[0].FileName, "after.pdf");
}

TEST(NestedMessage, WithoutPromptsTheErrorIsDropped) {
  TMemoryStream s(Outer(Crlf("Content-Type: message/rfc822\n\nSubject: no empty line")));
  TMsgDecode msg(&s, s.Size(), 0);
  msg.Decode();
  EXPECT_EQ(msg.DisplayString(), "Intro\r\nOutro\r\n");
}

// 10,000 multiparts, each the only part of the one around it.
std::string DeepMultipart(int depth) {
  std::string message = "Mime-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=b0\r\n\r\n";
  for (int i = 0; i < depth; ++i)
    message += "--b" + std::to_string(i) + "\r\nContent-Type: multipart/mixed; boundary=b" + std::to_string(i + 1) +
               "\r\n\r\n";
  message += "--b" + std::to_string(depth) + "\r\n\r\ndeep text\r\n";
  for (int i = depth; i >= 0; --i) message += "--b" + std::to_string(i) + "--\r\n";
  return message;
}

TEST(Nesting, TenThousandNestedMultipartsAreBounded) {
  TDecoded d(DeepMultipart(10000));
  ASSERT_EQ(d.msg.Sections().size(), 1u);
  const TMsgSection& kept = d.msg.Sections()[0];
  EXPECT_EQ(kept.Level, TMsgDecode::k_maxNestingLevel);
  EXPECT_EQ(kept.ContentType, "multipart/mixed");
  EXPECT_EQ(d.Body(kept).substr(0, 6), "--b64\r");
  EXPECT_NE(d.Text().find("deep text"), std::string::npos);
  // Below the bound the nesting is opened completely.
  TDecoded shallow(DeepMultipart(TMsgDecode::k_maxNestingLevel - 1));
  ASSERT_EQ(shallow.msg.Sections().size(), 1u);
  EXPECT_EQ(shallow.Text(), "deep text\r\n");
}

std::string DeepMessage(int depth) {
  std::string message;
  for (int i = 0; i < depth; ++i) message += "Mime-Version: 1.0\r\nContent-Type: message/rfc822\r\n\r\n";
  return message + "Subject: innermost\r\n\r\ndeep body\r\n";
}

TEST(Nesting, TenThousandNestedMessagesAreBounded) {
  TDecoded d(DeepMessage(10000));
  std::string text = d.Text();
  EXPECT_EQ(Count(text, k_dashes), 2u * TMsgDecode::k_maxNestingLevel);
  EXPECT_NE(text.find("Content-Type: message/rfc822"), std::string::npos);  // the rest, kept as text
  EXPECT_NE(text.find("deep body"), std::string::npos);
  EXPECT_TRUE(d.prompts.shown.empty());
  TDecoded shallow(DeepMessage(5));
  EXPECT_EQ(Count(shallow.Text(), k_dashes), 10u);
  EXPECT_NE(shallow.Text().find("Subject: innermost\r\n"), std::string::npos);
}

// Multiparts and messages taking turns: both kinds of container count.
TEST(Nesting, MixedNestingIsBoundedToo) {
  std::string message = "Mime-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=m0\r\n\r\n";
  const int depth = 10000;
  for (int i = 0; i < depth; ++i) {
    std::string b = "m" + std::to_string(i), next = "m" + std::to_string(i + 1);
    message += "--" + b + "\r\nContent-Type: message/rfc822\r\n\r\nMime-Version: 1.0\r\n" +
               "Content-Type: multipart/mixed; boundary=" + next + "\r\n\r\n";
  }
  message += "--m" + std::to_string(depth) + "\r\n\r\ncore\r\n";
  TDecoded d(message);
  EXPECT_EQ(Count(d.Text(), k_dashes), 2u * (TMsgDecode::k_maxNestingLevel / 2));
  EXPECT_NE(d.Text().find("core"), std::string::npos);
}

TEST(PartBudget, PartsBeyondTheBudgetAreKeptAsText) {
  std::string message = "Mime-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=b\r\n\r\n";
  for (int i = 0; i < 20000; ++i) message += "--b\r\n\r\np" + std::to_string(i) + "\r\n";
  message += "--b--\r\n";
  TDecoded d(message);
  ASSERT_EQ(d.msg.Sections().size(), static_cast<size_t>(TMsgDecode::k_maxParts) + 1);
  EXPECT_EQ(d.Body(d.msg.Sections()[9999]), "p9999\r\n");
  EXPECT_EQ(d.Body(d.msg.Sections().back()).substr(0, 15), "\r\np10000\r\n--b\r\n");
  EXPECT_NE(d.Text().find("p19999"), std::string::npos);
}

TEST(PartBudget, NestedMessagesShareTheBudget) {
  auto nestedWithParts = [](int parts) {
    std::string m = "Content-Type: message/rfc822\r\n\r\nMime-Version: 1.0\r\n"
                    "Content-Type: multipart/mixed; boundary=in\r\n\r\n";
    for (int i = 0; i < parts; ++i) m += "--in\r\nContent-Type: application/x; name=a.bin\r\n\r\nA\r\n";
    return m + "--in--\r\n";
  };
  std::string message = "Mime-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=out\r\n\r\n--out\r\n" +
                        nestedWithParts(6000) + "--out\r\n" + nestedWithParts(6000) + "--out--\r\n";
  TDecoded d(message);
  EXPECT_EQ(d.msg.Attachments().size(), static_cast<size_t>(TMsgDecode::k_maxParts) - 2);
  EXPECT_NE(d.Text().find("Content-Type: application/x; name=a.bin"), std::string::npos);
}

}  // namespace
