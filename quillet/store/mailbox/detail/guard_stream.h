// A read-only TStream over an open file guard (store-internal), so that an item of one
// pair can be the source of an append to another.
#pragma once

#include <algorithm>

#include "quillet/common/stream.h"
#include "quillet/store/mailbox/detail/file_guard.h"

class TGuardStream : public TStream {
 public:
  explicit TGuardStream(TFileGuard& file) : file_(file) {}

  std::int32_t Read(void* buffer, std::int32_t count) override {
    std::int32_t n = file_.ReadAt(position_, buffer, count);
    position_ += n;
    return n;
  }
  std::int32_t Write(const void*, std::int32_t) override { return 0; }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
    std::int64_t base = origin == TSeekOrigin::soBeginning ? 0
                        : origin == TSeekOrigin::soCurrent ? position_
                                                           : file_.Size();
    position_ = std::max<std::int64_t>(0, base + offset);
    return position_;
  }

 private:
  TFileGuard& file_;
  std::int64_t position_ = 0;
};
