#include "platform/socket.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "platform/loopback_listener.h"
#include "platform/winsock_errors.h"

namespace {

constexpr unsigned k_eventMessage = platform::k_userMessage + 50;
constexpr unsigned k_lookupReply = platform::k_userMessage + 51;
constexpr long k_usualEvents =
    platform::k_socketRead | platform::k_socketConnect | platform::k_socketClose;

using TEvent = std::pair<long, int>;  // event bit, error

// A window that records socket events and look-up replies.
struct TEventWindow {
  TEventWindow()
      : window([this](const platform::TWindowMessage& m, std::intptr_t&) {
          if (m.message == k_eventMessage)
            events.emplace_back(platform::SocketEventOf(m.lParam),
                                platform::SocketErrorOf(m.lParam));
          else if (m.message == k_lookupReply)
            replies.emplace_back(m.wParam, platform::SocketErrorOf(m.lParam));
          else
            return false;
          return true;
        }) {}
  std::vector<TEvent> events;
  std::vector<std::pair<std::uintptr_t, int>> replies;
  platform::THiddenWindow window;
};

// Pumps until `done` or the deadline; a settle time afterwards catches late extras.
void PumpUntil(const std::function<bool()>& done, int settleMilliseconds = 100) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done() && std::chrono::steady_clock::now() < end)
    platform::WaitAndProcessMessages(20);
  auto settle = std::chrono::steady_clock::now() + std::chrono::milliseconds(settleMilliseconds);
  while (std::chrono::steady_clock::now() < settle) platform::WaitAndProcessMessages(10);
}

class SocketTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(platform::StartSockets(), 0); }
  void TearDown() override {
    if (client_ != platform::k_invalidSocket) platform::CloseSocketHandle(client_);
    if (server_ != platform::k_invalidSocket) platform::CloseSocketHandle(server_);
  }
  // A selected client socket connecting to `port`.
  void StartConnect(std::uint16_t port) {
    client_ = platform::OpenStreamSocket();
    ASSERT_NE(client_, platform::k_invalidSocket);
    ASSERT_EQ(platform::SelectSocketEvents(client_, recorder_.window.Handle(), k_eventMessage,
                                           k_usualEvents), 0);
    EXPECT_EQ(platform::ConnectSocket(client_, platform::LoopbackAddress(), port),
              platform::k_WSAEWOULDBLOCK);
  }
  std::string ReceiveAvailable(int limit) {
    std::string text(static_cast<size_t>(limit), '\0');
    int count = platform::ReceiveFromSocket(client_, text.data(), limit);
    text.resize(count > 0 ? static_cast<size_t>(count) : 0);
    return text;
  }

  TEventWindow recorder_;
  platform::SocketHandle client_ = platform::k_invalidSocket;
  platform::SocketHandle server_ = platform::k_invalidSocket;
};

TEST_F(SocketTest, LoopbackConnectionGivesTheEventsOnceEachAndReadIsReArmedByReceive) {
  platform::TLoopbackListener listener;
  ASSERT_TRUE(listener.IsOpen());
  StartConnect(listener.Port());
  PumpUntil([&] { return !recorder_.events.empty(); });
  EXPECT_EQ(recorder_.events, (std::vector<TEvent>{{platform::k_socketConnect, 0}}));
  server_ = listener.Accept(5000);
  ASSERT_NE(server_, platform::k_invalidSocket);

  ASSERT_TRUE(platform::SendAll(server_, "abcdef"));
  PumpUntil([&] { return recorder_.events.size() == 2; }, 200);
  // Unread data is announced once, not again until the program receives.
  EXPECT_EQ(recorder_.events.size(), 2u);
  EXPECT_EQ(recorder_.events.back(), TEvent(platform::k_socketRead, 0));
  EXPECT_EQ(ReceiveAvailable(2), "ab");
  PumpUntil([&] { return recorder_.events.size() == 3; });
  EXPECT_EQ(recorder_.events.size(), 3u);
  EXPECT_EQ(ReceiveAvailable(100), "cdef");

  // Write is reported when asked for on a writable socket, once.
  ASSERT_EQ(platform::SelectSocketEvents(client_, recorder_.window.Handle(), k_eventMessage,
                                         k_usualEvents | platform::k_socketWrite), 0);
  PumpUntil([&] { return recorder_.events.size() == 4; });
  ASSERT_EQ(recorder_.events.size(), 4u);
  EXPECT_EQ(recorder_.events.back(), TEvent(platform::k_socketWrite, 0));
  EXPECT_EQ(platform::SendOnSocket(client_, "xyz", 3), 3);
  std::string got;
  EXPECT_EQ(platform::ReceiveSome(server_, got, 10, 5000), 3);
  EXPECT_EQ(got, "xyz");

  // The peer's close is reported once.
  platform::CloseSocketHandle(server_);
  server_ = platform::k_invalidSocket;
  PumpUntil([&] { return recorder_.events.size() >= 5; }, 300);
  ASSERT_EQ(recorder_.events.size(), 5u);
  EXPECT_EQ(recorder_.events.back(), TEvent(platform::k_socketClose, 0));
  char byte = 0;
  EXPECT_EQ(platform::ReceiveFromSocket(client_, &byte, 1), 0);
}

TEST_F(SocketTest, RefusedConnectIsReportedAsTheConnectEventsError) {
  std::uint16_t port = 0;
  {
    platform::TLoopbackListener listener;  // a port nobody listens on afterwards
    port = listener.Port();
  }
  StartConnect(port);
  PumpUntil([&] { return !recorder_.events.empty(); });
  EXPECT_EQ(recorder_.events,
            (std::vector<TEvent>{{platform::k_socketConnect, platform::k_WSAECONNREFUSED}}));
}

TEST_F(SocketTest, SendWithoutPeerReadingWouldBlockThenWriteIsReportedWhenDrained) {
  platform::TLoopbackListener listener(4, 4096);
  StartConnect(listener.Port());
  PumpUntil([&] { return !recorder_.events.empty(); }, 0);
  server_ = listener.Accept(5000);
  ASSERT_NE(server_, platform::k_invalidSocket);
  ASSERT_EQ(platform::SelectSocketEvents(client_, recorder_.window.Handle(), k_eventMessage,
                                         k_usualEvents | platform::k_socketWrite), 0);
  PumpUntil([&] { return recorder_.events.size() == 2; }, 0);
  std::string block(64 * 1024, 'm');
  long total = 0;
  while (platform::SendOnSocket(client_, block.data(), static_cast<int>(block.size())) > 0)
    total += static_cast<long>(block.size());
  EXPECT_EQ(platform::LastSocketError(), platform::k_WSAEWOULDBLOCK);
  std::string drained;
  while (platform::ReceiveSome(server_, drained, 65536, 200) > 0) drained.clear();
  PumpUntil([&] { return recorder_.events.size() == 3; });
  ASSERT_EQ(recorder_.events.size(), 3u);
  EXPECT_EQ(recorder_.events.back(), TEvent(platform::k_socketWrite, 0));
}

TEST_F(SocketTest, LookupOfLocalhostAndOfANameThatCannotExist) {
  struct TCase {
    const char* host;
    bool found;
  };
  for (const TCase& c : {TCase{"localhost", true}, TCase{"nonexistent.invalid", false}}) {
    SCOPED_TRACE(c.host);
    char buffer[platform::k_hostEntrySize] = {};
    recorder_.replies.clear();
    platform::LookupHandle lookup = platform::StartHostLookup(
        recorder_.window.Handle(), k_lookupReply, c.host, buffer, sizeof buffer);
    ASSERT_NE(lookup, 0u);
    PumpUntil([&] { return !recorder_.replies.empty(); }, 0);
    ASSERT_EQ(recorder_.replies.size(), 1u);
    EXPECT_EQ(recorder_.replies[0].first, lookup);
    std::uint32_t address = 0;
    if (c.found) {
      EXPECT_EQ(recorder_.replies[0].second, 0);
      ASSERT_TRUE(platform::FirstHostAddress(buffer, address));
      EXPECT_EQ(platform::DottedAddressText(address).substr(0, 4), "127.");
    } else {
      EXPECT_NE(recorder_.replies[0].second, 0);
    }
  }
}

TEST_F(SocketTest, CancelledLookupNeverRepliesNorWritesTheBuffer) {
  char buffer[platform::k_hostEntrySize];
  std::memset(buffer, 0x5A, sizeof buffer);
  platform::LookupHandle lookup = platform::StartHostLookup(
      recorder_.window.Handle(), k_lookupReply, "localhost", buffer, sizeof buffer);
  ASSERT_NE(lookup, 0u);
  ASSERT_EQ(platform::CancelHostLookup(lookup), 0);
  PumpUntil([] { return true; }, 500);
  EXPECT_TRUE(recorder_.replies.empty());
  EXPECT_EQ(buffer[0], 0x5A);
  EXPECT_EQ(buffer[sizeof buffer - 1], 0x5A);
}

TEST(SocketAddress, DottedAddressesAndServices) {
  std::uint32_t address = 0;
  ASSERT_TRUE(platform::ParseDottedAddress("10.1.2.3", address));
  EXPECT_EQ(platform::DottedAddressText(address), "10.1.2.3");
  for (const char* bad : {"", "mail.example", "1.2.3.4.5", "300.1.1.1"})
    EXPECT_FALSE(platform::ParseDottedAddress(bad, address)) << bad;
  EXPECT_EQ(platform::ServicePort("no-such-service-here", "tcp"), 0);
  EXPECT_FALSE(platform::LocalHostName().empty());
}

}  // namespace
