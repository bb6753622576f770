// The TLS session. On both platforms: the first flight and the refusals that need no
// server. On Linux also against an in-process server with certificates made at test time
// (tls_test_peer.h), the test CA trusted through SSL_CERT_FILE.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/tls_session.h"

#ifndef _WIN32
#include <openssl/ssl.h>

#include "tls_test_peer.h"
#endif

namespace {

using platform::TCertVerdict;
using platform::TTlsSession;
using platform::TTlsState;

TEST(TlsSession, FirstFlightAndRefusalsWithoutAServer) {
  auto session = TTlsSession::Create("localhost");
  ASSERT_EQ(session->Start(), TTlsState::Handshaking) << session->ErrorText();
  std::string hello = session->TakeOutput();
  ASSERT_GE(hello.size(), 5u);
  EXPECT_EQ(hello[0], '\x16');  // a handshake record
  EXPECT_EQ(hello[1], '\x03');
  EXPECT_EQ(session->TakeOutput(), "");  // taken means gone

  // A fatal handshake_failure alert from the server ends the session for good.
  std::string plain;
  EXPECT_EQ(session->Receive("\x15\x03\x03\x00\x02\x02\x28", 7, plain), TTlsState::Failed);
  EXPECT_FALSE(session->ErrorText().empty());
  EXPECT_EQ(session->Receive("\x17\x03\x03\x00\x01x", 6, plain), TTlsState::Failed);
  EXPECT_EQ(plain, "");
  EXPECT_EQ(session->Shutdown(), TTlsState::Failed);

  // Application data before the handshake is refused, not sent in the clear.
  auto early = TTlsSession::Create("localhost");
  EXPECT_EQ(early->Send("PASS secret\r\n", 13), TTlsState::Failed);
  EXPECT_EQ(early->TakeOutput(), "");
  // Closing before the handshake has nothing to say.
  auto unused = TTlsSession::Create("localhost");
  EXPECT_EQ(unused->Shutdown(), TTlsState::Closed);
  EXPECT_EQ(unused->TakeOutput(), "");
}

// A peer that answers in plain text fails the handshake within its line, given whole or a
// byte at a time, however long a record its first bytes would announce.
TEST(TlsSession, NonTlsPeerFails) {
  for (const std::string reply : {"+OK POP3 server ready\r\n", "+OK injected\r\n"}) {
    for (const std::size_t piece : {reply.size(), std::size_t(1)}) {
      auto client = TTlsSession::Create("localhost");
      client->Start();
      std::string plain;
      TTlsState state = TTlsState::Handshaking;
      for (std::size_t at = 0; at < reply.size() && state == TTlsState::Handshaking; at += piece)
        state = client->Receive(reply.data() + at, std::min(piece, reply.size() - at), plain);
      EXPECT_EQ(state, TTlsState::Failed) << reply << " in pieces of " << piece;
      EXPECT_NE(client->ErrorText().find("TLS handshake"), std::string::npos) << client->ErrorText();
      EXPECT_EQ(plain, "");
    }
  }
}

#ifndef _WIN32

using tls_test::TCertRequest;
using tls_test::TTlsTestServer;

// The test CA, trusted for the whole run (OpenSSL reads SSL_CERT_FILE per context).
const tls_test::TCertifiedPtr& TestCa() {
  static const tls_test::TCertifiedPtr ca = [] {
    tls_test::TCertifiedPtr made = tls_test::MakeCa("Quillet Test CA");
    std::string path = ::testing::TempDir() + "quillet_tls_test_ca.pem";
    if (!tls_test::WritePem(made, path) || setenv("SSL_CERT_FILE", path.c_str(), 1) != 0) std::abort();
    return made;
  }();
  return ca;
}

tls_test::TCertifiedPtr ServerCert(const TCertRequest& request = TCertRequest()) {
  return tls_test::MakeServerCert(request, TestCa());
}

// Moves ciphertext both ways until both sides are quiet. The server's bytes reach the
// client `chunk` at a time; the plaintext the client got is appended to `plain`.
TTlsState Exchange(TTlsSession& client, TTlsTestServer& server, std::string& plain, std::size_t chunk = 0) {
  for (int round = 0; round < 20; ++round) {
    std::string toServer = client.TakeOutput();
    server.Receive(toServer);
    std::string toClient = server.TakeOutput();
    if (toServer.empty() && toClient.empty()) break;
    std::size_t step = chunk ? chunk : toClient.size();
    for (std::size_t at = 0; at < toClient.size(); at += step)
      client.Receive(toClient.data() + at, std::min(step, toClient.size() - at), plain);
  }
  return client.State();
}

TEST(TlsSession, CertificateVerdicts) {
  TestCa();
  auto strangerCa = tls_test::MakeCa("Stranger CA");
  struct Case {
    const char* what;
    TCertRequest request;
    bool byStranger;
    const char* host;
    TCertVerdict verdict;
  };
  const Case cases[] = {
      {"signed by the trusted CA", {}, false, "localhost", TCertVerdict::Valid},
      {"host name in another case", {}, false, "LocalHost", TCertVerdict::Valid},
      {"another host", {}, false, "mail.example.test", TCertVerdict::WrongName},
      {"expired", {"localhost", -30, -1, false}, false, "localhost", TCertVerdict::Expired},
      {"not yet valid", {"localhost", 2, 30, false}, false, "localhost", TCertVerdict::Expired},
      {"self-signed", {"localhost", -1, 30, true}, false, "localhost", TCertVerdict::Untrusted},
      {"by an unknown CA", {}, true, "localhost", TCertVerdict::Untrusted},
      {"self-signed, expired, other name", {"other.test", -30, -1, true}, false, "localhost",
       TCertVerdict::Untrusted},
      {"expired and another host", {"other.test", -30, -1, false}, false, "localhost", TCertVerdict::Expired},
  };
  for (const Case& c : cases) {
    auto cert = tls_test::MakeServerCert(c.request, c.byStranger ? strangerCa : TestCa());
    TTlsTestServer server(cert);
    auto client = TTlsSession::Create(c.host);
    ASSERT_EQ(client->Start(), TTlsState::Handshaking) << c.what;
    std::string plain;
    // The handshake completes whatever the certificate: the caller judges it.
    ASSERT_EQ(Exchange(*client, server, plain), TTlsState::Established) << c.what << ": " << client->ErrorText();
    EXPECT_EQ(client->Peer().verdict, c.verdict) << c.what;
    EXPECT_EQ(client->Peer().fingerprint, tls_test::FingerprintOf(cert)) << c.what;
    EXPECT_EQ(client->Peer().fingerprint.size(), 64u) << c.what;
  }
}

TEST(TlsSession, DataBothWaysWhateverTheChunking) {
  struct Case {
    int maxVersion;
    std::size_t chunk;
  };
  const Case cases[] = {{TLS1_2_VERSION, 0}, {TLS1_2_VERSION, 1}, {TLS1_2_VERSION, 7}, {0, 0}, {0, 1}, {0, 3}};
  std::string big;
  for (int i = 0; big.size() < 100000; ++i) big += std::to_string(i) + " a line of a long message\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "version " << c.maxVersion << ", chunk " << c.chunk);
    TTlsTestServer server(ServerCert(), c.maxVersion);
    server.Send("+OK ready\r\n");  // leaves with the server's first chance
    auto client = TTlsSession::Create("localhost");
    client->Start();
    std::string plain;
    ASSERT_EQ(Exchange(*client, server, plain, c.chunk), TTlsState::Established) << client->ErrorText();
    EXPECT_EQ(plain, "+OK ready\r\n");
    ASSERT_EQ(client->Send("USER alice\r\n", 12), TTlsState::Established);
    server.Send(big);
    plain.clear();
    Exchange(*client, server, plain, c.chunk ? c.chunk * 1000 : 0);
    EXPECT_EQ(server.Plain(), "USER alice\r\n");
    EXPECT_TRUE(plain == big) << plain.size() << " of " << big.size() << " bytes";
  }
}

// TLS 1.2: the server's greeting rides in the same read as the end of the handshake.
TEST(TlsSession, GreetingTogetherWithTheHandshakesEnd) {
  TTlsTestServer server(ServerCert(), TLS1_2_VERSION);
  server.Send("+OK ready\r\n");
  auto client = TTlsSession::Create("localhost");
  client->Start();
  std::string plain;
  server.Receive(client->TakeOutput());  // ClientHello
  std::string flight = server.TakeOutput();
  ASSERT_EQ(client->Receive(flight.data(), flight.size(), plain), TTlsState::Handshaking);
  server.Receive(client->TakeOutput());  // the client's Finished
  flight = server.TakeOutput();           // the server's Finished and the greeting
  ASSERT_EQ(client->Receive(flight.data(), flight.size(), plain), TTlsState::Established);
  EXPECT_EQ(plain, "+OK ready\r\n");
}

TEST(TlsSession, CloseNotifyInMidReply) {
  TTlsTestServer server(ServerCert());
  auto client = TTlsSession::Create("localhost");
  client->Start();
  std::string plain;
  ASSERT_EQ(Exchange(*client, server, plain), TTlsState::Established);
  server.Send("+OK 2 messages\r\n1 120\r\n");
  server.SendCloseNotify();
  std::string flight = server.TakeOutput();
  EXPECT_EQ(client->Receive(flight.data(), flight.size(), plain), TTlsState::Closed);
  EXPECT_EQ(plain, "+OK 2 messages\r\n1 120\r\n");  // what came before the close is kept
  EXPECT_EQ(client->Receive("\x17\x03\x03\x00\x01x", 6, plain), TTlsState::Closed);
  EXPECT_EQ(plain, "+OK 2 messages\r\n1 120\r\n");
  // Our answering close-notify reaches the server.
  EXPECT_EQ(client->Shutdown(), TTlsState::Closed);
  server.Receive(client->TakeOutput());
  EXPECT_TRUE(server.PeerClosed());
  EXPECT_EQ(client->Shutdown(), TTlsState::Closed);
  EXPECT_EQ(client->TakeOutput(), "");  // said once
}

#endif

}  // namespace
