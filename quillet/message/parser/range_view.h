// A read-only window on a byte range of another stream, so that a codec given a part
// sees the end of the part as the end of its input and never reads the next part.
#pragma once

#include <cstdint>

#include "quillet/common/stream.h"

namespace msgdecode {

class TRangeView : public TStream {
 public:
  // Position 0 is the source's byte start. The source is not owned.
  TRangeView(TStream& source, std::int64_t start, std::int64_t length);

  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;  // always 0
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return length_; }

 private:
  TStream& source_;
  std::int64_t start_;
  std::int64_t length_;
  std::int64_t position_ = 0;
};

// Reads exactly count bytes of the source from position, or throws EMsgDecodeError
// "Can not read message, message format error" when the stream ends first.
void ReadExactly(TStream& source, std::int64_t position, char* buffer, std::int32_t count);

}  // namespace msgdecode
