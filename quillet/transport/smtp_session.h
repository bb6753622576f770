// The per-message state of the SMTP client: the reply it awaits and where it is in the
// queue, the recipients and the data.
#pragma once

#include <cstdint>

#include "quillet/transport/smtp_capabilities.h"
#include "quillet/transport/smtp_data_pump.h"

// The reply the client waits for; each has one handler in TRawSMTP.
enum class TSmtpStep : std::uint8_t {
  Greeting = 0,  // the server's greeting, after Connected
  Helo = 1,      // the reply to HELO
  Mail = 2,      // the reply to MAIL FROM
  Rcpt = 3,      // the reply to RCPT TO
  Data = 4,      // the reply to DATA (354: the data phase begins)
  DataEnd = 5,   // the reply to the data's terminating "."
  Quit = 6,      // the reply to QUIT
  Rset = 7,      // the reply to RSET, sent when DATA was refused and the user went on
  Ehlo = 8,      // the reply to EHLO (a refusal falls back to HELO)
  StartTls = 9,  // the reply to STARTTLS (220: the TLS handshake follows)
  AuthLogin = 10,      // the reply to AUTH LOGIN (334: the user name goes next)
  AuthLoginUser = 11,  // the reply to the user name (334: the password goes next)
  AuthCramMd5 = 12,    // the reply to AUTH CRAM-MD5 (334 with the challenge)
  Auth = 13,           // the reply to the last login answer (235: logged in)
  TlsHandshake = 14,   // no reply: the handshake after STARTTLS runs
};

struct TSMTPSession {
  TSmtpStep Step = TSmtpStep::Greeting;
  TDataPhase DataPhase = TDataPhase::None;
  std::int32_t MessageIndex = -1;    // position in the queue; -1 before the first
  std::int32_t RecipientIndex = -1;  // -1 before the first
  TSmtpCapabilities Capabilities;    // of the last EHLO reply; none after HELO
  bool StartedTls = false;           // STARTTLS was accepted in this session
  bool LoggedIn = false;             // AUTH succeeded in this session
};
