// The POP3 client against a real server: ctest starts a private Dovecot on loopback
// (tests/e2e/pop3_peer.sh) seeded with three messages and names its port file in
// QUILLET_POP3_PEER; the same test runs natively and under Wine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/common/stream.h"
#include "quillet/transport/mail_security.h"
#include "quillet/transport/pop3.h"
#include "quillet/transport/uidl_file.h"
#include "tests/support/recording_prompts.h"

namespace {

struct TReceived {
  std::vector<std::string> commands;  // as shown through OnCommandChange
  std::vector<std::string> texts;     // the delivered messages
  TStringList seenAfter;
  std::int32_t messageCount = -1;
  bool finished = false;
};

// TLS to "localhost" with the server's certificate trusted by its fingerprint.
struct TTls {
  std::string trustedCert;
  TMailSecurity security = TMailSecurity::ImplicitTls;
};

// A session as the receive run makes it: user "alice", the password given.
void Prepare(TPOP3& pop, std::uint16_t port, const TTls* tls, const std::string& password = "secret") {
  pop.Reset();
  pop.Host = tls ? "localhost" : "127.0.0.1";
  pop.Port = port;
  if (tls) {
    pop.Security = tls->security;
    pop.TrustedCert = tls->trustedCert;
  }
  pop.UserName = "alice";
  pop.Password = password;
}

TReceived Receive(std::uint16_t port, const std::string& seenFile, bool leaveOnServer, const TTls* tls = nullptr) {
  test_support::TRecordingPrompts prompts;
  TPOP3 pop(prompts);
  Prepare(pop, port, tls);
  pop.LeaveOnServer = leaveOnServer;
  pop.SeenIds = LoadUidlFile(seenFile);
  pop.SeenFilePath = seenFile;
  TReceived got;
  pop.OnCommandChange = [&](TMailBase&, const std::string& text) { got.commands.push_back(text); };
  pop.OnMessage = [&](TPOP3&, TMailMessage& m) {
    std::string text(static_cast<std::size_t>(m.Stream->Size()), '\0');
    m.Stream->ReadBuffer(&text[0], static_cast<std::int32_t>(text.size()));
    got.texts.push_back(text);
  };
  pop.DoOperation(TPOP3::TMode::FetchNew);
  EXPECT_TRUE(prompts.shown.empty()) << prompts.shown.front();
  got.seenAfter = LoadUidlFile(seenFile);
  got.messageCount = pop.MessageCount;
  got.finished = pop.Finished;
  return got;
}

// The fixture's folder and ports: plain (with STLS) and implicit TLS.
struct TPeer {
  std::string folder;
  std::uint16_t plainPort = 0, tlsPort = 0;
  std::string fingerprint;  // of the server's certificate
};

bool FindPeer(TPeer& peer) {
  const char* portFile = std::getenv("QUILLET_POP3_PEER");
  if (portFile == nullptr) return false;
  peer.folder = std::string(portFile).substr(0, std::string(portFile).rfind('/') + 1);
  peer.plainPort = static_cast<std::uint16_t>(std::stoi(ReadWholeFile(portFile)));
  peer.tlsPort = static_cast<std::uint16_t>(std::stoi(ReadWholeFile(peer.folder + "port_tls")));
  peer.fingerprint = ReadWholeFile(peer.folder + "tls/leaf.sha256").substr(0, 64);
  return true;
}

std::string Seeded(int n) {
  const std::string i = std::to_string(n);
  return "From: Sender " + i + " <s" + i + "@example.com>\r\nTo: alice@example.com\r\nSubject: seeded " + i +
         "\r\n\r\nline one of " + i + "\r\n.leading dot\r\n\r\nlast line\r\n";
}

// Before the test below deletes the messages: fetched over each kind of TLS, left on the
// server.
TEST(Pop3Dovecot, FetchOverStlsAndImplicitTls) {
  TPeer peer;
  if (!FindPeer(peer)) GTEST_SKIP() << "needs the Dovecot fixture of ctest (pop3_dovecot_e2e)";
  const std::string seenFile = platform::TempFolder() + "qtt_pop3_dovecot_tls.uid";
  const std::vector<std::string> fetch = {"USER alice", "PASS <...>", "STAT", "UIDL", "LIST", "RETR 1",
                                          "Sender 1: seeded 1", "RETR 2", "Sender 2: seeded 2", "RETR 3",
                                          "Sender 3: seeded 3", "QUIT"};
  for (const TMailSecurity security : {TMailSecurity::StartTls, TMailSecurity::ImplicitTls}) {
    const bool upgrade = security == TMailSecurity::StartTls;
    SCOPED_TRACE(upgrade ? "STLS" : "implicit");
    platform::FileDelete(seenFile);
    const TTls tls{peer.fingerprint, security};
    const std::uint16_t port = upgrade ? peer.plainPort : peer.tlsPort;
    const TReceived got = Receive(port, seenFile, true, &tls);
    std::vector<std::string> commands = {"localhost", "127.0.0.1: " + std::to_string(port)};
    if (upgrade) commands.insert(commands.end(), {"CAPA", "STLS"});
    commands.insert(commands.end(), fetch.begin(), fetch.end());
    EXPECT_EQ(got.commands, commands);
    EXPECT_EQ(got.texts, (std::vector<std::string>{Seeded(1), Seeded(2), Seeded(3)}));
    EXPECT_TRUE(got.finished);
  }
  platform::FileDelete(seenFile);
}

// Over either kind of TLS: a certificate nobody vouches for is refused before the login,
// with its fingerprint; a wrong password is the server's refusal as in plain.
TEST(Pop3Dovecot, UntrustedCertificateAndWrongPasswordOverTls) {
  TPeer peer;
  if (!FindPeer(peer)) GTEST_SKIP() << "needs the Dovecot fixture of ctest (pop3_dovecot_e2e)";
  for (const TMailSecurity security : {TMailSecurity::StartTls, TMailSecurity::ImplicitTls}) {
    const bool upgrade = security == TMailSecurity::StartTls;
    SCOPED_TRACE(upgrade ? "STLS" : "implicit");
    const std::uint16_t port = upgrade ? peer.plainPort : peer.tlsPort;
    test_support::TRecordingPrompts prompts;  // answers "no" to entering the password again
    TPOP3 pop(prompts);
    std::vector<std::string> commands;
    pop.OnCommandChange = [&](TMailBase&, const std::string& text) { commands.push_back(text); };
    const TTls untrusted{"", security};
    Prepare(pop, port, &untrusted);
    try {
      pop.DoOperation(TPOP3::TMode::FetchNew);
      ADD_FAILURE() << "no refusal";
    } catch (const EMailError& error) {
      EXPECT_EQ(error.Message(), "服务器 localhost 的证书未通过验证：证书不受信任\r\n证书指纹（SHA-256）：" +
                                     peer.fingerprint + "\r\n如果确认这就是该服务器的证书，可以在帐户设置中信任这个指纹。");
    }
    EXPECT_EQ(commands.back(), upgrade ? "STLS" : "127.0.0.1: " + std::to_string(port));

    const TTls trusted{peer.fingerprint, security};
    Prepare(pop, port, &trusted, "wrong");
    commands.clear();
    pop.DoOperation(TPOP3::TMode::FetchNew);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].substr(0, 5), "-ERR ");
    EXPECT_EQ(prompts.asked[0].substr(prompts.asked[0].size() - 20), "\r\n\r\n重新输入口令吗？");
    EXPECT_EQ(commands.back(), "PASS <...>");
    EXPECT_TRUE(pop.Cancelled);
    EXPECT_FALSE(pop.Finished);
    prompts.asked.clear();
  }
}

TEST(Pop3Dovecot, LeaveOnServerByUidlThenDeleteWhenOff) {
  TPeer peer;
  if (!FindPeer(peer)) GTEST_SKIP() << "needs the Dovecot fixture of ctest (pop3_dovecot_e2e)";
  const std::uint16_t port = peer.plainPort;
  const std::string seenFile = platform::TempFolder() + "qtt_pop3_dovecot.uid";
  platform::FileDelete(seenFile);
  const std::string address = "127.0.0.1: " + std::to_string(port);
  const std::vector<std::string> login = {"127.0.0.1", address, "USER alice", "PASS <...>", "STAT", "UIDL", "LIST"};
  auto with = [&](std::vector<std::string> tail) {
    std::vector<std::string> all = login;
    all.insert(all.end(), tail.begin(), tail.end());
    return all;
  };

  const TReceived first = Receive(port, seenFile, true);
  EXPECT_EQ(first.commands, with({"RETR 1", "Sender 1: seeded 1", "RETR 2", "Sender 2: seeded 2", "RETR 3",
                                  "Sender 3: seeded 3", "QUIT"}));
  EXPECT_EQ(first.texts, (std::vector<std::string>{Seeded(1), Seeded(2), Seeded(3)}));
  EXPECT_EQ(first.seenAfter.size(), 3u);
  EXPECT_TRUE(first.finished);

  const TReceived second = Receive(port, seenFile, true);
  EXPECT_EQ(second.commands, with({"QUIT"}));
  EXPECT_TRUE(second.texts.empty());
  EXPECT_EQ(second.seenAfter, first.seenAfter);

  const TReceived third = Receive(port, seenFile, false);
  EXPECT_EQ(third.commands, with({"DELE 1", "DELE 2", "DELE 3", "QUIT"}));
  EXPECT_TRUE(third.texts.empty());

  const TReceived fourth = Receive(port, seenFile, false);
  EXPECT_EQ(fourth.messageCount, 0);
  EXPECT_EQ(fourth.commands, (std::vector<std::string>{"127.0.0.1", address, "USER alice", "PASS <...>", "STAT", "QUIT"}));
  EXPECT_FALSE(platform::FileExists(seenFile));  // the empty list deletes the file
}

}  // namespace
