// The SMTP client against a real SMTP server: tests/e2e/smtp/smtp_sink.py on loopback,
// started by ctest around this test (QUILLET_SMTP_SINK names its folder). Two composed
// messages, one with an attachment, go out in one session; the server's copies must be
// what the outbox holds with the header block rules applied, and the envelopes must
// name every recipient, the hidden ones included. The same again over implicit TLS, with
// the sink's certificate trusted by its fingerprint (nothing trusts the test CA here).
// Then each security mode and login method, a wrong password, a certificate refused then
// trusted, a required STARTTLS the server does not offer, a message above the server's
// limit, and a scripted server that splits its replies over TLS records and ends the
// session with close-notify in the middle of a reply.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <random>
#include <thread>
#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/common/stream.h"
#include "quillet/transport/raw_smtp.h"
#include "quillet/transport/transport_texts.h"
#include "tests/store/mailbox/store_test_support.h"
#include "tests/support/recording_prompts.h"
#include "tests/transport/smtp_test_support.h"

namespace {

class SmtpSinkTest : public store_test::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    const char* sink = std::getenv("QUILLET_SMTP_SINK");
    if (sink == nullptr) GTEST_SKIP() << "QUILLET_SMTP_SINK is not set: run through ctest, which starts the server";
    sink_ = std::string(sink) + "/";
    port_ = std::stoi(store_test::ReadFileBytes(sink_ + "port"));
    tlsPort_ = std::stoi(store_test::ReadFileBytes(sink_ + "port_tls"));
    fingerprint_ = store_test::ReadFileBytes(sink_ + "leaf.sha256").substr(0, 64);
    for (const char* ext : {".eml", ".env"})
      for (const std::string& name : platform::FilesWithExtension(sink_, ext)) platform::FileDelete(sink_ + name);
  }
  std::vector<std::string> Received(const char* ext) {
    std::vector<std::string> files;
    for (const std::string& name : platform::FilesWithExtension(sink_, ext))
      files.push_back(store_test::ReadFileBytes(sink_ + name));
    return files;
  }

  int PortOf(const std::string& name) { return std::stoi(store_test::ReadFileBytes(sink_ + name)); }
  void SendAndCompare(const std::string& host, int port, bool useTls);
  // One session to localhost:port with the queue; the settings come from `setup`. The
  // text of what Send raised, "" when nothing.
  std::string SendTo(int port, const std::vector<std::int32_t>& queue, const std::function<void(TRawSMTP&)>& setup,
                     std::vector<std::int32_t>& sent);

  std::string sink_;
  int port_ = 0;
  int tlsPort_ = 0;
  std::string fingerprint_;
};

std::string Attachment(const std::string& path) {
  std::mt19937 random(5);
  std::string bytes(300 * 1024, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  store_test::WriteFileBytes(path, bytes);
  return path;
}

// The sink's envelope of a stored message: the sender with SIZE= (the header block as the
// server got it and the stored body) and BODY=8BITMIME when a byte of them is 8-bit.
std::string MailFromLine(const std::string& stored, const std::string& received) {
  const std::string header = received.substr(0, received.find("\r\n\r\n") + 4);
  const std::string body = stored.substr(stored.find("\r\n\r\n") + 4);
  bool eightBit = false;
  for (char c : header + body) eightBit = eightBit || static_cast<unsigned char>(c) >= 0x80;
  return "MAIL FROM:me@example.org SIZE=" + std::to_string(header.size() + body.size()) +
         (eightBit ? " BODY=8BITMIME" : "") + "\n";
}

std::string SmtpSinkTest::SendTo(int port, const std::vector<std::int32_t>& queue,
                                 const std::function<void(TRawSMTP&)>& setup, std::vector<std::int32_t>& sent) {
  test_support::TRecordingPrompts prompts;
  try {
    TRawSMTP smtp(prompts, Base("out"), queue);
    smtp.Host = "localhost";
    smtp.Port = static_cast<std::uint16_t>(port);
    smtp.DateText = [] { return std::string(smtp_test::k_date); };
    smtp.OnSent = [&](const std::string&, std::int32_t id) { sent.push_back(id); };
    setup(smtp);
    smtp.Send();
    EXPECT_TRUE(smtp.Finished);
  } catch (const Exception& error) {
    return error.Message();
  }
  EXPECT_TRUE(prompts.shown.empty()) << prompts.shown.front();
  return "";
}

void SmtpSinkTest::SendAndCompare(const std::string& host, int port, bool useTls) {
  test_support::TRecordingPrompts prompts;
  const std::string outbox = Base("out");
  TComposeInput first = smtp_test::Input("Tom <tom@example.org>", "plain", {"Hello", ".", ".lead", "end"});
  first.CC = {"cc@example.org"};
  first.BCC = {"hidden@example.org, other@example.org"};
  TComposeInput second = smtp_test::Input("ann@example.org", "附件", {"见附件", "see attached"});
  second.Attachments = {Attachment(Base("data.bin"))};
  const std::vector<std::int32_t> ids = {smtp_test::Compose(outbox, first, prompts),
                                         smtp_test::Compose(outbox, second, prompts)};

  std::vector<std::int32_t> sent;
  {
    TRawSMTP smtp(prompts, outbox, ids);
    smtp.Host = host;
    smtp.Port = static_cast<std::uint16_t>(port);
    smtp.Security = useTls ? TMailSecurity::ImplicitTls : TMailSecurity::Plain;
    smtp.TrustedCert = fingerprint_;  // the test CA is trusted nowhere
    smtp.DateText = [] { return std::string(smtp_test::k_date); };
    smtp.OnSent = [&](const std::string& path, std::int32_t id) {
      EXPECT_EQ(path, outbox);
      sent.push_back(id);
    };
    smtp.Send();
    EXPECT_TRUE(smtp.Finished);
  }
  EXPECT_EQ(sent, ids);
  EXPECT_TRUE(prompts.shown.empty() && prompts.asked.empty());

  const std::vector<std::string> messages = Received(".eml");
  ASSERT_EQ(messages.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    const std::string expected = smtp_test::DeliveredText(smtp_test::StoredText(outbox, ids[i]));
    EXPECT_EQ(messages[i].size(), expected.size()) << "message " << i;
    EXPECT_TRUE(messages[i] == expected) << "message " << i << ":\n" << messages[i].substr(0, 2000);
  }
  EXPECT_EQ(Received(".env"),
            (std::vector<std::string>{MailFromLine(smtp_test::StoredText(outbox, ids[0]), messages[0]) +
                                          "RCPT TO:tom@example.org\nRCPT TO:cc@example.org\n"
                                          "RCPT TO:hidden@example.org\nRCPT TO:other@example.org\n",
                                      MailFromLine(smtp_test::StoredText(outbox, ids[1]), messages[1]) +
                                          "RCPT TO:ann@example.org\n"}));
}

TEST_F(SmtpSinkTest, ComposedMessagesArriveAsTheOutboxHoldsThem) { SendAndCompare("127.0.0.1", port_, false); }

// The same over implicit TLS: the data phase's ciphertext goes out through write events.
TEST_F(SmtpSinkTest, ComposedMessagesArriveOverImplicitTls) { SendAndCompare("localhost", tlsPort_, true); }

// What the server keeps between DATA and the "." line is the Date line and the stored
// text, not one line more; only a last line without its line end gets one.
TEST_F(SmtpSinkTest, ServerKeepsExactlyTheStoredLines) {
  struct TEndCase {
    const char* name;
    std::string body;
    const char* added;
  };
  const TEndCase cases[] = {
      {"ends with CR LF", "one\r\n.two\r\n", ""},
      {"ends with an empty line", "one\r\n\r\n", ""},
      {"last line without its end", "one\r\ntwo", "\r\n"},
      {"a dot without its line end", "one\r\n.", "\r\n"},
      {"no body", "", ""},
  };
  const std::string head = "From: me@example.org\r\nTo: ann@example.org\r\nSubject: end\r\n\r\n";
  std::vector<std::int32_t> ids;
  for (const TEndCase& c : cases) ids.push_back(smtp_test::AppendRaw(Base("out"), head + c.body));
  std::vector<std::int32_t> sent;
  EXPECT_EQ(SendTo(port_, ids, [](TRawSMTP&) {}, sent), "");
  EXPECT_EQ(sent, ids);
  const std::vector<std::string> messages = Received(".eml");
  ASSERT_EQ(messages.size(), std::size(cases));
  for (std::size_t i = 0; i < messages.size(); ++i)
    EXPECT_EQ(messages[i], "Date: " + std::string(smtp_test::k_date) + "\r\n" + head + cases[i].body + cases[i].added)
        << cases[i].name;
}

// Each case: the sink's port, how the client is set up, and the login the sink saw.
struct TModeCase {
  const char* name;
  const char* port;
  TMailSecurity security;
  bool auth;
  const char* login;  // the sink's "AUTH:" line, "" without a login
};

TEST_F(SmtpSinkTest, EachSecurityModeAndLoginMethodSends) {
  const TModeCase cases[] = {
      {"plain", "port", TMailSecurity::Plain, false, ""},
      {"STARTTLS, CRAM-MD5", "port_starttls", TMailSecurity::StartTls, true, "AUTH:alice CRAM-MD5\n"},
      {"STARTTLS, PLAIN", "port_plain_auth", TMailSecurity::StartTls, true, "AUTH:alice PLAIN\n"},
      {"STARTTLS, LOGIN", "port_login_auth", TMailSecurity::StartTls, true, "AUTH:alice LOGIN\n"},
      {"implicit TLS, CRAM-MD5", "port_tls", TMailSecurity::ImplicitTls, true, "AUTH:alice CRAM-MD5\n"},
  };
  test_support::TRecordingPrompts prompts;
  const std::string stored = "From: me@example.org\r\nTo: ann@example.org\r\nSubject: mode\r\n\r\n\xd6\xd0\xce\xc4\r\n";
  const std::int32_t id = smtp_test::AppendRaw(Base("out"), stored);
  for (const TModeCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string& name : platform::FilesWithExtension(sink_, ".eml")) platform::FileDelete(sink_ + name);
    for (const std::string& name : platform::FilesWithExtension(sink_, ".env")) platform::FileDelete(sink_ + name);
    std::vector<std::int32_t> sent;
    const std::string error = SendTo(PortOf(c.port), {id}, [&](TRawSMTP& smtp) {
      smtp.Security = c.security;
      smtp.TrustedCert = fingerprint_;
      smtp.UseAuth = c.auth;
      smtp.UserName = "alice";
      smtp.Password = "secret";
    }, sent);
    EXPECT_EQ(error, "");
    EXPECT_EQ(sent, (std::vector<std::int32_t>{id}));
    const std::vector<std::string> messages = Received(".eml");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], smtp_test::DeliveredText(stored));
    EXPECT_EQ(Received(".env"), (std::vector<std::string>{MailFromLine(stored, messages[0]) +
                                                          "RCPT TO:ann@example.org\n" + c.login}));
  }
}

// Each case: the port, the settings, and the start of the error; the sink gets nothing.
struct TStopCase {
  const char* name;
  const char* port;
  const char* password;
  bool trusted;
  std::string error;
};

TEST_F(SmtpSinkTest, RefusalsStopTheSendBeforeAnyMail) {
  const std::string untrusted = std::string("服务器 localhost 的证书未通过验证：证书不受信任\r\n证书指纹（SHA-256）：") + fingerprint_;
  const TStopCase cases[] = {
      {"wrong password", "port_starttls", "wrong", true,
       std::string("服务器 localhost") + k_textAuthRefused + "535 5.7.8 Authentication credentials invalid"},
      {"untrusted certificate", "port_starttls", "secret", false, untrusted},
      {"untrusted certificate, implicit TLS", "port_tls", "secret", false, untrusted},
      {"STARTTLS required but not offered", "port", "secret", true, std::string("服务器 localhost") + k_textNoStartTls},
  };
  const std::int32_t id = smtp_test::AppendRaw(Base("out"), "From: me@example.org\r\nTo: a@example.org\r\n\r\nx\r\n");
  for (const TStopCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::int32_t> sent;
    const std::string error = SendTo(PortOf(c.port), {id}, [&](TRawSMTP& smtp) {
      smtp.Security = std::string(c.port) == "port_tls" ? TMailSecurity::ImplicitTls : TMailSecurity::StartTls;
      smtp.TrustedCert = c.trusted ? fingerprint_ : std::string(64, 'A');
      smtp.UseAuth = true;
      smtp.UserName = "alice";
      smtp.Password = c.password;
    }, sent);
    EXPECT_EQ(error.substr(0, c.error.size()), c.error);
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(Received(".eml").empty());
  }
}

// The STARTTLS port takes messages up to 1,000,000 bytes: a larger one stays queued and
// the next one goes.
TEST_F(SmtpSinkTest, MessageAboveTheServersLimitIsPassedOver) {
  const std::int32_t big = smtp_test::AppendRaw(
      Base("out"), "From: me@example.org\r\nTo: a@example.org\r\nSubject: big\r\n\r\n" + std::string(1000000, 'x'));
  const std::int32_t small = smtp_test::AppendRaw(Base("out"), "From: me@example.org\r\nTo: a@example.org\r\n\r\nx\r\n");
  test_support::TRecordingPrompts prompts;
  std::vector<std::int32_t> sent;
  {
    TRawSMTP smtp(prompts, Base("out"), {big, small});
    smtp.Host = "localhost";
    smtp.Port = static_cast<std::uint16_t>(PortOf("port_starttls"));
    smtp.Security = TMailSecurity::StartTls;
    smtp.TrustedCert = fingerprint_;
    smtp.UseAuth = true;
    smtp.UserName = "alice";
    smtp.Password = "secret";
    smtp.OnSent = [&](const std::string&, std::int32_t id) { sent.push_back(id); };
    smtp.Send();
    EXPECT_TRUE(smtp.Finished);
  }
  EXPECT_EQ(sent, (std::vector<std::int32_t>{small}));
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_NE(prompts.shown[0].find("超过服务器 localhost 允许的 1000000 字节"), std::string::npos) << prompts.shown[0];
  EXPECT_EQ(Received(".eml").size(), 1u);
}

// Over TLS: the greeting and the EHLO reply come in several records some time apart (the
// SIZE keyword of a later record reaches MAIL FROM); the next reply is cut off by
// close-notify, and the server waits for the answer before it closes: the session ends
// there, well before the client's time-out. The message is not reported sent.
TEST_F(SmtpSinkTest, SplitRecordsAndCloseNotifyInTheMiddleOfAReply) {
  platform::FileDelete(sink_ + "scripted.txt");
  const std::string stored = "From: me@example.org\r\nTo: a@example.org\r\n\r\nx\r\n";
  const std::int32_t id = smtp_test::AppendRaw(Base("out"), stored);
  std::vector<std::int32_t> sent;
  const std::string error = SendTo(PortOf("port_scripted"), {id}, [&](TRawSMTP& smtp) {
    smtp.Security = TMailSecurity::ImplicitTls;
    smtp.TrustedCert = fingerprint_;
    smtp.SetTimeout(4);  // the server waits 10 s for the close-notify's answer
  }, sent);
  EXPECT_EQ(error, k_textSmtpConnectionLost);
  EXPECT_TRUE(sent.empty());
  for (int i = 0; i < 100 && !platform::FileExists(sink_ + "scripted.txt"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const std::string heard = store_test::ReadFileBytes(sink_ + "scripted.txt");
  const std::size_t size = stored.size() + std::string("Date: ").size() + std::string(smtp_test::k_date).size() + 2;
  EXPECT_EQ(heard.substr(0, 5), "EHLO ");
  EXPECT_EQ(heard.substr(heard.find('\n') + 1), "MAIL FROM: <me@example.org> SIZE=" + std::to_string(size) + "\r\n");
}

}  // namespace
