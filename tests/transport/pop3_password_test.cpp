// The password: asked through OnPassword when none is set, and asked again after the
// server refused it (the session then starts over on a new connection).
#include <gtest/gtest.h>

#include <memory>

#include "tests/transport/pop3_test_support.h"

namespace {

using namespace pop3_test;

const std::vector<TServerStep> k_emptyMailbox = {Reply("+OK\r\n"), Reply("+OK in\r\n"), Reply("+OK 0 0\r\n"), Reply("+OK\r\n")};

struct TAsked {
  int times = 0;
  std::string given;  // the password OnPassword saw
};

void AnswerPassword(TPOP3& pop, TAsked& asked, const std::string& password, bool cancel, bool remember) {
  pop.OnPassword = [&asked, password, cancel, remember](TPOP3&, std::string& p, bool& cancelIt, bool& rememberIt) {
    ++asked.times;
    asked.given = p;
    p = password;
    cancelIt = cancel;
    rememberIt = remember;
  };
}

TEST(Pop3Password, AskedWhenEmptyOrCancelled) {
  struct TCase {
    const char* name;
    bool cancel, remember;
    std::string transcript;
    TPOP3::TRememberChoice choice;
  };
  const TCase cases[] = {
      {"typed and remembered", false, true, "USER alice\r\nPASS typed\r\nSTAT\r\nQUIT\r\n", TPOP3::TRememberChoice::Remember},
      {"typed", false, false, "USER alice\r\nPASS typed\r\nSTAT\r\nQUIT\r\n", TPOP3::TRememberChoice::DoNotRemember},
      {"cancelled", true, false, "USER alice\r\n", TPOP3::TRememberChoice::NotAsked},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TPop3Harness h;
    TAsked asked;
    AnswerPassword(h.pop, asked, "typed", c.cancel, c.remember);
    const TRun run = h.Run(k_emptyMailbox);
    EXPECT_EQ(run.transcript, c.transcript);
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(asked.times, 1);
    EXPECT_EQ(h.pop.RememberChoice, c.choice);
    EXPECT_EQ(h.pop.Cancelled, c.cancel);
    EXPECT_EQ(h.pop.Finished, !c.cancel);
    EXPECT_EQ(h.pop.State, c.cancel ? 5 : 4);  // cancelled, or logged out
  }
}

// A refused PASS asks "enter it again?" with the reply: yes starts over on a new
// connection (where OnPassword is asked, the password being cleared), no cancels.
TEST(Pop3Password, RefusedPasswordReEnteredOrCancelled) {
  for (const bool again : {true, false}) {
    SCOPED_TRACE(again);
    TPop3Harness h{};
    h.prompts = THookedPrompts(again);
    TAsked asked;
    AnswerPassword(h.pop, asked, "right", false, false);
    h.pop.Password = "wrong";
    std::unique_ptr<test_support::TFakeServer> second;
    if (again) {
      second = std::make_unique<test_support::TFakeServer>(k_greeting, k_emptyMailbox);
      h.prompts.beforeAnswer = [&] { h.pop.Port = second->Port(); };
    }
    const TRun run = h.Run({Reply("+OK\r\n"), Reply("-ERR [AUTH] bad password\r\n")});
    EXPECT_EQ(run.transcript, "USER alice\r\nPASS wrong\r\n");
    EXPECT_EQ(h.prompts.asked, std::vector<std::string>{"-ERR [AUTH] bad password\r\n\r\n重新输入口令吗？"});
    EXPECT_EQ(run.error, "");
    if (again) {
      EXPECT_EQ(second->Transcript(), "USER alice\r\nPASS right\r\nSTAT\r\nQUIT\r\n");
      EXPECT_EQ(asked.times, 1);
      EXPECT_EQ(asked.given, "");
      EXPECT_TRUE(h.pop.Finished);
    } else {
      EXPECT_EQ(asked.times, 0);
      EXPECT_TRUE(h.pop.Cancelled);
      EXPECT_EQ(h.pop.State, 5);
    }
  }
}

}  // namespace
