// Where a message is received (memory up to 16384 bytes, a temporary file above), the
// headers-only mode and the marks mode.
#include <gtest/gtest.h>

#include "platform/file.h"
#include "quillet/common/paths.h"
#include "tests/transport/pop3_test_support.h"

namespace {

using namespace pop3_test;

// A stored text of exactly `size` bytes.
std::string TextOfSize(std::size_t size) {
  std::string text = Message("sized", "");
  const std::size_t lines = (size - text.size()) / 100;
  for (std::size_t i = 0; i < lines; ++i) text += std::string(98, 'a' + static_cast<char>(i % 26)) + "\r\n";
  text += std::string(size - text.size(), 'z');
  return text.substr(0, size - 2) + "\r\n";
}

TEST(Pop3Modes, MemoryUpTo16384BytesTemporaryFileAbove) {
  const std::string exact = TextOfSize(16384);
  const std::string above = TextOfSize(16385);
  ASSERT_EQ(exact.size(), 16384u);
  TPop3Harness h;
  h.pop.LeaveOnServer = true;
  const TRun run = h.Run(Script({Reply("+OK 2 32769\r\n"), Reply("+OK\r\n1 u1\r\n2 u2\r\n.\r\n"),
                                 Reply("+OK\r\n1 16384\r\n2 16385\r\n.\r\n"), Reply(DataReply(exact)),
                                 Reply(DataReply(above)), Reply("+OK\r\n")}));
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(run.transcript, Transcript({"STAT", "UIDL", "LIST", "RETR 1", "RETR 2", "QUIT"}));
  ASSERT_EQ(run.delivered.size(), 2u);
  EXPECT_EQ(run.delivered[0].text, exact);
  EXPECT_FALSE(run.delivered[0].inTempFile);
  EXPECT_EQ(run.delivered[1].text, above);
  EXPECT_TRUE(run.delivered[1].inTempFile);
  ASSERT_EQ(run.tempFiles.size(), 1u);
  EXPECT_EQ(paths::FileNamePart(run.tempFiles[0]).compare(0, 3, "pop"), 0) << run.tempFiles[0];
  EXPECT_FALSE(platform::FileExists(run.tempFiles[0]));  // removed once delivered
  EXPECT_EQ(h.pop.Progress, 0);
}

// TOP n 1 for every message, known or not; the record carries the size from LIST; nothing
// is deleted or recorded as seen.
TEST(Pop3Modes, HeadersOnly) {
  TPop3Harness h;
  h.seen = {"u1"};
  h.pop.LeaveOnServer = false;
  const std::string head = "From: A <a@example.com>\r\nSubject: s\r\n\r\nfirst line\r\n";
  const TRun run = h.Run(Script({Reply("+OK 2 9000\r\n"), Reply("+OK\r\n1 u1\r\n2 u2\r\n.\r\n"),
                                 Reply("+OK\r\n1 4000\r\n2 5000\r\n.\r\n"), Reply(DataReply(head)),
                                 Reply(DataReply(head)), Reply("+OK\r\n")}),
                         TPOP3::TMode::HeadersOnly);
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(run.transcript, Transcript({"STAT", "UIDL", "LIST", "TOP 1 1", "TOP 2 1", "QUIT"}));
  ASSERT_EQ(run.delivered.size(), 2u);
  EXPECT_EQ(run.delivered[0].uidl, "u1");
  EXPECT_EQ(run.delivered[0].size, 4000);
  EXPECT_EQ(run.delivered[1].uidl, "u2");
  EXPECT_EQ(run.delivered[1].size, 5000);
  EXPECT_EQ(run.delivered[1].text, head);
  EXPECT_EQ(run.seenFile, TStringList{"u1"});
  EXPECT_EQ(h.pop.Fetched, 2);
}

// Mark 1 fetches, 2 fetches then deletes, 3 deletes unfetched, none leaves the message.
TEST(Pop3Modes, MarksAreCarriedOut) {
  TPop3Harness h;
  TRemoteMarks marks;
  marks.Set("u1", TRemoteMark::Fetch);
  marks.Set("u2", TRemoteMark::FetchAndDelete);
  marks.Set("u3", TRemoteMark::Delete);
  marks.Set("u5", TRemoteMark::Fetch);
  marks.Set("u5", TRemoteMark::None);
  h.pop.Marks = &marks;
  h.pop.LeaveOnServer = false;  // only the marks decide
  const std::string text = Message("m");
  const TRun run = h.Run(Script({Reply("+OK 5 300\r\n"), Reply("+OK\r\n1 u1\r\n2 u2\r\n3 u3\r\n4 u4\r\n5 u5\r\n.\r\n"),
                                 Reply("+OK\r\n1 60\r\n2 60\r\n3 60\r\n4 60\r\n5 60\r\n.\r\n"), Reply(DataReply(text)),
                                 Reply(DataReply(text)), Reply("+OK\r\n"), Reply("+OK\r\n"), Reply("+OK\r\n")}),
                         TPOP3::TMode::ApplyMarks);
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(run.transcript, Transcript({"STAT", "UIDL", "LIST", "RETR 1", "RETR 2", "DELE 2", "DELE 3", "QUIT"}));
  ASSERT_EQ(run.delivered.size(), 2u);
  EXPECT_EQ(run.delivered[1].uidl, "u2");
  EXPECT_EQ(run.seenFile, (TStringList{"u1", "u2"}));
}

TEST(Pop3Modes, MarksModeWithoutMarksIsRefusedBeforeConnecting) {
  test_support::TRecordingPrompts prompts;
  TPOP3 pop(prompts);
  pop.Reset();
  pop.Host = "127.0.0.1";
  pop.Port = 1;
  try {
    pop.DoOperation(TPOP3::TMode::ApplyMarks);
    FAIL() << "no error";
  } catch (const EMailError& e) {
    EXPECT_EQ(e.Message(), "Error in DoOperation");
  }
  EXPECT_EQ(pop.State, 0);
}

}  // namespace
