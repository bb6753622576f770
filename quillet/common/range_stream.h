// A read-only view of the byte range [start, start + length) of another stream: position 0
// is the range's first byte and the range's end is the view's end, so a codec or parser
// given a part never reads the next one. A message inside a mailbox data file is such a
// view over a TFileStream.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "quillet/common/stream.h"

class TRangeStream : public TStream {
 public:
  // The source is not owned. A negative start or length counts as 0.
  TRangeStream(TStream& source, std::int64_t start, std::int64_t length);
  // The view owns its source.
  TRangeStream(std::unique_ptr<TStream> source, std::int64_t start, std::int64_t length);
  TRangeStream(const TRangeStream&) = delete;
  TRangeStream& operator=(const TRangeStream&) = delete;

  // Stops at the range's end, and earlier where the source ends inside the range.
  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;  // always 0
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  // The range's length, also when the source ends inside the range.
  std::int64_t Size() override { return length_; }

 private:
  std::unique_ptr<TStream> owned_;
  TStream& source_;
  std::int64_t start_;
  std::int64_t length_;
  std::int64_t position_ = 0;
};

// The view of [offset, offset + length) of a file opened for reading; throws
// EFileException kind open when the file cannot be opened.
std::unique_ptr<TRangeStream> OpenFileRange(const std::string& fileName, std::int64_t offset, std::int64_t length);
