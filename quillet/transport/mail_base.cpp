// The socket line client: session fields, the hidden window's messages, start, connect,
// the time-out and the caller's pump.
#include "quillet/transport/mail_base.h"

#include "platform/winsock_errors.h"
#include "quillet/common/user_prompts.h"
#include "quillet/transport/transport_texts.h"

namespace {
// How long the pump waits for a message before it checks its conditions again.
constexpr unsigned k_pumpWait = 50;
}  // namespace

TMailBase::TMailBase(TUserPrompts& prompts) : prompts_(prompts) {
  StartNetwork();
  window_ = std::make_unique<platform::THiddenWindow>(
      [this](const platform::TWindowMessage& message, std::intptr_t& result) {
        return HandleMessage(message, result);
      });
}

TMailBase::~TMailBase() {
  try {
    if (OnProgress) OnProgress(*this);
    StopTimer();
    CloseSocket();
  } catch (...) {
    // A destructor reports nothing: the socket is gone either way.
  }
}

platform::WindowHandle TMailBase::Window() const { return window_->Handle(); }

void TMailBase::Reset() {
  ++SessionCounter;
  if (Progress != 0) SetProgress(0);
  LineBuffer.clear();
  BlockBuffer.clear();
  TimedOut = false;
  Cancelled = false;
  LastError = 0;
  handlerError_ = nullptr;
  StopTimer();
}

bool TMailBase::CheckError() {
  if (LastError == 0) return false;
  Abort(LastError);
  return true;
}

void TMailBase::Cancel() {
  Cancelled = true;
  CloseSocket();
}

void TMailBase::Start() {
  SetProgress(0);
  SetState(TMailState::Resolving);
  CommandChange(Host);
  if (Port == 0) Port = platform::ServicePort(ServiceName, "tcp");
  if (Port == 0) Port = DefaultPort;
  if (Socket != platform::k_invalidSocket) platform::CloseSocketHandle(Socket);
  DropTls();  // a session of the old socket must not filter the new one
  Socket = platform::OpenStreamSocket();
  if (Socket == platform::k_invalidSocket)
    throw ESocketError(k_textCannotOpenSocket, platform::LastSocketError());
  LastError = 0;
  if (Host.empty()) throw EMailError(k_textServerNameNotSet);
  std::string cached;
  if (platform::ParseDottedAddress(Host, Address) ||
      (TNetCache::Instance().Lookup(Host, cached) &&
       platform::ParseDottedAddress(cached, Address))) {
    AddressText = platform::DottedAddressText(Address);
    HostResolved();
    return;
  }
  if (LookupHandle != 0) return;
  LookupHandle = platform::StartHostLookup(Window(), k_lookupMessage, Host, hostEntry_,
                                           sizeof hostEntry_);
  if (LookupHandle == 0)
    LastError = platform::LastSocketError();
  else
    ArmTimer();
}

void TMailBase::CloseSocket() {
  if (LookupHandle != 0) platform::CancelHostLookup(LookupHandle);
  LookupHandle = 0;
  if (Socket == platform::k_invalidSocket) return;
  int error = platform::CloseSocketHandle(Socket);
  Socket = platform::k_invalidSocket;
  DropTls();
  if (error != 0) throw ESocketError(k_textCloseSocketFailed, error);
}

void TMailBase::SetTimeout(std::int32_t seconds) { TimeoutSeconds = seconds < 2 ? 60 : seconds; }

void TMailBase::Abort(int error) {
  CloseQuietly();
  ConnectionClosed();
  if (OnError) OnError(*this, error);
}

std::string TMailBase::LocalHostName() const {
  std::string name;
  if (Socket != platform::k_invalidSocket) name = platform::LocalHostName();
  return name.empty() ? k_textUnknownHost : name;
}

void TMailBase::SetState(TMailState state) {
  State = static_cast<std::uint8_t>(state);
  if (OnStatusChange) OnStatusChange(*this, std::string());
}

void TMailBase::SetProgress(std::int32_t percent) {
  Progress = percent;
  if (OnProgress) OnProgress(*this);
}

void TMailBase::CommandChange(const std::string& text) {
  if (OnCommandChange) OnCommandChange(*this, text);
}

void TMailBase::Connect() {
  SetState(TMailState::Connecting);
  CommandChange(AddressText + ": " + std::to_string(Port));
  if (Socket == platform::k_invalidSocket) throw EMailError(k_textInvalidSocketInConnect);
  SelectEvents(k_defaultEvents);
  if (LastError != 0) return;
  int error = platform::ConnectSocket(Socket, Address, Port);
  if (error != 0 && error != platform::k_WSAEWOULDBLOCK)
    LastError = error;
  else
    ArmTimer();
}

void TMailBase::SelectEvents(long events) {
  int error = platform::SelectSocketEvents(
      Socket, Window(), k_socketMessageBase + static_cast<unsigned>(SessionCounter), events);
  if (error != 0) LastError = error;
}

void TMailBase::PumpUntil(const bool& finished) {
  // Pumping on an open connection is waiting for the server.
  if (Socket != platform::k_invalidSocket && !timerRunning_) ArmTimer();
  while (!finished && !Cancelled && !TimedOut && LastError == 0 && !handlerError_)
    platform::WaitAndProcessMessages(k_pumpWait);
  StopTimer();  // nothing waits for the server any more
  if (handlerError_) {
    std::exception_ptr error = handlerError_;
    handlerError_ = nullptr;
    std::rethrow_exception(error);
  }
  if (finished || Cancelled) return;
  if (LastError != 0) {
    int state = State;
    int error = LastError;
    if (Socket != platform::k_invalidSocket || LookupHandle != 0) Abort(error);
    ShowNetworkError(prompts_, state, error);
    return;
  }
  // Timed out: the look-up, the connect or the server must not answer a session given up.
  CloseQuietly();
  prompts_.ShowMessage(k_textOperationTimedOut);
}

// Exceptions stop here: they must never unwind through the platform's dispatch. The
// connection is dropped and PumpUntil rethrows.
bool TMailBase::HandleMessage(const platform::TWindowMessage& message, std::intptr_t&) {
  try {
    if (message.message == k_lookupMessage && LookupHandle != 0 &&
        message.wParam == LookupHandle) {
      LookupReplied(message);
    } else if (message.message ==
               k_socketMessageBase + static_cast<unsigned>(SessionCounter)) {
      SocketEvent(message);
    } else if (message.message == platform::k_timerMessage && message.wParam == k_timeoutTimer) {
      TimerTick();
    } else {
      return false;
    }
  } catch (...) {
    handlerError_ = std::current_exception();
    CloseQuietly();
  }
  return true;
}

void TMailBase::LookupReplied(const platform::TWindowMessage& message) {
  StopTimer();
  LookupHandle = 0;
  LastError = platform::SocketErrorOf(message.lParam);
  if (LastError != 0) return;
  std::uint32_t address = 0;
  if (!platform::FirstHostAddress(hostEntry_, address)) throw EMailError(k_textErrorResolvingHost);
  std::string text = platform::DottedAddressText(address);
  if (!platform::ParseDottedAddress(text, Address)) throw EMailError(k_textErrorResolvingHost);
  AddressText = text;
  TNetCache::Instance().Store(Host, text);
  HostResolved();
}

// Every wait for the server is timed, not only the look-up and the connect: the time-out
// runs anew after each event while the connection stays open. Only the outermost event
// touches the timer, so that a handler's own pump (a question to the user, a send the
// server is slow to take) is not cut short by an event that arrives inside it.
void TMailBase::SocketEvent(const platform::TWindowMessage& message) {
  // An event of a socket closed since (WinSock may still deliver it) is not ours.
  if (Socket == platform::k_invalidSocket ||
      message.wParam != static_cast<std::uintptr_t>(Socket))
    return;
  const bool outermost = eventDepth_ == 0;
  if (outermost) StopTimer();
  ++eventDepth_;
  try {
    DispatchSocketEvent(message);
  } catch (...) {
    --eventDepth_;
    throw;
  }
  --eventDepth_;
  if (outermost) AwaitServer();
}

void TMailBase::AwaitServer() {
  if (Socket != platform::k_invalidSocket && LastError == 0 && !TimedOut && !Cancelled)
    ArmTimer();
  else
    StopTimer();
}

void TMailBase::DispatchSocketEvent(const platform::TWindowMessage& message) {
  LastError = platform::SocketErrorOf(message.lParam);
  if (LastError != 0) return;
  switch (platform::SocketEventOf(message.lParam)) {
    case platform::k_socketRead:
      if (tls_)
        TlsDataArrived();
      else
        DataArrived();
      break;
    case platform::k_socketWrite:
      ReadyToWrite();
      break;
    case platform::k_socketConnect:
      if (UseTls)
        StartTls();
      else
        Connected();
      break;
    case platform::k_socketClose:
      DeliverTlsRest();
      CloseQuietly();
      ConnectionClosed();
      break;
    default:
      break;
  }
}

void TMailBase::ArmTimer() {
  StopTimer();  // a tick still queued must not count against the new countdown
  Countdown = WaitSeconds();
  timerRunning_ = platform::SetWindowTimer(Window(), k_timeoutTimer, k_timeoutInterval);
}

void TMailBase::StopTimer() {
  if (timerRunning_) platform::KillWindowTimer(Window(), k_timeoutTimer);
  timerRunning_ = false;
}

void TMailBase::TimerTick() {
  if (!timerRunning_) return;
  if (--Countdown > 0) return;
  StopTimer();
  TimedOut = true;
}

void TMailBase::CloseQuietly() {
  if (LookupHandle != 0) platform::CancelHostLookup(LookupHandle);
  LookupHandle = 0;
  StopTimer();
  if (Socket != platform::k_invalidSocket) platform::CloseSocketHandle(Socket);
  Socket = platform::k_invalidSocket;
  DropTls();
}
