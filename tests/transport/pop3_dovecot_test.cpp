// The POP3 client against a real server: ctest starts a private Dovecot on loopback
// (tests/e2e/pop3_peer.sh) seeded with three messages and names its port file in
// QUILLET_POP3_PEER; the same test runs natively and under Wine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/common/stream.h"
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

// Implicit TLS to "localhost" with the server's certificate trusted by its fingerprint.
struct TTls {
  std::string trustedCert;
};

TReceived Receive(std::uint16_t port, const std::string& seenFile, bool leaveOnServer, const TTls* tls = nullptr) {
  test_support::TRecordingPrompts prompts;
  TPOP3 pop(prompts);
  pop.Reset();
  pop.Host = tls ? "localhost" : "127.0.0.1";
  pop.Port = port;
  pop.UseTls = tls != nullptr;
  if (tls) pop.TrustedCert = tls->trustedCert;
  pop.UserName = "alice";
  pop.Password = "secret";
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

std::string Seeded(int n) {
  const std::string i = std::to_string(n);
  return "From: Sender " + i + " <s" + i + "@example.com>\r\nTo: alice@example.com\r\nSubject: seeded " + i +
         "\r\n\r\nline one of " + i + "\r\n.leading dot\r\n\r\nlast line\r\n";
}

// Before the test below deletes the messages: fetched over implicit TLS, left on the server.
TEST(Pop3Dovecot, FetchOverImplicitTls) {
  const char* portFile = std::getenv("QUILLET_POP3_PEER");
  if (portFile == nullptr) GTEST_SKIP() << "needs the Dovecot fixture of ctest (pop3_dovecot_e2e)";
  const std::string folder = std::string(portFile).substr(0, std::string(portFile).rfind('/') + 1);
  const auto port = static_cast<std::uint16_t>(std::stoi(ReadWholeFile(folder + "port_tls")));
  const TTls tls{ReadWholeFile(folder + "tls/leaf.sha256").substr(0, 64)};
  const std::string seenFile = platform::TempFolder() + "qtt_pop3_dovecot_tls.uid";
  platform::FileDelete(seenFile);

  const TReceived got = Receive(port, seenFile, true, &tls);
  EXPECT_EQ(got.commands, (std::vector<std::string>{"localhost", "127.0.0.1: " + std::to_string(port), "USER alice",
                                                    "PASS <...>", "STAT", "UIDL", "LIST", "RETR 1",
                                                    "Sender 1: seeded 1", "RETR 2", "Sender 2: seeded 2", "RETR 3",
                                                    "Sender 3: seeded 3", "QUIT"}));
  EXPECT_EQ(got.texts, (std::vector<std::string>{Seeded(1), Seeded(2), Seeded(3)}));
  EXPECT_TRUE(got.finished);
  platform::FileDelete(seenFile);
}

TEST(Pop3Dovecot, LeaveOnServerByUidlThenDeleteWhenOff) {
  const char* portFile = std::getenv("QUILLET_POP3_PEER");
  if (portFile == nullptr) GTEST_SKIP() << "needs the Dovecot fixture of ctest (pop3_dovecot_e2e)";
  const auto port = static_cast<std::uint16_t>(std::stoi(ReadWholeFile(portFile)));
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
