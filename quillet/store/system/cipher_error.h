// ECipherError: why encrypting or decrypting a mailbox was refused or failed. Its message
// is the failure's text from cipher_texts.h (a damaged file's name follows its text).
#pragma once

#include <string>

#include "quillet/common/exceptions.h"

enum class TCipherFailure {
  AlreadyEncrypted,  // k_textAlreadyEncrypted
  NotEncrypted,      // k_textNotEncrypted
  EmptyPassword,     // k_textEmptyPassword
  WrongPassword,     // k_textWrongPassword
  OtherFormat,       // k_textOtherCipherFormat
  Damaged,           // k_textCipherDamaged + file name
  VerifyFailed,      // k_textCipherVerifyFailed
  MailboxChanged,    // k_textMailboxChanged
  System,            // k_textCryptoFailure
};

class ECipherError : public Exception {
 public:
  explicit ECipherError(TCipherFailure failure, const std::string& fileName = std::string());
  TCipherFailure Failure() const { return failure_; }

 private:
  TCipherFailure failure_;
};
