// receive, send and send-receive: the mail client's own job without a window. Status
// lines are printed as the session goes (each change once), then the receive's report
// lines, or one line per message sent: outbox id TAB mailbox now holding it TAB its id
// there. Exit status 1 when an account or the send failed (its error was shown).
#include <string>

#include "quillet/cli/cli_context.h"
#include "quillet/cli/client_session.h"
#include "quillet/transport/network_progress.h"

namespace {

class TCliProgressView : public TProgressView {
 public:
  void Caption(const std::string&) override {}
  void StatusText(const std::string& text) override { Print(text); }
  void CurrentText(const std::string& text) override { Print(text); }
  void CommandText(const std::string& text) override { Print(text); }
  void Gauge(std::int32_t) override {}

 private:
  void Print(const std::string& text) {
    if (text.empty() || text == last_) return;
    last_ = text;
    PrintLine(text);
  }
  std::string last_;
};

int Receive(TNetworkProgress& run, const TProgressManager& progress, bool headersOnly, bool quiet) {
  TReceiveRequest request;
  request.HeadersOnly = headersOnly;
  request.Quiet = quiet;
  if (headersOnly) {
    request.HandOff = [](TPOP3&, TMailMessage& message) {
      PrintLine(message.Uidl + "\t" + std::to_string(message.Size) + "\t" + message.From + "\t" + message.Subject);
    };
  }
  const std::int32_t received = run.Receive(request);
  if (!headersOnly && (received > 0 || !quiet))
    for (const std::string& line : ReceiveReport(received, progress.ReceivedLog())) PrintLine(line);
  return run.Failures() > 0 ? 1 : 0;
}

int Send(TNetworkProgress& run) {
  run.Send([](std::int32_t outboxId, const std::string& mailboxName, std::int32_t id) {
    PrintLine(std::to_string(outboxId) + "\t" + mailboxName + "\t" + std::to_string(id));
  });
  return run.Failures() > 0 ? 1 : 0;
}

}  // namespace

int RunTransferCommand(const std::string& command, TCliContext& ctx, TUserPrompts& prompts) {
  const bool receiving = command != "send";
  TCliOptions o(ctx.args, receiving && command == "receive" ? std::vector<std::string>{"--headers-only", "--quiet"}
                                                            : std::vector<std::string>{},
                {});
  o.ExpectPositional(0, 0);
  TClientSession session(ctx, prompts);
  TProgressManager progress;
  TPasswordList passwords;
  TCliProgressView view;
  TNetworkProgress run(progress, session.Manager(), passwords, prompts, view);
  int status = 0;
  if (command != "receive") status |= Send(run);
  if (command != "send") status |= Receive(run, progress, o.Has("--headers-only"), o.Has("--quiet"));
  return status;
}
