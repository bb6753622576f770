#include "quillet/transport/mail_base.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/loopback_listener.h"
#include "platform/winsock_errors.h"
#include "tests/support/fake_server.h"
#include "tests/support/recording_prompts.h"

namespace {

using test_support::TFakeServer;
using test_support::TServerStep;

// A minimal protocol over TMailBase: connects once resolved, collects replies (single- or
// multi-line) and records which operations were called.
class TLineClient : public TMailBase {
 public:
  explicit TLineClient(TUserPrompts& prompts) : TMailBase(prompts) {
    OnStatusChange = [this](TMailBase&, const std::string&) { states.push_back(State); };
    OnCommandChange = [this](TMailBase&, const std::string& text) { commands.push_back(text); };
    OnError = [this](TMailBase&, int error) { errors.push_back(error); };
  }
  void HostResolved() override {
    calls.push_back("resolved");
    if (!CheckError()) Connect();
  }
  void Connected() override { calls.push_back("connected"); }
  void DataArrived() override {
    calls.push_back("data");
    if (throwOnData) throw EMailError("refused");
    std::string reply;
    if (multiLine ? ReadMultiLine(reply) : ReadLine(reply)) replies.push_back(reply);
    finished = replies.size() >= wanted;
  }
  void ReadyToWrite() override { calls.push_back("write"); }
  void ConnectionClosed() override {
    calls.push_back("closed");
    closed = true;
  }

  // Pumps until `count` replies in all have arrived.
  void WaitForReplies(size_t count) {
    wanted = count;
    finished = replies.size() >= wanted;
    PumpUntil(finished);
  }
  using TMailBase::PumpUntil;

  bool multiLine = false;
  bool throwOnData = false;
  bool finished = false;
  bool closed = false;
  size_t wanted = 0;
  std::vector<std::string> calls, commands, replies;
  std::vector<int> states, errors;
};

class MailBaseTest : public ::testing::Test {
 protected:
  // Starts the client against `server` under `host` and waits for the greeting.
  void StartAndGreet(TFakeServer& server, const std::string& host) {
    client_.Host = host;
    client_.Port = server.Port();
    client_.Reset();
    client_.Start();
    client_.WaitForReplies(1);
  }
  test_support::TRecordingPrompts prompts_;
  TLineClient client_{prompts_};
};

TEST_F(MailBaseTest, HostIsTakenAsDottedAddressFromTheCacheOrLookedUpAndThenCached) {
  TNetCache::Instance().Store("cached-host.test", "127.0.0.1");
  struct TCase {
    const char* host;
    bool looksUp;
  };
  for (const TCase& c : {TCase{"127.0.0.1", false}, TCase{"cached-host.test", false},
                         TCase{"localhost", true}}) {
    SCOPED_TRACE(c.host);
    TFakeServer server({"+OK hello\r\n"}, {});
    TLineClient client(prompts_);
    client.Host = c.host;
    client.Port = server.Port();
    client.Start();
    EXPECT_EQ(client.LookupHandle != 0, c.looksUp);
    EXPECT_EQ(client.calls.empty(), c.looksUp);  // resolved at once unless looked up
    client.WaitForReplies(1);
    EXPECT_EQ(client.replies, std::vector<std::string>{"+OK hello\r\n"});
    EXPECT_EQ(client.AddressText.substr(0, 4), "127.");
    std::string cached;
    bool dotted = c.host[0] == '1';
    EXPECT_EQ(TNetCache::Instance().Lookup(c.host, cached), !dotted);  // dotted: never cached
    EXPECT_EQ(client.states, (std::vector<int>{2, 3}));
    EXPECT_EQ(client.commands.back(), client.AddressText + ": " + std::to_string(server.Port()));
    client.CloseSocket();
  }
  std::string cached;
  EXPECT_TRUE(TNetCache::Instance().Lookup("localhost", cached));
  EXPECT_FALSE(TNetCache::Instance().Lookup("LOCALHOST", cached));  // exact key
}

TEST_F(MailBaseTest, ReadLineGivesTheLastOfTwoRepliesInOneReadAndJoinsASplitReply) {
  TFakeServer server({"+OK hi\r\n"}, {{{"+OK first\r\n+OK second\r\n"}},
                                       {{"+OK sp", "lit\r\n"}, 150}});
  StartAndGreet(server, "127.0.0.1");
  ASSERT_TRUE(client_.SendText("ONE\r\n"));
  client_.WaitForReplies(2);
  ASSERT_TRUE(client_.SendText("TWO\r\n"));
  client_.WaitForReplies(3);
  EXPECT_EQ(client_.replies,
            (std::vector<std::string>{"+OK hi\r\n", "+OK second\r\n", "+OK split\r\n"}));
  client_.CloseSocket();
  EXPECT_EQ(server.Transcript(), "ONE\r\nTWO\r\n");
}

TEST_F(MailBaseTest, ReadMultiLineEndsAtTheDotLineOrAtTheFirstLineOfAnError) {
  struct TCase {
    std::vector<std::string> pieces;
    std::string block;
  };
  const TCase cases[] = {
      {{"+OK 2\r\n1 10\r", "\n2 20\r\n.", "\r\n"}, "+OK 2\r\n1 10\r\n2 20\r\n.\r\n"},
      {{"+OK\r\n.\r\n"}, "+OK\r\n.\r\n"},
      {{"-ERR no such message\r\n"}, "-ERR no such message\r\n"},
      {{"-ERR ", "split\r\n"}, "-ERR split\r\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.block);
    TFakeServer server({}, {{c.pieces, 100, false, 0, "\n", false}});
    TLineClient client(prompts_);
    client.multiLine = true;
    client.Host = "127.0.0.1";
    client.Port = server.Port();
    client.Start();
    client.WaitForReplies(1);
    EXPECT_EQ(client.replies, std::vector<std::string>{c.block});
    client.CloseSocket();
  }
}

TEST_F(MailBaseTest, PeerClosingAfterItsReplyClosesTheSocketAndCallsConnectionClosedOnce) {
  TFakeServer server({"+OK hi\r\n"}, {{{"+OK bye\r\n"}, 0, true}});
  StartAndGreet(server, "127.0.0.1");
  ASSERT_TRUE(client_.SendText("QUIT\r\n"));
  client_.WaitForReplies(2);
  client_.PumpUntil(client_.closed);
  EXPECT_EQ(client_.replies.back(), "+OK bye\r\n");
  EXPECT_EQ(client_.Socket, platform::k_invalidSocket);
  EXPECT_EQ(std::count(client_.calls.begin(), client_.calls.end(), "closed"), 1);
  EXPECT_TRUE(client_.errors.empty());
  EXPECT_EQ(server.Transcript(), "QUIT\r\n");
  EXPECT_TRUE(server.CompletedScript());
}

TEST_F(MailBaseTest, SocketMessagesOfAnEarlierSessionFallThrough) {
  TFakeServer server({"+OK hi\r\n"}, {});
  StartAndGreet(server, "127.0.0.1");
  unsigned old = TMailBase::k_socketMessageBase + client_.SessionCounter;
  client_.Reset();
  auto socket = static_cast<std::uintptr_t>(client_.Socket);
  EXPECT_EQ(platform::SendWindowMessage(client_.Window(), old, socket, platform::k_socketRead),
            0);
  size_t calls = client_.calls.size();
  ASSERT_TRUE(platform::PostWindowMessage(client_.Window(), old, socket, platform::k_socketRead));
  // A look-up reply that is not the pending one falls through as well.
  ASSERT_TRUE(platform::PostWindowMessage(client_.Window(), TMailBase::k_lookupMessage, 99, 0));
  platform::ProcessMessages();
  EXPECT_EQ(client_.calls.size(), calls);
  // The current number is handled: the test above could have failed.
  unsigned current = TMailBase::k_socketMessageBase + client_.SessionCounter;
  platform::SendWindowMessage(client_.Window(), current, socket, platform::k_socketWrite);
  EXPECT_EQ(client_.calls.back(), "write");
}

TEST_F(MailBaseTest, SendTextDeliversEverythingToASlowReader) {
  std::string data;
  for (int i = 0; data.size() < 2 * 1024 * 1024; ++i) data += "line " + std::to_string(i) + "\r\n";
  data += ".\r\n";
  test_support::TServerOptions options;
  options.receiveBuffer = 4096;
  TFakeServer server({"+OK hi\r\n"}, {{{"+OK taken\r\n"}, 0, false, 300, "\r\n.\r\n"}}, options);
  StartAndGreet(server, "127.0.0.1");
  EXPECT_TRUE(client_.SendText(data));
  client_.WaitForReplies(2);
  EXPECT_EQ(client_.replies.back(), "+OK taken\r\n");
  client_.CloseSocket();
  EXPECT_TRUE(server.Transcript() == data);
}

TEST_F(MailBaseTest, ConnectThatNeverCompletesTimesOut) {
  platform::TLoopbackListener listener(0);
  // The one queued connection fills the backlog: the next connect is left unanswered.
  platform::SocketHandle filler = platform::ConnectLoopback(listener.Port());
  ASSERT_NE(filler, platform::k_invalidSocket);
  client_.SetTimeout(2);
  client_.Host = "127.0.0.1";
  client_.Port = listener.Port();
  client_.Start();
  auto start = std::chrono::steady_clock::now();
  client_.WaitForReplies(1);
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(client_.TimedOut);
  EXPECT_EQ(client_.Socket, platform::k_invalidSocket);
  EXPECT_EQ(prompts_.shown, std::vector<std::string>{"网络失败：操作超时。"});
  EXPECT_GE(took, std::chrono::milliseconds(1500));
  EXPECT_LT(took, std::chrono::seconds(5));
  platform::CloseSocketHandle(filler);
}

TEST_F(MailBaseTest, SocketErrorDropsTheConnectionAndShowsTheBoxForTheState) {
  std::uint16_t port = 0;
  {
    platform::TLoopbackListener listener;
    port = listener.Port();
  }
  client_.Host = "127.0.0.1";
  client_.Port = port;
  client_.Start();
  client_.WaitForReplies(1);
  EXPECT_EQ(client_.errors, std::vector<int>{platform::k_WSAECONNREFUSED});
  EXPECT_EQ(client_.calls, (std::vector<std::string>{"resolved", "closed"}));
  EXPECT_EQ(client_.Socket, platform::k_invalidSocket);
  EXPECT_EQ(prompts_.shown, std::vector<std::string>{
                                "连接服务器失败，服务器可能已关掉。请稍后再试。\r\n[状态：连接]"
                                "\r\n\r\nWinSock Error: Connection refused"});
}

TEST_F(MailBaseTest, FailedLookupShowsTheResolveText) {
  client_.Host = "nonexistent.invalid";
  client_.Port = 110;
  client_.Start();
  client_.WaitForReplies(1);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].rfind("解析服务器地址失败", 0), 0u);
  EXPECT_NE(prompts_.shown[0].find("[状态：解析主机地址]"), std::string::npos);
  EXPECT_EQ(client_.Socket, platform::k_invalidSocket);
}

TEST_F(MailBaseTest, ExceptionOfAHandlerDropsTheConnectionAndComesOutOfThePump) {
  TFakeServer server({"-ERR go away\r\n"}, {});
  client_.throwOnData = true;
  client_.Host = "127.0.0.1";
  client_.Port = server.Port();
  client_.Start();
  EXPECT_THROW(client_.WaitForReplies(1), EMailError);
  EXPECT_EQ(client_.Socket, platform::k_invalidSocket);
}

TEST_F(MailBaseTest, CancelClosesTheSocketAndEndsThePumpWithoutAMessage) {
  TFakeServer server({}, {});
  client_.Host = "127.0.0.1";
  client_.Port = server.Port();
  client_.Start();
  client_.Cancel();
  client_.WaitForReplies(1);
  EXPECT_TRUE(client_.Cancelled);
  EXPECT_EQ(client_.Socket, platform::k_invalidSocket);
  EXPECT_FALSE(client_.SendText("x\r\n"));
  EXPECT_TRUE(prompts_.shown.empty());
}

TEST_F(MailBaseTest, StartRefusesAnEmptyHostAndResetClearsTheSession) {
  client_.Progress = 40;
  client_.LastError = 5;
  client_.LineBuffer = "partial";
  int counter = client_.SessionCounter;
  client_.Reset();
  EXPECT_EQ(client_.SessionCounter, counter + 1);
  EXPECT_EQ(client_.Progress, 0);
  EXPECT_EQ(client_.LastError, 0);
  EXPECT_TRUE(client_.LineBuffer.empty());
  client_.Host.clear();
  client_.Port = 0;
  client_.DefaultPort = 4321;
  client_.ServiceName = "no-such-service-here";
  EXPECT_THROW(
      {
        try {
          client_.Start();
        } catch (const EMailError& e) {
          EXPECT_EQ(e.Message(), "Server name not set");
          throw;
        }
      },
      EMailError);
  EXPECT_EQ(client_.Port, 4321);
  EXPECT_NE(client_.LocalHostName(), "Unknown");  // a socket is open
  client_.CloseSocket();
  EXPECT_EQ(client_.LocalHostName(), "Unknown");
}

TEST(MailBaseTexts, StateNamesTimeoutsAndErrorTexts) {
  struct TCase {
    int state;
    const char* name;
  };
  for (const TCase& c : {TCase{0, "空闲"}, TCase{2, "解析主机地址"}, TCase{7, "未知"},
                         TCase{10, "收取邮件"}, TCase{12, "发送信件内容"},
                         TCase{128 + 3, "连接"}, TCase{13, "未知"}})
    EXPECT_EQ(StateName(c.state), c.name) << c.state;
  EXPECT_EQ(NetworkErrorText(9, 0), "网络错误，请检查网络是否连通。\r\n[状态：删除]\r\n\r\n");
  EXPECT_EQ(ESocketError("Can not open socket", 10024).Message(),
            "Can not open socket\r\n\r\nWinSock Error: Too many open sockets");
  test_support::TRecordingPrompts prompts;
  TLineClient client(prompts);
  for (auto [given, kept] : {std::pair{1, 60}, std::pair{-5, 60}, std::pair{2, 2},
                             std::pair{90, 90}}) {
    client.SetTimeout(given);
    EXPECT_EQ(client.TimeoutSeconds, kept) << given;
  }
}

}  // namespace
