// The POP3 client: one account at a time, as a state machine over the socket line client.
// Three modes: fetch new mail, fetch the headers of every server message (TOP n 1), and
// carry out the remote mailbox manager's marks. With a server that answers UIDL, messages
// already fetched are known by their identifiers in SeenIds and are not fetched again.
//
// Security: with StartTls the client asks CAPA after the greeting and upgrades the
// connection with STLS before it logs in; a server that does not offer STLS, or refuses it,
// ends the session before the account name or the password is sent. With ImplicitTls the
// connection is TLS from the start (port 995 when none is set). Login: APOP when UseApop
// is set and the greeting carries a timestamp, else USER and PASS.
//
// Every stored message is safe before anything else happens to it: its identifier goes to
// SeenIds and the seen file at once, and only then may DELE remove it from the server. A
// message whose connection drops, or that the callback refuses by throwing, is neither
// recorded nor deleted.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "quillet/common/lines.h"
#include "quillet/transport/mail_base.h"
#include "quillet/transport/mail_message.h"
#include "quillet/transport/mail_security.h"
#include "quillet/transport/pop3_listing.h"
#include "quillet/transport/pop3_session.h"
#include "quillet/transport/remote_marks.h"

class TPOP3 : public TMailBase {
 public:
  enum class TMode : std::uint8_t { FetchNew = 0, HeadersOnly = 1, ApplyMarks = 2 };
  // What the user chose in the password prompt: whether the typed password is remembered.
  enum class TRememberChoice : std::uint8_t { Remember = 0, DoNotRemember = 1, NotAsked = 2 };

  // Asked for the password when Password is empty: set `password`, or `cancelIt`.
  using TNeedPasswordEvent =
      std::function<void(TPOP3& sender, std::string& password, bool& cancelIt, bool& remember)>;
  // Receives each downloaded message; the stream and the temporary file live until it
  // returns. Throwing refuses the message: it is then neither recorded nor deleted.
  using TMessageEvent = std::function<void(TPOP3& sender, TMailMessage& message)>;

  // Messages up to this size are received in memory, larger ones in a temporary file.
  static constexpr std::int32_t k_memoryLimit = 16384;
  static constexpr std::int32_t k_receiveSize = 4095;
  static constexpr std::uint16_t k_defaultPort = 110;
  static constexpr std::uint16_t k_defaultTlsPort = 995;

  explicit TPOP3(TUserPrompts& prompts);

  // The only entry point: connects, runs the session and returns when it finished, was
  // cancelled, timed out or failed (the last two are shown through the prompts). Throws
  // EMailError "Error in DoOperation" for the marks mode without Marks, the server's
  // refusals as EMailError, and EMailError "Connection closed by the POP3 server" when the
  // server hangs up before the session ended.
  void DoOperation(TMode mode);
  void Reset() override;
  void Cancel() override;
  // The socket events of the line client.
  void HostResolved() override;
  void DataArrived() override;
  void ReadyToWrite() override {}
  void Connected() override;
  void ConnectionClosed() override;
  void TlsUpgraded() override;

  std::string UserName;
  std::string Password;  // empty: OnPassword is asked
  bool LeaveOnServer = false;
  TMessageIds NewIds;  // server messages not in SeenIds
  TMessageIds AllIds;  // every server message
  std::int32_t MessageCount = 0;
  std::vector<std::int32_t> Sizes;  // size of message n at index n - 1
  std::int32_t Fetched = 0;         // RETR and TOP commands sent in this session
  std::int32_t TotalSize = 0;
  TNeedPasswordEvent OnPassword;
  TPOP3Session Session;
  bool Finished = false;  // QUIT was acknowledged
  TMode Mode = TMode::FetchNew;
  bool UidlSupported = false;
  TRememberChoice RememberChoice = TRememberChoice::NotAsked;
  std::int32_t ToFetch = 0;  // messages to fetch in this session, for the progress text
  // The identifiers fetched before (the seen file's contents). Only identifiers the server
  // still lists are kept once its UIDL listing arrived.
  TStringList SeenIds;
  std::int32_t Received = 0;              // messages handed to OnMessage
  const TRemoteMarks* Marks = nullptr;    // the marks mode's instructions
  TMessageEvent OnMessage;
  // The seen file, rewritten after each stored message and after an acknowledged QUIT in
  // the fetch and marks modes; empty: none.
  std::string SeenFilePath;
  // How the connection is protected (DoOperation sets UseTls and the default port from it);
  // the trusted certificate is TMailBase's TrustedCert.
  TMailSecurity Security = TMailSecurity::Plain;
  bool UseApop = false;
  // The greeting's APOP timestamp ("<...>"); empty when it had none.
  std::string Timestamp;

 private:
  enum class TNextAction { Fetch, Delete, Skip };

  void SetStep(TPop3Step step) { Session.Step = step; }
  void SendCommand(const std::string& command);
  bool ReadReply(std::string& line);
  bool ReadListing(std::string& block);

  // One handler per awaited reply.
  void GreetingReply();
  void CapaReply();
  void StlsReply();
  void UserReply();
  void PassReply();
  void StatReply();
  void UidlReply();
  void ListReply();
  void MessageData();
  void DeleReply();
  void QuitReply();

  // APOP, or USER (PASS follows its reply).
  void LogIn();
  // Asks OnPassword when no password is set; false when the user cancelled.
  bool HavePassword();
  bool AskPassword();
  void GotoNextMsg();
  bool FindNextToFetch();
  TNextAction ActionFor(std::int32_t number);
  void FetchCurrent();
  void WriteData(const std::string& bytes);
  void ShowSender(const std::string& bytes, bool ended);
  void ShowProgress();
  void MessageEnded();
  bool DeleteAfterFetch() const;
  void RecordSeen();
  void SendDele();
  void SendQuit();

  bool stopped_ = false;         // the pump loop of DoOperation may end
  bool connectionLost_ = false;  // the server hung up before QUIT was acknowledged
};
