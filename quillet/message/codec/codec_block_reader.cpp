#include "quillet/message/codec/codec_block_reader.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::int32_t k_blocksPerRead = 1024;
}

TCodecBlockReader::TCodecBlockReader(TStream& stream, std::int64_t offset, std::int32_t blockSize)
    : stream_(stream), offset_(std::max<std::int64_t>(offset, 0)), blockSize_(blockSize) {
  // Big inputs are read 1024 blocks at a time, small ones in one read of their size.
  std::int64_t blocks = std::max<std::int64_t>(stream.Size() - offset_, 0) / blockSize + 1;
  buffer_.resize(static_cast<size_t>(blockSize) * static_cast<size_t>(std::min<std::int64_t>(blocks, k_blocksPerRead)));
}

TCodecBlockReader::~TCodecBlockReader() {
  try {
    stream_.Seek(offset_ + consumed_, TSeekOrigin::Beginning);
  } catch (...) {
  }
}

std::int32_t TCodecBlockReader::Next(const unsigned char*& block) {
  if (end_ - begin_ < static_cast<size_t>(blockSize_) && !atStreamEnd_) Refill();
  std::int32_t n = static_cast<std::int32_t>(std::min<size_t>(static_cast<size_t>(blockSize_), end_ - begin_));
  block = buffer_.data() + begin_;
  begin_ += static_cast<size_t>(n);
  consumed_ += n;
  return n;
}

void TCodecBlockReader::Refill() {
  std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
  end_ -= begin_;
  begin_ = 0;
  stream_.Seek(offset_ + consumed_ + static_cast<std::int64_t>(end_), TSeekOrigin::Beginning);
  while (end_ < buffer_.size()) {
    std::int32_t n = stream_.Read(buffer_.data() + end_, static_cast<std::int32_t>(buffer_.size() - end_));
    if (n <= 0) {
      atStreamEnd_ = true;
      break;
    }
    end_ += static_cast<size_t>(n);
  }
}
