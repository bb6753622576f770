// TRawSMTP: sends the queued messages of the outbox to one SMTP server in one connection.
// It reads each message straight from the outbox's data file, sends a rebuilt header
// block (a fresh Date line; BCC and X-JayAttach fields withheld), the envelope and the
// data, and reports each message the server accepted through OnSent, so that the caller
// can move it to the sent mail. Messages stay in the outbox otherwise.
//
// The steps (smtp_session.h): greeting -> HELO -> for each message: MAIL FROM, RCPT TO
// per recipient, DATA, the data phase on writable events, the terminator -> QUIT.
// Every reply that begins with neither "2" nor "3" is shown to the user, who may go on
// (as if it had been positive) or cancel. Two refusals are not overruled that far: after
// a refused DATA the message text is never sent (it would be read as commands); RSET
// clears the transaction and the next message goes on. A refused end of data does not
// report the message as sent.
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
#include "quillet/transport/smtp_data_pump.h"
#include "quillet/transport/smtp_errors.h"
#include "quillet/transport/smtp_message.h"
#include "quillet/transport/smtp_session.h"

class TRawSMTP : public TMailBase {
 public:
  // Called for each message the server accepted, with the outbox path and its id.
  using TSentEvent = std::function<void(const std::string& outboxPath, std::int32_t id)>;
  // The text after "Date: " in the header block.
  using TDateSource = std::function<std::string()>;

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
  // a failure stay handed.
  void Send();

  // Before each session: the queue position, the data phase and Finished start afresh.
  void Reset() override;
  void HostResolved() override;
  void DataArrived() override;
  void ReadyToWrite() override;
  void Connected() override;
  void ConnectionClosed() override;

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

 private:
  enum class TVerdict { Accepted, Overruled, Cancelled };

  // The final line of a reply; false while it is incomplete or a "NNN-" line.
  bool ReadReply(std::string& reply);
  TVerdict CheckReply(const std::string& reply);
  void HandleReply(bool accepted);
  void SendCommand(const std::string& command);
  void SetStep(TSmtpStep step) { Session.Step = step; }

  void GreetingReply();
  void HeloReply();
  void DataReply(bool accepted);
  void DataEndReply(bool accepted);
  void QuitReply();

  void NextMessage();
  void LoadMessage(std::int32_t id);
  void NextRecipient();
  // Sends what the socket takes: 0 when it would block, -1 (LastError set) on a failure.
  void StopPumping() { stop_ = true; }

  std::unique_ptr<TDataPump> pump_;
  bool stop_ = false;        // the pump loop of Send ends
  bool closedEarly_ = false;  // the server closed cleanly before the session's end
};
