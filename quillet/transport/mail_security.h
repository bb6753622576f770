// How an account's connection to its mail server is protected. The numbers are stored in
// the ini file (POP3Security, SMTPSecurity).
#pragma once

#include <cstdint>

enum class TMailSecurity : std::uint8_t {
  Plain = 0,        // no TLS
  StartTls = 1,     // plain connect, then the protocol's upgrade (POP3 STLS, SMTP STARTTLS),
                    // required: a server that does not offer it is refused before any password
  ImplicitTls = 2,  // TLS from the connect on (POP3 port 995, SMTP 465)
};

// The stored number as a security. A number no version wrote reads as StartTls: a damaged
// setting must never send a password in plain, and a server without the upgrade is refused.
inline TMailSecurity MailSecurityFromNumber(std::int32_t number) {
  if (number == 0) return TMailSecurity::Plain;
  if (number == 2) return TMailSecurity::ImplicitTls;
  return TMailSecurity::StartTls;
}
