// The POP3 client's way in: the greeting, the upgrade to TLS (CAPA, STLS) when the account
// asks for it, then APOP or USER and PASS.
#include "quillet/common/md5.h"
#include "quillet/common/user_prompts.h"
#include "quillet/transport/pop3.h"
#include "quillet/transport/transport_texts.h"

void TPOP3::GreetingReply() {
  std::string line;
  if (!ReadReply(line) || line.empty()) return;
  SetState(TMailState::LoggingIn);
  Timestamp = ApopTimestamp(line);
  if (Security != TMailSecurity::StartTls) return LogIn();
  SendCommand("CAPA");
  SetStep(TPop3Step::Capa);
}

// Nothing that identifies the user goes out before the connection is protected.
void TPOP3::CapaReply() {
  std::string block;
  if (!ReadListing(block)) return;
  if (!IsPositive(block) || !OffersStls(ListingLines(block)))
    throw EMailError(k_textPop3ServerPrefix + Host + k_textStlsNotOffered);
  SendCommand("STLS");
  SetStep(TPop3Step::Stls);
}

void TPOP3::StlsReply() {
  std::string line;
  if (!ReadReply(line)) return;
  if (!IsPositive(line)) throw EMailError(k_textPop3ServerPrefix + Host + k_textStlsRefused + WithoutLineEnd(line));
  UpgradeToTls();
}

void TPOP3::TlsUpgraded() { LogIn(); }

void TPOP3::LogIn() {
  if (!UseApop || Timestamp.empty()) {
    SendCommand("USER " + UserName);
    SetStep(TPop3Step::User);
    return;
  }
  if (!HavePassword()) return;
  SendCommand("APOP " + UserName + " " + md5::HexDigest(Timestamp + Password));
  SetStep(TPop3Step::Pass);  // answered like PASS
}

void TPOP3::UserReply() {
  std::string line;
  if (!ReadReply(line)) return;
  if (!IsPositive(line)) throw EMailError(k_textIllegalAccount + UserName);
  if (!HavePassword()) return;
  SendCommand("PASS " + Password);
  SetStep(TPop3Step::Pass);
}

bool TPOP3::HavePassword() { return !Password.empty() || !OnPassword || AskPassword(); }

// False when the user cancelled (the session is then cancelled too).
bool TPOP3::AskPassword() {
  std::string password = Password;
  bool cancelIt = false;
  bool remember = false;
  OnPassword(*this, password, cancelIt, remember);
  if (cancelIt) {
    Cancel();
    return false;
  }
  RememberChoice = remember ? TRememberChoice::Remember : TRememberChoice::DoNotRemember;
  Password = password;
  return true;
}

// A refused password may be typed again: the session then starts over from the connect.
void TPOP3::PassReply() {
  std::string line;
  if (!ReadReply(line)) return;
  if (IsPositive(line)) {
    SetState(TMailState::Receiving);
    SendCommand("STAT");
    SetStep(TPop3Step::Stat);
    return;
  }
  if (!Prompts().AskYesNo(WithoutLineEnd(line) + "\r\n\r\n" + k_textPasswordAgain)) {
    Cancel();
    return;
  }
  Password.clear();
  CloseSocket();
  Start();
}
