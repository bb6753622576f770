// TRawSMTP against the scripted fake server: every test asserts the exact transcript the
// server received and what was handed to OnSent.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/socket.h"
#include "quillet/transport/raw_smtp.h"
#include "quillet/transport/transport_texts.h"
#include "tests/store/mailbox/store_test_support.h"
#include "tests/support/fake_server.h"
#include "tests/support/recording_prompts.h"
#include "tests/transport/smtp_test_support.h"

namespace {

using test_support::TFakeServer;
using test_support::TServerOptions;
using test_support::TServerStep;

const char k_greeting[] = "220 fake ready\r\n";
const TServerStep k_ok{{"250 ok\r\n"}};
const TServerStep k_goAhead{{"354 go ahead\r\n"}};
const TServerStep k_bye{{"221 bye\r\n"}};

TServerStep DataStep(const char* reply = "250 queued\r\n") {
  TServerStep step{{reply}};
  step.terminator = "\r\n.\r\n";
  return step;
}

// "EHLO " or "HELO " and the local host name, CR LF.
std::string HelloLine(const char* command = "EHLO ") {
  std::string name = platform::LocalHostName();
  return command + (name.empty() ? std::string("Unknown") : name) + "\r\n";
}

struct TRun {
  std::string transcript;
  std::vector<std::int32_t> sent;
  std::vector<std::int32_t> progress;
  std::vector<int> states;
  std::vector<std::string> commands;
  std::string error;  // the text of an exception Send raised
  bool finished = false;
  bool cancelled = false;
  bool loggedIn = false;
  bool loginRefused = false;
  std::uint16_t port = 0;
};

class SmtpSessionTest : public store_test::ScratchTest {
 protected:
  std::string Outbox() const { return Base("out"); }
  std::int32_t Compose(const TComposeInput& input) { return smtp_test::Compose(Outbox(), input, prompts_); }
  std::int32_t Raw(const std::string& text) { return smtp_test::AppendRaw(Outbox(), text); }
  std::string Stored(std::int32_t id) { return smtp_test::StoredText(Outbox(), id); }

  // One session against a server that greets with greeting_ and answers with the steps.
  TRun Send(const std::vector<std::int32_t>& queue, std::vector<TServerStep> steps, TServerOptions options = {}) {
    TFakeServer server(greeting_, std::move(steps), options);
    TRun run;
    run.port = server.Port();
    {
      TRawSMTP smtp(prompts_, Outbox(), queue);
      smtp.Host = "127.0.0.1";
      smtp.Port = server.Port();
      smtp.DateText = [] { return std::string(smtp_test::k_date); };
      smtp.OnExpandRecipients = expand_;
      smtp.OnSent = [&](const std::string& path, std::int32_t id) {
        EXPECT_EQ(path, Outbox());
        run.sent.push_back(id);
      };
      smtp.OnProgress = [&](TMailBase& sender) { run.progress.push_back(sender.Progress); };
      smtp.OnStatusChange = [&](TMailBase& sender, const std::string&) { run.states.push_back(sender.State); };
      smtp.OnCommandChange = [&](TMailBase&, const std::string& text) { run.commands.push_back(text); };
      if (setup_) setup_(smtp);
      smtp.Reset();
      try {
        smtp.Send();
      } catch (const ESmtpAuthError& e) {
        run.error = e.Message();
        run.loginRefused = true;
      } catch (const Exception& e) {
        run.error = e.Message();
      }
      run.finished = smtp.Finished;
      run.cancelled = smtp.Cancelled;
      run.loggedIn = smtp.Session.LoggedIn;
    }
    run.transcript = server.Transcript();
    return run;
  }

  test_support::TRecordingPrompts prompts_{true};
  std::vector<std::string> greeting_{k_greeting};
  TRecipientExpander expand_;
  std::function<void(TRawSMTP&)> setup_;  // the login and security settings of a test
};

// The server's answers and the client's commands for one message that goes through.
void Accept(std::vector<TServerStep>& steps, size_t recipients) {
  steps.push_back(k_ok);
  steps.insert(steps.end(), recipients, k_ok);
  steps.push_back(k_goAhead);
  steps.push_back(DataStep());
}
std::string Commands(const std::vector<std::string>& recipients, const std::string& stored) {
  std::string commands = "MAIL FROM: <me@example.org>\r\n";
  for (const std::string& r : recipients) commands += "RCPT TO: <" + r + ">\r\n";
  return commands + "Data\r\n" + smtp_test::WireText(stored);
}

TEST_F(SmtpSessionTest, OneAndSeveralMessagesInOneConnection) {
  for (size_t count : {1u, 3u}) {
    SCOPED_TRACE(count);
    std::vector<std::int32_t> ids;
    std::vector<TServerStep> steps = {k_ok};
    std::string expected = HelloLine();
    for (size_t i = 0; i < count; ++i) {
      const std::string to = "to" + std::to_string(i) + "@example.org";
      ids.push_back(Compose(smtp_test::Input("To " + std::to_string(i) + " <" + to + ">", "s" + std::to_string(i),
                                             {"line one", "line two"})));
      Accept(steps, 1);
      expected += Commands({to}, Stored(ids.back()));
    }
    steps.push_back(k_bye);
    TRun run = Send(ids, steps);
    EXPECT_EQ(run.transcript, expected + "QUIT\r\n");
    EXPECT_EQ(run.sent, ids);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.error, "");
    EXPECT_TRUE(prompts_.shown.empty() && prompts_.asked.empty());
  }
}

TEST_F(SmtpSessionTest, StatesAndCommandTextsFollowTheSession) {
  const std::int32_t id = Raw("From: =?GB2312?Q?=CE=D2?= <me@example.org>\r\nTo: =?GB2312?Q?=D5=C5?= <z@example.org>\r\n"
                              "Subject: =?GB2312?B?1vfM4g==?=\r\n\r\nbody\r\n");
  std::vector<TServerStep> steps = {k_ok};
  Accept(steps, 1);
  steps.push_back(k_bye);
  TRun run = Send({id}, steps);
  EXPECT_EQ(run.states, (std::vector<int>{2, 3, 1, 11, 12, 4}));
  EXPECT_EQ(run.commands, (std::vector<std::string>{"127.0.0.1", "127.0.0.1: " + std::to_string(run.port), HelloLine().substr(0, HelloLine().size() - 2),
                                                    "MAIL FROM: <me@example.org>", "RCPT TO: <z@example.org>", "Data",
                                                    "张: 主题", "QUIT"}));
}

TEST_F(SmtpSessionTest, HiddenRecipientsGetTheMessageButNoHeaderNamesThem) {
  TComposeInput input = smtp_test::Input("a@example.org", "with attachment", {"see"});
  input.CC = {"c@example.org"};
  input.BCC = {"Hidden One <h1@example.org>, h2@example.org, h3@example.org"};
  input.Attachments = {Base("file.txt")};
  store_test::WriteFileBytes(Base("file.txt"), "attached text");
  const std::int32_t composed = Compose(input);
  const std::int32_t raw = Raw(
      "From: me@example.org\r\nbcc: h4@example.org,\r\n\th5@example.org\r\nTo: b@example.org\r\n"
      "X-JAYATTACH: C:\\a.txt,\r\n C:\\b.txt\r\nSubject: raw\r\n\r\nbody\r\n");
  ASSERT_NE(Stored(composed).find("BCC: "), std::string::npos);
  ASSERT_NE(Stored(composed).find("X-JayAttach: "), std::string::npos);

  std::vector<TServerStep> steps = {k_ok};
  Accept(steps, 5);
  Accept(steps, 3);
  steps.push_back(k_bye);
  TRun run = Send({composed, raw}, steps);
  EXPECT_EQ(run.transcript,
            HelloLine() +
                Commands({"a@example.org", "c@example.org", "h1@example.org", "h2@example.org", "h3@example.org"},
                         Stored(composed)) +
                Commands({"b@example.org", "h4@example.org", "h5@example.org"}, Stored(raw)) + "QUIT\r\n");
  EXPECT_EQ(run.transcript.find("h4@example.org,\r\n"), std::string::npos);
  EXPECT_EQ(run.transcript.find("\th5"), std::string::npos);
  EXPECT_EQ(run.transcript.find("C:\\"), std::string::npos);
  EXPECT_EQ(run.sent, (std::vector<std::int32_t>{composed, raw}));
}

TEST_F(SmtpSessionTest, MessageWithoutRecipientIsShownAndSkipped) {
  const std::int32_t first = Compose(smtp_test::Input("a@example.org", "first", {"1"}));
  const std::int32_t none = Raw("From: me@example.org\r\nSubject: nobody\r\n\r\nlost\r\n");
  const std::int32_t last = Compose(smtp_test::Input("b@example.org", "last", {"3"}));
  std::vector<TServerStep> steps = {k_ok};
  Accept(steps, 1);
  Accept(steps, 1);
  steps.push_back(k_bye);
  TRun run = Send({first, none, last}, steps);
  EXPECT_EQ(run.transcript, HelloLine() + Commands({"a@example.org"}, Stored(first)) +
                                Commands({"b@example.org"}, Stored(last)) + "QUIT\r\n");
  EXPECT_EQ(prompts_.shown, (std::vector<std::string>{k_textNoReceiver}));
  EXPECT_EQ(run.sent, (std::vector<std::int32_t>{first, last}));
}

TEST_F(SmtpSessionTest, RecipientsAreWidenedByTheExpansionHook) {
  const std::int32_t id = Compose(smtp_test::Input("friends@example.org", "s", {"b"}));
  std::vector<TServerStep> steps = {k_ok};
  Accept(steps, 3);
  steps.push_back(k_bye);
  TStringList seen;
  expand_ = [&](const TStringList& recipients) {
    seen = recipients;
    return TStringList{"Ann <ann@example.org>", "=?GB2312?Q?=D5=C5?= <bob@example.org>",
                       "Eve <=?us-ascii?Q?eve@example.org=0D=0ARSET?=>"};
  };
  TRun run = Send({id}, steps);
  EXPECT_EQ(seen, (TStringList{"<friends@example.org>"}));
  // A line end an encoded word brings into an address cannot start a command.
  EXPECT_EQ(run.transcript, HelloLine() + Commands({"ann@example.org", "bob@example.org", "eve@example.org  RSET"}, Stored(id)) +
                                "QUIT\r\n");
}

// Each case: the refusal, the server's answers after HELO (the refusal among them), the
// user's answer, and what the server hears after HELO.
struct TRefusalCase {
  const char* name;
  std::string refusal;
  std::vector<TServerStep> steps;
  bool answer;
  std::string expectedAfterHelo;
  bool sent;  // handed to OnSent
};

TEST_F(SmtpSessionTest, RefusedRepliesAskWhetherToGoOn) {
  TComposeInput input = smtp_test::Input("a@example.org", "s", {"b"});
  input.CC = {"c@example.org"};
  const std::int32_t id = Compose(input);
  const std::string envelope = "MAIL FROM: <me@example.org>\r\nRCPT TO: <a@example.org>\r\n";
  const std::string data = "Data\r\n" + smtp_test::WireText(Stored(id));
  const std::string rcpt2 = "RCPT TO: <c@example.org>\r\n";
  auto no = [](const char* text) { return TServerStep{{text}}; };
  const TRefusalCase cases[] = {
      {"RCPT, go on", "550 no such user\r\n",
       {k_ok, no("550 no such user\r\n"), k_ok, k_goAhead, DataStep(), k_bye}, true,
       envelope + rcpt2 + data + "QUIT\r\n", true},
      {"RCPT, cancel", "550 no such user\r\n", {k_ok, no("550 no such user\r\n")}, false, envelope, false},
      {"DATA, go on: no text but RSET", "554 no valid recipients\r\n",
       {k_ok, k_ok, k_ok, no("554 no valid recipients\r\n"), k_ok, k_bye}, true,
       envelope + rcpt2 + "Data\r\nRSET\r\nQUIT\r\n", false},
      {"end of data, go on: not sent", "552 too big\r\n",
       {k_ok, k_ok, k_ok, k_goAhead, DataStep("552 too big\r\n"), k_bye}, true,
       envelope + rcpt2 + data + "QUIT\r\n", false},
  };
  for (const TRefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    prompts_ = test_support::TRecordingPrompts(c.answer);
    std::vector<TServerStep> steps = {k_ok};
    steps.insert(steps.end(), c.steps.begin(), c.steps.end());
    TRun run = Send({id}, steps);
    EXPECT_EQ(run.transcript, HelloLine() + c.expectedAfterHelo);
    EXPECT_EQ(prompts_.asked, (std::vector<std::string>{k_textServerSays + c.refusal + "\r\n" + k_textContinue}));
    EXPECT_EQ(run.sent, c.sent ? std::vector<std::int32_t>{id} : std::vector<std::int32_t>{});
    EXPECT_EQ(run.cancelled, !c.answer);
    EXPECT_EQ(run.finished, c.answer);
    EXPECT_EQ(run.error, "");
  }
}

// A reply of several lines ("250-...") is answered once, after its last line, whichever
// way its lines arrive; the EHLO reply's keywords count from every line. The announced
// SIZE goes with MAIL FROM, a message above it is passed over with a message, and a
// message with 8-bit bytes is announced as such.
TEST_F(SmtpSessionTest, EhloRepliesShapeTheEnvelope) {
  const std::string small = "From: me@example.org\r\nTo: a@example.org\r\n\r\nbody\r\n";
  const std::string eightBit = "From: me@example.org\r\nTo: b@example.org\r\n\r\n\xd6\xd0\xce\xc4\r\n";
  const std::string big = "From: me@example.org\r\nTo: c@example.org\r\nSubject: big\r\n\r\n" + std::string(300, 'x');
  const std::vector<std::int32_t> ids = {Raw(small), Raw(eightBit), Raw(big)};
  const std::size_t dateLine = std::string("Date: ").size() + std::string(smtp_test::k_date).size() + 2;
  const std::string limit = std::to_string(dateLine + small.size() + 20);
  TServerStep ehlo{{"250-fake here\r\n", "250-SIZE " + limit + "\r\n250-8BITMIME\r", "\n250 HELP\r\n"}, 30};
  std::vector<TServerStep> steps = {ehlo};
  Accept(steps, 1);
  Accept(steps, 1);
  steps.push_back(k_bye);
  greeting_ = {"220-fake\r\n", "220-ready\r\n", "220 go\r\n"};
  TRun run = Send(ids, steps);
  EXPECT_TRUE(run.finished);
  auto sizeOf = [&](const std::string& stored) { return std::to_string(dateLine + stored.size()); };
  EXPECT_EQ(run.transcript, HelloLine() + "MAIL FROM: <me@example.org> SIZE=" + sizeOf(small) +
                                "\r\nRCPT TO: <a@example.org>\r\nData\r\n" + smtp_test::WireText(small) +
                                "MAIL FROM: <me@example.org> SIZE=" + sizeOf(eightBit) +
                                " BODY=8BITMIME\r\nRCPT TO: <b@example.org>\r\nData\r\n" + smtp_test::WireText(eightBit) +
                                "QUIT\r\n");
  EXPECT_EQ(run.sent, (std::vector<std::int32_t>{ids[0], ids[1]}));
  EXPECT_EQ(prompts_.shown, (std::vector<std::string>{"邮件“big”有 " + sizeOf(big) + " 字节，超过服务器 127.0.0.1 允许的 " +
                                                      limit + " 字节，未发送。"}));
}

// An old server that refuses EHLO is greeted with HELO and announces nothing.
TEST_F(SmtpSessionTest, RefusedEhloFallsBackToHelo) {
  const std::int32_t id = Raw("From: me@example.org\r\nTo: a@example.org\r\n\r\n\xd6\xd0\r\n");
  std::vector<TServerStep> steps = {{{"500 command unrecognized\r\n"}}, k_ok};
  Accept(steps, 1);
  steps.push_back(k_bye);
  TRun run = Send({id}, steps);
  EXPECT_EQ(run.transcript, HelloLine() + HelloLine("HELO ") + Commands({"a@example.org"}, Stored(id)) + "QUIT\r\n");
  EXPECT_EQ(run.sent, (std::vector<std::int32_t>{id}));
  EXPECT_TRUE(prompts_.asked.empty());
}

// Lines with leading dots and bare line ends around the 4096-byte pieces.
std::string BigBody(size_t size) {
  std::mt19937 random(3);
  std::string body;
  while (body.size() < size) {
    static const char* const k_starts[] = {"", ".", "..", ".x", "..x"};
    body += k_starts[random() % 5];
    body.append(random() % 200, static_cast<char>('a' + random() % 26));
    body += "\r\n";
  }
  return body;
}

TEST_F(SmtpSessionTest, SlowReaderGetsTheDataByteForByte) {
  const std::string stored = "From: me@example.org\r\nTo: a@example.org\r\nSubject: big\r\n\r\n" + BigBody(6 << 20);
  const std::int32_t id = Raw(stored);
  std::vector<TServerStep> steps = {k_ok};
  Accept(steps, 1);
  steps.back().pauseBeforeReading = 500;  // the client's sends fill the buffers and would block
  steps.push_back(k_bye);
  TServerOptions options;
  options.receiveBuffer = 8192;
  TRun run = Send({id}, steps, options);
  const std::string expected = HelloLine() + Commands({"a@example.org"}, stored) + "QUIT\r\n";
  ASSERT_EQ(run.transcript.size(), expected.size());
  EXPECT_TRUE(run.transcript == expected) << "first difference at "
                                          << std::mismatch(expected.begin(), expected.end(), run.transcript.begin()).first -
                                                 expected.begin();
  EXPECT_EQ(run.sent, (std::vector<std::int32_t>{id}));
  // Start's 0, then one per writable event: more than one event means a send would block
  // (6 MB outgrow the socket buffers while the server waits).
  EXPECT_GE(run.progress.size(), 3u);
  EXPECT_EQ(run.progress.back(), 100);
}

// The stored text is sent with CR LF line ends only and its leading dots doubled (a line
// ".." excepted), the header block's lines too.
struct TTransparencyCase {
  const char* name;
  std::string stored;
  std::string data;  // after the Date line
};

TEST_F(SmtpSessionTest, DotTransparencyAndBareLineEnds) {
  const std::string head = "From: me@example.org\r\nTo: a@example.org\r\n";
  const TTransparencyCase cases[] = {
      {"leading dots", head + "\r\n.\r\n..\r\n...\r\n.x\r\n..x\r\nx.\r\n", head + "\r\n..\r\n..\r\n....\r\n..x\r\n...x\r\nx.\r\n"},
      {"bare LF and CR", head + "\r\none\ntwo\rthree\r\r\n.\n", head + "\r\none\r\ntwo\r\nthree\r\n\r\n..\r\n"},
      {"header lines after bare LF", "From: me@example.org\nTo: a@example.org\n.odd: v\n\nbody\n",
       head + "..odd: v\r\n\r\nbody\r\n"},
  };
  for (const TTransparencyCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::int32_t id = Raw(c.stored);
    std::vector<TServerStep> steps = {k_ok};
    Accept(steps, 1);
    steps.push_back(k_bye);
    TRun run = Send({id}, steps);
    EXPECT_EQ(run.transcript, HelloLine() + "MAIL FROM: <me@example.org>\r\nRCPT TO: <a@example.org>\r\nData\r\n" +
                                  "Date: " + smtp_test::k_date + "\r\n" + c.data + ".\r\nQUIT\r\n");
    EXPECT_EQ(run.sent, (std::vector<std::int32_t>{id}));
  }
}

// The server drops the connection in the second message's data: the first was handed
// over, the second stays in the outbox; the user learns of it either way.
TEST_F(SmtpSessionTest, DroppedConnectionDuringDataKeepsTheMessage) {
  const std::int32_t first = Compose(smtp_test::Input("a@example.org", "first", {"1"}));
  const std::string stored = "From: me@example.org\r\nTo: b@example.org\r\n\r\n" + BigBody(2 << 20);
  const std::int32_t second = Raw(stored);
  for (bool midData : {false, true}) {
    SCOPED_TRACE(midData ? "in the middle of the data" : "after the data, before the reply");
    prompts_ = test_support::TRecordingPrompts(true);
    std::vector<TServerStep> steps = {k_ok};
    Accept(steps, 1);
    Accept(steps, 1);
    steps.back().reply.clear();
    steps.back().dropAfter = true;
    if (midData) steps.back().terminator = stored.substr(stored.size() / 2, 40);
    TRun run = Send({first, second}, steps);
    EXPECT_EQ(run.sent, (std::vector<std::int32_t>{first}));
    EXPECT_FALSE(run.finished);
    const std::string sentBefore = HelloLine() + Commands({"a@example.org"}, Stored(first)) +
                                   "MAIL FROM: <me@example.org>\r\nRCPT TO: <b@example.org>\r\nData\r\n";
    EXPECT_EQ(run.transcript.substr(0, sentBefore.size()), sentBefore);
    if (!midData) {
      EXPECT_EQ(run.transcript, sentBefore + smtp_test::WireText(stored));
      EXPECT_EQ(run.error, k_textSmtpConnectionLost);
    } else {
      // Whether the send fails first (the network error box) or the close is seen first.
      const bool boxShown = prompts_.shown.size() == 1u && prompts_.shown[0].find(k_textNetworkFailed) == 0;
      EXPECT_TRUE(run.error == k_textSmtpConnectionLost || boxShown) << run.error;
    }
  }
}

// A server that stops answering ends the session after the time-out, with its message and
// nothing reported sent: silent from the start, in the middle of a reply, or no longer
// taking the data.
TEST_F(SmtpSessionTest, SilentServerTimesOut) {
  const std::int32_t id = Raw("From: me@example.org\r\nTo: a@example.org\r\n\r\n" + BigBody(8 << 20));
  const std::string envelope = HelloLine() + "MAIL FROM: <me@example.org>\r\nRCPT TO: <a@example.org>\r\nData\r\n";
  TServerStep stalled = DataStep();
  stalled.pauseBeforeReading = 5000;  // well beyond the client's time-out
  struct TSilence {
    const char* name;
    std::vector<std::string> greeting;
    std::vector<TServerStep> steps;
    std::string heard;  // what the server heard first
  };
  const TSilence cases[] = {
      {"after the accept", {}, {TServerStep{}}, ""},
      {"inside the EHLO reply", {k_greeting}, {{{"250-fake\r\n"}}, TServerStep{}}, HelloLine()},
      {"not taking the data", {k_greeting}, {k_ok, k_ok, k_ok, k_goAhead, stalled}, envelope + "Date: "},
  };
  setup_ = [](TRawSMTP& smtp) { smtp.SetTimeout(2); };
  TServerOptions options;
  options.receiveBuffer = 8192;
  for (const TSilence& c : cases) {
    SCOPED_TRACE(c.name);
    prompts_ = test_support::TRecordingPrompts(true);
    greeting_ = c.greeting;
    TRun run = Send({id}, c.steps, options);
    EXPECT_EQ(prompts_.shown, std::vector<std::string>{k_textOperationTimedOut});
    EXPECT_EQ(run.error, "");
    EXPECT_TRUE(run.sent.empty());
    EXPECT_EQ(run.transcript.substr(0, c.heard.size()), c.heard);
  }
  // Answering the end of the data may take a server longer than the time-out: the message
  // is waited for, since giving up would send it a second time later.
  const std::int32_t small = Raw("From: me@example.org\r\nTo: a@example.org\r\n\r\nhi\r\n");
  TServerStep checking = DataStep();
  checking.reply = {"", "250 queued\r\n"};
  checking.pieceDelay = 3500;
  prompts_ = test_support::TRecordingPrompts(true);
  greeting_ = {k_greeting};
  TRun slow = Send({small}, {k_ok, k_ok, k_ok, k_goAhead, checking, k_bye});
  EXPECT_TRUE(prompts_.shown.empty());
  EXPECT_EQ(slow.sent, std::vector<std::int32_t>{small});
}

TEST_F(SmtpSessionTest, QueueAndOutboxProblemsAreReported) {
  const std::int32_t id = Compose(smtp_test::Input("a@example.org", "s", {"b"}));
  TRun empty = Send({}, {k_ok});
  EXPECT_EQ(empty.error, k_textNoMailsToSend);
  EXPECT_EQ(empty.transcript, HelloLine());
  TRun missing = Send({id, 999}, {k_ok, k_ok, k_ok, k_goAhead, DataStep()});
  EXPECT_EQ(missing.error, std::string(k_textCannotFindMail) + "999");
  EXPECT_EQ(missing.sent, (std::vector<std::int32_t>{id}));
  { TMailBox(Outbox()).SetEncrypted(true); }
  EXPECT_THROW(TRawSMTP(prompts_, Outbox(), {id}), EOperateOnEncrypted);
}

}  // namespace

namespace login {

const std::string k_cramChallenge = "334 PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+\r\n";

// Each case: what EHLO offers, the server's answers during the login, what the client
// says in it. The mail follows either way.
struct TLoginCase {
  const char* name;
  std::string offer;
  std::vector<TServerStep> answers;
  std::string exchange;
  std::vector<std::string> shown;  // the command texts of the login
};

}  // namespace login

TEST_F(SmtpSessionTest, LoginUsesTheStrongestMethodOffered) {
  using login::TLoginCase;
  const TServerStep goOn{{"334 VXNlcm5hbWU6\r\n"}}, loggedIn{{"235 2.7.0 ok\r\n"}};
  const TLoginCase cases[] = {
      {"PLAIN", "250 AUTH PLAIN\r\n", {loggedIn}, "AUTH PLAIN AHRpbQB0YW5zdGFhZnRhbnN0YWFm\r\n", {"AUTH PLAIN <...>"}},
      {"LOGIN, old form", "250 AUTH=LOGIN\r\n", {goOn, goOn, loggedIn},
       "AUTH LOGIN\r\ndGlt\r\ndGFuc3RhYWZ0YW5zdGFhZg==\r\n", {"AUTH LOGIN", "<...>", "<...>"}},
      {"CRAM-MD5 before PLAIN and LOGIN", "250-AUTH LOGIN PLAIN\r\n250 AUTH CRAM-MD5\r\n",
       {{{login::k_cramChallenge}}, loggedIn}, "AUTH CRAM-MD5\r\ndGltIGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw\r\n",
       {"AUTH CRAM-MD5", "<...>"}},
  };
  const std::int32_t id = Compose(smtp_test::Input("a@example.org", "s", {"b"}));
  for (bool asked : {false, true}) {
    for (const TLoginCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (asked ? ", password asked" : ""));
      prompts_ = test_support::TRecordingPrompts();
      if (asked) prompts_.passwords = {"tanstaaftanstaaf"};
      setup_ = [this, asked](TRawSMTP& smtp) {
        smtp.UseAuth = true;
        smtp.UserName = "tim";
        smtp.Password = asked ? "" : "tanstaaftanstaaf";
        smtp.OnPassword = [this](std::string& password) { return prompts_.AskPassword("tim", password); };
      };
      std::vector<TServerStep> steps = {{{"250-fake\r\n" + c.offer}}};
      steps.insert(steps.end(), c.answers.begin(), c.answers.end());
      Accept(steps, 1);
      steps.push_back(k_bye);
      TRun run = Send({id}, steps);
      EXPECT_EQ(run.transcript, HelloLine() + c.exchange + Commands({"a@example.org"}, Stored(id)) + "QUIT\r\n");
      EXPECT_TRUE(run.loggedIn);
      EXPECT_EQ(run.sent, (std::vector<std::int32_t>{id}));
      EXPECT_EQ(prompts_.passwordQuestions.size(), asked ? 1u : 0u);
      EXPECT_EQ(std::vector<std::string>(run.commands.begin() + 3, run.commands.begin() + 3 + c.shown.size()), c.shown);
      for (const std::string& command : run.commands) EXPECT_EQ(command.find("tanstaaf"), std::string::npos);
    }
  }
}

// Each case: the EHLO reply, the server's answers after it, whether STARTTLS is required,
// what the client says after EHLO, and the error; no message, no password in the clear.
struct TStopCase {
  const char* name;
  std::string ehlo;
  std::vector<TServerStep> answers;
  bool requireStartTls;
  std::string afterEhlo;
  std::string error;
  bool loginRefused;  // raised as ESmtpAuthError
  const char* password = "wrong";  // empty: asked for, and the user cancels
};

TEST_F(SmtpSessionTest, OpeningStopsBeforeAnythingLeavesUnprotected) {
  const std::string server = "服务器 127.0.0.1";
  const TStopCase cases[] = {
      {"STARTTLS required but not offered", "250-fake\r\n250 AUTH PLAIN LOGIN\r\n", {}, true, "",
       server + k_textNoStartTls, false},
      {"STARTTLS refused", "250-fake\r\n250-STARTTLS\r\n250 AUTH PLAIN\r\n", {{{"454 4.7.0 not now\r\n"}}}, true,
       "STARTTLS\r\n", server + k_textStartTlsRefused + "454 4.7.0 not now", false},
      {"no usable login method", "250-fake\r\n250 AUTH GSSAPI\r\n", {}, false, "", server + k_textNoAuthMethod, false},
      {"HELO server and a login", "502 no\r\n", {k_ok}, false, "HELO", server + k_textNoAuthMethod, false},
      {"wrong password", "250-fake\r\n250 AUTH PLAIN\r\n", {{{"535 5.7.8 invalid\r\n"}}}, false,
       "AUTH PLAIN AHRpbQB3cm9uZw==\r\n", server + k_textAuthRefused + "535 5.7.8 invalid", true},
      {"user name refused", "250-fake\r\n250 AUTH LOGIN\r\n", {{{"334 VXNlcm5hbWU6\r\n"}}, {{"535-no\r\n535 such user\r\n"}}}, false,
       "AUTH LOGIN\r\ndGlt\r\n", server + k_textAuthRefused + "535-no\r\n535 such user", true},
      {"a challenge that is no Base64", "250-fake\r\n250 AUTH CRAM-MD5\r\n", {{{"334 <no base64>\r\n"}}}, false,
       "AUTH CRAM-MD5\r\n", server + k_textAuthRefused + "334 <no base64>", true},
      {"password prompt cancelled", "250-fake\r\n250 AUTH PLAIN\r\n", {}, false, "", "", false, ""},
  };
  const std::int32_t id = Compose(smtp_test::Input("a@example.org", "s", {"b"}));
  for (const TStopCase& c : cases) {
    SCOPED_TRACE(c.name);
    prompts_ = test_support::TRecordingPrompts();
    setup_ = [this, &c](TRawSMTP& smtp) {
      smtp.Security = c.requireStartTls ? TMailSecurity::StartTls : TMailSecurity::Plain;
      smtp.UseAuth = true;
      smtp.UserName = "tim";
      smtp.Password = c.password;
      smtp.OnPassword = [this](std::string& password) { return prompts_.AskPassword("tim", password); };
    };
    std::vector<TServerStep> steps = {{{c.ehlo}}};
    steps.insert(steps.end(), c.answers.begin(), c.answers.end());
    TRun run = Send({id}, steps);
    const std::string afterEhlo = c.afterEhlo == "HELO" ? HelloLine("HELO ") : c.afterEhlo;
    EXPECT_EQ(run.transcript, HelloLine() + afterEhlo);
    EXPECT_EQ(run.error, c.error);
    EXPECT_TRUE(run.sent.empty());
    EXPECT_FALSE(run.loggedIn);
    EXPECT_EQ(run.loginRefused, c.loginRefused);
    EXPECT_EQ(run.cancelled, c.error.empty());
    EXPECT_EQ(prompts_.passwordQuestions.size(), c.error.empty() ? 1u : 0u);
  }
}
