// The opening of the SMTP session: EHLO (HELO for a server that refuses it), STARTTLS
// and the handshake, then AUTH. Nothing here asks the user to overrule a refusal: each
// stop happens before a password or a message could leave unprotected or unasked for.
#include "quillet/transport/raw_smtp.h"

#include "quillet/transport/smtp_auth.h"
#include "quillet/transport/transport_texts.h"

bool TRawSMTP::HandleOpeningReply(const TSmtpReply& reply) {
  switch (Session.Step) {
    case TSmtpStep::Ehlo: EhloReply(reply); return true;
    case TSmtpStep::StartTls: StartTlsReply(reply); return true;
    case TSmtpStep::AuthLogin:
    case TSmtpStep::AuthLoginUser:
    case TSmtpStep::AuthCramMd5:
    case TSmtpStep::Auth: AuthReply(reply); return true;
    default: return false;
  }
}

void TRawSMTP::GreetingReply() {
  SetState(TMailState::LoggingIn);
  SetStep(TSmtpStep::Ehlo);
  SendCommand("EHLO " + LocalHostName());
}

void TRawSMTP::EhloReply(const TSmtpReply& reply) {
  if (!reply.Positive()) {
    Session.Capabilities = TSmtpCapabilities();
    SetStep(TSmtpStep::Helo);
    SendCommand("HELO " + LocalHostName());
    return;
  }
  Session.Capabilities = ParseEhloReply(reply);
  HeloReply();
}

// After EHLO or HELO: TLS first where it is required, then the login, then the mail.
void TRawSMTP::HeloReply() {
  if (Security == TMailSecurity::StartTls && !Session.StartedTls) {
    if (!Session.Capabilities.startTls) Refuse(k_textNoStartTls);
    SetStep(TSmtpStep::StartTls);
    SendCommand("STARTTLS");
    return;
  }
  if (UseAuth && !Session.LoggedIn) {
    StartAuth();
    return;
  }
  if (Queue.empty()) throw ERawSmtpError(k_textNoMailsToSend);
  Session.MessageIndex = -1;
  NextMessage();
}

// Whatever the server sent after the go-ahead goes to the handshake, never to a reply: a
// genuine server sends nothing there, so such bytes make the handshake fail.
void TRawSMTP::StartTlsReply(const TSmtpReply& reply) {
  if (reply.Kind() != '2') Refuse(k_textStartTlsRefused, &reply);
  LineBuffer = replies_.TakePending();
  Session.StartedTls = true;
  SetStep(TSmtpStep::TlsHandshake);
  UpgradeToTls();
}

// The server's capabilities may change under TLS: they are asked for again.
void TRawSMTP::TlsUpgraded() {
  Session.Capabilities = TSmtpCapabilities();
  SetStep(TSmtpStep::Ehlo);
  SendCommand("EHLO " + LocalHostName());
}

void TRawSMTP::StartAuth() {
  const TSmtpAuthMethod method = Session.Capabilities.StrongestAuth();
  if (method == TSmtpAuthMethod::None) Refuse(k_textNoAuthMethod);
  if (!NeedPassword()) return;
  const std::string command = std::string("AUTH ") + AuthMethodName(method);
  switch (method) {
    case TSmtpAuthMethod::Plain:
      SetStep(TSmtpStep::Auth);
      SendCommand(command + " " + AuthPlainAnswer(UserName, Password), command + " " + k_textAuthShown);
      break;
    case TSmtpAuthMethod::Login:
      SetStep(TSmtpStep::AuthLogin);
      SendCommand(command);
      break;
    default:
      SetStep(TSmtpStep::AuthCramMd5);
      SendCommand(command);
      break;
  }
}

// Every step but the last wants a 334 go-ahead, the last a 2xx.
void TRawSMTP::AuthReply(const TSmtpReply& reply) {
  const bool last = Session.Step == TSmtpStep::Auth;
  if (reply.Kind() != (last ? '2' : '3')) throw ESmtpAuthError(RefusalText(k_textAuthRefused, &reply));
  std::string answer;
  switch (Session.Step) {
    case TSmtpStep::AuthLogin: SendAuthAnswer(AuthLoginAnswer(UserName), TSmtpStep::AuthLoginUser); break;
    case TSmtpStep::AuthLoginUser: SendAuthAnswer(AuthLoginAnswer(Password), TSmtpStep::Auth); break;
    case TSmtpStep::AuthCramMd5:
      if (!CramMd5Answer(UserName, Password, reply.LastText(), answer))
        throw ESmtpAuthError(RefusalText(k_textAuthRefused, &reply));
      SendAuthAnswer(answer, TSmtpStep::Auth);
      break;
    default:
      Session.LoggedIn = true;
      HeloReply();
      break;
  }
}

void TRawSMTP::SendAuthAnswer(const std::string& answer, TSmtpStep next) {
  SetStep(next);
  SendCommand(answer, k_textAuthShown);
}

// False when the user cancelled (the session is then cancelled too).
bool TRawSMTP::NeedPassword() {
  if (!Password.empty() || !OnPassword) return true;
  if (OnPassword(Password)) return true;
  Cancel();
  return false;
}

std::string TRawSMTP::RefusalText(const char* reason, const TSmtpReply* reply) const {
  std::string text = k_textSmtpServerPrefix + Host + reason + (reply ? reply->Text() : std::string());
  if (reply && !reply->lines.empty()) text.resize(text.size() - 2);  // the last line's CR LF
  return text;
}

void TRawSMTP::Refuse(const char* reason, const TSmtpReply* reply) { throw EMailError(RefusalText(reason, reply)); }
