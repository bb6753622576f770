// TPOP3: choosing the next message, and receiving, delivering and recording it.
#include <algorithm>

#include "quillet/common/user_prompts.h"
#include "quillet/message/header/header_utils.h"
#include "quillet/transport/pop3.h"
#include "quillet/transport/transport_texts.h"
#include "quillet/transport/uidl_file.h"

namespace {

// The progress text waits for the message's header to end, but not beyond this.
constexpr std::size_t k_headerTextLimit = 65536;

}  // namespace

void TPOP3::GotoNextMsg() {
  if (Progress != 0) SetProgress(0);
  ToFetch = Mode == TMode::FetchNew && UidlSupported ? static_cast<std::int32_t>(NewIds.size()) : MessageCount;
  if (Session.Current >= Session.Last) {
    SendQuit();
    return;
  }
  ++Session.Current;
  Session.CurrentId.clear();
  if (UidlSupported && Mode == TMode::HeadersOnly) {
    const TMessageId* id = FindByNumber(AllIds, Session.Current);
    if (id != nullptr) Session.CurrentId = id->Id;
  } else if (UidlSupported && !FindNextToFetch()) {
    return;
  }
  if (Mode != TMode::ApplyMarks) SetState(TMailState::ReceivingMessage);
  FetchCurrent();
}

// Walks from Current to the next message to fetch (true, CurrentId set); a message to
// delete on the way is sent DELE, and past the last one QUIT (false for both).
bool TPOP3::FindNextToFetch() {
  for (; Session.Current <= Session.Last; ++Session.Current) {
    switch (ActionFor(Session.Current)) {
      case TNextAction::Fetch: return true;
      case TNextAction::Delete: SendDele(); return false;
      case TNextAction::Skip: break;
    }
  }
  SendQuit();
  return false;
}

// Fetch mode: a new message is fetched; one fetched before is deleted unless the mail stays
// on the server. Marks mode: the message's mark decides.
TPOP3::TNextAction TPOP3::ActionFor(std::int32_t number) {
  if (Mode == TMode::FetchNew) {
    const TMessageId* fresh = FindByNumber(NewIds, number);
    if (fresh == nullptr) return LeaveOnServer ? TNextAction::Skip : TNextAction::Delete;
    Session.CurrentId = fresh->Id;
    return TNextAction::Fetch;
  }
  if (Mode != TMode::ApplyMarks) throw EMailError(k_textNextMessageError);
  const TMessageId* id = FindByNumber(AllIds, number);
  if (id == nullptr) return TNextAction::Skip;
  switch (Marks->Find(id->Id)) {
    case TRemoteMark::Fetch:
    case TRemoteMark::FetchAndDelete: Session.CurrentId = id->Id; return TNextAction::Fetch;
    case TRemoteMark::Delete: return TNextAction::Delete;
    default: return TNextAction::Skip;
  }
}

void TPOP3::FetchCurrent() {
  Session.Reset();
  if (static_cast<std::int32_t>(Sizes.size()) < Session.Current) throw EMailError(k_textNoMessageSize);
  Session.CurrentSize = Sizes[static_cast<std::size_t>(Session.Current - 1)];
  const std::string number = std::to_string(Session.Current);
  if (Mode == TMode::HeadersOnly) {
    Session.OpenStream(false);
    SendCommand("TOP " + number + " 1");
  } else {
    Session.OpenStream(Session.CurrentSize > k_memoryLimit);
    SendCommand("RETR " + number);
  }
  ++Fetched;
  SetStep(TPop3Step::MessageData);
}

void TPOP3::MessageData() {
  char buffer[k_receiveSize];
  const int count = Receive(buffer, k_receiveSize);
  if (CheckError() || count <= 0) return;
  std::string bytes;
  const TDataResult result = Session.Data.Feed(buffer, static_cast<std::size_t>(count), bytes);
  if (result == TDataResult::Refused) throw EMailError(k_textRetrieveFailed + Session.Data.StatusLine());
  WriteData(bytes);
  ShowSender(bytes, result == TDataResult::Ended);
  ShowProgress();
  if (result == TDataResult::Ended) MessageEnded();
}

void TPOP3::WriteData(const std::string& bytes) {
  if (bytes.empty()) return;
  const auto size = static_cast<std::int32_t>(bytes.size());
  if (Session.Stream->Write(bytes.data(), size) < size) throw EMailError(k_textReceiveDiskFull);
}

// Once per message: the sender's name and the subject as the step under way, as soon as
// the header is complete.
void TPOP3::ShowSender(const std::string& bytes, bool ended) {
  if (Session.FromShown) return;
  std::string& header = Session.HeaderText;
  if (header.size() < k_headerTextLimit) header.append(bytes, 0, k_headerTextLimit - header.size());
  const std::size_t end = header.compare(0, 2, "\r\n") == 0 ? 0 : header.find("\r\n\r\n");
  if (end == std::string::npos && !ended && header.size() < k_headerTextLimit) return;
  Session.FromShown = true;
  const TStringList lines = SplitLines(header.substr(0, end));
  header.clear();
  const std::string from = GetField(lines, "From:");
  if (from.empty()) return;
  std::string text = DisplayNameOf(DecodeWords(from));
  const std::string subject = GetField(lines, "Subject:");
  if (!subject.empty()) text += ": " + DecodeWords(subject);
  if (!text.empty()) CommandChange(text);
}

void TPOP3::ShowProgress() {
  const std::int64_t size = Session.Stream->Size();
  std::int64_t percent = 100;
  if (Session.CurrentSize > 0) percent = std::min<std::int64_t>(100, (size * 100 + Session.CurrentSize / 2) / Session.CurrentSize);
  SetProgress(static_cast<std::int32_t>(percent));
}

// The message is handed over; once that returned, it is recorded as seen (and the seen
// file written) before the server may delete it.
void TPOP3::MessageEnded() {
  if (!OnMessage) throw EMailError(k_textNoMessageHandler);
  if (auto* file = dynamic_cast<TFileStream*>(Session.Stream.get())) file->Flush();
  TMailMessage message = MakeMailMessage(*Session.Stream, Session.TempFile, Session.CurrentId, Prompts());
  if (Mode == TMode::HeadersOnly) message.Size = Session.CurrentSize;
  OnMessage(*this, message);
  ++Received;
  const bool deleteIt = DeleteAfterFetch();
  Session.Reset();
  if (Mode != TMode::HeadersOnly && UidlSupported) RecordSeen();
  if (deleteIt)
    SendDele();
  else
    GotoNextMsg();
}

bool TPOP3::DeleteAfterFetch() const {
  if (Mode == TMode::FetchNew) return !LeaveOnServer;
  return Mode == TMode::ApplyMarks && Marks->Find(Session.CurrentId) == TRemoteMark::FetchAndDelete;
}

void TPOP3::RecordSeen() {
  const std::string& id = Session.CurrentId;
  if (std::find(SeenIds.begin(), SeenIds.end(), id) != SeenIds.end()) return;
  SeenIds.push_back(id);
  if (!SeenFilePath.empty()) AppendUidl(SeenFilePath, id);
}
