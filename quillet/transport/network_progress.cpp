#include "quillet/transport/network_progress.h"

#include "quillet/common/text_format.h"
#include "quillet/transport/mail_accounts.h"
#include "quillet/transport/raw_smtp.h"
#include "quillet/transport/smtp_errors.h"
#include "quillet/transport/transport_texts.h"
#include "quillet/transport/uidl_file.h"

namespace {

constexpr std::uint8_t k_stateQueued = 2;

// Ends the progress manager's run however the run ends.
class TRunGuard {
 public:
  TRunGuard(TProgressManager& progress, TProgressDirection direction) : progress_(progress) {
    progress_.Begin(direction);
  }
  ~TRunGuard() { progress_.End(); }
  TRunGuard(const TRunGuard&) = delete;
  TRunGuard& operator=(const TRunGuard&) = delete;

 private:
  TProgressManager& progress_;
};

// Points the client at itself while it runs, so that Cancel reaches it.
class TClientGuard {
 public:
  TClientGuard(TMailBase*& slot, TMailBase& client) : slot_(slot) { slot_ = &client; }
  ~TClientGuard() { slot_ = nullptr; }
  TClientGuard(const TClientGuard&) = delete;
  TClientGuard& operator=(const TClientGuard&) = delete;

 private:
  TMailBase*& slot_;
};

}  // namespace

std::vector<std::int32_t> QueuedIds(const std::string& outboxPath) {
  TMailBox outbox(outboxPath);
  THeadList heads;
  outbox.LoadHeads(heads);
  std::vector<std::int32_t> ids;
  for (int i = 0; i < heads.Count(); ++i)
    if (heads[i].State == k_stateQueued) ids.push_back(heads[i].Id);
  return ids;
}

TNetworkProgress::TNetworkProgress(TProgressManager& progress, TSystemManager& manager, TPasswordList& passwords,
                                   TUserPrompts& prompts, TProgressView& view)
    : progress_(progress), manager_(manager), passwords_(passwords), prompts_(prompts), view_(view) {}

void TNetworkProgress::Cancel() {
  if (client_) client_->Cancel();
}

void TNetworkProgress::WireEvents(TMailBase& client) {
  client.SetTimeout(manager_.Settings().TimeOut);
  client.OnStatusChange = [this](TMailBase& sender, const std::string& text) { ShowStatus(sender, text); };
  client.OnCommandChange = [this](TMailBase&, const std::string& text) { view_.CommandText(text); };
  client.OnProgress = [this](TMailBase& sender) { view_.Gauge(sender.Progress); };
}

void TNetworkProgress::ShowStatus(TMailBase& client, const std::string& text) {
  view_.StatusText(StateName(client.State) + text);
  view_.CommandText("");
  const auto state = static_cast<TMailState>(client.State);
  if (state == TMailState::ReceivingMessage) {
    if (const auto* pop3 = dynamic_cast<TPOP3*>(&client))
      view_.CurrentText(FormatText(k_textFetchCount, {std::to_string(pop3->ToFetch),
                                                      std::to_string(pop3->ToFetch - pop3->Fetched)}));
  } else if (state == TMailState::Idle || state == TMailState::Resolving) {
    view_.CurrentText("");
  }
}

void TNetworkProgress::Deliver(TMailMessage& message) {
  const TDeliveryResult stored = manager_.Deliver(*message.Stream);
  progress_.AddReceivedLog(stored.mailboxName);
}

std::int32_t TNetworkProgress::Receive(const TReceiveRequest& request) {
  TRunGuard run(progress_, TProgressDirection::Receive);
  failures_ = 0;
  view_.Caption(k_textReceiveCaption);
  const std::vector<TOneConnection> own = request.Accounts ? std::vector<TOneConnection>()
                                                           : MailAccounts(manager_.Setup().File());
  const std::vector<TOneConnection>& accounts = request.Accounts ? *request.Accounts : own;
  const bool marksMode = request.Marks && request.Marks->size() == accounts.size();

  TPOP3 pop3(prompts_);
  WireEvents(pop3);
  std::int32_t received = 0;
  for (std::size_t i = 0; i < accounts.size(); ++i) {
    if (!accounts[i].Enabled) continue;
    ReceiveAccount(pop3, accounts[i], marksMode ? &(*request.Marks)[i] : nullptr, request);
    received += pop3.Received;
    pop3.Reset();
  }
  if (!request.HeadersOnly && (received > 0 || !request.Quiet) && progress_.MainWindow() != 0)
    platform::PostWindowMessage(progress_.MainWindow(), k_receiveFinishedMessage, static_cast<std::uintptr_t>(received),
                                reinterpret_cast<std::intptr_t>(&progress_.ReceivedLog()));
  return received;
}

void TNetworkProgress::ReceiveAccount(TPOP3& pop3, const TOneConnection& account, const TRemoteMarks* marks,
                                      const TReceiveRequest& request) {
  pop3.Host = account.POP3Server;
  pop3.Port = static_cast<std::uint16_t>(account.POP3Port);
  pop3.Security = account.Security;
  pop3.TrustedCert = account.TrustedCert;
  pop3.UseApop = account.Apop;
  pop3.UserName = account.Account;
  if (!passwords_.Get(account.POP3Server, account.Account, pop3.Password)) pop3.Password = account.Password;
  pop3.LeaveOnServer = account.LeaveIt;
  pop3.OnPassword = [this, &account](TPOP3&, std::string& password, bool& cancelIt, bool& remember) {
    cancelIt = !prompts_.AskPassword(account.Account + k_textPasswordFor + account.POP3Server, password);
    remember = true;  // the dialog's remember box is hidden and checked
  };
  pop3.OnMessage = [this, &request](TPOP3& sender, TMailMessage& message) {
    if (request.HandOff) request.HandOff(sender, message);
    else Deliver(message);
  };
  pop3.Marks = marks;
  TClientGuard running(client_, pop3);
  try {
    if (!request.HeadersOnly) {
      pop3.SeenFilePath = account.UidlFile.empty() ? std::string() : manager_.MailRoot() + account.UidlFile;
      pop3.SeenIds = LoadUidlFile(pop3.SeenFilePath);
    }
    pop3.DoOperation(request.HeadersOnly ? TPOP3::TMode::HeadersOnly
                                         : marks ? TPOP3::TMode::ApplyMarks : TPOP3::TMode::FetchNew);
    if (!pop3.Finished && !pop3.Cancelled) ++failures_;  // a network error or time-out was shown
    if (!pop3.Password.empty() && pop3.RememberChoice != TPOP3::TRememberChoice::DoNotRemember)
      passwords_.Set(account.POP3Server, account.Account, pop3.Password);
  } catch (const ECanceledError&) {
  } catch (const Exception& error) {
    ++failures_;
    prompts_.ShowMessage(error.Message());
  }
}

std::int32_t TNetworkProgress::Send(const TSentNotice& sent) {
  TRunGuard run(progress_, TProgressDirection::Send);
  failures_ = 0;
  view_.Caption(k_textSendCaption);
  const std::string outboxPath = manager_.Boxes().Standard(TBoxKind::Outbox).BasePath();
  const TSmtpServer server = SmtpServer(manager_.Setup().File());
  std::int32_t accepted = 0;
  const std::vector<std::int32_t> queue = QueuedIds(outboxPath);
  if (queue.empty()) return 0;  // nothing to send: no connection, no error
  manager_.SetSending(true);
  try {
    TRawSMTP smtp(prompts_, outboxPath, queue);
    WireEvents(smtp);
    SetUpSmtp(smtp, server);
    smtp.OnExpandRecipients = [this](const TStringList& recipients) {
      TStringList addresses, unknown;
      for (const std::string& recipient : recipients) manager_.ExpandRecipients(recipient, addresses, unknown);
      addresses.insert(addresses.end(), unknown.begin(), unknown.end());  // the server judges the rest
      return addresses;
    };
    smtp.OnSent = [this, &sent, &accepted](const std::string&, std::int32_t id) {
      ++accepted;
      const TSystemManager::TSentPlace place = manager_.AfterSend(id);
      if (sent && place.box) sent(id, place.box->Name(), place.id);
    };
    TClientGuard running(client_, smtp);
    try {
      smtp.Send();
    } catch (const ESmtpAuthError&) {
      passwords_.Remove(server.PasswordServer, server.Account);  // asked for again next time
      throw;
    }
    if (smtp.Session.LoggedIn) passwords_.Set(server.PasswordServer, server.Account, smtp.Password);
    if (!smtp.Finished && !smtp.Cancelled) ++failures_;
  } catch (const ECanceledError&) {
  } catch (const Exception& error) {
    ++failures_;
    prompts_.ShowMessage(error.Message());
  } catch (...) {
    manager_.SetSending(false);
    throw;
  }
  manager_.SetSending(false);
  return accepted;
}

// The login's password: the one typed earlier in this program run, else the stored one,
// else the user is asked when the server wants it.
void TNetworkProgress::SetUpSmtp(TRawSMTP& smtp, const TSmtpServer& server) {
  smtp.Host = server.Host;
  smtp.Port = server.Port;
  smtp.Security = server.Security;
  smtp.TrustedCert = server.TrustedCert;
  smtp.UseAuth = server.Auth;
  smtp.UserName = server.Account;
  if (!passwords_.Get(server.PasswordServer, server.Account, smtp.Password)) smtp.Password = server.Password;
  smtp.OnPassword = [this, &server](std::string& password) {
    return prompts_.AskPassword(server.Account + k_textPasswordFor + server.Host, password);
  };
}
