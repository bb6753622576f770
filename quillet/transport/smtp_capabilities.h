// What a server's EHLO reply announces, and the login method chosen from it.
#pragma once

#include <cstdint>

#include "quillet/transport/smtp_reply.h"

// The login methods, weakest first: the strongest one the server offers is used. A method
// keeps the password off the wire (CRAM-MD5) or sends it once (PLAIN) or in two steps (LOGIN).
enum class TSmtpAuthMethod : std::uint8_t { None = 0, Login = 1, Plain = 2, CramMd5 = 3 };

struct TSmtpCapabilities {
  bool startTls = false;
  bool eightBitMime = false;
  bool size = false;            // SIZE is announced: MAIL FROM may carry SIZE=
  std::int64_t sizeLimit = 0;   // the largest message it takes; 0: no limit given
  std::uint8_t authMethods = 0;  // a bit (1 << method) for each method offered

  bool Offers(TSmtpAuthMethod method) const { return (authMethods >> static_cast<int>(method)) & 1u; }
  // The strongest method offered; None when it offers none of them.
  TSmtpAuthMethod StrongestAuth() const;
};

// Reads the keywords of the reply's lines after the first (the greeting line), in any
// case: "STARTTLS", "8BITMIME", "SIZE [limit]", and "AUTH m1 m2 ..." (also the older
// "AUTH=m1 m2"). Unknown keywords and methods are passed over.
TSmtpCapabilities ParseEhloReply(const TSmtpReply& reply);

// The method's name as the AUTH command gives it.
const char* AuthMethodName(TSmtpAuthMethod method);
