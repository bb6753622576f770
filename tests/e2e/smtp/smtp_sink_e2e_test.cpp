// The SMTP client against a real SMTP server: tests/e2e/smtp/smtp_sink.py on loopback,
// started by ctest around this test (QUILLET_SMTP_SINK names its folder). Two composed
// messages, one with an attachment, go out in one session; the server's copies must be
// what the outbox holds with the header block rules applied, and the envelopes must
// name every recipient, the hidden ones included. The same again over implicit TLS, with
// the sink's certificate trusted by its fingerprint.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/common/stream.h"
#include "quillet/transport/raw_smtp.h"
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

  void SendAndCompare(const std::string& host, int port, bool useTls);

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
    smtp.UseTls = useTls;
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
            (std::vector<std::string>{"MAIL FROM:me@example.org\nRCPT TO:tom@example.org\nRCPT TO:cc@example.org\n"
                                      "RCPT TO:hidden@example.org\nRCPT TO:other@example.org\n",
                                      "MAIL FROM:me@example.org\nRCPT TO:ann@example.org\n"}));
}

TEST_F(SmtpSinkTest, ComposedMessagesArriveAsTheOutboxHoldsThem) { SendAndCompare("127.0.0.1", port_, false); }

// The same over implicit TLS: the data phase's ciphertext goes out through write events.
TEST_F(SmtpSinkTest, ComposedMessagesArriveOverImplicitTls) { SendAndCompare("localhost", tlsPort_, true); }

}  // namespace
