// The TLS session against a real TLS server on loopback: tests/e2e/tls/tls_peer.py, started
// by ctest around this test (QUILLET_TLS_PEER names its folder), over a plain blocking
// socket. ctest makes the system trust the test CA (SSL_CERT_FILE natively, the ROOT store
// under Wine), so each of the server's certificates gets its own verdict; the data must
// flow whatever the verdict, fed whole or a few bytes at a time, up to the close-notify.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/loopback_listener.h"
#include "platform/socket.h"
#include "platform/tls_session.h"
#include "tests/e2e/tls/peer_folder.h"

namespace {

using platform::TTlsSession;
using platform::TTlsState;

using tls_e2e::ReadText;

// One connection: the socket and the session, moved by a blocking pump.
class TTlsClient {
 public:
  TTlsClient(std::uint16_t port, std::size_t chunk)
      : socket_(platform::ConnectLoopback(port)), session_(TTlsSession::Create("localhost")), chunk_(chunk) {}
  ~TTlsClient() {
    if (socket_ != platform::k_invalidSocket) platform::CloseSocketHandle(socket_);
  }
  bool Connected() const { return socket_ != platform::k_invalidSocket; }
  TTlsSession& Session() { return *session_; }
  std::string& Plain() { return plain_; }

  // Sends what the session has to say and feeds what comes back until `done`; false when
  // the connection or the session failed, or nothing came for five seconds.
  bool PumpUntil(const std::function<bool()>& done) {
    for (;;) {
      std::string out = session_->TakeOutput();
      if (!out.empty() && !platform::SendAll(socket_, out)) return false;
      if (done()) return true;
      if (session_->State() == TTlsState::Failed || session_->State() == TTlsState::Closed) return false;
      std::string in;
      if (platform::ReceiveSome(socket_, in, 65536, 5000) <= 0) return false;
      std::size_t step = chunk_ ? chunk_ : in.size();
      for (std::size_t at = 0; at < in.size(); at += step)
        session_->Receive(in.data() + at, std::min(step, in.size() - at), plain_);
    }
  }
  // Sends a line and waits for the reply that ends with `last`.
  bool Command(const std::string& line, const std::string& last) {
    plain_.clear();
    if (session_->Send(line.data(), line.size()) != TTlsState::Established) return false;
    return PumpUntil([&] { return EndsWith(last); });
  }
  bool EndsWith(const std::string& tail) const {
    return plain_.size() >= tail.size() && plain_.compare(plain_.size() - tail.size(), tail.size(), tail) == 0;
  }

 private:
  platform::SocketHandle socket_;
  std::unique_ptr<TTlsSession> session_;
  std::size_t chunk_;
  std::string plain_;
};

class TlsPeerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* peer = std::getenv("QUILLET_TLS_PEER");
    if (peer == nullptr) GTEST_SKIP() << "QUILLET_TLS_PEER is not set: run through ctest, which starts the server";
    folder_ = std::string(peer) + "/";
    ASSERT_EQ(platform::StartSockets(), 0);
  }
  std::uint16_t PortOf(const std::string& certificate) {
    return static_cast<std::uint16_t>(std::stoi(ReadText(folder_ + "port_" + certificate)));
  }
  void TearDown() override { platform::StopSockets(); }

  std::string folder_;
};

TEST_F(TlsPeerTest, EachCertificateItsVerdict) {
  struct Case {
    const char* certificate;
    platform::TCertVerdict verdict;
  };
  const Case cases[] = {{"leaf", platform::TCertVerdict::Valid},
                        {"expired", platform::TCertVerdict::Expired},
                        {"othername", platform::TCertVerdict::WrongName},
                        {"stranger", platform::TCertVerdict::Untrusted}};
  for (const Case& c : cases) {
    TTlsClient client(PortOf(c.certificate), 0);
    ASSERT_TRUE(client.Connected()) << c.certificate;
    client.Session().Start();
    ASSERT_TRUE(client.PumpUntil([&] { return client.EndsWith("+OK ready\r\n"); }))
        << c.certificate << ": " << client.Session().ErrorText();
    EXPECT_EQ(client.Session().Peer().verdict, c.verdict) << c.certificate;
    EXPECT_EQ(client.Session().Peer().fingerprint, ReadText(folder_ + c.certificate + ".sha256")) << c.certificate;
  }
}

TEST_F(TlsPeerTest, SessionWholeOrAFewBytesAtATime) {
  std::string big;
  for (int i = 0; big.size() < 200000; ++i) big += std::to_string(i) + " a line of a long reply\r\n";
  big.resize(200000);
  for (std::size_t chunk : {std::size_t(0), std::size_t(3)}) {
    SCOPED_TRACE(testing::Message() << "chunk " << chunk);
    TTlsClient client(PortOf("stranger"), chunk);
    ASSERT_TRUE(client.Connected());
    ASSERT_EQ(client.Session().Start(), TTlsState::Handshaking) << client.Session().ErrorText();
    ASSERT_TRUE(client.PumpUntil([&] { return client.EndsWith("+OK ready\r\n"); })) << client.Session().ErrorText();
    EXPECT_EQ(client.Plain(), "+OK ready\r\n");

    ASSERT_TRUE(client.Command("USER alice\r\n", "\r\n"));
    EXPECT_EQ(client.Plain(), "ECHO USER alice\r\n");
    ASSERT_TRUE(client.Command("BIG 200000\r\n", "+OK end\r\n"));
    EXPECT_TRUE(client.Plain() == big + "+OK end\r\n") << client.Plain().size() << " bytes";

    // The server's last reply and its close-notify; then ours goes out once.
    client.Command("QUIT\r\n", "+OK bye\r\n");
    client.PumpUntil([&] { return client.Session().State() != TTlsState::Established; });
    EXPECT_EQ(client.Plain(), "+OK bye\r\n");
    EXPECT_EQ(client.Session().State(), TTlsState::Closed) << client.Session().ErrorText();
    EXPECT_EQ(client.Session().Shutdown(), TTlsState::Closed);
    EXPECT_FALSE(client.Session().TakeOutput().empty());
  }
}

}  // namespace
