// The mail store's own exceptions (their texts are in mailbox_texts.h). File failures use
// EFileException (common/exceptions.h).
#pragma once

#include <string>

#include "quillet/common/exceptions.h"
#include "quillet/store/mailbox/mailbox_texts.h"

// An append or a read was tried on a pair whose data is enciphered.
class EOperateOnEncrypted : public Exception {
 public:
  EOperateOnEncrypted();
};

// The index does not hold what an operation needs ("Can not find record head in EditHead").
class EIdxFileError : public Exception {
 public:
  explicit EIdxFileError(const std::string& message) : Exception(message) {}
};
