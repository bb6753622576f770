// Where a msg command reads its message from: a whole file, or one item of a mailbox
// read in place from the data file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "quillet/common/stream.h"

class TMessageSource {
 public:
  virtual ~TMessageSource() = default;
  virtual TStream& Stream() = 0;
  virtual std::int64_t Size() = 0;
  virtual std::int64_t Offset() = 0;
};

std::unique_ptr<TMessageSource> OpenMessageFile(const std::string& path);
// Throws Exception when the id has no live record.
std::unique_ptr<TMessageSource> OpenStoredMessage(const std::string& basePath, std::int64_t id);
