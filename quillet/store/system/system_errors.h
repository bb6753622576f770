// The system manager's exception: a refused mailbox-set change or an unknown mailbox
// (texts in system_texts.h).
#pragma once

#include "quillet/common/exceptions.h"

class ESystemError : public Exception {
 public:
  using Exception::Exception;
};
