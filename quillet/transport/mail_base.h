// The socket line client: the common base of the POP3 and SMTP clients. It owns one
// non-blocking TCP socket whose events (host resolved, connected, readable, writable,
// closed) arrive as messages on a hidden window and become calls of the virtual operations
// below; the protocol classes are state machines over those calls and never block. The
// caller starts an operation and pumps the message loop until the client says it finished,
// was cancelled, timed out or failed.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/message_loop.h"
#include "platform/socket.h"
#include "platform/tls_session.h"
#include "quillet/common/exceptions.h"

class TUserPrompts;

// Protocol refusals.
class EMailError : public Exception {
 public:
  using Exception::Exception;
};
// A socket call failed: the caller's text, CR LF CR LF, and the WinSock error text.
class ESocketError : public Exception {
 public:
  ESocketError(const std::string& text, int error);
};
// A cancelled operation; callers swallow it silently.
class ECanceledError : public Exception {
 public:
  using Exception::Exception;
};

// Session states, shared by POP3, SMTP, the progress runner and the notifier.
enum class TMailState : std::uint8_t {
  Idle = 0,
  LoggingIn = 1,
  Resolving = 2,
  Connecting = 3,
  LoggingOut = 4,
  Cancelled = 5,
  TimedOut = 6,
  Receiving = 8,
  Deleting = 9,
  ReceivingMessage = 10,
  SendingEnvelope = 11,
  SendingContent = 12,
};
// The state's display name (the value masked with 127; "未知" for any other).
std::string StateName(int state);

// Starts the socket library once per process (the constructor of TMailBase calls it);
// throws Exception "TCP/IP网络尚未准备好..." when it cannot.
void StartNetwork();
void StopNetwork();

// The network error box: what failed for the state, CR LF, "[状态：%s]", a blank line,
// then the WinSock text (WinSockErrorText).
std::string NetworkErrorText(int state, int error);
void ShowNetworkError(TUserPrompts& prompts, int state, int error);

// The process-wide host-name cache: host name (exact, case-sensitive) -> dotted address.
class TNetCache {
 public:
  static TNetCache& Instance();
  bool Lookup(const std::string& host, std::string& addressText) const;
  void Store(const std::string& host, const std::string& addressText);

 private:
  std::map<std::string, std::string> entries_;
};

class TMailBase {
 public:
  using TMailStatusEvent = std::function<void(TMailBase& sender, const std::string& params)>;
  using TNotifyEvent = std::function<void(TMailBase& sender)>;
  using TErrorEvent = std::function<void(TMailBase& sender, int error)>;

  // The host-lookup reply; socket events use k_socketMessageBase + SessionCounter, so that
  // events still queued from an earlier session no longer match.
  static constexpr unsigned k_lookupMessage = platform::k_userMessage + 10;
  static constexpr unsigned k_socketMessageBase = platform::k_userMessage + 11;
  // The socket is registered for read, connect and close; write only on request.
  static constexpr long k_defaultEvents =
      platform::k_socketRead | platform::k_socketConnect | platform::k_socketClose;
  // The one-second time-out timer of the hidden window.
  static constexpr std::uintptr_t k_timeoutTimer = 1;
  static constexpr unsigned k_timeoutInterval = 1000;

  explicit TMailBase(TUserPrompts& prompts);
  virtual ~TMailBase();
  TMailBase(const TMailBase&) = delete;
  TMailBase& operator=(const TMailBase&) = delete;

  // Virtual operations in their order.
  virtual void Reset();
  bool CheckError();
  virtual void HostResolved() = 0;
  virtual void DataArrived() = 0;
  virtual void ReadyToWrite() = 0;
  virtual void Connected() = 0;
  virtual void ConnectionClosed() = 0;
  // The in-place TLS upgrade (UpgradeToTls) finished and the server's certificate passed:
  // the protocol sends its next command, now enciphered. Only protocols that upgrade
  // override it; the others never get the call.
  virtual void TlsUpgraded() {}
  // How long the session may now go without any event from the server: the time-out
  // setting, unless the protocol knows a step that takes longer.
  virtual std::int32_t WaitSeconds() const { return TimeoutSeconds; }
  virtual void Cancel();
  // Resolves Host (dotted, cached or looked up) and calls HostResolved; throws
  // ESocketError "Can not open socket", EMailError "Server name not set".
  void Start();
  // Cancels a pending look-up and closes the socket; ESocketError "Close socket failed".
  void CloseSocket();

  void SetTimeout(std::int32_t seconds);  // below 2 becomes 60
  // Sends the whole text (would-block retries); false when cancelled, timed out or an error
  // was found.
  bool SendText(const std::string& text);
  // The last complete line of a single-line reply, with its CR LF; false: wait for more.
  bool ReadLine(std::string& line);
  // A whole multi-line reply (or a one-line error reply); false: wait for more.
  bool ReadMultiLine(std::string& block);
  // One non-blocking receive: the count, 0 on would-block or error (stored in LastError).
  // Over TLS the bytes are deciphered ones; what one call leaves is kept for the next.
  int Receive(char* buffer, int size);
  // Offers up to `size` bytes to the socket without waiting: the count taken, 0 when the
  // socket takes nothing now (a write event follows), -1 on an error (in LastError). Over
  // TLS all of them are enciphered at once and what the socket leaves waits in the
  // session's output for FlushOutput.
  int SendSome(const char* data, int size);
  // Sends ciphertext still waiting (TLS); true when none waits. False: the socket takes
  // nothing now, or an error (in LastError).
  bool FlushOutput();
  bool OutputPending() const { return !tlsOut_.empty(); }
  // Drops the connection quietly, calls ConnectionClosed, then OnError with the code.
  void Abort(int error);
  // The machine's name; "Unknown" when no socket is open or the call fails.
  std::string LocalHostName() const;
  // The hidden window that receives the look-up reply, the socket events and the timer.
  platform::WindowHandle Window() const;

  // Fields of the session, as the protocol classes and the runner read and set them.
  std::string Host;
  std::int32_t TimeoutSeconds = 60;
  std::uint16_t DefaultPort = 0;
  std::int32_t SessionCounter = 0;
  TMailStatusEvent OnStatusChange;
  TMailStatusEvent OnCommandChange;
  TNotifyEvent OnProgress;
  TErrorEvent OnError;
  platform::SocketHandle Socket = platform::k_invalidSocket;
  std::uint32_t Address = 0;
  std::string AddressText;
  std::uint16_t Port = 0;  // 0: look up ServiceName
  std::int32_t Countdown = 0;
  bool TimedOut = false;
  bool Cancelled = false;
  std::string ServiceName;
  std::uint8_t State = 0;
  std::int32_t Progress = 0;
  platform::LookupHandle LookupHandle = 0;
  std::int32_t LastError = 0;
  std::string LineBuffer;
  std::string BlockBuffer;
  // Implicit TLS: once connected, the handshake runs first, and the protocol is told it is
  // connected (Connected) only when the server's certificate passed: valid, or exactly the
  // one whose SHA-256 fingerprint is TrustedCert (any case, ':' ignored).
  bool UseTls = false;
  std::string TrustedCert;

 protected:
  // Sets State and raises OnStatusChange with an empty text.
  void SetState(TMailState state);
  void SetProgress(std::int32_t percent);
  void CommandChange(const std::string& text);
  // Called by HostResolved overrides once CheckError found nothing: starts the connect
  // (State 3) and arms the time-out; EMailError "Invalid socket in Connect" without a
  // socket; a failing call is left in LastError.
  void Connect();
  // Re-registers the socket's events (the SMTP data phase adds write).
  void SelectEvents(long events);
  // In-place TLS on the connected plain socket, for a protocol's STLS or STARTTLS: call it
  // from DataArrived once the server's go-ahead reply was read, then send nothing and wait.
  // The handshake runs on the same socket (name Host, trust TrustedCert, the connect's
  // time-out) and the certificate is judged as for implicit TLS; when it passes,
  // TlsUpgraded is called and from then on SendText, ReadLine, ReadMultiLine, Receive and
  // SendSome carry enciphered bytes, and DataArrived sees only deciphered ones. A failed
  // handshake or a refused certificate throws the same EMailError as implicit TLS (out of
  // PumpUntil, the connection dropped). Everything the server sent after its go-ahead
  // belongs to the TLS stream, never to a reply: bytes still unread in LineBuffer or
  // BlockBuffer go into the handshake too (a genuine server sends none there, so they
  // make it fail), and nothing read before it is ever taken as enciphered.
  void UpgradeToTls();
  TUserPrompts& Prompts() { return prompts_; }
  // The caller's loop of DoOperation and Send: pumps messages until `finished` or
  // Cancelled. A socket error drops the connection (Abort, unless already dropped), shows
  // the network error box for the state it failed in and returns. TimeoutSeconds without
  // any event while the session waits for the server (the look-up, the connect, the TLS
  // handshake, a reply, the data, the server taking what is sent) is a time-out: it drops
  // the look-up or the connection, shows "网络失败：操作超时。" and returns; ConnectionClosed
  // is not called. An exception a handler threw (a protocol refusal)
  // is rethrown here, after the connection was dropped: exceptions never cross the
  // platform's message dispatch.
  void PumpUntil(const bool& finished);

 private:
  bool HandleMessage(const platform::TWindowMessage& message, std::intptr_t& result);
  void LookupReplied(const platform::TWindowMessage& message);
  void SocketEvent(const platform::TWindowMessage& message);
  void DispatchSocketEvent(const platform::TWindowMessage& message);
  // After an event: the time-out runs anew while the connection is open and usable.
  void AwaitServer();
  void ArmTimer();
  void StopTimer();
  void TimerTick();
  void CloseQuietly();
  int ReceivePlain(char* buffer, int size);
  int SendSomePlain(const char* data, int size);
  // Sends the whole of `bytes` as they are (would-block retries); see SendText.
  bool SendRaw(const std::string& bytes);
  // TLS (mail_tls.cpp).
  void StartTls();
  void TlsDataArrived();
  void CheckCertificate();
  // Reads the socket once and deciphers into tlsPlain_; false when nothing came.
  bool ReadCipher();
  // Sends the session's output; a would-block keeps the rest in tlsOut_.
  bool SendCipher();
  void ThrowIfTlsFailed();
  // Plaintext a protocol has not read yet gets its own read event, as WinSock re-arms
  // FD_READ while bytes remain.
  void RearmTlsRead();
  // At the peer's close: the deciphered bytes still unread go to the protocol first.
  void DeliverTlsRest();
  // After the peer's close-notify: answers it, delivers the rest and ends the connection as
  // a socket close does (ConnectionClosed). False while the session is open.
  bool EndIfPeerClosed();
  void DropTls();

  TUserPrompts& prompts_;
  std::unique_ptr<platform::TTlsSession> tls_;
  std::string tlsPlain_;
  std::string tlsOut_;
  bool tlsUpgrade_ = false;  // the handshake under way is UpgradeToTls's: TlsUpgraded follows
  char hostEntry_[platform::k_hostEntrySize] = {};
  std::unique_ptr<platform::THiddenWindow> window_;
  bool timerRunning_ = false;
  int eventDepth_ = 0;  // socket events being handled (a handler's pump can nest them)
  std::exception_ptr handlerError_;
};
