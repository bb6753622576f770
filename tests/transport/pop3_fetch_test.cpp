// Fetching new mail against the scripted server: the exact commands, the stored texts and
// the seen file, for leave-on-server on and off, known and unknown identifiers, a server
// without UIDL and an empty mailbox.
#include <gtest/gtest.h>

#include "platform/file.h"
#include "tests/transport/pop3_test_support.h"

namespace {

using namespace pop3_test;

const std::string k_first = Message("one", "..starts with a dot\r\n.\r\nend\r\n");
const std::string k_second = Message("two");
const std::string k_uidl = "+OK\r\n1 uid-a\r\n2 uid-b\r\n.\r\n";
const std::string k_list = "+OK 2 messages\r\n1 100\r\n2 60\r\n.\r\n";

struct TFetchCase {
  const char* name;
  bool leaveOnServer;
  TStringList seenBefore;
  std::vector<TServerStep> script;
  std::vector<std::string> commands;  // after USER and PASS
  std::vector<std::pair<std::string, std::string>> delivered;  // identifier and text, in order
  TStringList seenAfter;              // empty: the file is gone
};

std::vector<TFetchCase> FetchCases() {
  const TServerStep stat = Reply("+OK 2 160\r\n");
  const TServerStep uidl = Reply(k_uidl);
  const TServerStep list = Reply(k_list);
  const TServerStep first = Reply(DataReply(k_first));
  const TServerStep second = Reply(DataReply(k_second));
  const TServerStep ok = Reply("+OK\r\n");
  const TServerStep noUidl = Reply("-ERR unknown command\r\n");
  return {
      {"leave on server", true, {}, Script({stat, uidl, list, first, second, ok}),
       {"STAT", "UIDL", "LIST", "RETR 1", "RETR 2", "QUIT"}, {{"uid-a", k_first}, {"uid-b", k_second}},
       {"uid-a", "uid-b"}},
      {"delete after storing", false, {}, Script({stat, uidl, list, first, ok, second, ok, ok}),
       {"STAT", "UIDL", "LIST", "RETR 1", "DELE 1", "RETR 2", "DELE 2", "QUIT"},
       {{"uid-a", k_first}, {"uid-b", k_second}}, {"uid-a", "uid-b"}},
      {"known skipped, unlisted dropped", true, {"gone", "uid-a"}, Script({stat, uidl, list, second, ok}),
       {"STAT", "UIDL", "LIST", "RETR 2", "QUIT"}, {{"uid-b", k_second}}, {"uid-a", "uid-b"}},
      {"leave switched off later", false, {"uid-a"}, Script({stat, uidl, list, ok, second, ok, ok}),
       {"STAT", "UIDL", "LIST", "DELE 1", "RETR 2", "DELE 2", "QUIT"}, {{"uid-b", k_second}}, {"uid-a", "uid-b"}},
      {"no UIDL, leave on", true, {"old"}, Script({stat, noUidl, list, first, second, ok}),
       {"STAT", "UIDL", "LIST", "RETR 1", "RETR 2", "QUIT"}, {{"", k_first}, {"", k_second}}, {"old"}},
      {"no UIDL, delete", false, {"old"}, Script({stat, noUidl, list, first, ok, second, ok, ok}),
       {"STAT", "UIDL", "LIST", "RETR 1", "DELE 1", "RETR 2", "DELE 2", "QUIT"},
       {{"", k_first}, {"", k_second}}, {"old"}},
      {"empty mailbox clears the seen list", true, {"uid-a"}, Script({Reply("+OK 0 0\r\n"), ok}),
       {"STAT", "QUIT"}, {}, {}},
  };
}

TEST(Pop3Fetch, CommandsStoredTextsAndSeenFile) {
  for (const TFetchCase& c : FetchCases()) {
    SCOPED_TRACE(c.name);
    TPop3Harness h;
    h.seen = c.seenBefore;
    h.pop.LeaveOnServer = c.leaveOnServer;
    const TRun run = h.Run(c.script);
    EXPECT_EQ(run.transcript, Transcript(c.commands));
    EXPECT_EQ(run.error, "");
    EXPECT_TRUE(h.pop.Finished);
    ASSERT_EQ(run.delivered.size(), c.delivered.size());
    for (std::size_t i = 0; i < c.delivered.size(); ++i) {
      EXPECT_EQ(run.delivered[i].uidl, c.delivered[i].first);
      EXPECT_EQ(run.delivered[i].text, c.delivered[i].second);
      EXPECT_EQ(run.delivered[i].size, static_cast<std::int32_t>(run.delivered[i].text.size()));
    }
    EXPECT_EQ(run.seenFile, c.seenAfter);
    EXPECT_EQ(run.seenFileExists, !c.seenAfter.empty());
    EXPECT_EQ(h.pop.Received, static_cast<std::int32_t>(c.delivered.size()));
    EXPECT_EQ(h.pop.ToFetch, static_cast<std::int32_t>(c.delivered.size()));
    EXPECT_TRUE(h.prompts.shown.empty());
  }
}

// The reply of a one-read step split over several writes, and two replies in one read
// (only the last line of a read counts, so the stale one before it is passed over).
TEST(Pop3Fetch, RepliesSplitOverReadsAndTwoRepliesInOneRead) {
  TPop3Harness h;
  h.pop.LeaveOnServer = true;
  std::vector<TServerStep> script = {
      TServerStep{{"+O", "K\r", "\n"}, 30},
      TServerStep{{"-ERR stale\r\n+OK logged in\r\n"}},
      TServerStep{{"+OK 1 ", "60\r\n"}, 30},
      TServerStep{{"+OK\r\n1 ui", "d-b\r\n.", "\r\n"}, 30},
      TServerStep{{"+OK\r\n1 60\r", "\n.\r\n"}, 30},
      TServerStep{{"+OK 60 octets\r", "\nFrom: =?GB2312?B?1cXI/Q==?= <zs@example.com>\r\nSubj",
                   "ect: =?GB2312?Q?=B2=E2=CA=D4?=\r\n", "\r\ntext\r\n.\r\n"}, 30},
      Reply("+OK bye\r\n"),
  };
  const TRun run = h.Run(script);
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(run.transcript, Transcript({"STAT", "UIDL", "LIST", "RETR 1", "QUIT"}));
  ASSERT_EQ(run.delivered.size(), 1u);
  EXPECT_EQ(run.delivered[0].text,
            "From: =?GB2312?B?1cXI/Q==?= <zs@example.com>\r\nSubject: =?GB2312?Q?=B2=E2=CA=D4?=\r\n\r\ntext\r\n");
  EXPECT_EQ(run.delivered[0].uidl, "uid-b");
  // The sender's name and the subject, decoded, once the header is complete.
  EXPECT_EQ(run.shownSteps, std::vector<std::string>{"\xD5\xC5\xC8\xFD: \xB2\xE2\xCA\xD4"});
}

// Wherever the reads split the "." line (or a stuffed line, or the status line), the same
// text is stored and no byte of the "." line with it.
TEST(Pop3Fetch, TerminatorAndStuffedLinesSplitAcrossReads) {
  const std::string reply = DataReply(k_first);
  const std::size_t end = reply.size();
  const std::size_t stuffed = reply.find("\r\n..") + 3;  // between the two dots
  const std::size_t status = reply.find("\r\n") + 1;     // between the status line's CR and LF
  const std::size_t cuts[] = {end - 5, end - 4, end - 3, end - 2, end - 1, end - 7, stuffed, status};
  for (std::size_t cut : cuts) {
    SCOPED_TRACE(cut);
    TPop3Harness h;
    h.pop.LeaveOnServer = true;
    const TRun run = h.Run(Script({Reply("+OK 1 100\r\n"), Reply("+OK\r\n1 uid-a\r\n.\r\n"), Reply("+OK\r\n1 100\r\n.\r\n"),
                                   TServerStep{{reply.substr(0, cut), reply.substr(cut)}, 60}, Reply("+OK\r\n")}));
    EXPECT_EQ(run.transcript, Transcript({"STAT", "UIDL", "LIST", "RETR 1", "QUIT"}));
    ASSERT_EQ(run.delivered.size(), 1u);
    EXPECT_EQ(run.delivered[0].text, k_first);
  }
}

}  // namespace
