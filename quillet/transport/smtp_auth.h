// What the client says in each login method of AUTH, in Base64 as it goes on the wire.
#pragma once

#include <string>

// PLAIN: the one answer, NUL + user + NUL + password.
std::string AuthPlainAnswer(const std::string& user, const std::string& password);
// LOGIN: the user name, then the password, each its own answer.
std::string AuthLoginAnswer(const std::string& userOrPassword);
// CRAM-MD5: the user, a space and the HMAC-MD5 of the decoded challenge keyed by the
// password, in lower-case hex. False when the challenge (the text of the 334 reply) is
// not Base64.
bool CramMd5Answer(const std::string& user, const std::string& password, const std::string& challenge,
                   std::string& answer);
