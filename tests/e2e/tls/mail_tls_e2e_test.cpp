// The socket line client over TLS against tests/e2e/tls/tls_peer.py (see
// tls_peer_e2e_test.cpp): a certificate that does not pass stops the session before the
// protocol is told it is connected, with the reason and the fingerprint in the message,
// unless it is the one trusted by fingerprint; then the lines go through, one 511-byte
// receive per read event. The in-place upgrade is judged the same way, and what the server
// sends between its go-ahead and the handshake never reaches the protocol.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>

#include "quillet/transport/mail_base.h"
#include "quillet/transport/pop3.h"
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

// Plain at first: answers the greeting with `command` and upgrades in place on "+OK begin",
// with `early` as if it had come in the same read as the go-ahead.
class TUpgradingClient : public TTlsLineClient {
 public:
  using TTlsLineClient::TTlsLineClient;
  void DataArrived() override {
    if (upgraded) return TTlsLineClient::DataArrived();
    std::string line;
    if (!ReadLine(line)) return;
    plainLines += line;
    if (line == "+OK ready\r\n") {
      SendText(command + "\r\n");
    } else if (line == "+OK begin\r\n") {
      LineBuffer += early;
      UpgradeToTls();
    }
  }
  void TlsUpgraded() override { upgraded = true; }

  std::string command = "STLS", early, plainLines;
  bool upgraded = false;
};

class MailTlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* peer = std::getenv("QUILLET_TLS_PEER");
    if (peer == nullptr) GTEST_SKIP() << "QUILLET_TLS_PEER is not set: run through ctest, which starts the server";
    folder_ = std::string(peer) + "/";
  }
  void Open(TTlsLineClient& client, const std::string& certificate, const std::string& trusted) {
    client.Host = "localhost";
    client.Port = static_cast<std::uint16_t>(std::stoi(ReadText(folder_ + "port_" + certificate)));
    client.UseTls = certificate.compare(0, 8, "upgrade_") != 0;
    client.TrustedCert = trusted;
    client.Reset();
    client.Start();
  }

  std::string folder_;
  test_support::TRecordingPrompts prompts_;
};

TEST_F(MailTlsTest, CertificateThatDoesNotPassStopsBeforeTheProtocolStarts) {
  struct Case {
    const char* certificate;
    const char* reason;
  };
  const Case cases[] = {{"stranger", "证书不受信任"}, {"expired", "证书已过期"}, {"othername", "证书与服务器名称不符"}};
  for (const Case& c : cases) {
    const std::string fingerprint = ReadText(folder_ + c.certificate + ".sha256");
    TTlsLineClient client(prompts_);
    Open(client, c.certificate, std::string(64, '0'));  // another certificate is trusted
    try {
      client.WaitFor("+OK ready\r\n");
      ADD_FAILURE() << c.certificate << ": no refusal; received " << client.received;
    } catch (const EMailError& error) {
      EXPECT_EQ(error.Message(), std::string("服务器 localhost 的证书未通过验证：") + c.reason +
                                     "\r\n证书指纹（SHA-256）：" + fingerprint +
                                     "\r\n如果确认这就是该服务器的证书，可以在帐户设置中信任这个指纹。");
    }
    EXPECT_FALSE(client.connected) << c.certificate;
    EXPECT_EQ(client.received, "") << c.certificate;
    EXPECT_EQ(client.Socket, platform::k_invalidSocket) << c.certificate;
  }
}

// A valid certificate needs no trust of its own.
TEST_F(MailTlsTest, ValidCertificateNeedsNoFingerprint) {
  TTlsLineClient client(prompts_);
  Open(client, "leaf", "");
  client.WaitFor("+OK ready\r\n");
  EXPECT_TRUE(client.connected);
}

TEST_F(MailTlsTest, TrustedFingerprintCarriesTheLines) {
  std::string fingerprint = ReadText(folder_ + "stranger.sha256");
  std::string written;  // lower case, in pairs: as a user may paste it
  for (std::size_t i = 0; i < fingerprint.size(); i += 2)
    written += (i ? ":" : "") + std::string(1, static_cast<char>(std::tolower(fingerprint[i]))) +
               static_cast<char>(std::tolower(fingerprint[i + 1]));
  TTlsLineClient client(prompts_);
  Open(client, "stranger", written);
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

// The in-place upgrade, its records trickling in a few bytes at a time.
TEST_F(MailTlsTest, UpgradeInPlaceIsJudgedLikeImplicitTlsAndTakesNoPlainBytesAfterTheGoAhead) {
  const std::string refused = "服务器 localhost 的证书未通过验证：证书不受信任\r\n证书指纹（SHA-256）：" +
                              ReadText(folder_ + "stranger.sha256") +
                              "\r\n如果确认这就是该服务器的证书，可以在帐户设置中信任这个指纹。";
  const std::string broken = "与服务器 localhost 建立安全连接失败：";
  struct Case {
    const char* certificate;
    std::string trusted, command, early;
    std::string error;  // the start of the refusal; empty: the upgrade goes through
  };
  const Case cases[] = {
      {"leaf", "", "STLS", "", ""},
      {"stranger", "", "STLS", "", refused},
      {"stranger", ReadText(folder_ + "stranger.sha256"), "STLS", "", ""},
      {"leaf", "", "STLS JUNK", "", broken},             // a plain line after the go-ahead
      {"leaf", "", "STLS", "+OK injected\r\n", broken},  // in the go-ahead's read
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.certificate) + " " + c.command + " " + c.early);
    TUpgradingClient client(prompts_);
    client.command = c.command;
    client.early = c.early;
    client.SetTimeout(10);
    Open(client, std::string("upgrade_") + c.certificate, c.trusted);
    try {
      client.PumpUntil(client.upgraded);
      EXPECT_EQ(c.error, "") << "no refusal";
    } catch (const EMailError& error) {
      EXPECT_EQ(error.Message().substr(0, c.error.size()), c.error);
      EXPECT_NE(c.error, "") << error.Message();
    }
    EXPECT_EQ(client.plainLines, "+OK ready\r\n+OK begin\r\n");
    EXPECT_TRUE(prompts_.shown.empty());
    if (!c.error.empty()) {
      EXPECT_FALSE(client.upgraded);
      EXPECT_EQ(client.received, "");
      EXPECT_EQ(client.Socket, platform::k_invalidSocket);
      continue;
    }
    ASSERT_TRUE(client.upgraded);
    ASSERT_TRUE(client.SendText("HELLO\r\n"));
    client.WaitFor("\r\n");
    EXPECT_EQ(client.received, "ECHO HELLO\r\n");
    client.received.clear();
    ASSERT_TRUE(client.SendText("QUIT\r\n"));
    client.WaitFor("+OK bye\r\n");
    client.PumpUntil(client.closed);
    EXPECT_EQ(client.received, "+OK bye\r\n");
  }
}

// A server that goes silent once the TLS session stands (after the greeting, or after the
// in-place upgrade) ends the session at the time-out.
TEST_F(MailTlsTest, SilenceOverTlsEndsTheSessionAtTheTimeOut) {
  for (const bool upgrade : {false, true}) {
    SCOPED_TRACE(upgrade ? "upgraded in place" : "implicit");
    prompts_ = test_support::TRecordingPrompts();
    TUpgradingClient client(prompts_);
    client.upgraded = !upgrade;  // implicit TLS: the lines go straight to the collector
    client.SetTimeout(2);
    Open(client, upgrade ? "upgrade_leaf" : "leaf", "");
    upgrade ? client.PumpUntil(client.upgraded) : client.WaitFor("+OK ready\r\n");
    ASSERT_TRUE(client.upgraded && prompts_.shown.empty());
    client.WaitFor("never sent");
    EXPECT_TRUE(client.TimedOut);
    EXPECT_EQ(client.Socket, platform::k_invalidSocket);
    EXPECT_EQ(prompts_.shown, std::vector<std::string>{"网络失败：操作超时。"});
  }
}

// The POP3 client either way, with certificates the test CA vouches for but that do not
// fit: refused before the login, whatever the server would have said next.
TEST_F(MailTlsTest, Pop3RefusesAWrongNameOrAnExpiredCertificateBeforeTheLogin) {
  struct Case {
    const char* certificate;
    const char* reason;
  };
  const Case cases[] = {{"othername", "证书与服务器名称不符"}, {"expired", "证书已过期"}};
  for (const Case& c : cases) {
    for (const TMailSecurity security : {TMailSecurity::StartTls, TMailSecurity::ImplicitTls}) {
      const bool upgrade = security == TMailSecurity::StartTls;
      SCOPED_TRACE(std::string(c.certificate) + (upgrade ? " STLS" : " implicit"));
      TPOP3 pop(prompts_);
      pop.Reset();
      pop.Host = "localhost";
      pop.Port = static_cast<std::uint16_t>(
          std::stoi(ReadText(folder_ + (upgrade ? "port_upgrade_" : "port_") + c.certificate)));
      pop.Security = security;
      pop.UserName = "alice";
      pop.Password = "secret";
      std::vector<std::string> commands;
      pop.OnCommandChange = [&](TMailBase&, const std::string& text) { commands.push_back(text); };
      try {
        pop.DoOperation(TPOP3::TMode::FetchNew);
        ADD_FAILURE() << "no refusal";
      } catch (const EMailError& error) {
        EXPECT_EQ(error.Message().substr(0, error.Message().find("\r\n")),
                  std::string("服务器 localhost 的证书未通过验证：") + c.reason);
      }
      EXPECT_EQ(commands.back(), upgrade ? "STLS" : "127.0.0.1: " + std::to_string(pop.Port));
      EXPECT_TRUE(prompts_.shown.empty());
    }
  }
}

}  // namespace
