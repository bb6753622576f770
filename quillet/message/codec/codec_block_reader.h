// The encoders' input side: a stream from an offset to its end, read in large chunks and
// handed out in blocks of a fixed size (57 bytes for a Base64 line, 45 for uuencode).
#pragma once

#include <cstdint>
#include <vector>

#include "quillet/common/stream.h"

class TCodecBlockReader {
 public:
  TCodecBlockReader(TStream& stream, std::int64_t offset, std::int32_t blockSize);
  // Leaves the stream just after the last block handed out.
  ~TCodecBlockReader();
  TCodecBlockReader(const TCodecBlockReader&) = delete;
  TCodecBlockReader& operator=(const TCodecBlockReader&) = delete;

  // The next block: blockSize bytes, fewer only at the stream's end (0 after it).
  std::int32_t Next(const unsigned char*& block);
  // Bytes handed out so far.
  std::int64_t Consumed() const { return consumed_; }

 private:
  void Refill();

  TStream& stream_;
  std::int64_t offset_;
  std::int32_t blockSize_;
  std::vector<unsigned char> buffer_;
  size_t begin_ = 0;
  size_t end_ = 0;
  std::int64_t consumed_ = 0;
  bool atStreamEnd_ = false;
};
