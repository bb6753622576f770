#include "tests/transport/pop3_test_support.h"

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/transport/uidl_file.h"

namespace pop3_test {

TServerStep Reply(const std::string& text) { return TServerStep{{text}}; }

const std::vector<std::string> k_greeting = {"+OK POP3 ready\r\n"};

std::vector<TServerStep> Script(std::vector<TServerStep> afterLogin) {
  std::vector<TServerStep> steps = {Reply("+OK\r\n"), Reply("+OK logged in\r\n")};
  steps.insert(steps.end(), afterLogin.begin(), afterLogin.end());
  return steps;
}

std::string Transcript(const std::vector<std::string>& afterLogin) {
  std::string text = "USER alice\r\nPASS secret\r\n";
  for (const std::string& command : afterLogin) text += command + "\r\n";
  return text;
}

std::string Message(const std::string& subject, const std::string& body) {
  return "From: Sender <s@example.com>\r\nSubject: " + subject + "\r\n\r\n" + body;
}

std::string DataReply(const std::string& stored) {
  std::string reply = "+OK " + std::to_string(stored.size()) + " octets\r\n";
  bool lineStart = true;
  for (char c : stored) {
    if (lineStart && c == '.') reply += '.';
    reply += c;
    lineStart = c == '\n';
  }
  return reply + ".\r\n";
}

TPop3Harness::TPop3Harness() {
  seenPath = platform::TempFolder() + "qtt_pop3_seen.uid";
  platform::FileDelete(seenPath);
}

TPop3Harness::~TPop3Harness() { platform::FileDelete(seenPath); }

TRun TPop3Harness::Run(const std::vector<TServerStep>& script, TPOP3::TMode mode,
                       const std::vector<std::string>& greeting) {
  SaveUidlFile(seenPath, seen);
  test_support::TFakeServer server(greeting, script);
  const TRemoteMarks* marks = pop.Marks;
  pop.Reset();
  pop.Marks = marks;
  pop.Host = "127.0.0.1";
  pop.Port = server.Port();
  pop.UserName = "alice";
  if (pop.Password.empty() && !pop.OnPassword) pop.Password = "secret";
  pop.SeenIds = LoadUidlFile(seenPath);
  pop.SeenFilePath = seenPath;
  TRun run;
  pop.OnProgress = [&](TMailBase&) {
    const std::string& temp = pop.Session.TempFile;
    if (!temp.empty() && (run.tempFiles.empty() || run.tempFiles.back() != temp)) run.tempFiles.push_back(temp);
  };
  pop.OnCommandChange = [&](TMailBase&, const std::string& text) {
    if (text.find(':') != std::string::npos && text.compare(0, 10, "127.0.0.1:") != 0)
      run.shownSteps.push_back(text);
    else if (text.find(':') == std::string::npos && text != "127.0.0.1")
      run.commands.push_back(text);
  };
  pop.OnMessage = [&](TPOP3&, TMailMessage& m) {
    if (onMessage) onMessage(m);
    TDelivered d;
    d.text.resize(static_cast<std::size_t>(m.Stream->Size()));
    if (!d.text.empty()) m.Stream->ReadBuffer(&d.text[0], static_cast<std::int32_t>(d.text.size()));
    d.uidl = m.Uidl;
    d.size = m.Size;
    d.inTempFile = !m.TempFile.empty() && platform::FileExists(m.TempFile);
    run.delivered.push_back(d);
  };
  try {
    pop.DoOperation(mode);
  } catch (const Exception& e) {
    run.error = e.Message();
  }
  run.transcript = server.Transcript();
  run.seenFileExists = platform::FileExists(seenPath);
  run.seenFile = LoadUidlFile(seenPath);
  return run;
}

}  // namespace pop3_test
