// TRawSMTP: sends the queued messages of the outbox to one SMTP server in one connection.
// It reads each message straight from the outbox's data file, sends a rebuilt header
// block (a fresh Date line; BCC and X-JayAttach fields withheld), the envelope and the
// data, and reports each message the server accepted through OnSent, so that the caller
// can move it to the sent mail. Messages stay in the outbox otherwise.
//
// The steps (smtp_session.h): greeting -> EHLO (HELO when refused) -> [STARTTLS, the
// handshake, EHLO again] -> [AUTH] -> for each message: MAIL FROM, RCPT TO per recipient,
// DATA, the data phase on writable events, the terminator -> QUIT.
// The opening (raw_smtp_login.cpp) never asks the user to overrule a refusal: a required
// STARTTLS the server does not offer, a refused STARTTLS and a login the server refuses
// all stop the session before any password or message leaves. Past the opening, every
// reply that begins with neither "2" nor "3" is shown to the user, who may go on (as if
// it had been positive) or cancel. Two refusals are not overruled that far: after a
// refused DATA the message text is never sent (it would be read as commands); RSET
// clears the transaction and the next message goes on. A refused end of data does not
// report the message as sent.
//
// What EHLO announced shapes each message: above the SIZE limit it is shown and passed
// over; MAIL FROM carries SIZE= and, for a message with 8-bit bytes, BODY=8BITMIME.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quillet/common/lines.h"
#include "quillet/common/stream.h"
#include "quillet/store/mailbox/mail_box.h"
#include "quillet/transport/mail_base.h"
#include "quillet/transport/mail_security.h"
#include "quillet/transport/smtp_capabilities.h"
#include "quillet/transport/smtp_data_pump.h"
#include "quillet/transport/smtp_errors.h"
#include "quillet/transport/smtp_message.h"
#include "quillet/transport/smtp_reply.h"
#include "quillet/transport/smtp_session.h"

class TRawSMTP : public TMailBase {
 public:
  // Called for each message the server accepted, with the outbox path and its id.
  using TSentEvent = std::function<void(const std::string& outboxPath, std::int32_t id)>;
  // The text after "Date: " in the header block.
  using TDateSource = std::function<std::string()>;
  // Asked for the password when a login needs one and Password is empty: false cancels.
  using TNeedPasswordEvent = std::function<bool(std::string& password)>;

  // Opens the outbox and its data file (read-only, shared with other openers). An
  // encrypted outbox is refused with EOperateOnEncrypted; a data file that cannot be
  // opened raises EFileException.
  TRawSMTP(TUserPrompts& prompts, std::string outboxPath, std::vector<std::int32_t> queue);
  ~TRawSMTP() override;

  // Connects and runs the session until QUIT was acknowledged or the user cancelled. A
  // socket error shows the network error box and a time-out its message (both return).
  // Raises ERawSmtpError k_textNoMailsToSend for an empty queue, k_textCannotFindMail +
  // id, k_textCannotReadMail, k_textSmtpConnectionLost when the server closed the
  // connection before the end, and what OnSent raises. Messages handed to OnSent before
  // a failure stay handed. The opening's stops raise EMailError (ESmtpAuthError for a
  // refused login) with the server's name and, where it gave one, its reply.
  void Send();

  // Before each session: the queue position, the data phase and Finished start afresh.
  void Reset() override;
  void HostResolved() override;
  void DataArrived() override;
  void ReadyToWrite() override;
  void Connected() override;
  void ConnectionClosed() override;
  void TlsUpgraded() override;
  std::int32_t WaitSeconds() const override;

  bool UseDomainAddress = true;  // kept with the settings; the session does not use it
  std::string OutboxPath;
  std::vector<std::int32_t> Queue;  // outbox ids to send, in order
  std::unique_ptr<TMailBox> Outbox;
  std::unique_ptr<TFileStream> DataFile;
  std::string SenderText;   // decoded From of the current message
  TStringList Recipients;   // of the current message, after OnExpandRecipients
  std::string SubjectText;  // decoded Subject of the current message
  TMemoryStream HeaderBlock;
  std::int64_t BodyStart = 0;  // in DataFile
  std::int64_t BodyLength = 0;
  bool Finished = false;  // QUIT was acknowledged
  TSMTPSession Session;

  TSentEvent OnSent;
  // Widens the header's recipients; none: they are used as they are.
  TRecipientExpander OnExpandRecipients;
  // The date text; by default FormatDate of now, in the system's zone.
  TDateSource DateText;

  // How the connection is protected (Send sets UseTls and the default port, 465 for
  // implicit TLS, from it). StartTls: a plain connect that the server must turn into TLS
  // before anything else is said.
  TMailSecurity Security = TMailSecurity::Plain;
  // Log in with the strongest method of CRAM-MD5, PLAIN and LOGIN the server offers.
  bool UseAuth = false;
  std::string UserName;
  std::string Password;  // empty: OnPassword is asked when the login needs it
  TNeedPasswordEvent OnPassword;

 private:
  enum class TVerdict { Accepted, Overruled, Cancelled };

  TVerdict CheckReply(const TSmtpReply& reply);
  void HandleReply(bool accepted);
  // Sends the command; `shown` is what the user sees of it (a login secret stays hidden).
  void SendCommand(const std::string& command, const std::string& shown = std::string());
  void SetStep(TSmtpStep step) { Session.Step = step; }

  // The opening (raw_smtp_login.cpp): the replies handled without asking the user.
  bool HandleOpeningReply(const TSmtpReply& reply);
  void GreetingReply();
  void EhloReply(const TSmtpReply& reply);
  void StartTlsReply(const TSmtpReply& reply);
  void StartAuth();
  void AuthReply(const TSmtpReply& reply);
  void SendAuthAnswer(const std::string& answer, TSmtpStep next);
  bool NeedPassword();
  // "服务器 " + Host + reason, then the reply's lines when one is given (CR LF between).
  std::string RefusalText(const char* reason, const TSmtpReply* reply) const;
  [[noreturn]] void Refuse(const char* reason, const TSmtpReply* reply = nullptr);
  // After EHLO, HELO, the login: STARTTLS, AUTH or the first message, whichever is due.
  void HeloReply();
  void DataReply(bool accepted);
  void DataEndReply(bool accepted);
  void QuitReply();

  void NextMessage();
  void LoadMessage(std::int32_t id);
  void NextRecipient();
  // Whether the loaded message fits the announced limit; the user is told when not.
  bool FitsSizeLimit();
  std::string MailFromCommand();
  void StopPumping() { stop_ = true; }

  std::unique_ptr<TDataPump> pump_;
  TSmtpReplyReader replies_;
  bool stop_ = false;        // the pump loop of Send ends
  bool closedEarly_ = false;  // the server closed cleanly before the session's end
};
