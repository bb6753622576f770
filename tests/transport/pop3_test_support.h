// Running TPOP3 against the scripted fake server: the scripts' common parts and one call
// that runs a session and gathers what it did.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "quillet/transport/pop3.h"
#include "tests/support/fake_server.h"
#include "tests/support/recording_prompts.h"

namespace pop3_test {

using test_support::TServerStep;

// A step that answers the client's next line with one reply.
TServerStep Reply(const std::string& text);
// Greeting, USER and PASS accepted.
extern const std::vector<std::string> k_greeting;
std::vector<TServerStep> Script(std::vector<TServerStep> afterLogin);
// "USER alice\r\nPASS secret\r\n" followed by the commands, each with its CR LF.
std::string Transcript(const std::vector<std::string>& afterLogin);
// A message with this subject and body, as stored (CR LF lines).
std::string Message(const std::string& subject, const std::string& body = "text\r\n");
// The data reply of RETR for a stored text (status line, stuffed lines, "." line).
std::string DataReply(const std::string& stored);

// Answers AskYesNo as TRecordingPrompts does, after running a hook.
class THookedPrompts : public test_support::TRecordingPrompts {
 public:
  using TRecordingPrompts::TRecordingPrompts;
  bool AskYesNo(const std::string& text) override {
    if (beforeAnswer) beforeAnswer();
    return TRecordingPrompts::AskYesNo(text);
  }
  std::function<void()> beforeAnswer;
};

struct TDelivered {
  std::string text;
  std::string uidl;
  std::int32_t size = 0;
  bool inTempFile = false;    // TempFile named and present while OnMessage ran
};

struct TRun {
  std::string transcript;
  std::vector<TDelivered> delivered;
  std::string error;          // the message DoOperation threw; empty when none
  TStringList seenFile;       // the seen file's identifiers afterwards
  bool seenFileExists = false;
  std::vector<std::string> tempFiles;  // every temporary file seen while receiving
  std::vector<std::string> shownSteps; // OnCommandChange texts that are no command
  std::vector<std::string> commands;   // OnCommandChange texts of the commands, as shown
};

// A session of the client against a fake server: user "alice", password "secret", the
// seen file loaded from `seen` and kept at a scratch path.
class TPop3Harness {
 public:
  TPop3Harness();
  ~TPop3Harness();
  // Runs the mode against a new fake server playing the script after the greeting.
  TRun Run(const std::vector<TServerStep>& script, TPOP3::TMode mode = TPOP3::TMode::FetchNew,
           const std::vector<std::string>& greeting = k_greeting);

  THookedPrompts prompts;
  TPOP3 pop{prompts};
  TStringList seen;  // the seen file before the run
  // Called for each message before it is recorded; may throw to refuse it.
  std::function<void(const TMailMessage&)> onMessage;
  std::string seenPath;
};

}  // namespace pop3_test
