// What the client does when the server refuses, hangs up or the store refuses a message:
// the error, the exact commands, and that nothing unstored is recorded or deleted.
#include <gtest/gtest.h>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "tests/transport/pop3_test_support.h"

namespace {

using namespace pop3_test;

const std::string k_text = Message("one");
const TServerStep k_stat = Reply("+OK 2 120\r\n");
const TServerStep k_uidl = Reply("+OK\r\n1 uid-a\r\n2 uid-b\r\n.\r\n");
const TServerStep k_list = Reply("+OK\r\n1 60\r\n2 60\r\n.\r\n");
const TServerStep k_ok = Reply("+OK\r\n");

struct TRefusal {
  const char* name;
  std::vector<TServerStep> script;  // from the greeting
  std::string transcript;
  std::string error;
  TStringList seenAfter;
};

TEST(Pop3Failure, RefusalsStopWithTheirTextAndKeepWhatWasStored) {
  const TServerStep data = Reply(DataReply(k_text));
  const TRefusal cases[] = {
      {"USER", {Reply("-ERR no such user\r\n")}, "USER alice\r\n", "用户帐户名非法: alice", {}},
      {"STAT", Script({Reply("-ERR locked\r\n")}), Transcript({"STAT"}), "Can not get the mail statistics", {}},
      {"LIST line", Script({k_stat, k_uidl, Reply("+OK\r\n1 60\r\n2 big\r\n.\r\n")}),
       Transcript({"STAT", "UIDL", "LIST"}), "List command error: 2 big", {}},
      {"LIST multi-line refusal", Script({k_stat, k_uidl, Reply("-ERR not now\r\n")}),
       Transcript({"STAT", "UIDL", "LIST"}), "Error: MsgSize in FMsgsSize", {}},
      {"RETR", Script({k_stat, k_uidl, k_list, Reply("-ERR no such message\r\n")}),
       Transcript({"STAT", "UIDL", "LIST", "RETR 1"}), "Retrieve message failed: -ERR no such message", {}},
      {"DELE", Script({k_stat, k_uidl, k_list, data, Reply("-ERR locked\r\n")}),
       Transcript({"STAT", "UIDL", "LIST", "RETR 1", "DELE 1"}), "Delete message failed: -ERR locked", {"uid-a"}},
      {"QUIT", Script({k_stat, k_uidl, k_list, data, k_ok, data, k_ok, Reply("-ERR busy\r\n")}),
       Transcript({"STAT", "UIDL", "LIST", "RETR 1", "DELE 1", "RETR 2", "DELE 2", "QUIT"}),
       "Quit POP3 server failed: -ERR busy", {"uid-a", "uid-b"}},
  };
  for (const TRefusal& c : cases) {
    SCOPED_TRACE(c.name);
    TPop3Harness h;
    const TRun run = h.Run(c.script);
    EXPECT_EQ(run.error, c.error);
    EXPECT_EQ(run.transcript, c.transcript);
    EXPECT_FALSE(h.pop.Finished);
    EXPECT_EQ(run.seenFile, c.seenAfter);
  }
}

// The first message is stored and deleted; the connection drops inside the second (a
// temporary file): it is not delivered, not recorded, not deleted, its file is gone, and
// the first one's identifier is already in the seen file.
TEST(Pop3Failure, DroppedConnectionMidMessageLosesNothingStored) {
  const std::string big = Message("big", std::string(20000, 'x') + "\r\n");
  const std::string reply = DataReply(big);
  TPop3Harness h;
  const TRun run = h.Run(Script({k_stat, k_uidl, Reply("+OK\r\n1 60\r\n2 20100\r\n.\r\n"), Reply(DataReply(k_text)), k_ok,
                                 TServerStep{{reply.substr(0, 5000), reply.substr(5000, 5000)}, 30, true}}));
  EXPECT_EQ(run.error, "Connection closed by the POP3 server");
  EXPECT_EQ(run.transcript, Transcript({"STAT", "UIDL", "LIST", "RETR 1", "DELE 1", "RETR 2"}));
  ASSERT_EQ(run.delivered.size(), 1u);
  EXPECT_EQ(run.delivered[0].uidl, "uid-a");
  EXPECT_EQ(run.seenFile, TStringList{"uid-a"});
  ASSERT_EQ(run.tempFiles.size(), 1u);
  EXPECT_FALSE(platform::FileExists(run.tempFiles[0]));
  EXPECT_EQ(h.pop.Session.Stream, nullptr);
}

// A server that stops answering ends the session after the time-out, with its message:
// silent from the start, or inside a message kept in a temporary file, which is then
// neither delivered nor recorded and whose file is gone.
TEST(Pop3Failure, SilentServerTimesOutAndKeepsNothingPartial) {
  const std::string reply = DataReply(Message("big", std::string(20000, 'x') + "\r\n"));
  const TServerStep silent{{}};
  struct TSilence {
    const char* name;
    std::vector<std::string> greeting;
    std::vector<TServerStep> script;
    std::string transcript;
    bool inMessage;  // the first message was stored; the second, in a file, is cut off
  };
  const TSilence cases[] = {
      {"after the accept", {}, {silent}, "", false},
      {"inside a RETR", k_greeting,
       Script({k_stat, k_uidl, Reply("+OK\r\n1 60\r\n2 20100\r\n.\r\n"), Reply(DataReply(k_text)), k_ok,
               Reply(reply.substr(0, 5000)), silent}),
       Transcript({"STAT", "UIDL", "LIST", "RETR 1", "DELE 1", "RETR 2"}), true},
  };
  for (const TSilence& c : cases) {
    SCOPED_TRACE(c.name);
    TPop3Harness h;
    h.pop.SetTimeout(2);
    const TRun run = h.Run(c.script, TPOP3::TMode::FetchNew, c.greeting);
    EXPECT_EQ(h.prompts.shown, std::vector<std::string>{"网络失败：操作超时。"});
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.transcript, c.transcript);
    EXPECT_EQ(run.delivered.size(), c.inMessage ? 1u : 0u);
    EXPECT_EQ(run.seenFile, c.inMessage ? TStringList{"uid-a"} : TStringList{});
    ASSERT_EQ(run.tempFiles.size(), c.inMessage ? 1u : 0u);
    for (const std::string& file : run.tempFiles) EXPECT_FALSE(platform::FileExists(file));
  }
}

// A message the store refuses (OnMessage throws) is neither recorded nor deleted.
TEST(Pop3Failure, RefusedByTheStoreIsNotRecordedNorDeleted) {
  TPop3Harness h;
  h.onMessage = [](const TMailMessage& m) {
    if (m.Uidl == "uid-b") throw EFileException(EFileException::Kind::Write, "inbox.BOX");
  };
  const TServerStep data = Reply(DataReply(k_text));
  const TRun run = h.Run(Script({k_stat, k_uidl, k_list, data, k_ok, data, k_ok}));
  EXPECT_EQ(run.error, EFileException(EFileException::Kind::Write, "inbox.BOX").Message());
  EXPECT_EQ(run.transcript, Transcript({"STAT", "UIDL", "LIST", "RETR 1", "DELE 1", "RETR 2"}));
  EXPECT_EQ(run.seenFile, TStringList{"uid-a"});
}

}  // namespace
