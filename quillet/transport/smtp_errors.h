// The SMTP client's own failures (texts in transport_texts.h).
#pragma once

#include "quillet/common/exceptions.h"
#include "quillet/transport/mail_base.h"

// A queued message that cannot be found or read, an empty queue, a lost data position.
class ERawSmtpError : public Exception {
 public:
  using Exception::Exception;
};
// The server refused the login: the password is not worth remembering.
class ESmtpAuthError : public EMailError {
 public:
  using EMailError::EMailError;
};
