#include "quillet/transport/raw_smtp.h"

#include <algorithm>

#include "platform/socket.h"
#include "platform/winsock_errors.h"
#include "quillet/common/text_format.h"
#include "quillet/message/composer/recipients.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/message/parser/header_block.h"
#include "quillet/transport/transport_texts.h"

namespace {

constexpr std::uint16_t k_smtpPort = 25;
constexpr std::uint16_t k_smtpTlsPort = 465;
constexpr char k_serviceName[] = "Smtp";
constexpr char k_tlsServiceName[] = "submissions";
// One receive of a reply takes at most this many bytes.
constexpr int k_replyChunk = 511;
// A server may check a whole message before it answers the end of the data; giving up
// sooner would report a message as not sent that the server then delivers, and the next
// send would deliver it twice. Ten minutes, as SMTP asks of a client.
constexpr std::int32_t k_dataEndWaitSeconds = 600;

}  // namespace

TRawSMTP::TRawSMTP(TUserPrompts& prompts, std::string outboxPath, std::vector<std::int32_t> queue)
    : TMailBase(prompts), OutboxPath(std::move(outboxPath)), Queue(std::move(queue)) {
  DefaultPort = k_smtpPort;
  ServiceName = k_serviceName;
  DateText = [] { return FormatDate(Now()); };
  Outbox = std::make_unique<TMailBox>(OutboxPath);
  if (Outbox->IsEncrypted()) throw EOperateOnEncrypted();
  DataFile = std::make_unique<TFileStream>(Outbox->DataPath(), TFileStream::Mode::OpenRead);
  pump_ = std::make_unique<TDataPump>(Session.DataPhase, *DataFile);
}

TRawSMTP::~TRawSMTP() = default;

void TRawSMTP::Reset() {
  Session = TSMTPSession();
  Finished = false;
  stop_ = false;
  closedEarly_ = false;
  replies_.Clear();
  TMailBase::Reset();
}

void TRawSMTP::Send() {
  stop_ = false;
  closedEarly_ = false;
  replies_.Clear();
  UseTls = Security == TMailSecurity::ImplicitTls;
  ServiceName = UseTls ? k_tlsServiceName : k_serviceName;
  DefaultPort = UseTls ? k_smtpTlsPort : k_smtpPort;
  Start();
  PumpUntil(stop_);
  if (closedEarly_ && !Cancelled) throw ERawSmtpError(k_textSmtpConnectionLost);
}

void TRawSMTP::HostResolved() {
  if (!CheckError()) Connect();
}

void TRawSMTP::Connected() { SetStep(TSmtpStep::Greeting); }

// A close with an error is left to the pump loop, which reports it. A clean close after
// QUIT was sent only lost the QUIT reply.
void TRawSMTP::ConnectionClosed() {
  if (Finished || LastError != 0) return;
  closedEarly_ = Session.Step != TSmtpStep::Quit;
  StopPumping();
}

TRawSMTP::TVerdict TRawSMTP::CheckReply(const TSmtpReply& reply) {
  if (reply.Positive()) return TVerdict::Accepted;
  if (Prompts().AskYesNo(k_textServerSays + reply.Text() + "\r\n" + k_textContinue)) return TVerdict::Overruled;
  Cancel();
  return TVerdict::Cancelled;
}

// One reply per read event: a server answers each command once, and a reply that came
// early is taken at the next event.
void TRawSMTP::DataArrived() {
  char buffer[k_replyChunk];
  const int received = Receive(buffer, k_replyChunk);
  replies_.Add(buffer, static_cast<std::size_t>(received));
  TSmtpReply reply;
  if (!replies_.Next(reply) || HandleOpeningReply(reply)) return;
  TVerdict verdict = CheckReply(reply);
  if (verdict != TVerdict::Cancelled) HandleReply(verdict == TVerdict::Accepted);
}

void TRawSMTP::HandleReply(bool accepted) {
  switch (Session.Step) {
    case TSmtpStep::Greeting: GreetingReply(); break;
    case TSmtpStep::Helo: HeloReply(); break;
    case TSmtpStep::Mail:
    case TSmtpStep::Rcpt: NextRecipient(); break;
    case TSmtpStep::Data: DataReply(accepted); break;
    case TSmtpStep::DataEnd: DataEndReply(accepted); break;
    case TSmtpStep::Quit: QuitReply(); break;
    case TSmtpStep::Rset: NextMessage(); break;
    default: break;  // the opening's steps have their own handler
  }
}

// Addresses come from decoded header text and from the expansion hook: a CR or LF in
// them becomes a space, so that no text can add a command of its own.
void TRawSMTP::SendCommand(const std::string& command, const std::string& shown) {
  const std::string line = HeaderSafe(command);
  CommandChange(shown.empty() ? line : shown);
  SendText(line + "\r\n");
}

void TRawSMTP::DataReply(bool accepted) {
  if (!accepted) {
    SetStep(TSmtpStep::Rset);
    SendCommand("RSET");
    return;
  }
  SetState(TMailState::SendingContent);
  CommandChange(DisplayNameOf(DecodeWords(Recipients.front())) + ": " + SubjectText);
  pump_->Begin(HeaderBlock, BodyStart, BodyLength);
  SelectEvents(platform::k_socketWrite | platform::k_socketClose);
}

void TRawSMTP::DataEndReply(bool accepted) {
  if (accepted && OnSent) OnSent(OutboxPath, Queue[static_cast<std::size_t>(Session.MessageIndex)]);
  NextMessage();
}

void TRawSMTP::QuitReply() {
  CloseSocket();
  Finished = true;
  StopPumping();
}

// Messages without a recipient are shown and passed over, so a queue of them costs no
// recursion.
void TRawSMTP::NextMessage() {
  if (Queue.empty()) throw ERawSmtpError(k_textNoMailsToSend);
  for (;;) {
    ++Session.MessageIndex;
    if (Session.MessageIndex >= static_cast<std::int32_t>(Queue.size())) {
      SetState(TMailState::LoggingOut);
      SetStep(TSmtpStep::Quit);
      SendCommand("QUIT");
      return;
    }
    LoadMessage(Queue[static_cast<std::size_t>(Session.MessageIndex)]);
    if (Recipients.empty())
      Prompts().ShowMessage(k_textNoReceiver);
    else if (FitsSizeLimit())
      break;
  }
  SetState(TMailState::SendingEnvelope);
  SetStep(TSmtpStep::Mail);
  SendCommand(MailFromCommand());
}

bool TRawSMTP::FitsSizeLimit() {
  const std::int64_t limit = Session.Capabilities.sizeLimit;
  const std::int64_t size = HeaderBlock.Size() + BodyLength;
  if (limit <= 0 || size <= limit) return true;
  Prompts().ShowMessage(FormatText(k_textTooBigFormat, {SubjectText, std::to_string(size), Host, std::to_string(limit)}));
  return false;
}

// The size declared is the header block and the stored body: the server's own count
// differs only by the line ends and dots the data phase adds.
std::string TRawSMTP::MailFromCommand() {
  std::string command = "MAIL FROM: <" + AddressOf(SenderText) + ">";
  const TSmtpCapabilities& caps = Session.Capabilities;
  if (caps.size) command += " SIZE=" + std::to_string(HeaderBlock.Size() + BodyLength);
  if (caps.eightBitMime && (HasEightBitBytes(HeaderBlock, 0, HeaderBlock.Size()) ||
                            HasEightBitBytes(*DataFile, BodyStart, BodyLength)))
    command += " BODY=8BITMIME";
  return command;
}

// The header is read with bare CR and bare LF as line ends, as the data phase sends them,
// so that a withheld field cannot hide behind a bare line end.
void TRawSMTP::LoadMessage(std::int32_t id) {
  TIdxRecord record;
  if (!Outbox->FindRecord(id, record)) throw ERawSmtpError(k_textCannotFindMail + std::to_string(id));
  const std::int64_t start = record.DataOffset;
  const std::int64_t end = start + record.DataSize;
  if (end > DataFile->Size()) throw ERawSmtpError(k_textCannotReadMail);
  msgdecode::THeaderBlock header = msgdecode::ReadHeaderBlock(*DataFile, start, end, TLineEnds::Any);
  HeaderBlock.Clear();
  HeaderBlock.WriteString(BuildHeaderBlock(header.lines, DateText()));
  SenderText = DecodeWords(GetField(header.lines, "From:"));
  SubjectText = DecodeWords(GetField(header.lines, "Subject:"));
  Recipients = HeaderRecipients(header.lines);
  if (OnExpandRecipients) Recipients = OnExpandRecipients(Recipients);
  BodyStart = header.bodyStart;
  BodyLength = end - header.bodyStart;
  Session.RecipientIndex = -1;
}

void TRawSMTP::NextRecipient() {
  ++Session.RecipientIndex;
  if (Session.RecipientIndex >= static_cast<std::int32_t>(Recipients.size())) {
    SetStep(TSmtpStep::Data);
    SendCommand("Data");
    return;
  }
  const std::string& recipient = Recipients[static_cast<std::size_t>(Session.RecipientIndex)];
  SetStep(TSmtpStep::Rcpt);
  SendCommand("RCPT TO: <" + AddressOf(DecodeWords(recipient)) + ">");
}

std::int32_t TRawSMTP::WaitSeconds() const {
  if (Session.Step == TSmtpStep::DataEnd) return std::max(TimeoutSeconds, k_dataEndWaitSeconds);
  return TimeoutSeconds;
}

void TRawSMTP::ReadyToWrite() {
  // Over TLS, ciphertext the socket left last time goes first.
  const bool flushing = OutputPending();
  if (!FlushOutput()) {
    CheckError();
    return;
  }
  if (Session.DataPhase == TDataPhase::None) {
    if (flushing && Session.Step == TSmtpStep::DataEnd)
      SelectEvents(platform::k_socketRead | platform::k_socketClose);
    return;
  }
  TPumpResult result = pump_->Pump([this](const char* data, int size) { return SendSome(data, size); });
  SetProgress(pump_->Percent());
  if (result == TPumpResult::Done) {
    SetStep(TSmtpStep::DataEnd);
    // Write events stay on until the last ciphertext is out.
    if (FlushOutput())
      SelectEvents(platform::k_socketRead | platform::k_socketClose);
    else
      CheckError();
  } else if (result == TPumpResult::Failed) {
    CheckError();
  }
}
