#include "quillet/store/system/cipher_error.h"

#include "quillet/store/system/cipher_texts.h"

namespace {

std::string TextOf(TCipherFailure failure, const std::string& fileName) {
  switch (failure) {
    case TCipherFailure::AlreadyEncrypted: return k_textAlreadyEncrypted;
    case TCipherFailure::NotEncrypted: return k_textNotEncrypted;
    case TCipherFailure::EmptyPassword: return k_textEmptyPassword;
    case TCipherFailure::WrongPassword: return k_textWrongPassword;
    case TCipherFailure::OtherFormat: return k_textOtherCipherFormat;
    case TCipherFailure::Damaged: return k_textCipherDamaged + fileName;
    case TCipherFailure::VerifyFailed: return k_textCipherVerifyFailed;
    case TCipherFailure::MailboxChanged: return k_textMailboxChanged;
    case TCipherFailure::System: return k_textCryptoFailure;
  }
  return k_textCryptoFailure;
}

}  // namespace

ECipherError::ECipherError(TCipherFailure failure, const std::string& fileName)
    : Exception(TextOf(failure, fileName)), failure_(failure) {}
