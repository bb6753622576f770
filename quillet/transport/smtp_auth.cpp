#include "quillet/transport/smtp_auth.h"

#include "quillet/common/md5.h"
#include "quillet/message/codec/base64_text.h"

std::string AuthPlainAnswer(const std::string& user, const std::string& password) {
  return Base64Text(std::string(1, '\0') + user + std::string(1, '\0') + password);
}

std::string AuthLoginAnswer(const std::string& userOrPassword) { return Base64Text(userOrPassword); }

bool CramMd5Answer(const std::string& user, const std::string& password, const std::string& challenge,
                   std::string& answer) {
  std::string decoded;
  if (!Base64Decode(challenge, decoded)) return false;
  answer = Base64Text(user + " " + md5::Hex(md5::Hmac(password, decoded)));
  return true;
}
