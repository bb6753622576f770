// Mail as real mailers write it: a blank line before Base64 data, multiparts without
// Mime-Version, uuencoded MIME parts, files saved with bare LF line ends. One small
// message per case, with the display text and the decoded attachments it must give.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "parser_test_util.h"

namespace {

using parser_test::Crlf;
using parser_test::TDecoded;

const std::string k_dashes = std::string(60, '-') + "\r\n";
const std::string k_bytes012("\x00\x01\x02", 3);
const std::string k_uuCat = "begin 644 cat.txt\n#0V%T\n`\nend\n";  // "Cat"

struct TCase {
  const char* name;
  std::string message;
  bool mime;
  std::string text;
  std::vector<std::pair<std::string, std::string>> attachments;  // file name, decoded bytes
};

const std::vector<TCase>& Cases() {
  static const std::vector<TCase> cases = {
      {"empty lines before Base64 data",
       Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=b\n\n--b\n\nIntro\n"
            "--b\nContent-Type: application/octet-stream; name=a.bin\nContent-Transfer-Encoding: base64\n\n\n\nAAEC\n"
            "--b\nContent-Type: text/plain\nContent-Transfer-Encoding: base64\n\n\nSGVsbG8=\n--b--\n"),
       true, "Intro\r\nHello", {{"a.bin", k_bytes012}}},
      {"an empty line after Base64 data still ends it",
       Crlf("Mime-Version: 1.0\nContent-Type: application/octet-stream; name=a.bin\n"
            "Content-Transfer-Encoding: base64\n\n\nAAEC\n\nnot Base64 at all!\n"),
       true, "", {{"a.bin", k_bytes012}}},
      {"multipart without Mime-Version",
       Crlf("From: a@x\nContent-Type: multipart/mixed; boundary=\"xx\"\n\npreamble\n"
            "--xx\nContent-Type: text/plain\n\nbody text\n"
            "--xx\nContent-Type: image/gif; name=p.gif\nContent-Transfer-Encoding: base64\n\nR0lG\n--xx--\n"),
       true, "body text\r\n", {{"p.GIF", "GIF"}}},
      {"nested message without Mime-Version",
       Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=b\n\n"
            "--b\nContent-Type: message/rfc822\n\n"
            "From: in@x\nSubject: inner\nContent-Type: multipart/mixed; boundary=in\n\n"
            "--in\n\ninner text\n--in\nContent-Type: application/octet-stream; name=in.bin\n"
            "Content-Transfer-Encoding: base64\n\nAAEC\n--in--\n\n--b--\n"),
       true,
       k_dashes + "From: in@x\r\nTo: \r\nSubject: inner\r\nDate: \r\n\r\ninner text\r\n" + k_dashes,
       {{"in.bin", k_bytes012}}},
      {"multipart whose boundary never appears stays plain",
       Crlf("From: a@x\nContent-Type: multipart/mixed; boundary=zz\n\njust text\n--z\n"), false,
       "\r\njust text\r\n--z\r\n", {}},
      {"multipart without boundary or Mime-Version stays plain",
       Crlf("Content-Type: multipart/mixed\n\ntext\n"), false, "\r\ntext\r\n", {}},
      {"uuencoded MIME parts under each of their names",
       Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=b\n\n"
            "--b\nContent-Type: application/octet-stream\nContent-Transfer-Encoding: x-uuencode\n\n\n" + k_uuCat +
            "\n--b\nContent-Type: application/octet-stream; name=named.bin\nContent-Transfer-Encoding: X-UUE\n\n" +
            k_uuCat + "--b\nContent-Transfer-Encoding: uuencode\n\n" + k_uuCat +
            "--b\nContent-Transfer-Encoding: x-uudecode\n\n" + k_uuCat + "--b--\n"),
       true, "", {{"cat.txt", "Cat"}, {"named.bin", "Cat"}, {"cat.txt", "Cat"}, {"cat.txt", "Cat"}}},
      {"bare LF: plain message", "Subject: x\n\nline one\nline two\n", false, "\r\nline one\r\nline two\r\n", {}},
      {"bare LF: plain message with a uuencoded block", "Subject: x\n\nHello\n" + k_uuCat + "Bye\n", false,
       "\r\nHello\r\n\r\nBye\r\n", {{"cat.txt", "Cat"}}},
      {"bare LF: multipart",
       "From: a@x\nMIME-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"b\"\n\n"
       "--b\nContent-Type: text/plain\nContent-Transfer-Encoding: quoted-printable\n\ncaf=E9 one\nsoft=\n joined\n\n"
       "--b\nContent-Type: application/octet-stream; name=\"a.bin\"\nContent-Transfer-Encoding: base64\n\nAAEC\n\n"
       "--b\nContent-Type: text/plain; name=n.txt\n\nrow1\nrow2\n"
       "--b--\n",
       true, "caf\xE9 one\r\nsoft joined\r\n", {{"a.bin", k_bytes012}, {"n.txt", "row1\r\nrow2\r\n"}}},
  };
  return cases;
}

TEST(RealMail, EachCaseGivesItsTextAndAttachments) {
  for (const TCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    TDecoded d(c.message);
    EXPECT_EQ(d.msg.IsMime(), c.mime);
    EXPECT_EQ(d.Text(), c.text);
    ASSERT_EQ(d.msg.Attachments().size(), c.attachments.size());
    for (size_t i = 0; i < c.attachments.size(); ++i) {
      EXPECT_EQ(d.msg.Attachments()[i].FileName, c.attachments[i].first) << i;
      EXPECT_EQ(d.Attachment(static_cast<int>(i)), c.attachments[i].second) << i;
    }
    EXPECT_TRUE(d.prompts.shown.empty());
  }
}

// A bare-LF message reads as its CR LF twin: the same header lines, text and attachments,
// while its sections stay views of its own bytes.
TEST(RealMail, BareLfMessageReadsAsItsCrLfTwin) {
  const std::string& lf = Cases().back().message;
  TDecoded bare(lf), twin(Crlf(lf));
  EXPECT_EQ(bare.msg.HeaderLines(), twin.msg.HeaderLines());
  EXPECT_EQ(bare.Text(), twin.Text());
  ASSERT_EQ(bare.msg.Attachments().size(), 2u);
  const TMsgSection& data = bare.msg.Attachments()[0].Section;
  EXPECT_EQ(bare.Body(data), "AAEC\n\n");
  EXPECT_EQ(data.Start, static_cast<std::int64_t>(lf.find("AAEC")));
  for (int i = 0; i < 2; ++i) EXPECT_EQ(bare.Attachment(i), twin.Attachment(i)) << i;
}

}  // namespace
