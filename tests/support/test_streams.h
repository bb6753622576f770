// Streams for tests: one that remembers which bytes were read, one that hands out its
// bytes a few at a time, as a slow source does.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "quillet/common/stream.h"

namespace test_support {

// A memory stream that remembers the lowest and highest byte any read touched.
class TSpyStream : public TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  std::int32_t Read(void* buffer, std::int32_t count) override {
    std::int64_t at = Position();
    std::int32_t n = TMemoryStream::Read(buffer, count);
    if (n > 0) {
      lowest = std::min(lowest, at);
      highest = std::max(highest, at + n);  // one past the last byte read
    }
    return n;
  }
  std::int64_t lowest = INT64_MAX;
  std::int64_t highest = -1;
};

// Each read returns at most 1, 2, ... most bytes in turn.
class TTrickleStream : public TStream {
 public:
  TTrickleStream(std::string bytes, std::int32_t most) : inner_(std::move(bytes)), most_(most) {}
  std::int32_t Read(void* buffer, std::int32_t count) override {
    return inner_.Read(buffer, std::min(count, 1 + static_cast<std::int32_t>(calls_++ % most_)));
  }
  std::int32_t Write(const void* buffer, std::int32_t count) override { return inner_.Write(buffer, count); }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override { return inner_.Seek(offset, origin); }

 private:
  TMemoryStream inner_;
  std::int32_t most_;
  std::uint32_t calls_ = 0;
};

}  // namespace test_support
