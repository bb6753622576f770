// The accounts a receive walks, in order: the user's own account from the [Connection]
// settings, then the further accounts of "OtherConnections" (connections.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quillet/common/profile_file.h"
#include "quillet/transport/connections.h"
#include "quillet/transport/mail_security.h"

// The own account: server [Connection] "POP3Host", port "POP3Port" (110, or 995 for
// implicit TLS), user "POP3Account", password "POP3Password" (scrambled), the security keys
// of a further account (connections.h), leave-on-server [Receive] "LeaveInServer" (1),
// seen file "uidl". It is enabled when its server is set, so that a
// user who keeps only further accounts is not told on every check that a name is missing.
TOneConnection DefaultAccount(const TProfileFile& ini);
// The own account first, then the further ones of the same ini file.
std::vector<TOneConnection> MailAccounts(const TProfileFile& ini);

// The SMTP server the send run uses, from [Connection]: "SMTPHost"; "SMTPSecurity" (0,
// read by MailSecurityFromNumber); "SMTPPort" (25, or 465 with implicit TLS); "SMTPAuth" (1:
// log in); "SMTPAccount" and "SMTPPassword" (scrambled), both taken from the POP3 account
// when the account is empty; "SMTPTrustedCert" (the SHA-256 of a certificate the user
// trusts). An ini file without the newer keys gives a plain session without login.
struct TSmtpServer {
  std::string Host;
  std::uint16_t Port = 25;
  TMailSecurity Security = TMailSecurity::Plain;
  bool Auth = false;
  std::string Account;
  std::string Password;
  // The server whose remembered password (password_list.h) is the login's: the POP3
  // server when the login is the POP3 account's, else Host.
  std::string PasswordServer;
  std::string TrustedCert;
};
TSmtpServer SmtpServer(const TProfileFile& ini);
// The SMTP port of a security when the ini file names none.
constexpr std::uint16_t DefaultSmtpPort(TMailSecurity security) {
  return security == TMailSecurity::ImplicitTls ? 465 : 25;
}
