// The mail store's own exceptions. File failures use EFileException (common/exceptions.h).
#pragma once

#include <string>

#include "quillet/common/exceptions.h"

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

extern const char* const k_textOperateOnEncrypted;  // "Error: Operate on encrypted data"
extern const char* const k_textNoRecordHead;        // "Can not find record head in EditHead"
