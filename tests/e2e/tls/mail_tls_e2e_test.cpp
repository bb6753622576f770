// The socket line client over implicit TLS against tests/e2e/tls/tls_peer.py (see
// tls_peer_e2e_test.cpp): a certificate nobody vouches for stops the session before the
// protocol is told it is connected, with the fingerprint in the message; the same one
// trusted by fingerprint lets the lines through, one 511-byte receive per read event.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>

#include "quillet/transport/mail_base.h"
#include "tests/e2e/tls/peer_folder.h"
#include "tests/support/recording_prompts.h"

namespace {

using tls_e2e::ReadText;

// Collects whatever the server sends, a small receive per read event as the protocols do.
class TTlsLineClient : public TMailBase {
 public:
  explicit TTlsLineClient(TUserPrompts& prompts) : TMailBase(prompts) {}
  void HostResolved() override {
    if (!CheckError()) Connect();
  }
  void Connected() override { connected = true; }
  void DataArrived() override {
    char buffer[511];
    received.append(buffer, static_cast<std::size_t>(Receive(buffer, sizeof buffer)));
    done = received.size() >= wanted.size() &&
           received.compare(received.size() - wanted.size(), wanted.size(), wanted) == 0;
  }
  void ReadyToWrite() override {}
  void ConnectionClosed() override { closed = true; }

  // Pumps until what was received ends with `tail`.
  void WaitFor(const std::string& tail) {
    wanted = tail;
    done = false;
    PumpUntil(done);
  }
  using TMailBase::PumpUntil;

  bool connected = false, closed = false, done = false;
  std::string received, wanted;
};

class MailTlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* peer = std::getenv("QUILLET_TLS_PEER");
    if (peer == nullptr) GTEST_SKIP() << "QUILLET_TLS_PEER is not set: run through ctest, which starts the server";
    folder_ = std::string(peer) + "/";
    port_ = static_cast<std::uint16_t>(std::stoi(ReadText(folder_ + "port")));
  }
  void Open(TTlsLineClient& client, const std::string& trusted) {
    client.Host = "localhost";
    client.Port = port_;
    client.UseTls = true;
    client.TrustedCert = trusted;
    client.Reset();
    client.Start();
  }

  std::string folder_;
  std::uint16_t port_ = 0;
  test_support::TRecordingPrompts prompts_;
};

TEST_F(MailTlsTest, UntrustedCertificateStopsBeforeTheProtocolStarts) {
  const std::string fingerprint = ReadText(folder_ + "leaf.sha256");
  TTlsLineClient client(prompts_);
  Open(client, std::string(64, '0'));  // another certificate is trusted
  try {
    client.WaitFor("+OK ready\r\n");
    FAIL() << "no refusal; received " << client.received;
  } catch (const EMailError& error) {
    EXPECT_EQ(error.Message(), "服务器 localhost 的证书未通过验证：证书不受信任\r\n证书指纹（SHA-256）：" + fingerprint +
                                   "\r\n如果确认这就是该服务器的证书，可以在帐户设置中信任这个指纹。");
  }
  EXPECT_FALSE(client.connected);
  EXPECT_EQ(client.received, "");
  EXPECT_EQ(client.Socket, platform::k_invalidSocket);
}

TEST_F(MailTlsTest, TrustedFingerprintCarriesTheLines) {
  std::string fingerprint = ReadText(folder_ + "leaf.sha256");
  std::string written;  // lower case, in pairs: as a user may paste it
  for (std::size_t i = 0; i < fingerprint.size(); i += 2)
    written += (i ? ":" : "") + std::string(1, static_cast<char>(std::tolower(fingerprint[i]))) +
               static_cast<char>(std::tolower(fingerprint[i + 1]));
  TTlsLineClient client(prompts_);
  Open(client, written);
  client.WaitFor("+OK ready\r\n");
  EXPECT_TRUE(client.connected);
  EXPECT_EQ(client.received, "+OK ready\r\n");

  client.received.clear();
  ASSERT_TRUE(client.SendText("BIG 100000\r\n"));
  client.WaitFor("+OK end\r\n");  // 100 KB in 511-byte receives: each needs its own event
  EXPECT_EQ(client.received.size(), 100000u + 9u);
  EXPECT_EQ(client.received.substr(0, 26), "0 a line of a long reply\r\n");

  client.received.clear();
  ASSERT_TRUE(client.SendText("QUIT\r\n"));
  client.WaitFor("+OK bye\r\n");
  client.PumpUntil(client.closed);
  EXPECT_TRUE(client.closed);
  EXPECT_EQ(client.received, "+OK bye\r\n");
}

}  // namespace
