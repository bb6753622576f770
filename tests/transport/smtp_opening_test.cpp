// The pieces of the SMTP opening without a socket: replies gathered across reads, what an
// EHLO reply announces, and the login answers of each method (the published examples).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillet/transport/mail_base.h"
#include "quillet/transport/smtp_auth.h"
#include "quillet/transport/smtp_capabilities.h"
#include "quillet/transport/smtp_reply.h"

namespace {

TEST(SmtpReplyReader, RepliesGatheredWhateverTheReadsCutThem) {
  struct Case {
    const char* name;
    std::vector<std::string> reads;
    std::vector<std::string> replies;  // the lines of each complete reply, joined by "|"
    std::string lastText;              // of the last reply
  };
  const Case cases[] = {
      {"one line", {"250 ok\r\n"}, {"250 ok"}, "ok"},
      {"cut inside a line", {"25", "0 o", "k\r\n"}, {"250 ok"}, "ok"},
      {"several lines, cut anywhere", {"250-a\r\n250-SI", "ZE 10\r", "\n250 HELP\r\n"}, {"250-a|250-SIZE 10|250 HELP"}, "HELP"},
      {"bare LF ends", {"220-x\n220 y\n"}, {"220-x|220 y"}, "y"},
      {"two replies in one read", {"334 VXNlcm5hbWU6\r\n235 done\r\n"}, {"334 VXNlcm5hbWU6", "235 done"}, "done"},
      {"code only", {"250\r\n"}, {"250"}, ""},
      {"incomplete", {"250-a\r\n250 b"}, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSmtpReplyReader reader;
    std::vector<std::string> got;
    TSmtpReply reply;
    for (const std::string& read : c.reads) {
      reader.Add(read.data(), read.size());
      while (reader.Next(reply)) {
        std::string joined;
        for (const std::string& line : reply.lines) joined += (joined.empty() ? "" : "|") + line;
        got.push_back(joined);
      }
    }
    EXPECT_EQ(got, c.replies);
    if (!got.empty()) {
      EXPECT_EQ(reply.LastText(), c.lastText);
    }
  }
  TSmtpReply refusal{{"550-no", "550 such user"}};
  EXPECT_EQ(refusal.Text(), "550-no\r\n550 such user\r\n");
  EXPECT_EQ(refusal.Kind(), '5');
  EXPECT_FALSE(refusal.Positive());
}

TEST(SmtpReplyReader, EndlessReplyIsRefused) {
  TSmtpReplyReader reader;
  const std::string line = "250-" + std::string(1000, 'x') + "\r\n";
  TSmtpReply reply;
  EXPECT_THROW(
      for (std::size_t sent = 0; sent <= TSmtpReplyReader::k_maxReply; sent += line.size()) {
        reader.Add(line.data(), line.size());
        EXPECT_FALSE(reader.Next(reply));
      },
      EMailError);
}

TEST(SmtpCapabilities, EhloKeywordsAndTheStrongestLogin) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    bool startTls, eightBit, size;
    std::int64_t limit;
    TSmtpAuthMethod strongest;
  };
  const Case cases[] = {
      {"greeting line only", {"250 mail.example.org"}, false, false, false, 0, TSmtpAuthMethod::None},
      {"everything, mixed case",
       {"250-mail.example.org hello", "250-size 35882577", "250-8bitmime", "250-StartTLS",
        "250 AUTH login PLAIN CRAM-md5"},
       true, true, true, 35882577, TSmtpAuthMethod::CramMd5},
      {"SIZE without a limit; PLAIN beats LOGIN", {"250-x", "250-SIZE", "250 AUTH LOGIN PLAIN"}, false, false, true,
       0, TSmtpAuthMethod::Plain},
      {"the older AUTH= form, unknown methods passed over", {"250-x", "250-AUTH=LOGIN XOAUTH2", "250 HELP"}, false,
       false, false, 0, TSmtpAuthMethod::Login},
      {"a keyword in the greeting line counts for nothing", {"250-STARTTLS ready", "250 HELP"}, false, false, false,
       0, TSmtpAuthMethod::None},
      {"a limit that is no number", {"250-x", "250 SIZE 12abc"}, false, false, true, 0, TSmtpAuthMethod::None},
      {"only unknown methods", {"250-x", "250 AUTH GSSAPI NTLM"}, false, false, false, 0, TSmtpAuthMethod::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TSmtpCapabilities caps = ParseEhloReply(TSmtpReply{c.lines});
    EXPECT_EQ(caps.startTls, c.startTls);
    EXPECT_EQ(caps.eightBitMime, c.eightBit);
    EXPECT_EQ(caps.size, c.size);
    EXPECT_EQ(caps.sizeLimit, c.limit);
    EXPECT_EQ(caps.StrongestAuth(), c.strongest);
  }
  EXPECT_STREQ(AuthMethodName(TSmtpAuthMethod::CramMd5), "CRAM-MD5");
}

TEST(SmtpAuth, LoginAnswersOfEachMethod) {
  EXPECT_EQ(AuthPlainAnswer("tim", "tanstaaftanstaaf"), "AHRpbQB0YW5zdGFhZnRhbnN0YWFm");
  EXPECT_EQ(AuthLoginAnswer("tim"), "dGlt");
  std::string answer;
  ASSERT_TRUE(CramMd5Answer("tim", "tanstaaftanstaaf", "PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+",
                            answer));
  EXPECT_EQ(answer, "dGltIGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw");
  EXPECT_FALSE(CramMd5Answer("tim", "x", "not base64!", answer));
}

}  // namespace
