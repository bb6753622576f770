#include "quillet/transport/pop3.h"

#include <unordered_set>

#include "quillet/common/user_prompts.h"
#include "quillet/transport/transport_texts.h"
#include "quillet/transport/uidl_file.h"

namespace {

constexpr char k_serviceName[] = "pop3";
constexpr char k_tlsServiceName[] = "pop3s";

// The identifiers of `ids` that `listed` holds, in their order.
TStringList StillListed(const TStringList& ids, const TMessageIds& listed) {
  std::unordered_set<std::string> onServer;
  for (const TMessageId& id : listed) onServer.insert(id.Id);
  TStringList kept;
  for (const std::string& id : ids)
    if (onServer.count(id) != 0) kept.push_back(id);
  return kept;
}

// How a command is shown while it is sent: the password and the APOP digest are hidden.
std::string ShownCommand(const std::string& command) {
  if (command.compare(0, 4, "PASS") == 0) return k_textPassShown;
  if (command.compare(0, 5, "APOP ") == 0) return command.substr(0, command.rfind(' ') + 1) + k_textSecretShown;
  return command;
}

TMessageIds NotSeen(const TMessageIds& all, const TStringList& seen) {
  const std::unordered_set<std::string> seenSet(seen.begin(), seen.end());
  TMessageIds fresh;
  for (const TMessageId& id : all)
    if (seenSet.count(id.Id) == 0) fresh.push_back(id);
  return fresh;
}

}  // namespace

TPOP3::TPOP3(TUserPrompts& prompts) : TMailBase(prompts) {
  DefaultPort = k_defaultPort;
  ServiceName = k_serviceName;
}

void TPOP3::DoOperation(TMode mode) {
  if (mode == TMode::ApplyMarks && Marks == nullptr) throw EMailError(k_textDoOperationError);
  Mode = mode;
  UseTls = Security == TMailSecurity::ImplicitTls;
  ServiceName = UseTls ? k_tlsServiceName : k_serviceName;
  DefaultPort = UseTls ? k_defaultTlsPort : k_defaultPort;
  stopped_ = false;
  connectionLost_ = false;
  try {
    Start();
    PumpUntil(stopped_);
  } catch (...) {
    Session.Reset();
    throw;
  }
  Session.Reset();  // a message cut off by a failure is not delivered
  if (connectionLost_ && !Finished && !Cancelled && !TimedOut && LastError == 0)
    throw EMailError(k_textConnectionLost);
}

void TPOP3::Reset() {
  Finished = false;
  UidlSupported = false;
  Timestamp.clear();
  Marks = nullptr;
  Received = 0;
  SeenIds.clear();
  NewIds.clear();
  AllIds.clear();
  Sizes.clear();
  MessageCount = 0;
  TotalSize = 0;
  Fetched = 0;
  RememberChoice = TRememberChoice::NotAsked;
  Session.Reset();
  SetState(TMailState::Idle);
  TMailBase::Reset();
}

void TPOP3::Cancel() {
  SetState(TMailState::Cancelled);
  TMailBase::Cancel();
}

void TPOP3::HostResolved() {
  if (!CheckError()) Connect();
}

void TPOP3::Connected() { SetStep(TPop3Step::Greeting); }

void TPOP3::ConnectionClosed() {
  Session.Reset();
  if (!Finished) connectionLost_ = true;
  stopped_ = true;
}

void TPOP3::DataArrived() {
  switch (Session.Step) {
    case TPop3Step::Greeting: GreetingReply(); break;
    case TPop3Step::User: UserReply(); break;
    case TPop3Step::Pass: PassReply(); break;
    case TPop3Step::Stat: StatReply(); break;
    case TPop3Step::Uidl: UidlReply(); break;
    case TPop3Step::List: ListReply(); break;
    case TPop3Step::MessageData: MessageData(); break;
    case TPop3Step::Dele: DeleReply(); break;
    case TPop3Step::Quit: QuitReply(); break;
    case TPop3Step::Capa: CapaReply(); break;
    case TPop3Step::Stls: StlsReply(); break;
  }
}

void TPOP3::SendCommand(const std::string& command) {
  CommandChange(ShownCommand(command));
  SendText(command + "\r\n");
}

bool TPOP3::ReadReply(std::string& line) {
  const bool complete = ReadLine(line);
  return !CheckError() && complete;
}

bool TPOP3::ReadListing(std::string& block) {
  const bool complete = ReadMultiLine(block);
  return !CheckError() && complete;
}

void TPOP3::StatReply() {
  std::string line;
  if (!ReadReply(line)) return;
  if (!IsPositive(line)) throw EMailError(k_textNoStatistics);
  NewIds.clear();
  AllIds.clear();
  std::int32_t count = 0;
  std::int32_t size = 0;
  if (!ParseStatReply(line, count, size)) throw EMailError(k_textNoStatistics);
  MessageCount = count;
  TotalSize = size;
  if (count <= 0) {
    SeenIds.clear();
    SendQuit();
    return;
  }
  Session.Last = count;
  SendCommand("UIDL");
  SetStep(TPop3Step::Uidl);
}

// A refused UIDL is no error: every message is then fetched.
void TPOP3::UidlReply() {
  std::string block;
  if (!ReadListing(block)) return;
  if (IsPositive(block)) {
    UidlSupported = true;
    AllIds = UidlEntries(ListingLines(block));
    SeenIds = StillListed(SeenIds, AllIds);
    NewIds = NotSeen(AllIds, SeenIds);
  }
  SendCommand("LIST");
  SetStep(TPop3Step::List);
}

void TPOP3::ListReply() {
  std::string block;
  if (!ReadListing(block)) return;
  if (IsPositive(block)) Sizes = ListSizes(ListingLines(block));
  Session.Current = 0;
  GotoNextMsg();
}

void TPOP3::DeleReply() {
  std::string line;
  if (!ReadReply(line)) return;
  if (!IsPositive(line)) throw EMailError(k_textDeleteFailed + WithoutLineEnd(line));
  GotoNextMsg();
}

void TPOP3::QuitReply() {
  std::string line;
  if (!ReadReply(line)) return;
  if (!IsPositive(line)) throw EMailError(k_textQuitFailed + WithoutLineEnd(line));
  CloseSocket();
  Finished = true;
  stopped_ = true;
  if (Mode != TMode::HeadersOnly && !SeenFilePath.empty()) SaveUidlFile(SeenFilePath, SeenIds);
}

void TPOP3::SendDele() {
  SendCommand("DELE " + std::to_string(Session.Current));
  SetStep(TPop3Step::Dele);
}

void TPOP3::SendQuit() {
  SetState(TMailState::LoggingOut);
  SendCommand("QUIT");
  SetStep(TPop3Step::Quit);
}
