// TNetworkProgress: the work of the progress window without the window. A receive walks
// the enabled accounts in order with one POP3 client, delivering each message through the
// system manager (or the caller's hand-off); a send hands the outbox queue to the SMTP
// client and gives each accepted message back to the manager. Errors are shown per
// account and the next account goes on; a cancelled account is skipped silently.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "quillet/common/user_prompts.h"
#include "quillet/store/system/system_manager.h"
#include "quillet/transport/connections.h"
#include "quillet/transport/mail_accounts.h"
#include "quillet/transport/password_list.h"
#include "quillet/transport/pop3.h"
#include "quillet/transport/progress_manager.h"
#include "quillet/transport/raw_smtp.h"
#include "quillet/transport/remote_marks.h"

// What the progress window shows: the GUI sets its labels and gauge, the command line
// prints, tests record.
class TProgressView {
 public:
  virtual ~TProgressView() = default;
  virtual void Caption(const std::string& text) = 0;
  virtual void StatusText(const std::string& text) = 0;   // the session state and its text
  virtual void CurrentText(const std::string& text) = 0;  // total and remaining messages
  virtual void CommandText(const std::string& text) = 0;  // the command or step under way
  virtual void Gauge(std::int32_t percent) = 0;
};

struct TReceiveRequest {
  bool HeadersOnly = false;  // headers of every server message (the remote mailbox manager)
  bool Quiet = false;        // an automatic check: no report when nothing came
  const std::vector<TOneConnection>* Accounts = nullptr;  // none: the client's own (mail_accounts.h)
  const std::vector<TRemoteMarks>* Marks = nullptr;       // one per account: the marks mode
  TPOP3::TMessageEvent HandOff;                           // none: delivery into the mailboxes
};

// A message the server accepted: its outbox id, and where it is now (sent mailbox or
// outbox) with its id there.
using TSentNotice = std::function<void(std::int32_t outboxId, const std::string& mailboxName, std::int32_t id)>;

// The ids of the outbox's messages queued to send (state 2), in file order.
std::vector<std::int32_t> QueuedIds(const std::string& outboxPath);

class TNetworkProgress {
 public:
  TNetworkProgress(TProgressManager& progress, TSystemManager& manager, TPasswordList& passwords,
                   TUserPrompts& prompts, TProgressView& view);

  // The whole receive between Begin and End of the progress manager; returns the number
  // of messages received. After a receive that was not headers-only the main window gets
  // 2065 with the count and the log (with 0 only when the request is not quiet).
  std::int32_t Receive(const TReceiveRequest& request);
  // Sends the outbox's queued messages (state 2) in file order in one connection; returns
  // the number the server accepted.
  std::int32_t Send(const TSentNotice& sent = nullptr);
  // The cancel button: the running client's Cancel.
  void Cancel();
  // Accounts (or the send) of the last run that failed: an error was shown for them.
  std::int32_t Failures() const { return failures_; }

 private:
  void ReceiveAccount(TPOP3& pop3, const TOneConnection& account, const TRemoteMarks* marks,
                      const TReceiveRequest& request);
  void WireEvents(TMailBase& client);
  void SetUpSmtp(TRawSMTP& smtp, const TSmtpServer& server);
  void ShowStatus(TMailBase& client, const std::string& text);
  void Deliver(TMailMessage& message);

  TProgressManager& progress_;
  TSystemManager& manager_;
  TPasswordList& passwords_;
  TUserPrompts& prompts_;
  TProgressView& view_;
  TMailBase* client_ = nullptr;
  std::int32_t failures_ = 0;
};
