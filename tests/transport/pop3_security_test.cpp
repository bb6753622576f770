// The login's security against the scripted server: STLS required but not to be had ends
// the session before the account name or the password is sent, and APOP replaces USER and
// PASS when the account asks for it and the greeting carries a timestamp. (The upgrade
// itself is tested against real TLS servers: tests/e2e/tls and Pop3Dovecot.)
#include <gtest/gtest.h>

#include "quillet/common/md5.h"
#include "tests/transport/pop3_test_support.h"

namespace {

using namespace pop3_test;

TEST(Pop3Security, StlsRequiredButNotToBeHadSendsNoAccountOrPassword) {
  const std::string missing = "POP3 服务器 127.0.0.1 不提供 STLS 安全连接，而帐户设置要求使用它。帐户名和口令都没有发出。";
  struct TCase {
    std::vector<TServerStep> script;
    std::string transcript, error;
  };
  const TCase cases[] = {
      {{Reply("+OK\r\nUSER\r\nUIDL\r\n.\r\n")}, "CAPA\r\n", missing},
      {{Reply("+OK\r\nXSTLS\r\nUSER STLS\r\n.\r\n")}, "CAPA\r\n", missing},  // only a first word counts
      {{Reply("-ERR unknown command\r\n")}, "CAPA\r\n", missing},
      {{Reply("+OK\r\nuser\r\nstls\r\n.\r\n"), Reply("-ERR not now\r\n")},
       "CAPA\r\nSTLS\r\n",
       "POP3 服务器 127.0.0.1 拒绝建立 STLS 安全连接，帐户名和口令都没有发出：-ERR not now"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.transcript + c.error);
    TPop3Harness h;
    h.pop.Security = TMailSecurity::StartTls;
    const TRun run = h.Run(c.script);
    EXPECT_EQ(run.transcript, c.transcript);
    EXPECT_EQ(run.error, c.error);
    EXPECT_EQ(h.pop.Socket, platform::k_invalidSocket);
    EXPECT_TRUE(h.prompts.shown.empty());
  }
}

TEST(Pop3Security, ApopWhenAskedForAndTheGreetingHasATimestamp) {
  const std::string stamped = "+OK POP3 server ready <1896.697170952@dbc.mtview.ca.us>\r\n";
  // The example exchange of the POP3 standard: the password "tanstaaf".
  const std::string apop = "APOP alice c4c9334bac560ecc979e58001b3e22fb";
  const std::vector<TServerStep> empty = {Reply("+OK maildrop locked\r\n"), Reply("+OK 0 0\r\n"), Reply("+OK\r\n")};
  struct TCase {
    std::string greeting;
    bool useApop;
    std::string transcript;
    std::vector<std::string> commands;
  };
  const TCase cases[] = {
      {stamped, true, apop + "\r\nSTAT\r\nQUIT\r\n", {"APOP alice <...>", "STAT", "QUIT"}},
      {"+OK ready <no-at-sign>\r\n", true, "USER alice\r\nPASS tanstaaf\r\nSTAT\r\nQUIT\r\n",
       {"USER alice", "PASS <...>", "STAT", "QUIT"}},
      {stamped, false, "USER alice\r\nPASS tanstaaf\r\nSTAT\r\nQUIT\r\n", {"USER alice", "PASS <...>", "STAT", "QUIT"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.greeting + (c.useApop ? " APOP" : ""));
    TPop3Harness h;
    h.pop.UseApop = c.useApop;
    h.pop.Password = "tanstaaf";
    std::vector<TServerStep> script = empty;
    if (c.transcript.compare(0, 4, "USER") == 0) script.insert(script.begin(), Reply("+OK\r\n"));
    const TRun run = h.Run(script, TPOP3::TMode::FetchNew, {c.greeting});
    EXPECT_EQ(run.transcript, c.transcript);
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.commands, c.commands);
    EXPECT_TRUE(h.pop.Finished);
  }
}

// A refused APOP is a refused password: the prompt asks for another, which the next
// connection's APOP uses with that connection's timestamp.
TEST(Pop3Security, RefusedApopAsksForThePasswordAgain) {
  TPop3Harness h;
  h.prompts = THookedPrompts(true);
  h.pop.UseApop = true;
  h.pop.Password = "wrong";
  h.pop.OnPassword = [](TPOP3&, std::string& password, bool&, bool&) { password = "tanstaaf"; };
  test_support::TFakeServer second({"+OK <1896.697170952@dbc.mtview.ca.us>\r\n"},
                                   {Reply("+OK in\r\n"), Reply("+OK 0 0\r\n"), Reply("+OK\r\n")});
  h.prompts.beforeAnswer = [&] { h.pop.Port = second.Port(); };
  const TRun run = h.Run({Reply("-ERR [AUTH] authentication failed\r\n")}, TPOP3::TMode::FetchNew,
                         {"+OK <1@first.example>\r\n"});
  EXPECT_EQ(run.transcript, "APOP alice " + md5::HexDigest("<1@first.example>wrong") + "\r\n");
  EXPECT_EQ(h.prompts.asked, std::vector<std::string>{"-ERR [AUTH] authentication failed\r\n\r\n重新输入口令吗？"});
  EXPECT_EQ(second.Transcript(), "APOP alice c4c9334bac560ecc979e58001b3e22fb\r\nSTAT\r\nQUIT\r\n");
  EXPECT_TRUE(h.pop.Finished);
}

}  // namespace
