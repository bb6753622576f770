#include "quillet/message/codec/codec_output.h"

#include <algorithm>
#include <cstring>

namespace {
// The buffer grows to this size before it is written out; small jobs (an encoded word)
// keep a small one.
constexpr size_t k_outputBufferSize = 64 * 1024;
constexpr size_t k_firstBufferSize = 512;
}  // namespace

TCodecOutput::TCodecOutput(TStream& stream) : stream_(stream), buffer_(k_firstBufferSize) {}

TCodecOutput::~TCodecOutput() {
  try {
    Flush();
  } catch (...) {
  }
}

char* TCodecOutput::Reserve(size_t count) {
  if (buffer_.size() - used_ < count) {
    if (used_ + count <= k_outputBufferSize) {
      buffer_.resize(std::min(k_outputBufferSize, std::max(2 * buffer_.size(), used_ + count)));
    } else {
      Flush();
      if (buffer_.size() < count) buffer_.resize(count);
    }
  }
  return buffer_.data() + used_;
}

void TCodecOutput::Append(const char* bytes, size_t count) {
  if (count == 0) return;
  std::memcpy(Reserve(count), bytes, count);
  used_ += count;
}

void TCodecOutput::Flush() {
  size_t count = used_;
  used_ = 0;
  mark_ = 0;
  const char* data = buffer_.data();
  while (count > 0) {
    std::int32_t piece = static_cast<std::int32_t>(std::min<size_t>(count, 1u << 30));
    stream_.WriteBuffer(data, piece);
    data += piece;
    count -= static_cast<size_t>(piece);
  }
}
